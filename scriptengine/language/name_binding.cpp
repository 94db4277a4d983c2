// BindNames: tables of the script's names, then one walk over every routine.
#include "name_binding.h"

#include <algorithm>
#include <map>
#include <utility>

#include "script_text.h"

namespace {

struct BuiltinName {
    const char* name;
    Builtin builtin;
    MasterValue master;
};

const BuiltinName kBuiltins[] = {
    {"trace", Builtin::Trace, MasterValue::Tempo},
    {"rand", Builtin::Rand, MasterValue::Tempo},
    {"setmastertempo", Builtin::SetMaster, MasterValue::Tempo},
    {"getmastertempo", Builtin::GetMaster, MasterValue::Tempo},
    {"setmastervolume", Builtin::SetMaster, MasterValue::Volume},
    {"getmastervolume", Builtin::GetMaster, MasterValue::Volume},
    {"setmastergroovelevel", Builtin::SetMaster, MasterValue::GrooveLevel},
    {"getmastergroovelevel", Builtin::GetMaster, MasterValue::GrooveLevel},
    {"setmastertranspose", Builtin::SetMaster, MasterValue::Transpose},
    {"getmastertranspose", Builtin::GetMaster, MasterValue::Transpose},
};

class Binder {
public:
    Binder(Program& program, const std::u16string& source, ScriptError& error)
        : program(program), source(source), error(error) {}

    bool Run(const std::vector<std::u16string>& objectAliases) {
        program.objects = objectAliases;
        for (const std::u16string& alias : objectAliases) {
            objects.emplace(NameKey(alias), 0);
        }
        if (!DeclareGlobals()) {
            return false;
        }
        for (Routine& routine : program.routines) {
            if (!BindRoutine(routine)) {
                return false;
            }
        }
        return true;
    }

private:
    bool Fail(int line, int column, const std::string& description) {
        return FailAt(error, source, line, column, description);
    }
    static std::string Quoted(const std::u16string& name) { return "'" + ToUtf8(name) + "'"; }
    bool Redefined(int line, int column, const std::u16string& name) {
        return Fail(line, column, "Name redefined: " + Quoted(name));
    }
    static bool IsBuiltin(const std::u16string& name) {
        MasterValue unused;
        return FindBuiltin(name, unused) != Builtin::None;
    }

    // Globals and routines share one space of names, with the built-ins. Of two clashing
    // definitions the later one in the source is the error.
    bool DeclareGlobals() {
        struct Definition {
            int line;
            int column;
            std::u16string name;
            bool routine;
            int slot;
        };
        std::vector<Definition> definitions;
        for (size_t i = 0; i < program.globals.size(); ++i) {
            definitions.push_back({program.globalLines[i], program.globalColumns[i],
                                   program.globals[i], false, static_cast<int>(i)});
        }
        for (size_t i = 0; i < program.routines.size(); ++i) {
            const Routine& routine = program.routines[i];
            definitions.push_back(
                {routine.line, routine.column, routine.name, true, static_cast<int>(i)});
        }
        std::stable_sort(definitions.begin(), definitions.end(),
                         [](const Definition& a, const Definition& b) {
                             return a.line != b.line ? a.line < b.line : a.column < b.column;
                         });
        for (const Definition& definition : definitions) {
            std::u16string key = NameKey(definition.name);
            if (IsBuiltin(definition.name) || globals.count(key) != 0 || routines.count(key) != 0) {
                return Redefined(definition.line, definition.column, definition.name);
            }
            (definition.routine ? routines : globals).emplace(key, definition.slot);
        }
        return true;
    }

    bool BindRoutine(Routine& routine) {
        locals.clear();
        current = &routine;
        return DeclareLocals(routine.body) && BindBlock(routine.body);
    }

    // Dim inside a routine declares its names for the whole routine, wherever the Dim stands.
    bool DeclareLocals(const Block& block) {
        for (const StatementPtr& statement : block) {
            if (statement->kind == Statement::Kind::Dim) {
                for (size_t i = 0; i < statement->declared.size(); ++i) {
                    const std::u16string& name = statement->declared[i];
                    std::u16string key = NameKey(name);
                    if (locals.count(key) != 0 || routines.count(key) != 0 || IsBuiltin(name)) {
                        return Redefined(statement->line, statement->declaredColumns[i], name);
                    }
                    AddLocal(name);
                }
            }
            for (const Branch& branch : statement->branches) {
                if (!DeclareLocals(branch.body)) {
                    return false;
                }
            }
            if (!DeclareLocals(statement->elseBody)) {
                return false;
            }
        }
        return true;
    }

    int AddLocal(const std::u16string& name) {
        int slot = static_cast<int>(current->locals.size());
        current->locals.push_back(name);
        locals.emplace(NameKey(name), slot);
        return slot;
    }

    // A routine's own view of a name; `createLocal` makes an unknown name a new local.
    void Resolve(NameReference& reference, bool createLocal) {
        std::u16string key = NameKey(reference.name);
        auto found = locals.find(key);
        if (found != locals.end()) {
            reference.binding = Binding::Local;
            reference.slot = found->second;
        } else if ((found = globals.find(key)) != globals.end()) {
            reference.binding = Binding::Global;
            reference.slot = found->second;
        } else if ((found = routines.find(key)) != routines.end()) {
            reference.binding = Binding::Routine;
            reference.slot = found->second;
        } else if ((reference.builtin = FindBuiltin(reference.name, reference.master)) !=
                   Builtin::None) {
            reference.binding = Binding::Builtin;
        } else if (objects.count(key) != 0) {
            reference.binding = Binding::Object;
        } else if (createLocal) {
            reference.binding = Binding::Local;
            reference.slot = AddLocal(reference.name);
        } else {
            reference.binding = Binding::Unknown;
        }
    }

