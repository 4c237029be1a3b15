// Debian's Qtractor scanner (qtractor_plugin_scan) on Crescenda.clap: the line it prints is what
// a correct Crescenda gives. It offers the plug-in no host extension, so this also catches an
// init or an answer that depends on them.
#include "tests/clap/clap_session.h"

#include <cstdio>
#include <fstream>
#include <regex>

using namespace clap_test;

namespace {

constexpr const char* Scanner = "/usr/lib/x86_64-linux-gnu/qtractor/qtractor_plugin_scan";

// Runs the scanner on one .clap; everything it prints.
std::string Scan(const std::string& path) {
    const std::string command = "printf 'CLAP:%s\\n' '" + path + "' | " + Scanner + " 2>/dev/null";
    std::string printed;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            printed += buffer;
        }
        pclose(pipe);
    }
    return printed;
}

std::string Escaped(const std::string& text) {
    return std::regex_replace(text, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)");
}

} // namespace

TEST(QtractorScan, TheScannerListsCrescendaWithItsPortsParametersEditorAndState) {
    ASSERT_TRUE(std::ifstream(Scanner).good()) << Scanner << " is missing (package qtractor)";
    const std::string path = ClapPath();
    ASSERT_EQ(path.find(':'), std::string::npos) << "the scanner splits its input at ':'";
    // Name; two main audio channels each way; no MIDI; five writable automatable parameters;
    // an X11 editor, a state, real-time; the file; the first plug-in; the scanner's id hash (a
    // hash of where the id string lies in memory, so not fixed).
    const std::regex expected("CLAP\\|Crescenda\\|2:2\\|0:0\\|5:0\\|GUI,EXT,RT\\|" + Escaped(path) +
                              "\\|0\\|0x[0-9a-f]+\n");
    const std::string printed = Scan(path);
    EXPECT_TRUE(std::regex_match(printed, expected)) << printed;
}
