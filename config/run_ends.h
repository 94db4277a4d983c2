// Where the runs of descriptionText may end, for the word and line readers.
//
// Each reader's end must be found before the next reader can start, so the time to find it is
// the reading's time. Finding it in these tables, which are filled in one pass over the text
// before the reading starts, takes a fraction of what scanning the characters took.
#pragma once

#include <cstdint>

#include "description_text.h"

constexpr int32_t kRunEndWords = (kDescriptionTextLimit + 1 + 63) / 64;

// Bit i of word i / 64 is set where descriptionText[i] ends a line: a line feed or the zero
// byte. In wordEnds, a space also ends a word. Every bit past the first zero byte is set, and so
// is the bit of the limit position that MarkRunEnds is given: a run that ends there has reached
// it.
struct RunEnds {
    uint64_t lineEnds[kRunEndWords];
    uint64_t wordEnds[kRunEndWords];
};
extern RunEnds runEnds;

// Fills runEnds from descriptionText as it is now, every run also ending at `limit`.
void MarkRunEnds(int32_t limit);

// The first index from `from` up to `stop` whose character ends the run (a line feed or the
// zero byte, or for a word a space too), or `stop`. `from` lies at or before the text's zero
// byte, which always ends the search.
template <bool kSpaceEnds>
int32_t EndOfRun(int32_t from, int32_t stop) {
    const uint64_t* const ends = kSpaceEnds ? runEnds.wordEnds : runEnds.lineEnds;
    // Positions are never negative: unsigned, the division is a shift.
    uint32_t word = static_cast<uint32_t>(from) / 64;
    uint64_t bits = ends[word] >> (static_cast<uint32_t>(from) % 64);
    int32_t base = from;
    while (bits == 0) {
        ++word;
        base = static_cast<int32_t>(word * 64);
        if (base >= stop) {
            return stop;
        }
        bits = ends[word];
    }
    const int32_t at = base + __builtin_ctzll(bits);
    return at < stop ? at : stop;
}
