// The checks of one value against what its author most likely meant.
#include "value_traps.h"

#include "ascii_text.h"
#include "description_text.h"
#include "key_names.h"
#include "quoted_text.h"
#include "section_readers.h"

namespace {

std::string Trimmed(const std::string& text) {
    std::string out = WithoutLeadingBlanks(text);
    while (!out.empty() && IsBlank(out.back())) {
        out.pop_back();
    }
    return out;
}

std::string FirstWord(const std::string& text) {
    return text.substr(0, text.find_first_of(" \n"));
}

// True when the number reads as the author wrote it: blanks, an optional sign, digits, blanks.
bool IsPlainNumber(const std::string& value) {
    std::string text = Trimmed(value);
    size_t i = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
    if (i == text.size()) {
        return false;
    }
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string WithoutLeadingBlanks(const std::string& text) {
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) {
        ++start;
    }
    return text.substr(start);
}

std::string ValueTrap(const std::string& key, const ReadEvent& e, bool& swallowedKey) {
    if (SameKey(key, "Text")) {
        const bool blanks = Trimmed(e.text) != e.text && SameKey(Trimmed(e.text), kEndTextLine);
        return blanks ? "blanks around 'EndText' make it a line of the text: the text runs on" : "";
    }
    const std::string owner = IsSectionKeyword(key) ? key + "'s label" : Quoted(key);
    if (e.from > 0 && descriptionText[e.from - 1] == '\n') {
        std::string text = Quoted(key) +
                           " is alone on its line: its value is the whole "
                           "next line, " +
                           Quoted(e.text);
        if (IsTopLevelKey(FirstWord(e.text)) || IsAnySectionKey(FirstWord(e.text))) {
            text += ", whose key " + Quoted(FirstWord(e.text)) + " is lost";
            swallowedKey = IsSectionKeyword(FirstWord(e.text));
        }
        return text;
    }
    if (e.text.find('\n') != std::string::npos) {
        return "only a blank follows " + Quoted(key) +
               " on its line: its value runs on over the line break, " + Quoted(e.text);
    }
    if (IsNumberKey(key)) {
        return IsPlainNumber(e.text) ? ""
                                     : "the value of " + Quoted(key) + ", " + Quoted(e.text) +
                                           ", is not a plain number: read as " +
                                           std::to_string(ParseNumber(e.text.c_str()));
    }
    if (!e.text.empty() && e.text.back() == '\r') {
        return "the value of " + owner + " ends with a carriage return (its line ends CR CR LF) " +
               "that becomes part of it: " + Quoted(e.text);
    }
    if (!e.text.empty() && (IsBlank(e.text.front()) || IsBlank(e.text.back()))) {
        return "the value of " + owner + " has blanks at its " +
               (IsBlank(e.text.front()) ? "start" : "end") +
               " that become part of it: " + Quoted(e.text);
    }
    return "";
}
