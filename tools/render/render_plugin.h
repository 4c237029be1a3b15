// The plug-in a render runs, whatever its format: the renderer's steps from loading the binary to
// the last block. One implementation per format, chosen from the file name (.clap is CLAP, a
// .vst3 bundle VST3, anything else VST2).
#pragma once

#include "host/audio_buffers.h"
#include "host/plugin_settings.h"

#include <cstdio>
#include <memory>
#include <string>

class RenderPlugin {
public:
    virtual ~RenderPlugin() = default;

    // Loads the binary and makes an instance, told the rate and block size, ready for settings
    // (an offline render, where the format can say so).
    virtual bool Load(const std::string& path, int sampleRate, int blockSize,
                      std::string& error) = 0;
    virtual bool Apply(const PluginSettings& settings, std::string& error) = 0;
    virtual bool SaveState(const std::string& path, std::string& error) = 0;
    virtual void PrintListing(const std::string& path, std::FILE* stream) = 0;
    virtual int Inputs() const = 0;
    virtual int Outputs() const = 0;
    // Switches processing on; `latency` is what the plug-in reports then.
    virtual bool Start(int& latency, std::string& error) = 0;
    // Replaces `frames` frames of every output.
    virtual void Process(AudioBuffers<float>& in, AudioBuffers<float>& out, int frames) = 0;
    virtual void Stop() = 0;
};

std::unique_ptr<RenderPlugin> MakeVst2RenderPlugin();
std::unique_ptr<RenderPlugin> MakeClapRenderPlugin();
std::unique_ptr<RenderPlugin> MakeVst3RenderPlugin();
// The implementation for the file's format.
std::unique_ptr<RenderPlugin> MakeRenderPlugin(const std::string& path);
