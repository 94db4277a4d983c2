// The messages the description-file reader shows, and the small interface it shows them through.
//
// The program puts each message in a message box; harpix-check and the tests record them. The
// texts always name "Harpix.ini", whatever the file is really called, because demo authors know
// them by that wording.
#pragma once

class ReaderMessages {
public:
    virtual void Show(const char* text) = 0;

protected:
    ~ReaderMessages() = default;
};

extern const char kTooLongMessage[];
extern const char kUnexpectedEndMessage[];
extern const char kSizeLimitMessage[];
extern const char kButtonIncompleteMessage[];
extern const char kVariableIncompleteMessage[];
extern const char kTextBoxIncompleteMessage[];
extern const char kLyricViewIncompleteMessage[];
