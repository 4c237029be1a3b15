// The bundled VST3 host: loads a bundle, creates its audio-effect class the way hosts do
// (component, its processor, its controller from the component or by class id, the component
// handler), and drives setup, activation, processing and state with buffers and streams it owns.
// Tests reach every interface directly as well.
#pragma once

#include "host/audio_buffers.h"
#include "host/vst3/host_application.h"
#include "host/vst3/memory_stream.h"
#include "host/vst3/parameter_changes.h"
#include "host/vst3/recording_handler.h"
#include "host/vst3/vst3_module.h"
#include "vst3/realtime_counters_interface.h"

#include <string>
#include <vector>

class Vst3PluginHost {
public:
    Vst3PluginHost() = default;
    ~Vst3PluginHost();
    Vst3PluginHost(const Vst3PluginHost&) = delete;
    Vst3PluginHost& operator=(const Vst3PluginHost&) = delete;

    // Loads the bundle and creates an instance of its first "Audio Module Class". Fails with the
    // reason in LastError().
    bool Load(const std::string& bundle);
    // Ends the instance (terminate, release of every interface) and unloads the bundle. The counts
    // the plug-in returned from the last releases are kept for tests.
    void Unload();
    const std::string& LastError() const { return error_; }

    // setupProcessing (32-bit realtime unless said), then setActive(true), setProcessing(true).
    bool Start(double sampleRate, int maxBlock, vst3::int32 sampleSize = vst3::kSample32);
    // setProcessing(false), setActive(false).
    void Stop();

    // One process() call over `frames` frames of the buffers' channels (one bus each way);
    // `changes` may be null. Returns what process() returned.
    vst3::tresult Process(AudioBuffers<float>& inputs, AudioBuffers<float>& outputs, int frames,
                          ParameterChanges* changes = nullptr);
    vst3::tresult Process64(AudioBuffers<double>& inputs, AudioBuffers<double>& outputs, int frames,
                            ParameterChanges* changes = nullptr);
    // Output parameter changes of the last process() call.
    ParameterChanges& OutputChanges() { return outputChanges_; }

    // The component state as bytes, or empty when getState fails.
    std::vector<char> SaveState();
    // setState on the component and, on success, setComponentState on the controller.
    vst3::tresult LoadState(const std::vector<char>& bytes, int readLimit = 0);
    // A counting build's real-time counters, copied and, with reset, started again from zero.
    // False where the component does not answer IRealtimeCounters (every product build).
    bool ReadRealtimeCounters(RealtimeCounters& counters, bool reset);

    vst3::IPluginFactory* Factory() const { return module_.Factory(); }
    vst3::IComponent* Component() const { return component_; }
    vst3::IAudioProcessor* Processor() const { return processor_; }
    vst3::IEditController* Controller() const { return controller_; }
    RecordingHandler& Handler() { return handler_; }
    HostApplication& Application() { return application_; }
    // True when the controller came from the component itself.
    bool SingleComponent() const { return singleComponent_; }
    // What the last release of each interface returned at Unload (0 means the object is gone).
    const std::vector<vst3::uint32>& FinalReleaseCounts() const { return finalCounts_; }
    vst3::uint32 FactoryReleaseCount() const { return module_.FactoryReleaseCount(); }

private:
    bool Fail(const std::string& why);
    bool CreateComponent();
    bool CreateController();
    template <typename Sample>
    vst3::tresult RunProcess(AudioBuffers<Sample>& inputs, AudioBuffers<Sample>& outputs,
                             int frames, ParameterChanges* changes, vst3::int32 sampleSize);

    Vst3Module module_;
    HostApplication application_;
    RecordingHandler handler_;
    ParameterChanges outputChanges_;
    vst3::IComponent* component_ = nullptr;
    vst3::IAudioProcessor* processor_ = nullptr;
    vst3::IEditController* controller_ = nullptr;
    bool singleComponent_ = false;
    bool running_ = false;
    vst3::ProcessSetup setup_{};
    std::vector<vst3::uint32> finalCounts_;
    std::string error_;
};
