// Reading a script's names: compiled when the language allows, else from its declaration lines.
#include "script_names.h"

#include <cstdint>

#include "ascii_text.h"
#include "script_compiler.h"
#include "script_file.h"
#include "script_text.h"

namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsNameCharacter(char c) {
    return IsLetter(c) || (c >= '0' && c <= '9') || c == '_';
}

bool IsName(const std::string& word) {
    return !word.empty() && IsLetter(word[0]);
}

// The line up to its comment: an apostrophe outside a string literal starts one. A doubled quote
// inside a literal toggles twice and so changes nothing.
std::string WithoutComment(const std::string& line) {
    bool inString = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            inString = !inString;
        } else if (line[i] == '\'' && !inString) {
            return line.substr(0, i);
        }
    }
    return line;
}

// Names and single other characters; blanks only separate.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == ' ' || text[i] == '\t' || text[i] == '\r') {
            ++i;
            continue;
        }
        size_t end = i + 1;
        if (IsNameCharacter(text[i])) {
            while (end < text.size() && IsNameCharacter(text[end])) {
                ++end;
            }
        }
        words.push_back(text.substr(i, end - i));
        i = end;
    }
    return words;
}

bool Is(const std::vector<std::string>& words, size_t i, const char* word) {
    return i < words.size() && EqualsIgnoringCase(words[i].c_str(), word);
}

class DeclarationScan {
public:
    explicit DeclarationScan(ScriptNames& names) : names_(names) {}

    void Line(int number, const std::string& text) {
        number_ = number;
        text_ = text;
        const std::vector<std::string> line = Words(WithoutComment(text));
        // Visibility words are VBScript's; the names after them are what matters here.
        const size_t first = (Is(line, 0, "Public") || Is(line, 0, "Private")) ? 1 : 0;
        if (line.size() <= first || Is(line, 0, "Rem")) {
            return;
        }
        if (Is(line, first, "End") &&
            (Is(line, first + 1, "Sub") || Is(line, first + 1, "Function"))) {
            inRoutine_ = false;
        } else if (Is(line, first, "Sub")) {
            inRoutine_ = true;
            const bool named = first + 1 < line.size() && IsName(line[first + 1]) &&
                               (line.size() == first + 2 || line[first + 2] == "(");
            if (named) {
                Add(names_.routines, line[first + 1]);
            } else {
                Unread();
            }
        } else if (Is(line, first, "Function")) {
            // A function returns a value and cannot be run as a routine by Harpix.
            inRoutine_ = true;
            Unread();
        } else if (Is(line, first, "Dim") && !inRoutine_) {
            Dims(line, first + 1);
        }
    }

private:
    void Dims(const std::vector<std::string>& line, size_t at) {
        bool expectName = true;
        for (; at < line.size(); ++at, expectName = !expectName) {
            if (expectName ? !IsName(line[at]) : line[at] != ",") {
                Unread();
                return;
            }
            if (expectName) {
                Add(names_.variables, line[at]);
            }
        }
        if (expectName) {  // nothing after Dim, or after its last comma
            Unread();
        }
    }

    void Add(std::vector<std::string>& list, const std::string& name) {
        for (const std::vector<std::string>* known : {&names_.routines, &names_.variables}) {
            for (const std::string& other : *known) {
                if (EqualsIgnoringCase(other.c_str(), name.c_str())) {
                    return;
                }
            }
        }
        list.push_back(name);
    }

    // The line as written, for the author to find it, without the blanks at its end.
    void Unread() {
        const size_t end = text_.find_last_not_of(" \t\r");
        names_.unread.push_back({number_, text_.substr(0, end == std::string::npos ? 0 : end + 1)});
    }

    ScriptNames& names_;
    bool inRoutine_ = false;
    int number_ = 0;
    std::string text_;
};

}  // namespace

void ScanDeclarations(const std::string& source, ScriptNames& names) {
    DeclarationScan scan(names);
    int number = 1;
    for (size_t start = 0; start <= source.size(); ++number) {
        size_t end = source.find('\n', start);
        end = end == std::string::npos ? source.size() : end;
        scan.Line(number, source.substr(start, end - start));
        start = end + 1;
    }
}

ScriptNamesFault ReadScriptNames(const std::string& bytes, ScriptNames& names, std::string& why) {
    ScriptFile file;
    const ScriptFileFault fault =
        ReadScriptFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), file);
    if (fault == ScriptFileFault::SourceByReference || fault == ScriptFileFault::NoSource) {
        return ScriptNamesFault::NoSource;
    }
    if (fault != ScriptFileFault::None) {
        why = DescribeScriptFileFault(fault);
        return ScriptNamesFault::NotAScript;
    }
    names.name = ToUtf8(file.name);
    Program program;
    ScriptError error;
    names.compiled = CompileScriptFile(file, program, error);
    if (!names.compiled) {
        names.errorLine = error.line;
        names.errorColumn = error.column + 1;
        names.error = error.description;
        ScanDeclarations(ToUtf8(file.source), names);
        return ScriptNamesFault::None;
    }
    for (const Routine& routine : program.routines) {
        names.routines.push_back(ToUtf8(routine.name));
    }
    for (const std::u16string& global : program.globals) {
        names.variables.push_back(ToUtf8(global));
    }
    return ScriptNamesFault::None;
}
