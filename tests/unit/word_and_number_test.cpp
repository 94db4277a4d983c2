// The reader tells keys apart by a caseless eight-character prefix and reads numbers four digits
// at a time; both must agree with the plain character-by-character rules.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "ascii_text.h"
#include "description_reader.h"
#include "description_text.h"
#include "object_records.h"
#include "section_readers.h"

namespace {

struct NoMessages : ReaderMessages {
    void Show(const char*) override {}
};

Word WordOf(const std::string& text) {
    Word word{};
    std::memcpy(word.text, text.data(), text.size());
    word.length = static_cast<int32_t>(text.size());
    word.prefix = CaselessPrefix(word.text, word.length);
    return word;
}

TEST(KeyMatch, CaselessPrefixAgreesWithTheKeyExactlyWhenTheWordSpellsIt) {
    // Every byte at every place of every length, against a key of letters in mixed case.
    const char key[] = "kEyWoRdS";
    for (int32_t length = 1; length <= 8; ++length) {
        const std::string kept(key, static_cast<size_t>(length));
        for (int32_t at = 0; at < length; ++at) {
            for (int byte = 1; byte < 256; ++byte) {
                char word[kTokenCapacity] = "kEyWoRdS-AND-MORE";
                word[at] = static_cast<char>(byte);
                const std::string spelt(word, static_cast<size_t>(length));
                ASSERT_EQ(CaselessPrefix(word, length) == CaselessPrefixOf(kept.c_str()),
                          EqualsIgnoringCase(spelt.c_str(), kept.c_str()))
                    << "byte " << byte << " at " << at << " of " << length;
            }
        }
    }
}

TEST(KeyMatch, EveryKeyInAnyCaseAndNoLongerOrShorterWord) {
    std::vector<KeyName> keys;
    for (int i = 0; TopLevelKeyAt(i).key != nullptr; ++i) {
        keys.push_back(TopLevelKeyAt(i));
    }
    for (const SectionKeys& section : kSectionKeys) {
        for (const KeyName& key : section.keys) {
            if (key.key != nullptr) {
                keys.push_back(key);
            }
        }
    }
    for (const KeyName& key : keys) {
        std::string upper = key.key;
        std::string lower = key.key;
        // The caseless prefix tells only letters apart by their case.
        for (const char c : upper) {
            ASSERT_TRUE(std::isalpha(static_cast<unsigned char>(c))) << key.key;
        }
        for (size_t i = 0; i < upper.size(); ++i) {
            upper[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(upper[i])));
            lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[i])));
        }
        EXPECT_TRUE(IsKey(WordOf(upper), key)) << upper;
        EXPECT_TRUE(IsKey(WordOf(lower), key)) << lower;
        EXPECT_FALSE(IsKey(WordOf(lower + "x"), key)) << lower;
        EXPECT_FALSE(IsKey(WordOf(lower.substr(0, lower.size() - 1)), key)) << lower;
        // A changed last letter, which past the eighth only the full comparison sees.
        lower.back() = lower.back() == 'x' ? 'y' : 'x';
        EXPECT_FALSE(IsKey(WordOf(lower), key)) << lower;
    }
}

TEST(NumberValue, ReadsEveryShortValueAsAtoiDoes) {
    // Every value of up to four characters over digits, signs, blanks and letters, each alone on
    // its line; and of five, which only the limit lets a number keep, over fewer.
    NoMessages messages;
    for (int length = 1; length <= 5; ++length) {
        const std::string alphabet = length < 5 ? "0159 +-\tx" : "09 -x";
        const int size = static_cast<int>(alphabet.size());
        int combinations = 1;
        for (int i = 0; i < length; ++i) {
            combinations *= size;
        }
        for (int n = 0; n < combinations; ++n) {
            std::string value;
            for (int i = 0, rest = n; i < length; ++i, rest /= size) {
                value += alphabet[rest % size];
            }
            // Mid-text; at the end of the text, where a stopped section still keeps its record;
            // and starting three or five characters before the position limit, which keeps only
            // those.
            const std::string key = "LyricView\nTopLeftX ";
            const struct {
                std::string text;
                size_t kept;
            } readings[] = {{key + value + "\nTitle t\n", 4},
                            {key + value, 4},
                            {std::string(kPositionLimit - 3 - key.size(), '\n') + key + value, 3},
                            {std::string(kPositionLimit - 5 - key.size(), '\n') + key + value, 5}};
            for (const auto& reading : readings) {
                LoadDescriptionText(reading.text.data(), reading.text.size());
                InterpretDescriptionText(messages);
                ASSERT_NE(lyricView, nullptr);
                ASSERT_EQ(lyricView->TopLeftX, ParseNumber(value.substr(0, reading.kept).c_str()))
                    << '"' << value << "\" in " << reading.text.size() << " characters";
            }
        }
    }
    ReleaseObjectRecords();
}

}  // namespace
