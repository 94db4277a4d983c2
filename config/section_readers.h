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

// The keywords that begin the sections, and the line that ends a text box's text.
constexpr char kButtonKeyword[] = "Button";
constexpr char kVariableKeyword[] = "Variable";
constexpr char kTextBoxKeyword[] = "TextBox";
constexpr char kLyricViewKeyword[] = "LyricView";
constexpr char kEndTextLine[] = "EndText";

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

const char* SectionKeyword(SectionKind kind);
// The key at `index` of a section's table, and how many key lines the section reads: a word
// that is no key uses one up all the same.
KeyName SectionKeyAt(SectionKind kind, int index);
int SectionKeyLines(SectionKind kind);
