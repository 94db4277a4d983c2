// ScriptRuntime: a tree-walking interpreter over the bound program.
#include "script_runtime.h"

#include <string>
#include <utility>

#include "arithmetic.h"
#include "script_text.h"

struct ScriptRuntime::Frame {
    std::vector<int32_t> locals;
};

namespace {

std::string Quoted(const std::u16string& name) {
    return "'" + ToUtf8(name) + "'";
}

std::u16string Decimal(int32_t value) {
    return FromAscii(std::to_string(value).c_str());
}

}  // namespace

ScriptRuntime::ScriptRuntime(Program program, std::u16string source)
    : program(std::move(program)), source(std::move(source)) {
    globals.assign(this->program.globals.size(), 0);
    master[static_cast<int>(MasterValue::Tempo)] = 100;
    master[static_cast<int>(MasterValue::Volume)] = 0;
    master[static_cast<int>(MasterValue::GrooveLevel)] = 0;
    master[static_cast<int>(MasterValue::Transpose)] = 0;
}

RunResult ScriptRuntime::CallRoutine(const std::u16string& name, ScriptHost& host,
                                     ScriptError& error) {
    int index = -1;
    for (size_t i = 0; i < program.routines.size(); ++i) {
        if (SameName(program.routines[i].name, name)) {
            index = static_cast<int>(i);
            break;
        }
    }
    if (index < 0) {
        return RunResult::RoutineNotFound;
    }
    // Saved and restored, in case a host call ever leads back into this script.
    ScriptHost* outerHost = this->host;
    ScriptError* outerError = this->error;
    int outerDepth = depth;
    int64_t outerSteps = steps;
    this->host = &host;
    this->error = &error;
    depth = 0;
    steps = 0;
    const Routine& routine = program.routines[index];
    bool ran = RunRoutine(index, routine.line, 0);
    this->host = outerHost;
    this->error = outerError;
    depth = outerDepth;
    steps = outerSteps;
    return ran ? RunResult::Ok : RunResult::RuntimeError;
}

