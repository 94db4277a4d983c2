// Helpers of the language tests: a host that records what a script asks of the performance,
// and a way to compile a source and run one routine in a line.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "script_compiler.h"
#include "script_host.h"
#include "script_runtime.h"
#include "script_text.h"

// Records Trace and the master values; Random answers from a list the test gives, and a call
// the test did not arrange for fails it.
class RecordingHost : public ScriptHost {
public:
    void Trace(const std::u16string& text) override { traces.push_back(ToUtf8(text)); }
    void MasterValueChanged(MasterValue which, int32_t value) override {
        masters.push_back({which, value});
    }
    int32_t Random(int32_t limit) override;

    struct MasterChange {
        MasterValue which;
        int32_t value;
        bool operator==(const MasterChange& other) const {
            return which == other.which && value == other.value;
        }
    };
    std::vector<std::string> traces;
    std::vector<MasterChange> masters;
    std::vector<int32_t> randomAnswers;  // used up front to back
    std::vector<int32_t> randomLimits;   // what Random was asked for
};

std::ostream& operator<<(std::ostream& out, const RecordingHost::MasterChange& change);

std::u16string U16(const std::string& utf8);

// A compiled script with its runtime; `compiled` is false (and `error` says why) when the
// source did not compile.
struct TestScript {
    explicit TestScript(const std::string& source, const std::vector<std::string>& objects = {});
    // Runs `routine`; `error` receives a runtime error.
    RunResult Call(const std::string& routine);
    // The global `name`; fails the test when there is none.
    int32_t Global(const std::string& name);

    bool compiled = false;
    ScriptError error;
    RecordingHost host;
    std::unique_ptr<ScriptRuntime> runtime;
};

// "line L, column C: description", the form failures print.
std::string Describe(const ScriptError& error);
