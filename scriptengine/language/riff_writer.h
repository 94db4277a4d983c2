// Writing RIFF files in memory: nested RIFF and LIST chunks whose sizes are filled in when they
// are closed, and data chunks padded to an even size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class RiffWriter {
public:
    void BeginRiff(uint32_t formType) { Begin(FourCcOf("RIFF"), formType); }
    void BeginList(uint32_t listType) { Begin(FourCcOf("LIST"), listType); }
    // Closes the innermost open RIFF or LIST chunk.
    void End();

    void Chunk(uint32_t id, const void* data, size_t size);
    void Chunk(uint32_t id, const std::vector<uint8_t>& data) {
        Chunk(id, data.data(), data.size());
    }
    // A chunk holding `text` as zero-terminated UTF-16LE, the form of every text in script files.
    void TextChunk(uint32_t id, const std::u16string& text);

    // The bytes so far; complete once every Begin has its End.
    const std::vector<uint8_t>& Bytes() const { return bytes; }

    static void AppendLe16(std::vector<uint8_t>& out, uint16_t value);
    static void AppendLe32(std::vector<uint8_t>& out, uint32_t value);
    static std::vector<uint8_t> Utf16Le(const std::u16string& text);

private:
    static uint32_t FourCcOf(const char (&id)[5]);
    void Begin(uint32_t id, uint32_t type);

    std::vector<uint8_t> bytes;
    std::vector<size_t> open;
};
