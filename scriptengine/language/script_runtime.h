// Running a compiled script: its global variables, the master values it has set, and calls of
// its routines from outside.
//
// All values are 32-bit integers. Arithmetic that leaves that range, division by zero, a call of
// something that is not a routine, a method other than Play or Stop on an object, Rand or a
// master value given a number out of its range, routines calling each other more than
// kMaxCallDepth deep, and a call that takes more than kMaxSteps steps are runtime errors: the
// routine stops where the error is, and what it did before stays done. The master values start as
// the performance's defaults (tempo 100 percent, the others 0) and are held here; Get returns what
// Set stored.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "script_error.h"
#include "script_host.h"
#include "syntax_tree.h"

// The language has no loops; recursion is the one way a script could call without end.
constexpr int kMaxCallDepth = 64;
// Without loops, work still multiplies: 40 routines that each call the next one twice make 2^40
// calls from a script of a few lines, which would hang the program's window for ever. So a call
// from outside, with everything it calls, runs at most this many statements and expressions;
// a real demo's routine takes a few hundred.
constexpr int64_t kMaxSteps = 100000;

// The allowed range of each master value.
constexpr int32_t kMinMasterTempo = 1;
constexpr int32_t kMaxMasterTempo = 10000;
constexpr int32_t kMinGrooveLevel = -128;
constexpr int32_t kMaxGrooveLevel = 127;

enum class RunResult { Ok, RoutineNotFound, RuntimeError };

class ScriptRuntime {
public:
    // `source` gives runtime errors the text of their line.
    ScriptRuntime(Program program, std::u16string source);

    RunResult CallRoutine(const std::u16string& name, ScriptHost& host, ScriptError& error);
    // Only the global Dims are variables here; false when there is none of that name.
    bool SetVariable(const std::u16string& name, int32_t value);
    bool GetVariable(const std::u16string& name, int32_t& value) const;
    int32_t Master(MasterValue which) const { return master[static_cast<int>(which)]; }

    // The names of routines and variables by index, in the order of the source; false past
    // the last.
    bool RoutineName(size_t index, std::u16string& name) const;
    bool VariableName(size_t index, std::u16string& name) const;

    ScriptRuntime(const ScriptRuntime&) = delete;
    ScriptRuntime& operator=(const ScriptRuntime&) = delete;

private:
    struct Frame;
    int FindGlobal(const std::u16string& name) const;
    bool RunRoutine(int index, int line, int column);
    bool RunBlock(const Block& block, Frame& frame);
    bool RunStatement(const Statement& statement, Frame& frame);
    bool RunCall(const Statement& statement, Frame& frame);
    bool SetMaster(MasterValue which, int32_t value, const Statement& statement);
    bool Evaluate(const Expression& expression, Frame& frame, int32_t& value);
    bool EvaluateCall(const Expression& expression, Frame& frame, int32_t& value);
    bool Fail(int line, int column, const std::string& description);
    // Counts one statement or expression of the running call against kMaxSteps.
    bool Step(int line, int column);

    Program program;
    std::u16string source;
    std::vector<int32_t> globals;
    int32_t master[4];
    // Set for the length of one CallRoutine.
    ScriptHost* host = nullptr;
    ScriptError* error = nullptr;
    int depth = 0;
    int64_t steps = 0;
};
