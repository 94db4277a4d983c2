// Labels from names, measured with the widths that harpix-check's layout findings use.
#include "demo_names.h"

#include <algorithm>

#include "ascii_text.h"
#include "window_geometry.h"

namespace {

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Where a word of a run-together name begins, between `before` and `c` (`next` follows c).
bool WordStartsAt(char before, char c, char next) {
    return (IsLower(before) && (IsUpper(c) || IsDigit(c))) || (IsDigit(before) && IsUpper(c)) ||
           (IsUpper(before) && IsUpper(c) && IsLower(next));
}

// A word the name writes in capitals on purpose: two or more, and no small letter ("BPM", "MP3").
bool InCapitals(const std::string& word) {
    return std::none_of(word.begin(), word.end(), IsLower) &&
           std::count_if(word.begin(), word.end(), IsUpper) >= 2;
}

// `text` with the words from the `from`th on (0 the first) in small letters, but those in
// capitals.
std::string Lowered(const std::string& text, size_t from) {
    std::string out;
    size_t word = 0;
    for (size_t start = 0; start <= text.size(); ++word) {
        const size_t end = std::min(text.find(' ', start), text.size());
        std::string part = text.substr(start, end - start);
        if (word >= from && !InCapitals(part)) {
            for (char& c : part) {
                c = FoldAscii(c);
            }
        }
        out += (start == 0 ? "" : " ") + part;
        start = end + 1;
    }
    return out;
}

// Lower case and without underscores: how names are compared here.
std::string Key(const std::string& name) {
    std::string key;
    for (char c : name) {
        if (c != '_') {
            key += FoldAscii(c);
        }
    }
    return key;
}

bool LabelFits(const std::string& label) {
    return label.size() <= kLongestName && EstimatedTextWidth(label) <= LabelWidthOf(label);
}

}  // namespace

int32_t LabelWidthOf(const std::string& label) {
    VariableDef variable{};
    label.copy(variable.Label, std::min(label.size(), sizeof variable.Label - 1));
    DeriveLabelGeometry(variable);
    return variable.LabelWidth;
}

std::string ReadableName(const std::string& name) {
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const bool split =
            c == '_' ||
            (i > 0 && WordStartsAt(name[i - 1], c, i + 1 < name.size() ? name[i + 1] : 0));
        if (split && !out.empty() && out.back() != ' ') {
            out += ' ';
        }
        if (c != '_') {
            out += c;
        }
    }
    if (!out.empty() && out.back() == ' ') {
        out.pop_back();
    }
    if (!out.empty() && IsLower(out[0])) {
        out[0] = static_cast<char>(out[0] - 'a' + 'A');
    }
    return out;
}

std::string ButtonLabel(const std::string& routine) {
    const std::string readable = ReadableName(routine);
    return readable.size() <= kLongestName ? readable : routine;
}

std::string VariableLabel(const std::string& variable) {
    // Room for the colon: a longer name keeps its first words.
    std::string readable = ReadableName(variable).substr(0, kLongestName - 1);
    readable.erase(readable.find_last_not_of(' ') + 1);
    const std::string forms[] = {readable, Lowered(readable, 1), Lowered(readable, 0)};
    for (const std::string& form : forms) {
        if (LabelFits(form + ":")) {
            return form + ":";
        }
    }
    // Names of many capitals, m and w: blanks before the colon make up the difference, and
    // where even that runs past the longest value, fewer letters.
    for (size_t keep = forms[2].size(); keep > 0; --keep) {
        std::string label = forms[2].substr(0, keep);
        while (!label.empty() && label.back() == ' ') {
            label.pop_back();
        }
        while (label.size() + 1 < kLongestName && !LabelFits(label + ":")) {
            label += ' ';
        }
        if (LabelFits(label + ":")) {
            return label + ":";
        }
    }
    return ":";
}

bool IsStartUpRoutineName(const std::string& routine) {
    static const char* const kStartUpNames[] = {"start",      "startup", "init",     "initialize",
                                                "initialise", "main",    "autoexec", "autostart",
                                                "autorun",    "onstart", "onload"};
    const std::string key = Key(routine);
    for (const char* name : kStartUpNames) {
        if (key == name) {
            return true;
        }
    }
    return false;
}

bool IsNotifyRoutineName(const std::string& routine, const std::string& variable) {
    const std::string key = Key(routine);
    const std::string name = Key(variable);
    for (const std::string& form :
         {name + "changed", name + "change", "on" + name + "changed", "on" + name + "change"}) {
        if (key == form) {
            return true;
        }
    }
    return false;
}