    bool BindBlock(Block& block) {
        for (StatementPtr& statement : block) {
            if (!BindStatement(*statement)) {
                return false;
            }
        }
        return true;
    }

    bool BindArguments(std::vector<ExpressionPtr>& arguments) {
        for (ExpressionPtr& argument : arguments) {
            if (!BindExpression(*argument, false)) {
                return false;
            }
        }
        return true;
    }

    bool WrongArguments(const Statement& statement) {
        return Fail(statement.line, statement.column,
                    "Wrong number of arguments: " + Quoted(statement.name.name));
    }

    bool BindStatement(Statement& statement) {
        switch (statement.kind) {
            case Statement::Kind::Dim:
                return true;
            case Statement::Kind::Assign:
                Resolve(statement.name, true);
                if (statement.name.binding != Binding::Local &&
                    statement.name.binding != Binding::Global) {
                    return Fail(statement.line, statement.column,
                                "Illegal assignment: " + Quoted(statement.name.name));
                }
                return BindExpression(*statement.value, false);
            case Statement::Kind::Call:
                return BindCall(statement);
            case Statement::Kind::Method:
                statement.name.binding = objects.count(NameKey(statement.name.name)) != 0
                                             ? Binding::Object
                                             : Binding::Unknown;
                statement.memberKnown =
                    IsWord(statement.member, "play") || IsWord(statement.member, "stop");
                return BindArguments(statement.arguments);
            case Statement::Kind::If:
                for (Branch& branch : statement.branches) {
                    if (!BindExpression(*branch.condition, false) || !BindBlock(branch.body)) {
                        return false;
                    }
                }
                return BindBlock(statement.elseBody);
        }
        return true;
    }

    bool BindCall(Statement& statement) {
        Resolve(statement.name, false);
        const NameReference& name = statement.name;
        if (name.binding == Binding::Routine) {
            return statement.arguments.empty() ? true : WrongArguments(statement);
        }
        if (name.binding != Binding::Builtin) {
            // Variables, objects and unknown names cannot be called: found out when reached.
            statement.name.binding = Binding::Unknown;
            return BindArguments(statement.arguments);
        }
        switch (name.builtin) {
            case Builtin::Trace:
                if (statement.arguments.size() != 1) {
                    return WrongArguments(statement);
                }
                return BindExpression(*statement.arguments[0], true);
            case Builtin::SetMaster:
                if (statement.arguments.size() != 1) {
                    return WrongArguments(statement);
                }
                return BindExpression(*statement.arguments[0], false);
            default:
                return Fail(statement.line, statement.column,
                            Quoted(name.name) + " gives a value: use it in an expression");
        }
    }

    bool BindExpression(Expression& expression, bool stringAllowed) {
        switch (expression.kind) {
            case Expression::Kind::Number:
                return true;
            case Expression::Kind::String:
                return stringAllowed ? true
                                     : Fail(expression.line, expression.column,
                                            "A string can only be given to Trace");
            case Expression::Kind::Name:
                Resolve(expression.name, true);
                return CheckValue(expression, 0);
            case Expression::Kind::Call:
                Resolve(expression.name, false);
                if (expression.name.binding == Binding::Routine ||
                    expression.name.binding == Binding::Builtin) {
                    if (!CheckValue(expression, expression.operands.size())) {
                        return false;
                    }
                } else {
                    expression.name.binding = Binding::Unknown;
                }
                return BindArguments(expression.operands);
            default:
                for (ExpressionPtr& operand : expression.operands) {
                    if (!BindExpression(*operand, false)) {
                        return false;
                    }
                }
                return true;
        }
    }

    // A name used for its value, with `count` arguments.
    bool CheckValue(const Expression& expression, size_t count) {
        const NameReference& name = expression.name;
        switch (name.binding) {
            case Binding::Routine:
                return Fail(expression.line, expression.column,
                            Quoted(name.name) + " is a routine and gives no value");
            case Binding::Object:
                return Fail(expression.line, expression.column,
                            Quoted(name.name) + " is an object, not a number");
            case Binding::Builtin:
                if (name.builtin == Builtin::GetMaster && count == 0) {
                    return true;
                }
                if (name.builtin == Builtin::Rand) {
                    return count == 1 ? true
                                      : Fail(expression.line, expression.column,
                                             "Wrong number of arguments: " + Quoted(name.name));
                }
                if (name.builtin == Builtin::GetMaster) {
                    return Fail(expression.line, expression.column,
                                "Wrong number of arguments: " + Quoted(name.name));
                }
                return Fail(expression.line, expression.column,
                            Quoted(name.name) + " gives no value");
            default:
                return true;
        }
    }

    Program& program;
    const std::u16string& source;
    ScriptError& error;
    std::map<std::u16string, int> globals;
    std::map<std::u16string, int> routines;
    std::map<std::u16string, int> objects;
    std::map<std::u16string, int> locals;
    Routine* current = nullptr;
};

}  // namespace

Builtin FindBuiltin(const std::u16string& name, MasterValue& master) {
    for (const BuiltinName& builtin : kBuiltins) {
        if (IsWord(name, builtin.name)) {
            master = builtin.master;
            return builtin.builtin;
        }
    }
    return Builtin::None;
}

bool BindNames(Program& program, const std::vector<std::u16string>& objectAliases,
               const std::u16string& source, ScriptError& error) {
    return Binder(program, source, error).Run(objectAliases);
}
