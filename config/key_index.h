// Finding the key a word may be among a table's keys with one look instead of a comparison with
// each key in turn, which was a tenth of the reading: the keys' prefixes (CaselessPrefix),
// multiplied by a number chosen when the table is compiled, fall into slots of their own. The
// word is then compared, as before, with the one key of its slot. A table's keys are distinct, so
// at most one of them matches a word whatever the order they are tried in.
#pragma once

#include <cstddef>
#include <cstdint>

#include "reader_observer.h"

class KeyIndex {
public:
    // The indexes of the `count` keys that `keyAt` gives, or an index with found() false when no
    // multiplier tried gives every prefix a slot of its own.
    template <typename KeyAt>
    static constexpr KeyIndex Of(int count, KeyAt keyAt) {
        KeyIndex index;
        for (uint64_t attempt = 1; attempt <= kAttempts; ++attempt) {
            index.multiplier_ = (attempt * 0x9E3779B97F4A7C15u) | 1u;
            bool distinct = count <= kSlots;
            for (int8_t& slot : index.slots_) {
                slot = kNone;
            }
            for (int i = 0; i < count && distinct; ++i) {
                int8_t& slot = index.slots_[index.SlotOf(keyAt(i).prefix)];
                distinct = slot == kNone;
                slot = static_cast<int8_t>(i);
            }
            if (distinct) {
                return index;
            }
        }
        index.multiplier_ = 0;
        return index;
    }

    constexpr bool found() const { return multiplier_ != 0; }

    // The index of the only key that a word with this prefix may be, or -1 for none.
    constexpr int Candidate(uint64_t prefix) const { return slots_[SlotOf(prefix)]; }

private:
    static constexpr int kSlotBits = 5;
    static constexpr int kSlots = 1 << kSlotBits;
    static constexpr uint64_t kAttempts = 1000;
    static constexpr int8_t kNone = -1;

    constexpr int SlotOf(uint64_t prefix) const {
        return static_cast<int>((prefix * multiplier_) >> (64 - kSlotBits));
    }

    uint64_t multiplier_ = 0;
    int8_t slots_[kSlots] = {};
};
