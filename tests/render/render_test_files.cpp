#include "tests/render/render_test_files.h"

#include "platform/shared_library.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sndfile.h>
#include <sstream>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

int FormatFor(const std::string& path) {
    const std::string ext = fs::path(path).extension().string();
    if (ext == ".aiff" || ext == ".aif") {
        return SF_FORMAT_AIFF | SF_FORMAT_PCM_24;
    }
    if (ext == ".flac") {
        return SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
    }
    return SF_FORMAT_WAV | SF_FORMAT_FLOAT;
}

std::string Quoted(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

bool WriteTestAudio(const std::string& path, const TestAudio& audio) {
    SF_INFO info{};
    info.samplerate = audio.sampleRate;
    info.channels = static_cast<int>(audio.channels.size());
    info.format = FormatFor(path);
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        return false;
    }
    std::vector<float> interleaved;
    for (long i = 0; i < audio.Frames(); ++i) {
        for (const auto& channel : audio.channels) {
            interleaved.push_back(channel[static_cast<size_t>(i)]);
        }
    }
    const bool ok = sf_writef_float(file, interleaved.data(), audio.Frames()) == audio.Frames();
    return sf_close(file) == 0 && ok;
}

bool ReadTestAudio(const std::string& path, TestAudio& audio) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        return false;
    }
    std::vector<float> interleaved(static_cast<size_t>(info.frames * info.channels));
    const sf_count_t got = sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    audio.sampleRate = info.samplerate;
    audio.channels.assign(static_cast<size_t>(info.channels),
                          std::vector<float>(static_cast<size_t>(got)));
    for (sf_count_t i = 0; i < got; ++i) {
        for (int c = 0; c < info.channels; ++c) {
            audio.channels[static_cast<size_t>(c)][static_cast<size_t>(i)] =
                interleaved[static_cast<size_t>(i * info.channels + c)];
        }
    }
    return got == info.frames;
}

RunResult RunRenderer(const std::string& folder, const std::vector<std::string>& args) {
    const std::string outFile =
        (fs::path(folder).parent_path() / (fs::path(folder).filename().string() + ".stdout"))
            .string();
    const std::string errFile =
        (fs::path(folder).parent_path() / (fs::path(folder).filename().string() + ".stderr"))
            .string();
    std::string command =
        "cd " + Quoted(folder) + " && " + Quoted(ExecutableDirectory() + "/crescenda-render");
    for (const std::string& arg : args) {
        command += " " + Quoted(arg);
    }
    command += " >" + Quoted(outFile) + " 2>" + Quoted(errFile);
    const int status = std::system(command.c_str());
    RunResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = Slurp(outFile);
    result.err = Slurp(errFile);
    fs::remove(outFile);
    fs::remove(errFile);
    return result;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        names.push_back(fs::relative(entry.path(), folder).string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string NewScratchFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
    return mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}
