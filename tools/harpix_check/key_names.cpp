// The key names, spelt as the reader matches them, and a small edit distance for misspellings.
#include "key_names.h"

#include <algorithm>
#include <vector>

#include "ascii_text.h"

namespace {

const char* const kTopLevelKeys[] = {"Title",          "WindowWidth",     "WindowHeight",
                                     "ScriptFileName", "AutoExecRoutine", "AudioPathFileName",
                                     "Button",         "Variable",        "TextBox",
                                     "LyricView"};
const char* const kSectionKeywords[] = {"Button", "Variable", "TextBox", "LyricView"};
const char* const kSectionKeys[] = {"Coordx",        "Coordy",         "Width",         "Height",
                                    "Scriptroutine", "Scriptvariable", "NotifyRoutine", "TopLeftX",
                                    "TopLeftY",      "Text",           "EndText"};
const char* const kNumberKeys[] = {"WindowWidth", "WindowHeight", "Coordx",   "Coordy",
                                   "Width",       "Height",       "TopLeftX", "TopLeftY"};

template <size_t N>
bool IsOneOf(const std::string& word, const char* const (&keys)[N]) {
    return std::any_of(std::begin(keys), std::end(keys),
                       [&](const char* key) { return SameKey(word, key); });
}

// Edits between two words, letters folded, a swap of neighbours counting as one.
size_t Distance(const std::string& a, const std::string& b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i) {
        d[i][0] = i;
    }
    for (size_t j = 0; j <= b.size(); ++j) {
        d[0][j] = j;
    }
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t cost = FoldAscii(a[i - 1]) == FoldAscii(b[j - 1]) ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && FoldAscii(a[i - 1]) == FoldAscii(b[j - 2]) &&
                FoldAscii(a[i - 2]) == FoldAscii(b[j - 1])) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

}  // namespace

bool SameKey(const std::string& a, const char* b) {
    return EqualsIgnoringCase(a.c_str(), b);
}

bool IsTopLevelKey(const std::string& word) {
    return IsOneOf(word, kTopLevelKeys);
}

bool IsSectionKeyword(const std::string& word) {
    return IsOneOf(word, kSectionKeywords);
}

bool IsAnySectionKey(const std::string& word) {
    return IsOneOf(word, kSectionKeys);
}

bool IsNumberKey(const std::string& key) {
    return IsOneOf(key, kNumberKeys);
}

std::string NearestKey(const std::string& word) {
    if (word.size() < 4 || IsTopLevelKey(word) || IsAnySectionKey(word)) {
        return {};
    }
    std::string best;
    size_t bestDistance = 3;
    auto consider = [&](const char* key) {
        const std::string k = key;
        const size_t allowed = k.size() <= 6 ? 1 : 2;
        // The distance is at least the difference in length: most words need no more look.
        if ((word.size() > k.size() ? word.size() - k.size() : k.size() - word.size()) > allowed) {
            return;
        }
        const size_t distance = Distance(word, k);
        if (distance <= allowed && distance < bestDistance) {
            best = k;
            bestDistance = distance;
        }
    };
    std::for_each(std::begin(kTopLevelKeys), std::end(kTopLevelKeys), consider);
    std::for_each(std::begin(kSectionKeys), std::end(kSectionKeys), consider);
    return best;
}

const char* SectionName(SectionKind kind) {
    switch (kind) {
        case SectionKind::Button:
            return "Button";
        case SectionKind::Variable:
            return "Variable";
        case SectionKind::TextBox:
            return "TextBox";
        case SectionKind::LyricView:
            return "LyricView";
    }
    return "";
}

int SectionKeyLines(SectionKind kind) {
    switch (kind) {
        case SectionKind::Button:
        case SectionKind::TextBox:
            return 5;
        case SectionKind::Variable:
            return 3;
        case SectionKind::LyricView:
            return 4;
    }
    return 0;
}
