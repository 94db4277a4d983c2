// The readers of the Button, Variable, TextBox and LyricView sections of the description file.
//
// Each is called right after its keyword, makes one record with its defaults, enters it in its
// table at once, and reads a fixed number of key/value pairs: a section has no end marker, so a
// missing key makes it take the next word (often the next keyword) as a pair. A section that
// stops leaves no record in its table. A section met while its table is full is read as usual
// but its record is never entered, and the size-limit message says so.
#pragma once

#include <cstdint>

#include "object_records.h"
#include "read_status.h"
#include "reader_messages.h"
#include "reader_observer.h"

// A section's keyword, how many key lines it reads (a word that is no key uses one up all the
// same), and its keys in the order its reader tries them, a null key after the last. In
// SectionKind order; a NotifyRoutine counts only as one of a Variable's three key lines.
struct SectionKeys {
    const char* keyword;
    int keyLines;
    KeyName keys[6];
};
constexpr SectionKeys kSectionKeys[] = {
    {"Button",
     5,
     {{"Coordx", true},
      {"Coordy", true},
      {"Height", true},
      {"Width", true},
      {"Scriptroutine", false}}},
    {"Variable",
     3,
     {{"Coordx", true}, {"Coordy", true}, {"Scriptvariable", false}, {"NotifyRoutine", false}}},
    {"TextBox",
     5,
     {{"TopLeftX", true}, {"TopLeftY", true}, {"Width", true}, {"Height", true}, {"Text", false}}},
    {"LyricView", 4, {{"TopLeftX", true}, {"TopLeftY", true}, {"Width", true}, {"Height", true}}},
};
constexpr const SectionKeys& KeysOf(SectionKind kind) {
    return kSectionKeys[static_cast<int>(kind)];
}
constexpr char kEndTextLine[] = "EndText";  // the line that ends a text box's text

ReadStatus ReadButtonSection(int32_t& position, ReaderMessages& messages);
ReadStatus ReadVariableSection(int32_t& position, ReaderMessages& messages);
ReadStatus ReadTextBoxSection(int32_t& position, ReaderMessages& messages);
ReadStatus ReadLyricViewSection(int32_t& position, ReaderMessages& messages);

// The text of one text box while its section is read. It holds at most 1999 characters: the
// append that would pass that stores what fits and shows the size-limit message, once; the rest
// of the text is still read to its end line but no longer stored.
struct TextBoxText {
    char* text;
    int32_t length;
    bool full;
};

// Reads lines up to an EndText line and appends them, joined by line feeds, to `text`.
ReadStatus ReadMultiLineText(int32_t& position, TextBoxText& text, ReaderMessages& messages);
