// The key names, spelt as the reader matches them, and a small edit distance for misspellings.
#include "key_names.h"

#include <algorithm>
#include <vector>

#include "ascii_text.h"
#include "description_reader.h"
#include "section_readers.h"

namespace {

constexpr SectionKind kSections[] = {SectionKind::Button, SectionKind::Variable,
                                     SectionKind::TextBox, SectionKind::LyricView};

// Calls `visit` with every key of the readers' tables, the top-level ones first, then the
// line that ends a text.
template <typename Visit>
void ForEachKey(Visit visit) {
    for (int i = 0; TopLevelKeyAt(i).key != nullptr; ++i) {
        visit(TopLevelKeyAt(i));
    }
    for (SectionKind kind : kSections) {
        for (int i = 0; SectionKeyAt(kind, i).key != nullptr; ++i) {
            visit(SectionKeyAt(kind, i));
        }
    }
    visit(KeyName{kEndTextLine, false});
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
    for (int i = 0; TopLevelKeyAt(i).key != nullptr; ++i) {
        if (SameKey(word, TopLevelKeyAt(i).key)) {
            return true;
        }
    }
    return false;
}

bool IsSectionKeyword(const std::string& word) {
    return std::any_of(std::begin(kSections), std::end(kSections),
                       [&](SectionKind kind) { return SameKey(word, SectionKeyword(kind)); });
}

bool IsAnySectionKey(const std::string& word) {
    bool found = SameKey(word, kEndTextLine);
    for (SectionKind kind : kSections) {
        for (int i = 0; SectionKeyAt(kind, i).key != nullptr; ++i) {
            found = found || SameKey(word, SectionKeyAt(kind, i).key);
        }
    }
    return found;
}

bool IsNumberKey(const std::string& key) {
    bool found = false;
    ForEachKey([&](KeyName name) { found = found || (name.number && SameKey(key, name.key)); });
    return found;
}

std::string NearestKey(const std::string& word) {
    if (word.size() < 4 || IsTopLevelKey(word) || IsAnySectionKey(word)) {
        return {};
    }
    std::string best;
    size_t bestDistance = 3;
    ForEachKey([&](KeyName name) {
        const std::string k = name.key;
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
    });
    return best;
}
