// Recording a reading: messages shown inside a word or value read are placed where it ended.
#include "reading_trace.h"

#include "description_text.h"

namespace {

ReadEvent MakeEvent(ReadEvent::Kind kind, int32_t from, int32_t to, const char* text = "") {
    ReadEvent event;
    event.kind = kind;
    event.from = from;
    event.to = to;
    event.text = text;
    return event;
}

}  // namespace

void ReadingTrace::Show(const char* text) {
    messages.emplace_back(text);
    events.push_back(MakeEvent(ReadEvent::Kind::Message, stood, stood, text));
}

void ReadingTrace::BeginRead() {
    reading = true;
    firstPending = events.size();
}

void ReadingTrace::EndRead(int32_t to) {
    for (size_t i = firstPending; i < events.size(); ++i) {
        events[i].from = events[i].to = to;
    }
    reading = false;
    stood = to;
}

void ReadingTrace::WordRead(int32_t from, int32_t to, const char* word, ReadStatus status) {
    EndRead(to);
    while (from < to && descriptionText[from] == '\n') {
        ++from;
    }
    ReadEvent event = MakeEvent(ReadEvent::Kind::Word, from, to, status == ReadOk ? word : "");
    event.status = status;
    events.push_back(event);
}

void ReadingTrace::ValueRead(int32_t from, int32_t to, const char* value, ReadStatus status) {
    EndRead(to);
    ReadEvent event = MakeEvent(ReadEvent::Kind::Value, from, to, value);
    event.status = status;
    events.push_back(event);
}

void ReadingTrace::KeyMatched(const char* key) {
    events.push_back(MakeEvent(ReadEvent::Kind::Key, stood, stood, key));
}

void ReadingTrace::SectionBegan(SectionKind kind) {
    ReadEvent event = MakeEvent(ReadEvent::Kind::SectionBegan, stood, stood);
    event.section = kind;
    events.push_back(event);
}

void ReadingTrace::SectionEnded(SectionKind kind, ReadStatus status) {
    ReadEvent event = MakeEvent(ReadEvent::Kind::SectionEnded, stood, stood);
    event.section = kind;
    event.status = status;
    events.push_back(event);
}

void ReadingTrace::ReadingEnded(int32_t position) {
    events.push_back(MakeEvent(ReadEvent::Kind::Ended, position, position));
}
