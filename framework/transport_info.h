// TransportInfo: the host's transport as HostTimeInfo fills it. The caller initialises it; only
// the fields the host marks valid are overwritten.
#pragma once

struct TransportInfo {
    double tempo = 0.0;     // beats per minute
    double samplePos = 0.0; // frames since the host's time line started
    double ppqPos = 0.0;    // quarter notes since the start
    double lastBar = 0.0;   // ppq position of the last bar start
    double cycleStart = 0.0;
    double cycleEnd = 0.0;
    int numerator = 0;
    int denominator = 0;
    bool playing = false;
    bool cycleActive = false;
};
