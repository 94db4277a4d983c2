// PerformanceHost: Trace, the master values and Rand.
#include "performance_host.h"

PerformanceHost::PerformanceHost() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    randomState = static_cast<uint32_t>(counter.QuadPart) ^ GetCurrentThreadId() ^ 0x9E3779B9u;
    if (randomState == 0) {
        randomState = 1;
    }
}

void PerformanceHost::Attach(IDirectMusicPerformance* performance, LyricDelivery* delivery) {
    this->performance = performance;
    this->delivery = delivery;
}

void PerformanceHost::Trace(const std::u16string& text) {
    if (delivery != nullptr) {
        delivery->Send(text);
    }
}

void PerformanceHost::MasterValueChanged(MasterValue which, int32_t value) {
    if (performance == nullptr) {
        return;
    }
    // Results are not looked at: the script keeps its own copy of every value, and a
    // performance that cannot take one is no fault of the script's.
    switch (which) {
        case MasterValue::Tempo: {
            float tempo = static_cast<float>(value) / 100.0f;
            performance->SetGlobalParam(GUID_PerfMasterTempo, &tempo, sizeof tempo);
            break;
        }
        case MasterValue::Volume: {
            long volume = value;
            performance->SetGlobalParam(GUID_PerfMasterVolume, &volume, sizeof volume);
            break;
        }
        case MasterValue::GrooveLevel: {
            char level = static_cast<char>(value);
            performance->SetGlobalParam(GUID_PerfMasterGrooveLevel, &level, sizeof level);
            break;
        }
        case MasterValue::Transpose:
            break;
    }
}

int32_t PerformanceHost::Random(int32_t limit) {
    // xorshift32: plenty for a demo's dice, and no shared state with the C library.
    randomState ^= randomState << 13;
    randomState ^= randomState >> 17;
    randomState ^= randomState << 5;
    return static_cast<int32_t>(randomState % static_cast<uint32_t>(limit)) + 1;
}
