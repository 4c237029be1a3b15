# Shared build settings for every Crescenda target.

# Bit-exact DSP: no fused multiply-add and no reassociation may change a result, so contraction is
# off everywhere and fast-math is never used.
add_compile_options(-ffp-contract=off -fno-fast-math)

if(CRESCENDA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
if(CRESCENDA_TSAN)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
    add_compile_definitions(CRESCENDA_TSAN=1)
endif()

if(WIN32)
    # The DLL and every executable carry their own runtime: nothing has to sit beside them.
    add_link_options(-static -static-libgcc -static-libstdc++)
endif()

function(crescenda_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# crescenda_add_plugin(NAME name [FORMAT vst2|clap|vst3] [OUTPUT_NAME file] SOURCES a.cpp ... LIBS lib ...)
# A plug-in binary built from the format's entry point and the given sources and libraries,
# exporting exactly what the format's export lists (FORMAT/exports.map, FORMAT/exports.def) name.
# VST2 (the default): name.dll or name.so exporting VSTPluginMain and main; CLAP: file.clap
# exporting clap_entry; VST3: the bundle file.vst3 with its binary where hosts look for it
# (Contents/x86_64-linux/file.so, Contents/x86_64-win/file.vst3) exporting the factory and the
# module entry and exit. The products and every test plug-in are linked by this one recipe.
function(crescenda_add_plugin)
    cmake_parse_arguments(P "" "NAME;FORMAT;OUTPUT_NAME" "SOURCES;LIBS" ${ARGN})
    if(NOT P_FORMAT)
        set(P_FORMAT vst2)
    endif()
    if(NOT P_OUTPUT_NAME)
        set(P_OUTPUT_NAME ${P_NAME})
    endif()
    if(P_FORMAT STREQUAL "clap")
        set(entry ${CMAKE_SOURCE_DIR}/clap/clap_entry.cpp)
    elseif(P_FORMAT STREQUAL "vst3")
        set(entry ${CMAKE_SOURCE_DIR}/vst3/module_entry.cpp)
    else()
        set(entry ${CMAKE_SOURCE_DIR}/vst2/entry_point.cpp)
    endif()
    set(exports ${CMAKE_SOURCE_DIR}/${P_FORMAT}/exports)
    add_library(${P_NAME} MODULE ${entry} ${P_SOURCES})
    set_target_properties(${P_NAME} PROPERTIES PREFIX "" OUTPUT_NAME ${P_OUTPUT_NAME})
    if(P_FORMAT STREQUAL "clap")
        set_target_properties(${P_NAME} PROPERTIES SUFFIX ".clap")
    elseif(P_FORMAT STREQUAL "vst3")
        if(WIN32)
            set(contents x86_64-win)
            set_target_properties(${P_NAME} PROPERTIES SUFFIX ".vst3")
        else()
            set(contents x86_64-linux)
        endif()
        set(bundle ${CMAKE_BINARY_DIR}/bin/${P_OUTPUT_NAME}.vst3)
        set_target_properties(${P_NAME} PROPERTIES LIBRARY_OUTPUT_DIRECTORY
            ${bundle}/Contents/${contents})
        # Its moduleinfo.json is what the linked binary's factory reports (written by loading it,
        # under Wine for Windows), remade whenever the binary or the writer changes, so the
        # description cannot drift from the factory. Target NAME_moduleinfo, part of every build.
        set(info ${bundle}/Contents/Resources/moduleinfo.json)
        add_custom_command(OUTPUT ${info}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${bundle}/Contents/Resources
            COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:crescenda-vst3-moduleinfo>
                    ${bundle} ${info}
            DEPENDS ${P_NAME} crescenda-vst3-moduleinfo
            VERBATIM)
        add_custom_target(${P_NAME}_moduleinfo ALL DEPENDS ${info})
    endif()
    target_include_directories(${P_NAME} PRIVATE ${CMAKE_SOURCE_DIR})
    crescenda_warnings(${P_NAME})
    target_link_libraries(${P_NAME} PRIVATE ${P_LIBS})
    if(WIN32)
        target_sources(${P_NAME} PRIVATE ${exports}.def)
        target_link_options(${P_NAME} PRIVATE -Wl,--exclude-all-symbols)
    else()
        target_link_options(${P_NAME} PRIVATE -Wl,--version-script=${exports}.map)
        set_target_properties(${P_NAME} PROPERTIES LINK_DEPENDS ${exports}.map)
        if(NOT CRESCENDA_SANITIZE AND NOT CRESCENDA_TSAN)
            # Sanitizer runtimes are resolved from the host process, so only plain builds insist.
            target_link_options(${P_NAME} PRIVATE -Wl,--no-undefined)
        endif()
    endif()
endfunction()

# GoogleTest: Debian's on Linux, the cross-built copy from scripts/setup.sh for Windows.
set(CRESCENDA_CACHE_DIR ${CMAKE_SOURCE_DIR}/.cache CACHE PATH "Where setup scripts keep built dependencies")
macro(crescenda_find_gtest)
    if(NOT TARGET GTest::gtest)
        if(WIN32)
            set(GTest_DIR ${CRESCENDA_CACHE_DIR}/gtest-mingw/lib/cmake/GTest)
            find_package(GTest CONFIG REQUIRED NO_DEFAULT_PATH PATHS ${CRESCENDA_CACHE_DIR}/gtest-mingw)
        else()
            find_package(GTest REQUIRED)
        endif()
        find_package(Threads REQUIRED)
    endif()
endmacro()

# crescenda_add_test(NAME name SOURCES a.cpp ... [LIBS lib ...] [NEEDS_PLUGIN] [RESOURCE_LOCK r])
# A GoogleTest executable registered with CTest. In the plain Linux build each test case is its
# own CTest entry; under Wine, and in the sanitizer build where every process start costs the
# runtime's set-up, one entry per executable keeps the start-up cost down. NEEDS_PLUGIN makes the
# executable depend on the built plug-in binary (which sits beside it in bin/). RESOURCE_LOCK keeps
# CTest from running two entries that use the same resource (e.g. the display's pointer) at once.
function(crescenda_add_test)
    cmake_parse_arguments(T "NEEDS_PLUGIN" "NAME;RESOURCE_LOCK;SANITIZER_OPTIONS" "SOURCES;LIBS"
                          ${ARGN})
    set(lock)
    if(T_RESOURCE_LOCK)
        set(lock RESOURCE_LOCK ${T_RESOURCE_LOCK})
    endif()
    # Options appended to ASAN_OPTIONS in the sanitizer build (the run's own options are kept).
    if(T_SANITIZER_OPTIONS AND CRESCENDA_SANITIZE)
        list(APPEND lock ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=string_append::${T_SANITIZER_OPTIONS}")
    endif()
    crescenda_find_gtest()
    add_executable(${T_NAME} ${T_SOURCES})
    crescenda_warnings(${T_NAME})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main Threads::Threads)
    if(T_NEEDS_PLUGIN)
        add_dependencies(${T_NAME} Crescenda)
    endif()
    if(WIN32 OR CRESCENDA_SANITIZE)
        add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_brief=1)
        set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 600 ${lock})
    else()
        include(GoogleTest)
        gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 600 ${lock})
    endif()
endfunction()

