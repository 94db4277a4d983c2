// RiffReader: one chunk at a time, sizes checked before anything is read.
#include "riff_reader.h"

uint16_t ReadLe16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

uint32_t ReadLe32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

RiffStatus RiffReader::Next(RiffChunk& chunk) {
    size_t left = static_cast<size_t>(end - position);
    if (left == 0) {
        return RiffStatus::End;
    }
    if (left < 8) {
        return RiffStatus::Truncated;
    }
    uint32_t id = ReadLe32(position);
    size_t size = ReadLe32(position + 4);
    if (size > left - 8) {
        return RiffStatus::Overrun;
    }
    chunk.id = id;
    chunk.listType = 0;
    chunk.data = position + 8;
    chunk.size = size;
    if (id == kRiffId || id == kListId) {
        if (size < 4) {
            return RiffStatus::Truncated;
        }
        chunk.listType = ReadLe32(position + 8);
        chunk.data += 4;
        chunk.size -= 4;
    }
    position += 8 + size;
    // The pad byte after an odd chunk; a parent that ends without it is accepted, as the last
    // chunk of a file is sometimes written that way.
    if (size % 2 == 1 && position < end) {
        ++position;
    }
    return RiffStatus::Chunk;
}
