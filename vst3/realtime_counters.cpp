// IRealtimeCounters: the counting build's counters for the tests (answered by queryInterface only
// in that build).
#include "vst3/vst3_plugin.h"

namespace vst3 {

tresult Vst3Plugin::readCounters(RealtimeCounters* counters, TBool reset) {
    if (counters == nullptr) {
        return kInvalidArgument;
    }
    RealtimeChecks::Read(*counters, reset != 0);
    return kResultOk;
}

} // namespace vst3
