// The exact texts of the description-file messages.
#include "reader_messages.h"

const char kTooLongMessage[] = "The .ini file is too long.  Items may be missing.";

const char kUnexpectedEndMessage[] =
    "Unexpected end of file in Harpix.ini.\n"
    "One or more items are incomplete or incorrect.\n"
    "You may see this message multiple times.";

const char kSizeLimitMessage[] =
    "A size limit was reached in the .ini file.  Items may be missing.";

const char kButtonIncompleteMessage[] =
    "One or more items are incomplete or incorrect in a button's parameters.\n"
    "This button may not display\\behave properly.\n"
    "The object following it in Harpix.ini may not appear.";

const char kVariableIncompleteMessage[] =
    "One or more items are incomplete or incorrect in a Variable's parameters.\n"
    "This variable may not display\\behave properly.\n"
    "The object following it in Harpix.ini may not appear.";

// Kept word for word, "texbox" and the missing full stop included.
const char kTextBoxIncompleteMessage[] =
    "One or more items are incomplete or incorrect in a TextBox's parameters.\n"
    "This texbox may not view properly\n"
    "The object following it in Harpix.ini may not appear.";

const char kLyricViewIncompleteMessage[] =
    "One or more items are incomplete or incorrect in the LyricView parameters.\n"
    "The object following it in Harpix.ini may not appear.";
