// A VST3 bundle loaded the way hosts load it: the binary for this system inside the bundle, its
// module entry (Linux), the factory it exports, and on close the factory released before the
// module exit and the unload.
#pragma once

#include "platform/shared_library.h"
#include "vst3/vst3_abi.h"

#include <string>

class Vst3Module {
public:
    Vst3Module() = default;
    ~Vst3Module();
    Vst3Module(const Vst3Module&) = delete;
    Vst3Module& operator=(const Vst3Module&) = delete;

    // Loads `bundle` (the NAME.vst3 folder). Fails, with the reason in Error(), when the binary,
    // an entry point or the factory is missing or the module entry refuses.
    bool Open(const std::string& bundle);
    // Releases the factory; the count it returned is in FactoryReleaseCount(). Then the module exit
    // and the unload.
    void Close();

    vst3::IPluginFactory* Factory() const { return factory_; }
    const std::string& Error() const { return error_; }
    vst3::uint32 FactoryReleaseCount() const { return factoryReleaseCount_; }
    // The binary inside a bundle that hosts on this system load.
    static std::string BinaryPath(const std::string& bundle);

private:
    bool Fail(const std::string& why);
    bool Enter();

    SharedLibrary library_;
    vst3::IPluginFactory* factory_ = nullptr;
    bool entered_ = false;
    vst3::uint32 factoryReleaseCount_ = 0;
    std::string error_;
};
