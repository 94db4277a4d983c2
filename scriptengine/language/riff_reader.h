// Walking the chunks of a RIFF file held in memory, with every size checked against the parent.
//
// A chunk is a four-character id, a little-endian 32-bit size and that many bytes, followed by a
// pad byte when the size is odd; RIFF and LIST chunks begin their data with a four-character
// type. A reader sees the chunks of one parent, in order; it never reads outside the parent.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t FourCc(char a, char b, char c, char d) {
    return static_cast<uint32_t>(static_cast<unsigned char>(a)) |
           static_cast<uint32_t>(static_cast<unsigned char>(b)) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(c)) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(d)) << 24;
}

constexpr uint32_t kRiffId = FourCc('R', 'I', 'F', 'F');
constexpr uint32_t kListId = FourCc('L', 'I', 'S', 'T');

uint16_t ReadLe16(const uint8_t* bytes);
uint32_t ReadLe32(const uint8_t* bytes);

struct RiffChunk {
    uint32_t id = 0;
    // The type of a RIFF or LIST chunk; 0 for others.
    uint32_t listType = 0;
    // The chunk's content: for RIFF and LIST chunks, what follows the type.
    const uint8_t* data = nullptr;
    size_t size = 0;
};

enum class RiffStatus {
    Chunk,      // a chunk was read
    End,        // the parent holds no more chunks
    Truncated,  // the parent ends inside a chunk header (or a list without its type)
    Overrun,    // a chunk claims more bytes than its parent has left
};

class RiffReader {
public:
    RiffReader(const uint8_t* data, size_t size) : position(data), end(data + size) {}
    // The chunk's own content, to walk the chunks of a RIFF or LIST chunk.
    explicit RiffReader(const RiffChunk& list) : RiffReader(list.data, list.size) {}

    RiffStatus Next(RiffChunk& chunk);

private:
    const uint8_t* position;
    const uint8_t* end;
};
