// The key names, spelt as the reader matches them, and a small edit distance for misspellings.
#include "key_names.h"

#include <algorithm>
#include <vector>

#include "ascii_text.h"
#include "description_reader.h"
#include "section_readers.h"

namespace {

// Whether `match` holds for a key of the readers' tables: the top-level ones, the sections'
// (with the line that ends a text), or both.
enum Tables { kTopLevel = 1, kOfSections = 2, kAll = 3 };

template <typename Match>
bool AnyKey(int tables, Match match) {
    bool found = false;
    for (int i = 0; (tables & kTopLevel) != 0 && TopLevelKeyAt(i).key != nullptr; ++i) {
        found = found || match(TopLevelKeyAt(i));
    }
    for (const SectionKeys& section : kSectionKeys) {
        for (const KeyName* key = section.keys; (tables & kOfSections) != 0 && key->key; ++key) {
            found = found || match(*key);
        }
    }
    return found || ((tables & kOfSections) != 0 && match(KeyName{kEndTextLine, false}));
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
    return AnyKey(kTopLevel, [&](KeyName key) { return SameKey(word, key.key); });
}

bool IsSectionKeyword(const std::string& word) {
    return std::any_of(std::begin(kSectionKeys), std::end(kSectionKeys),
                       [&](const SectionKeys& section) { return SameKey(word, section.keyword); });
}

bool IsAnySectionKey(const std::string& word) {
    return AnyKey(kOfSections, [&](KeyName key) { return SameKey(word, key.key); });
}

bool IsNumberKey(const std::string& word) {
    return AnyKey(kAll, [&](KeyName key) { return key.number && SameKey(word, key.key); });
}

std::string NearestKey(const std::string& word) {
    if (word.size() < 4 || IsTopLevelKey(word) || IsAnySectionKey(word)) {
        return {};
    }
    std::string best;
    size_t bestDistance = 3;
    AnyKey(kAll, [&](KeyName key) {
        const std::string k = key.key;
        const size_t allowed = k.size() <= 6 ? 1 : 2;
        // The distance is at least the difference in length: most words need no more look.
        if ((word.size() > k.size() ? word.size() - k.size() : k.size() - word.size()) > allowed) {
            return false;
        }
        const size_t distance = Distance(word, k);
        if (distance <= allowed && distance < bestDistance) {
            best = k;
            bestDistance = distance;
        }
        return false;
    });
    return best;
}
