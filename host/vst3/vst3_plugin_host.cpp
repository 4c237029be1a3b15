#include "host/vst3/vst3_plugin_host.h"

#include <cstring>
#include <type_traits>

using namespace vst3;

namespace {

const char* const kAudioModuleClass = "Audio Module Class";

template <typename Interface>
Interface* Query(FUnknown* object) {
    void* found = nullptr;
    if (object == nullptr || object->queryInterface(Interface::iid.bytes, &found) != kResultOk) {
        return nullptr;
    }
    return static_cast<Interface*>(found);
}

template <typename Sample>
AudioBusBuffers Bus(AudioBuffers<Sample>& buffers) {
    AudioBusBuffers bus{};
    bus.numChannels = buffers.Channels();
    if constexpr (std::is_same_v<Sample, float>) {
        bus.channelBuffers32 = const_cast<float**>(buffers.Pointers());
    } else {
        bus.channelBuffers64 = const_cast<double**>(buffers.Pointers());
    }
    return bus;
}

} // namespace

Vst3PluginHost::~Vst3PluginHost() {
    Unload();
}

bool Vst3PluginHost::Fail(const std::string& why) {
    error_ = why;
    Unload();
    return false;
}

bool Vst3PluginHost::Load(const std::string& bundle) {
    Unload();
    error_.clear();
    if (!module_.Open(bundle)) {
        return Fail(module_.Error());
    }
    if (!CreateComponent()) {
        return false;
    }
    return CreateController();
}

bool Vst3PluginHost::CreateComponent() {
    IPluginFactory* factory = module_.Factory();
    const int32 classes = factory->countClasses();
    for (int32 i = 0; i < classes; ++i) {
        PClassInfo info{};
        if (factory->getClassInfo(i, &info) != kResultOk ||
            std::strncmp(info.category, kAudioModuleClass, sizeof(info.category)) != 0) {
            continue;
        }
        void* made = nullptr;
        if (factory->createInstance(info.cid, IComponent::iid.bytes, &made) != kResultOk ||
            made == nullptr) {
            return Fail("createInstance refused the component");
        }
        component_ = static_cast<IComponent*>(made);
        if (component_->initialize(&application_) != kResultOk) {
            return Fail("the component's initialize failed");
        }
        // As the strictest hosts do: the processor is asked of the component itself.
        processor_ = Query<IAudioProcessor>(component_);
        if (processor_ == nullptr) {
            return Fail("the component offers no IAudioProcessor");
        }
        return true;
    }
    return Fail("the factory lists no \"Audio Module Class\"");
}

bool Vst3PluginHost::CreateController() {
    controller_ = Query<IEditController>(component_);
    singleComponent_ = controller_ != nullptr;
    if (controller_ == nullptr) {
        TUID cid{};
        void* made = nullptr;
        if (component_->getControllerClassId(cid) != kResultOk ||
            module_.Factory()->createInstance(cid, IEditController::iid.bytes, &made) !=
                kResultOk) {
            return Fail("no edit controller");
        }
        controller_ = static_cast<IEditController*>(made);
    }
    // Called even when the controller is the component, as some hosts do.
    if (controller_->initialize(&application_) != kResultOk && !singleComponent_) {
        return Fail("the controller's initialize failed");
    }
    if (controller_->setComponentHandler(&handler_) != kResultOk) {
        return Fail("setComponentHandler refused");
    }
    return true;
}

void Vst3PluginHost::Unload() {
    Stop();
    finalCounts_.clear();
    if (controller_ != nullptr) {
        controller_->setComponentHandler(nullptr);
        if (!singleComponent_) {
            controller_->terminate();
        }
        finalCounts_.push_back(controller_->release());
        controller_ = nullptr;
    }
    if (processor_ != nullptr) {
        finalCounts_.push_back(processor_->release());
        processor_ = nullptr;
    }
    if (component_ != nullptr) {
        component_->terminate();
        finalCounts_.push_back(component_->release());
        component_ = nullptr;
    }
    singleComponent_ = false;
    module_.Close();
}

bool Vst3PluginHost::Start(double sampleRate, int maxBlock, int32 sampleSize) {
    if (processor_ == nullptr) {
        return false;
    }
    Stop();
    setup_ = {kRealtime, sampleSize, maxBlock, sampleRate};
    if (processor_->setupProcessing(setup_) != kResultOk || component_->setActive(1) != kResultOk) {
        return false;
    }
    processor_->setProcessing(1);
    running_ = true;
    return true;
}

void Vst3PluginHost::Stop() {
    if (!running_) {
        return;
    }
    processor_->setProcessing(0);
    component_->setActive(0);
    running_ = false;
}

template <typename Sample>
tresult Vst3PluginHost::RunProcess(AudioBuffers<Sample>& inputs, AudioBuffers<Sample>& outputs,
                                   int frames, ParameterChanges* changes, int32 sampleSize) {
    AudioBusBuffers in = Bus(inputs);
    AudioBusBuffers out = Bus(outputs);
    outputChanges_.Clear();
    ProcessData data{};
    data.processMode = setup_.processMode;
    data.symbolicSampleSize = sampleSize;
    data.numSamples = frames;
    data.numInputs = 1;
    data.numOutputs = 1;
    data.inputs = &in;
    data.outputs = &out;
    data.inputParameterChanges = changes;
    data.outputParameterChanges = &outputChanges_;
    return processor_->process(data);
}

tresult Vst3PluginHost::Process(AudioBuffers<float>& inputs, AudioBuffers<float>& outputs,
                                int frames, ParameterChanges* changes) {
    return RunProcess(inputs, outputs, frames, changes, kSample32);
}

tresult Vst3PluginHost::Process64(AudioBuffers<double>& inputs, AudioBuffers<double>& outputs,
                                  int frames, ParameterChanges* changes) {
    return RunProcess(inputs, outputs, frames, changes, kSample64);
}

std::vector<char> Vst3PluginHost::SaveState() {
    MemoryStream stream;
    if (component_ == nullptr || component_->getState(&stream) != kResultOk) {
        return {};
    }
    return stream.Bytes();
}

tresult Vst3PluginHost::LoadState(const std::vector<char>& bytes, int readLimit) {
    if (component_ == nullptr) {
        return kNotInitialized;
    }
    MemoryStream stream(bytes);
    stream.SetReadLimit(readLimit);
    const tresult result = component_->setState(&stream);
    if (result == kResultOk && controller_ != nullptr) {
        stream.Rewind();
        controller_->setComponentState(&stream);
    }
    return result;
}

bool Vst3PluginHost::ReadRealtimeCounters(RealtimeCounters& counters, bool reset) {
    void* found = nullptr;
    if (component_ == nullptr ||
        component_->queryInterface(IRealtimeCounters::iid.bytes, &found) != kResultOk) {
        return false;
    }
    auto* counting = static_cast<IRealtimeCounters*>(found);
    const bool read = counting->readCounters(&counters, reset ? 1 : 0) == kResultOk;
    counting->release();
    return read;
}
