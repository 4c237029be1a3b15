// The host's transport as the effect asks for it: what the current block's transport event says,
// during process only (CLAP hands the transport with the block, never on request).
#include "clap/clap_plugin.h"
#include "framework/transport_info.h"

#include <cmath>

namespace {

double FromBeatTime(clap_beattime value) {
    return static_cast<double>(value) / static_cast<double>(CLAP_BEATTIME_FACTOR);
}

double FromSecTime(clap_sectime value) {
    return static_cast<double>(value) / static_cast<double>(CLAP_SECTIME_FACTOR);
}

} // namespace

void ClapPlugin::HostTimeInfo(TransportInfo& info) {
    const clap_event_transport* transport = transport_;
    if (transport == nullptr) {
        return;
    }
    const std::uint32_t flags = transport->flags;
    if ((flags & CLAP_TRANSPORT_HAS_TEMPO) != 0 && transport->tempo > 0.0) {
        info.tempo = transport->tempo;
    }
    if ((flags & CLAP_TRANSPORT_HAS_SECONDS_TIMELINE) != 0) {
        info.samplePos = FromSecTime(transport->song_pos_seconds) * core_->SampleRate();
    }
    if ((flags & CLAP_TRANSPORT_HAS_BEATS_TIMELINE) != 0) {
        info.ppqPos = FromBeatTime(transport->song_pos_beats);
        info.lastBar = FromBeatTime(transport->bar_start);
        info.cycleStart = FromBeatTime(transport->loop_start_beats);
        info.cycleEnd = FromBeatTime(transport->loop_end_beats);
    }
    if ((flags & CLAP_TRANSPORT_HAS_TIME_SIGNATURE) != 0 && transport->tsig_num > 0 &&
        transport->tsig_denom > 0) {
        info.numerator = transport->tsig_num;
        info.denominator = transport->tsig_denom;
    }
    info.playing = (flags & CLAP_TRANSPORT_IS_PLAYING) != 0;
    info.cycleActive = (flags & CLAP_TRANSPORT_IS_LOOP_ACTIVE) != 0;
}

// Positions beyond what an int holds saturate, as for the other formats.
int ClapPlugin::HostSamplePosition() {
    TransportInfo info;
    HostTimeInfo(info);
    if (!(info.samplePos >= 0.0)) {
        return 0;
    }
    const double rounded = std::trunc(info.samplePos + 0.5);
    return rounded >= 2147483647.0 ? 2147483647 : static_cast<int>(rounded);
}

double ClapPlugin::HostTempo() {
    TransportInfo info;
    HostTimeInfo(info);
    return info.tempo;
}

void ClapPlugin::HostTimeSignature(int& numerator, int& denominator) {
    TransportInfo info;
    HostTimeInfo(info);
    numerator = info.numerator;
    denominator = info.denominator;
}
