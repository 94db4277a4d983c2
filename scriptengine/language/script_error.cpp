// FailAt, for the lexer, the parser, name binding and the runtime alike.
#include "script_error.h"

#include "lexer.h"

bool FailAt(ScriptError& error, const std::u16string& source, int line, int column,
            const std::string& description) {
    error.line = line;
    error.column = column;
    error.description = description;
    error.lineText = SourceLine(source, line);
    return false;
}