int ScriptRuntime::FindGlobal(const std::u16string& name) const {
    for (size_t i = 0; i < program.globals.size(); ++i) {
        if (SameName(program.globals[i], name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool ScriptRuntime::SetVariable(const std::u16string& name, int32_t value) {
    int slot = FindGlobal(name);
    if (slot < 0) {
        return false;
    }
    globals[slot] = value;
    return true;
}

bool ScriptRuntime::GetVariable(const std::u16string& name, int32_t& value) const {
    int slot = FindGlobal(name);
    if (slot < 0) {
        return false;
    }
    value = globals[slot];
    return true;
}

bool ScriptRuntime::RoutineName(size_t index, std::u16string& name) const {
    if (index >= program.routines.size()) {
        return false;
    }
    name = program.routines[index].name;
    return true;
}

bool ScriptRuntime::VariableName(size_t index, std::u16string& name) const {
    if (index >= program.globals.size()) {
        return false;
    }
    name = program.globals[index];
    return true;
}

bool ScriptRuntime::Fail(int line, int column, const std::string& description) {
    return FailAt(*error, source, line, column, description);
}

bool ScriptRuntime::Step(int line, int column) {
    if (++steps > kMaxSteps) {
        return Fail(line, column,
                    "Out of time: a routine, with the routines it calls, may take at most " +
                        std::to_string(kMaxSteps) + " steps");
    }
    return true;
}

bool ScriptRuntime::RunRoutine(int index, int line, int column) {
    if (depth >= kMaxCallDepth) {
        return Fail(line, column,
                    "Out of stack space: routines call each other more than " +
                        std::to_string(kMaxCallDepth) + " deep");
    }
    const Routine& routine = program.routines[index];
    // Every call has fresh locals, all 0; they end with it.
    Frame frame;
    frame.locals.assign(routine.locals.size(), 0);
    ++depth;
    bool ran = RunBlock(routine.body, frame);
    --depth;
    return ran;
}

bool ScriptRuntime::RunBlock(const Block& block, Frame& frame) {
    for (const StatementPtr& statement : block) {
        if (!RunStatement(*statement, frame)) {
            return false;
        }
    }
    return true;
}

bool ScriptRuntime::RunStatement(const Statement& statement, Frame& frame) {
    if (!Step(statement.line, statement.column)) {
        return false;
    }
    switch (statement.kind) {
        case Statement::Kind::Dim:
            return true;
        case Statement::Kind::Assign: {
            int32_t value;
            if (!Evaluate(*statement.value, frame, value)) {
                return false;
            }
            if (statement.name.binding == Binding::Global) {
                globals[statement.name.slot] = value;
            } else {
                frame.locals[statement.name.slot] = value;
            }
            return true;
        }
        case Statement::Kind::Call:
            return RunCall(statement, frame);
        case Statement::Kind::Method:
            if (statement.name.binding != Binding::Object) {
                return Fail(statement.line, statement.column,
                            "Object required: " + Quoted(statement.name.name));
            }
            if (!statement.memberKnown) {
                return Fail(statement.line, statement.column,
                            "Object doesn't support this property or method: " +
                                Quoted(statement.name.name + u"." + statement.member));
            }
            // Play and Stop are accepted and do nothing: there is no sound to make. Their
            // arguments are still worked out, so that a fault in them shows.
            for (const ExpressionPtr& argument : statement.arguments) {
                int32_t ignored;
                if (!Evaluate(*argument, frame, ignored)) {
                    return false;
                }
            }
            return true;
        case Statement::Kind::If:
            for (const Branch& branch : statement.branches) {
                int32_t condition;
                if (!Evaluate(*branch.condition, frame, condition)) {
                    return false;
                }
                if (condition != 0) {
                    return RunBlock(branch.body, frame);
                }
            }
            return statement.hasElse ? RunBlock(statement.elseBody, frame) : true;
    }
    return true;
}

bool ScriptRuntime::RunCall(const Statement& statement, Frame& frame) {
    const NameReference& name = statement.name;
    if (name.binding == Binding::Routine) {
        return RunRoutine(name.slot, statement.line, statement.column);
    }
    if (name.binding != Binding::Builtin) {
        return Fail(statement.line, statement.column,
                    "Type mismatch: " + Quoted(name.name) + " is not a routine");
    }
    const Expression& argument = *statement.arguments[0];
    if (name.builtin == Builtin::Trace && argument.kind == Expression::Kind::String) {
        host->Trace(argument.text);
        return true;
    }
    int32_t value;
    if (!Evaluate(argument, frame, value)) {
        return false;
    }
    if (name.builtin == Builtin::Trace) {
        host->Trace(Decimal(value));
        return true;
    }
    return SetMaster(name.master, value, statement);
}

bool ScriptRuntime::SetMaster(MasterValue which, int32_t value, const Statement& statement) {
    bool valid = true;
    if (which == MasterValue::Tempo) {
        valid = value >= kMinMasterTempo && value <= kMaxMasterTempo;
    } else if (which == MasterValue::GrooveLevel) {
        valid = value >= kMinGrooveLevel && value <= kMaxGrooveLevel;
    }
    if (!valid) {
        return Fail(statement.line, statement.column,
                    "Invalid procedure call or argument: " + Quoted(statement.name.name) +
                        " cannot take " + std::to_string(value));
    }
    master[static_cast<int>(which)] = value;
    host->MasterValueChanged(which, value);
    return true;
}

bool ScriptRuntime::Evaluate(const Expression& expression, Frame& frame, int32_t& value) {
    if (!Step(expression.line, expression.column)) {
        return false;
    }
    switch (expression.kind) {
        case Expression::Kind::Number:
            value = expression.number;
            return true;
        case Expression::Kind::String:
            // Binding lets strings through only as Trace's argument, which never comes here.
            return Fail(expression.line, expression.column, "Type mismatch: a string");
        case Expression::Kind::Name:
            if (expression.name.binding == Binding::Builtin) {
                value = Master(expression.name.master);
            } else if (expression.name.binding == Binding::Global) {
                value = globals[expression.name.slot];
            } else {
                value = frame.locals[expression.name.slot];
            }
            return true;
        case Expression::Kind::Call:
            return EvaluateCall(expression, frame, value);
        case Expression::Kind::Negate: {
            int32_t operand;
            if (!Evaluate(*expression.operands[0], frame, operand)) {
                return false;
            }
            if (operand == INT32_MIN) {
                return Fail(expression.line, expression.column, "Overflow");
            }
            value = -operand;
            return true;
        }
        case Expression::Kind::Not: {
            int32_t operand;
            if (!Evaluate(*expression.operands[0], frame, operand)) {
                return false;
            }
            value = ~operand;
            return true;
        }
        case Expression::Kind::Binary: {
            // Both sides are always worked out, as VBScript does: And and Or do not short-cut.
            int32_t left;
            int32_t right;
            if (!Evaluate(*expression.operands[0], frame, left) ||
                !Evaluate(*expression.operands[1], frame, right)) {
                return false;
            }
            ArithmeticResult applied = Apply(expression.op, left, right, value);
            if (applied != ArithmeticResult::Ok) {
                return Fail(
                    expression.line, expression.column,
                    applied == ArithmeticResult::Overflow ? "Overflow" : "Division by zero");
            }
            return true;
        }
    }
    return true;
}

bool ScriptRuntime::EvaluateCall(const Expression& expression, Frame& frame, int32_t& value) {
    const NameReference& name = expression.name;
    if (name.binding != Binding::Builtin) {
        return Fail(expression.line, expression.column,
                    "Type mismatch: " + Quoted(name.name) + " is not a function");
    }
    if (name.builtin == Builtin::GetMaster) {
        value = Master(name.master);
        return true;
    }
    int32_t limit;
    if (!Evaluate(*expression.operands[0], frame, limit)) {
        return false;
    }
    if (limit < 1) {
        return Fail(expression.line, expression.column,
                    "Invalid procedure call or argument: " + Quoted(name.name) + " cannot take " +
                        std::to_string(limit));
    }
    int32_t drawn = host->Random(limit);
    value = drawn < 1 ? 1 : drawn > limit ? limit : drawn;
    return true;
}
