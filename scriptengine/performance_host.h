// The running script's link to the performance: Trace goes to the lyric delivery, the master
// tempo, volume and groove level go on to the performance's global parameters (Wine keeps
// them; the transpose has no such parameter and stays with the script), and Rand draws from a
// generator of its own.
#pragma once

#include <windows.h>
#include <dmusici.h>

#include "lyric_delivery.h"
#include "script_host.h"

class PerformanceHost : public ScriptHost {
public:
    PerformanceHost();
    // Both borrowed; null until the script is initialised.
    void Attach(IDirectMusicPerformance* performance, LyricDelivery* delivery);

    void Trace(const std::u16string& text) override;
    void MasterValueChanged(MasterValue which, int32_t value) override;
    int32_t Random(int32_t limit) override;

private:
    IDirectMusicPerformance* performance = nullptr;
    LyricDelivery* delivery = nullptr;
    uint32_t randomState;
};
