// The compiled form of a script: its global variables and its routines as statement trees.
//
// The parser builds the trees with names as written; name binding then fills in what each name
// refers to (a global or local slot, a routine, a built-in, an object of the container) and
// refuses what can never work. What remains unknown after binding is a runtime error when, and
// only when, it is reached, as in VBScript.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class BinaryOperator {
    Add,
    Subtract,
    Multiply,
    IntegerDivide,
    Modulo,
    Power,
    Equal,
    NotEqual,
    Less,
    LessOrEqual,
    Greater,
    GreaterOrEqual,
    And,
    Or,
};

// The script-visible state of the performance, reached through the built-ins.
enum class MasterValue { Tempo, Volume, GrooveLevel, Transpose };

enum class Builtin {
    None,
    Trace,
    SetMaster,  // with `master` saying which value
    GetMaster,
    Rand,
};

// What a name refers to, once bound.
enum class Binding {
    Unbound,
    Global,   // `slot` in the script's globals
    Local,    // `slot` in the running routine's locals
    Routine,  // `slot` in the program's routines
    Builtin,  // `builtin` (and `master`)
    Object,   // an object of the container: Play and Stop
    Unknown,  // nothing the script or the engine defines: a runtime error when reached
};

struct NameReference {
    std::u16string name;
    Binding binding = Binding::Unbound;
    int slot = -1;
    Builtin builtin = Builtin::None;
    MasterValue master = MasterValue::Tempo;
};

struct Expression;
using ExpressionPtr = std::unique_ptr<Expression>;

struct Expression {
    enum class Kind {
        Number,
        String,  // only ever the argument of Trace
        Name,    // a variable, or a built-in function called without parentheses
        Call,    // name(arguments): Rand(n), GetMasterTempo()
        Negate,
        Not,
        Binary,
    };
    Kind kind = Kind::Number;
    int line = 0;
    int column = 0;
    int depth = 1;  // levels of the tree from here down, this node included
    int32_t number = 0;
    std::u16string text;  // a String's value
    NameReference name;   // Name and Call
    BinaryOperator op = BinaryOperator::Add;
    std::vector<ExpressionPtr> operands;  // arguments of a Call; one or two for operators
};

struct Statement;
using StatementPtr = std::unique_ptr<Statement>;
using Block = std::vector<StatementPtr>;

struct Branch {
    ExpressionPtr condition;
    Block body;
};

struct Statement {
    enum class Kind {
        Dim,     // a local declaration: nothing happens when it runs
        Assign,  // name = value
        Call,    // a routine or a built-in statement, with its arguments
        Method,  // object.member arguments
        If,
    };
    Kind kind = Kind::Call;
    int line = 0;
    int column = 0;
    NameReference name;  // the target, routine or object; empty for If
    std::u16string member;
    bool memberKnown = false;  // Play or Stop
    ExpressionPtr value;
    std::vector<ExpressionPtr> arguments;
    std::vector<std::u16string> declared;  // Dim
    std::vector<int> declaredColumns;
    std::vector<Branch> branches;  // If and ElseIf, in order
    bool hasElse = false;
    Block elseBody;
};

struct Routine {
    std::u16string name;
    int line = 0;
    int column = 0;
    Block body;
    std::vector<std::u16string> locals;  // filled by binding
};

struct Program {
    std::vector<std::u16string> globals;
    std::vector<int> globalLines;
    std::vector<int> globalColumns;
    std::vector<Routine> routines;
    std::vector<std::u16string> objects;  // the container's aliases
};
