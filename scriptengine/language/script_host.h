// What a running script asks of the world around it: the calls through which Trace, the master
// values and Rand reach the performance. The engine's COM object implements it; tests fake it.
#pragma once

#include <cstdint>
#include <string>

#include "syntax_tree.h"

class ScriptHost {
public:
    virtual ~ScriptHost() = default;
    // Trace's text, as the script gave it (a number argument arrives in decimal).
    virtual void Trace(const std::u16string& text) = 0;
    // A master value has been set (already checked against its range).
    virtual void MasterValueChanged(MasterValue which, int32_t value) = 0;
    // A number from 1 to `limit` (at least 1), for Rand.
    virtual int32_t Random(int32_t limit) = 0;
};
