// Filling the run-end tables in one pass over the text, 16 characters at a time with SSE2.
#include "run_ends.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

RunEnds runEnds;

namespace {

// The masks of 64 characters, none of them the zero byte.
void MarkBlock(const char* text, uint64_t& lineEnds, uint64_t& wordEnds) {
    uint64_t lines = 0;
    uint64_t spaces = 0;
#if defined(__SSE2__)
    const __m128i lineFeed = _mm_set1_epi8('\n');
    const __m128i space = _mm_set1_epi8(' ');
    for (int part = 0; part < 4; ++part) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + 16 * part));
        const auto shift = 16 * part;
        lines |= static_cast<uint64_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lineFeed))) << shift;
        spaces |= static_cast<uint64_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, space))) << shift;
    }
#else
    for (int i = 0; i < 64; ++i) {
        lines |= static_cast<uint64_t>(text[i] == '\n') << i;
        spaces |= static_cast<uint64_t>(text[i] == ' ') << i;
    }
#endif
    lineEnds = lines;
    wordEnds = lines | spaces;
}

}  // namespace

void MarkRunEnds(int32_t limit) {
    // Up to the first zero byte, which with everything after it ends every run, no character is
    // the zero byte: the blocks before it are looked at for line feeds and spaces only.
    const void* zero = std::memchr(descriptionText, '\0', sizeof descriptionText);
    const auto length = static_cast<int32_t>(
        zero != nullptr ? static_cast<const char*>(zero) - descriptionText : kDescriptionTextLimit);
    int32_t word = 0;
    for (; 64 * (word + 1) <= length; ++word) {
        MarkBlock(descriptionText + 64 * word, runEnds.lineEnds[word], runEnds.wordEnds[word]);
    }
    if (word < kRunEndWords) {
        char last[64] = {};
        std::memcpy(last, descriptionText + 64 * word, static_cast<size_t>(length - 64 * word));
        MarkBlock(last, runEnds.lineEnds[word], runEnds.wordEnds[word]);
        const uint64_t fromZero = ~uint64_t{0} << (length - 64 * word);
        runEnds.lineEnds[word] |= fromZero;
        runEnds.wordEnds[word] |= fromZero;
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
