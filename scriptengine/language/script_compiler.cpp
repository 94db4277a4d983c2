// CompileScript: the three passes in order, stopping at the first error.
#include "script_compiler.h"

#include "lexer.h"
#include "name_binding.h"
#include "parser.h"
#include "script_text.h"

bool CompileScript(const std::u16string& source, const std::vector<std::u16string>& objectAliases,
                   Program& program, ScriptError& error) {
    std::vector<Token> tokens;
    return Tokenize(source, tokens, error) && ParseScript(tokens, source, program, error) &&
           BindNames(program, objectAliases, source, error);
}

bool CompileScriptFile(const ScriptFile& file, Program& program, ScriptError& error) {
    std::vector<std::u16string> aliases;
    for (const ContainedObject& object : file.objects) {
        aliases.push_back(object.alias);
    }
    return CompileScript(file.source, aliases, program, error);
}

bool ScriptLanguageSupported(const std::u16string& language) {
    return language.empty() || IsWord(language, "AudioVBScript") || IsWord(language, "VBScript");
}
