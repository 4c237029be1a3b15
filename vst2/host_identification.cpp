// Learning once which host loaded the plug-in, and the set-up some hosts need at open.
#include "framework/host_lookup.h"
#include "vst2/vst2_plugin.h"

namespace {

constexpr int ProductTextSize = 256;

// Hosts that get at most two channels each way.
bool NeedsStereoLimit(int hostType) {
    return hostType == HostForte || hostType == HostAudition || hostType == HostOrion ||
           hostType == HostSawStudio;
}

} // namespace

int Vst2Plugin::IdentifyHost(std::int32_t& version) {
    char product[ProductTextSize] = {};
    CallHost(audioMasterGetProductString, 0, 0, product);
    product[ProductTextSize - 1] = '\0';
    version = 0;
    if (product[0] != '\0') {
        const VstIntPtr vendorVersion = CallHost(audioMasterGetVendorVersion);
        version = PackHostVersion(static_cast<std::int32_t>(vendorVersion));
    }
    return LookUpHost(product);
}

// Runs at the first effOpen only.
void Vst2Plugin::HostSpecificSetup() {
    if (hostSetupDone_) {
        return;
    }
    hostSetupDone_ = true;
    if (NeedsStereoLimit(core_->HostType())) {
        core_->LimitToStereo();
    }
    effect_.numInputs = core_->InputChannelCount();
    inputArrangement_.numChannels = core_->InputChannelCount();
    effect_.numOutputs = core_->OutputChannelCount();
    outputArrangement_.numChannels = core_->OutputChannelCount();
    core_->HostIdentified();
}
