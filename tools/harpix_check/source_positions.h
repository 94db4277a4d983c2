// Line and column in the file as saved, for positions in the text the reader saw: the reader
// sees CR LF as one line feed and nothing after a Ctrl-Z, the author's editor shows the bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SourcePlace {
    int line;    // from 1
    int column;  // from 1, in bytes of the line
};

class SourcePositions {
public:
    // `bytes` is the file as saved; the text is what LoadDescriptionText makes of them.
    explicit SourcePositions(const std::string& bytes);

    // A position at or past the end of the text is placed where the text ends.
    SourcePlace Place(int32_t position) const;

    // The byte offset where the text ends (a Ctrl-Z or the file's end), and whether a Ctrl-Z
    // cut bytes off there.
    size_t TextEndOffset() const { return offsets.back(); }
    bool EndsAtCtrlZ() const { return ctrlZ; }

private:
    std::vector<size_t> offsets;     // the byte offset of each character, and one past the last
    std::vector<size_t> lineStarts;  // byte offsets where lines begin; lines end at a line feed
    bool ctrlZ = false;
};
