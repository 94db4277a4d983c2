// A record of one reading, taken through the reader's observer: every word, value, key, section
// and message in order, each message at the position where the reader stood when it arose.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reader_messages.h"
#include "reader_observer.h"

struct ReadEvent {
    enum class Kind { Word, Value, Key, SectionBegan, SectionEnded, Message, Ended };
    Kind kind = Kind::Word;
    int32_t from = 0;  // a Word's first character (line feeds before it skipped), a Message's place
    int32_t to = 0;
    std::string text;  // the word, value, key or message
    ReadStatus status = ReadOk;
    SectionKind section = SectionKind::Button;
};

class ReadingTrace : public ReaderMessages, public ReaderObserver {
public:
    void Show(const char* text) override;
    void BeginRead() override;
    void WordRead(int32_t from, int32_t to, const char* word, ReadStatus status) override;
    void ValueRead(int32_t from, int32_t to, const char* value, ReadStatus status) override;
    void KeyMatched(const char* key) override;
    void SectionBegan(SectionKind kind) override;
    void SectionEnded(SectionKind kind, ReadStatus status) override;
    void ReadingEnded(int32_t position) override;

    std::vector<ReadEvent> events;
    std::vector<std::string> messages;  // as the program would show them, in order

private:
    void EndRead(int32_t to);

    bool reading = false;
    int32_t stood = 0;
    size_t firstPending = 0;
};
