// WidenText's contract: count -1, count n, null arguments write nothing, never past count units.
// WidenName's refusal of names that would be cut is seen through the engine and the script wrapper.
#include <gtest/gtest.h>

#include <string>

#include "fake_direct_music.h"
#include "widen_text.h"

namespace {

constexpr WCHAR kUntouched = 0x7E7E;

TEST(WidenText, ConvertsAndTerminatesWithinCount) {
    struct Row {
        const char* src;
        int32_t count;
        // The first units of the destination afterwards; a trailing kUntouched stands just
        // past the units the call may write.
        std::wstring written;
    };
    const std::wstring untouched(1, kUntouched);
    const Row rows[] = {
        {"abc", -1, std::wstring(L"abc") + L'\0' + untouched},
        {"abcdef", 3, std::wstring(L"ab") + L'\0' + untouched},
        {"abcdef", 1, std::wstring(1, L'\0') + untouched},
        {"", -1, std::wstring(1, L'\0') + untouched},
        {"ab", 10, std::wstring(L"ab") + L'\0'},
        // Code page 1252: the euro sign and e acute.
        {"\x80\xE9", -1, std::wstring(L"\u20AC\u00E9") + L'\0' + untouched},
        // Nothing at all for a count that leaves no room, and none below -1.
        {"abc", 0, untouched},
        {"abc", -2, untouched},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.src) + " count " + std::to_string(row.count));
        WCHAR dest[16];
        std::fill(std::begin(dest), std::end(dest), kUntouched);
        WidenText(dest, row.src, row.count);
        WidenText(dest, nullptr, row.count);  // writes nothing
        WidenText(nullptr, row.src, row.count);
        EXPECT_EQ(std::wstring(dest, row.written.size()), row.written)
            << "got " << Narrow(std::wstring(dest, row.written.size()).c_str());
    }
}

}  // namespace
