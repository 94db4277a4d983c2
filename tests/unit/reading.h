// Test helpers: read a description text from a string, from scratch, and record the messages.
#pragma once

#include <string>
#include <vector>

#include "demo_settings.h"
#include "description_reader.h"
#include "ascii_text.h"
#include "description_text.h"
#include "object_records.h"

struct RecordedMessages : ReaderMessages {
    void Show(const char* text) override { shown.emplace_back(text); }
    std::vector<std::string> shown;
};

// Forgets everything an earlier reading left, as at process start.
inline void ResetReading() {
    ReleaseObjectRecords();
    demoSettings = DemoSettings{};
}

// Reads `text` as the whole description file; returns the messages it showed, in order.
inline std::vector<std::string> ReadDescription(const std::string& text) {
    ResetReading();
    LoadDescriptionText(text.data(), text.size());
    RecordedMessages messages;
    InterpretDescriptionText(messages);
    return messages.shown;
}

// Message lists are compared by short names, so that a failure prints something readable.
inline std::vector<std::string> Names(const std::vector<std::string>& shown) {
    std::vector<std::string> names;
    for (const std::string& text : shown) {
        if (text == kTooLongMessage) {
            names.push_back("too-long");
        } else if (text == kUnexpectedEndMessage) {
            names.push_back("end");
        } else if (text == kSizeLimitMessage) {
            names.push_back("size");
        } else if (text == kButtonIncompleteMessage) {
            names.push_back("button");
        } else if (text == kVariableIncompleteMessage) {
            names.push_back("variable");
        } else if (text == kTextBoxIncompleteMessage) {
            names.push_back("textbox");
        } else if (text == kLyricViewIncompleteMessage) {
            names.push_back("lyricview");
        } else {
            names.push_back("?" + text);
        }
    }
    return names;
}

using MessageNames = std::vector<std::string>;
