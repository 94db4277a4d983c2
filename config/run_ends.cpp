// Filling the run-end tables in one pass over the text, 16 characters at a time with SSE2.
#include "run_ends.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

RunEnds runEnds;

namespace {

// The two masks of one block of 64 characters; false once the block holds the zero byte.
bool MarkBlock(const char* text, uint64_t& lineEnds, uint64_t& wordEnds) {
    uint64_t lines = 0;
    uint64_t spaces = 0;
#if defined(__SSE2__)
    const __m128i lineFeed = _mm_set1_epi8('\n');
    const __m128i space = _mm_set1_epi8(' ');
    const __m128i zero = _mm_setzero_si128();
    uint64_t zeros = 0;
    for (int part = 0; part < 4; ++part) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + 16 * part));
        const auto shift = 16 * part;
        const auto z = static_cast<uint64_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, zero)));
        zeros |= z << shift;
        lines |= static_cast<uint64_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lineFeed))) << shift;
        spaces |= static_cast<uint64_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, space))) << shift;
    }
#else
    uint64_t zeros = 0;
    for (int i = 0; i < 64; ++i) {
        zeros |= static_cast<uint64_t>(text[i] == '\0') << i;
        lines |= static_cast<uint64_t>(text[i] == '\n') << i;
        spaces |= static_cast<uint64_t>(text[i] == ' ') << i;
    }
#endif
    if (zeros != 0) {
        // Everything from the first zero byte on ends every run.
        const uint64_t fromZero = ~uint64_t{0} << __builtin_ctzll(zeros);
        lines |= fromZero;
        spaces |= fromZero;
    }
    lineEnds = lines | zeros;
    wordEnds = lines | zeros | spaces;
    return zeros == 0;
}

}  // namespace

void MarkRunEnds(int32_t limit) {
    int32_t word = 0;
    bool more = true;
    // Whole blocks while they lie inside the text; the zero byte at its end stops the pass.
    for (; more && (word + 1) * 64 <= kDescriptionTextLimit + 1; ++word) {
        more =
            MarkBlock(descriptionText + 64 * word, runEnds.lineEnds[word], runEnds.wordEnds[word]);
    }
    if (more && word < kRunEndWords) {
        char last[64];
        const int32_t count = kDescriptionTextLimit + 1 - 64 * word;
        for (int32_t i = 0; i < 64; ++i) {
            last[i] = i < count ? descriptionText[64 * word + i] : '\0';
        }
        MarkBlock(last, runEnds.lineEnds[word], runEnds.wordEnds[word]);
        ++word;
    }
    for (; word < kRunEndWords; ++word) {
        runEnds.lineEnds[word] = ~uint64_t{0};
        runEnds.wordEnds[word] = ~uint64_t{0};
    }
    if (limit >= 0 && limit < 64 * kRunEndWords) {
        runEnds.lineEnds[limit / 64] |= uint64_t{1} << (limit % 64);
        runEnds.wordEnds[limit / 64] |= uint64_t{1} << (limit % 64);
    }
}
