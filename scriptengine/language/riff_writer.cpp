// RiffWriter: sizes patched on End, pad bytes after odd chunks.
#include "riff_writer.h"

#include "riff_reader.h"

uint32_t RiffWriter::FourCcOf(const char (&id)[5]) {
    return FourCc(id[0], id[1], id[2], id[3]);
}

void RiffWriter::AppendLe16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void RiffWriter::AppendLe32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>((value >> shift) & 0xFF));
    }
}

std::vector<uint8_t> RiffWriter::Utf16Le(const std::u16string& text) {
    std::vector<uint8_t> out;
    out.reserve((text.size() + 1) * 2);
    for (char16_t unit : text) {
        AppendLe16(out, unit);
    }
    AppendLe16(out, 0);
    return out;
}

void RiffWriter::Begin(uint32_t id, uint32_t type) {
    open.push_back(bytes.size());
    AppendLe32(bytes, id);
    AppendLe32(bytes, 0);  // filled in by End
    AppendLe32(bytes, type);
}

void RiffWriter::End() {
    if (open.empty()) {
        return;
    }
    size_t start = open.back();
    open.pop_back();
    // Children are padded already, so a list's size is always even.
    uint32_t size = static_cast<uint32_t>(bytes.size() - start - 8);
    for (int i = 0; i < 4; ++i) {
        bytes[start + 4 + i] = static_cast<uint8_t>((size >> (8 * i)) & 0xFF);
    }
}

void RiffWriter::Chunk(uint32_t id, const void* data, size_t size) {
    AppendLe32(bytes, id);
    AppendLe32(bytes, static_cast<uint32_t>(size));
    const uint8_t* begin = static_cast<const uint8_t*>(data);
    bytes.insert(bytes.end(), begin, begin + size);
    if (size % 2 == 1) {
        bytes.push_back(0);
    }
}

void RiffWriter::TextChunk(uint32_t id, const std::u16string& text) {
    Chunk(id, Utf16Le(text));
}
