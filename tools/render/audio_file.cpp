#include "tools/render/audio_file.h"

#include "host/replaced_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sndfile.h>

namespace {

constexpr sf_count_t kChunkFrames = 8192;
// Longest input read into memory: about 6 hours of stereo at 48 kHz.
constexpr sf_count_t kMaxSamples = sf_count_t(1) << 31;

std::string LowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

// WAV keeps the plug-in's float output exactly; AIFF and FLAC get 24-bit samples.
int FormatForPath(const std::string& path) {
    const std::string ext = LowerExtension(path);
    if (ext == ".wav") {
        return SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    }
    if (ext == ".aiff" || ext == ".aif") {
        return SF_FORMAT_AIFF | SF_FORMAT_PCM_24;
    }
    if (ext == ".flac") {
        return SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
    }
    return 0;
}

bool IsReadableMajorFormat(int format) {
    switch (format & SF_FORMAT_TYPEMASK) {
    case SF_FORMAT_WAV:
    case SF_FORMAT_WAVEX:
    case SF_FORMAT_RF64:
    case SF_FORMAT_AIFF:
    case SF_FORMAT_FLAC:
        return true;
    default:
        return false;
    }
}

struct SndFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndFilePtr = std::unique_ptr<SNDFILE, SndFileCloser>;

} // namespace

bool ReadAudioFile(const std::string& path, AudioData& audio, std::string& error) {
    std::error_code code;
    if (!std::filesystem::is_regular_file(path, code)) {
        error = "cannot read " + path + ": " +
                (std::filesystem::exists(path, code) ? "not a file" : "no such file");
        return false;
    }
    SF_INFO info{};
    SndFilePtr file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) {
        error = "cannot read " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    if (!IsReadableMajorFormat(info.format)) {
        error = path + " is not a WAV, AIFF or FLAC file";
        return false;
    }
    if (info.channels != 1 && info.channels != 2) {
        error = path + " has " + std::to_string(info.channels) +
                " channels; only mono and stereo files are supported";
        return false;
    }
    if (info.samplerate <= 0) {
        error = path + " has no valid sample rate";
        return false;
    }
    if (info.frames <= 0) {
        error = path + " holds no audio";
        return false;
    }
    if (info.frames > kMaxSamples / info.channels) {
        error = path + " is too long to render in memory";
        return false;
    }
    audio.sampleRate = info.samplerate;
    audio.channels.assign(static_cast<size_t>(info.channels), {});
    for (auto& channel : audio.channels) {
        channel.reserve(static_cast<size_t>(info.frames));
    }
    std::vector<float> interleaved(static_cast<size_t>(kChunkFrames * info.channels));
    for (;;) {
        const sf_count_t got = sf_readf_float(file.get(), interleaved.data(), kChunkFrames);
        if (got <= 0) {
            break;
        }
        for (sf_count_t i = 0; i < got; ++i) {
            for (int c = 0; c < info.channels; ++c) {
                audio.channels[static_cast<size_t>(c)].push_back(
                    interleaved[static_cast<size_t>(i * info.channels + c)]);
            }
        }
    }
    if (sf_error(file.get()) != SF_ERR_NO_ERROR) {
        error = "cannot read " + path + ": " + sf_strerror(file.get());
        return false;
    }
    if (audio.Frames() == 0) {
        error = path + " holds no audio";
        return false;
    }
    return true;
}

bool IsWritableAudioPath(const std::string& path) {
    return FormatForPath(path) != 0;
}

struct AudioFileWriter::State {
    explicit State(const std::string& path) : file(path) {}
    ReplacedFile file;
    SndFilePtr sound;
    int channels = 0;
};

AudioFileWriter::AudioFileWriter() = default;
AudioFileWriter::~AudioFileWriter() {
    if (state_) {
        state_->sound.reset(); // close before the temporary file is removed
    }
}

bool AudioFileWriter::Open(const std::string& path, int channels, int sampleRate,
                           std::string& error) {
    const int format = FormatForPath(path);
    if (format == 0) {
        error = "cannot write " + path + ": the name must end in .wav, .aiff, .aif or .flac";
        return false;
    }
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = format;
    if (sf_format_check(&info) == 0) {
        error = "cannot write " + path + ": this type cannot hold " + std::to_string(channels) +
                " channels at " + std::to_string(sampleRate) + " Hz";
        return false;
    }
    state_ = std::make_unique<State>(path);
    state_->channels = channels;
    state_->sound.reset(sf_open(state_->file.TempPath().c_str(), SFM_WRITE, &info));
    if (!state_->sound) {
        error = "cannot write " + path + ": " + sf_strerror(nullptr);
        state_.reset();
        return false;
    }
    // Integer types clip overs instead of wrapping them.
    sf_command(state_->sound.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
    // No peak chunk: it carries a time stamp, and the same render should give the same bytes.
    sf_command(state_->sound.get(), SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
    return true;
}

bool AudioFileWriter::Commit(const AudioData& audio, std::string& error) {
    if (!state_ || audio.Channels() != state_->channels) {
        error = "internal: audio does not match the opened file";
        return false;
    }
    const std::string target = state_->file.Target();
    const int channels = state_->channels;
    std::vector<float> interleaved(static_cast<size_t>(kChunkFrames * channels));
    for (int64_t start = 0; start < audio.Frames(); start += kChunkFrames) {
        const int64_t frames = std::min<int64_t>(kChunkFrames, audio.Frames() - start);
        for (int64_t i = 0; i < frames; ++i) {
            for (int c = 0; c < channels; ++c) {
                interleaved[static_cast<size_t>(i * channels + c)] =
                    audio.channels[static_cast<size_t>(c)][static_cast<size_t>(start + i)];
            }
        }
        if (sf_writef_float(state_->sound.get(), interleaved.data(), frames) != frames) {
            error = "cannot write " + target + ": " + sf_strerror(state_->sound.get());
            return false;
        }
    }
    if (sf_close(state_->sound.release()) != 0) {
        error = "cannot write " + target + " (disk full?)";
        return false;
    }
    return state_->file.Commit(error);
}
