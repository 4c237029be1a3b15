// The counting test build's own interface: tests read the real-time counters (heap requests and
// locks inside process calls) through the component's queryInterface. Ordinary builds do not
// answer it.
#pragma once

#include "framework/realtime_checks.h"
#include "vst3/interface_query.h"

namespace vst3 {

class IRealtimeCounters : public FUnknown {
public:
    // Our own id ("CrescRtCounters1" in its four words), not one of the published interfaces.
    static constexpr Uid iid = MakeUid(0x43726573, 0x63527443, 0x6F756E74, 0x65727331);
    // [UI thread] Copies the process-wide counters; with reset non-zero, starts them again from
    // zero. kInvalidArgument for a null record.
    virtual tresult readCounters(RealtimeCounters* counters, TBool reset) = 0;
};

// The offer of IRealtimeCounters to AnswerQuery, made only where the counters are compiled in.
struct OfferRealtimeCounters {
    template <typename Self>
    static bool Match(Self* self, const TUID id, void** obj) {
        return RealtimeChecks::Enabled() && Offer<IRealtimeCounters>::Match(self, id, obj);
    }
};

} // namespace vst3
