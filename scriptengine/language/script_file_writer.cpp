// WriteScriptFile, GuidFromContent and FormatGuid.
#include "script_file_writer.h"

#include <cstdio>

#include "riff_writer.h"

std::vector<uint8_t> WriteScriptFile(const ScriptFileContents& contents) {
    RiffWriter riff;
    riff.BeginRiff(kScriptForm);

    std::vector<uint8_t> header;
    RiffWriter::AppendLe32(header, contents.headerFlags);
    riff.Chunk(kScriptHeaderChunk, header);
    riff.Chunk(kGuidChunk, contents.guid.bytes, sizeof contents.guid.bytes);
    std::vector<uint8_t> version;
    RiffWriter::AppendLe32(version, contents.version.ms);
    RiffWriter::AppendLe32(version, contents.version.ls);
    riff.Chunk(kVersionChunk, version);

    riff.BeginList(kUnfoList);
    riff.TextChunk(kUnamChunk, contents.name);
    riff.End();

    std::vector<uint8_t> scriptVersion;
    RiffWriter::AppendLe32(scriptVersion, contents.scriptVersion.ms);
    RiffWriter::AppendLe32(scriptVersion, contents.scriptVersion.ls);
    riff.Chunk(kScriptVersionChunk, scriptVersion);
    riff.TextChunk(kScriptLanguageChunk, contents.language);
    riff.TextChunk(kScriptSourceChunk, contents.source);

    riff.BeginRiff(kContainerForm);
    std::vector<uint8_t> containerHeader;
    RiffWriter::AppendLe32(containerHeader, 0);  // DMUS_IO_CONTAINER_HEADER: no flags
    riff.Chunk(kContainerHeaderChunk, containerHeader);
    riff.End();

    riff.End();
    return riff.Bytes();
}

namespace {

// 64-bit FNV-1a over the text's units, started from `basis`.
uint64_t Fnv1a(const std::u16string& text, uint64_t basis) {
    uint64_t hash = basis;
    for (char16_t unit : text) {
        for (int shift = 0; shift < 16; shift += 8) {
            hash ^= static_cast<uint8_t>((unit >> shift) & 0xFF);
            hash *= 0x100000001B3ULL;
        }
    }
    return hash;
}

}  // namespace

FileGuid GuidFromContent(const std::u16string& name, const std::u16string& source) {
    // The name ends with a unit no name holds, so that name and source cannot trade characters.
    std::u16string text = name + u'\0' + source;
    uint64_t halves[2] = {Fnv1a(text, 0xCBF29CE484222325ULL), Fnv1a(text, 0x84222325CBF29CE4ULL)};
    FileGuid guid;
    for (int i = 0; i < 16; ++i) {
        guid.bytes[i] = static_cast<uint8_t>((halves[i / 8] >> (8 * (i % 8))) & 0xFF);
    }
    // Data3's high nibble is the version; byte 8's top bits the RFC 4122 variant.
    guid.bytes[7] = static_cast<uint8_t>((guid.bytes[7] & 0x0F) | 0x80);
    guid.bytes[8] = static_cast<uint8_t>((guid.bytes[8] & 0x3F) | 0x80);
    return guid;
}

std::string FormatGuid(const FileGuid& guid) {
    const uint8_t* b = guid.bytes;
    char text[40];
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(ReadLe32(b)), static_cast<unsigned>(ReadLe16(b + 4)),
                  static_cast<unsigned>(ReadLe16(b + 6)), b[8], b[9], b[10], b[11], b[12], b[13],
                  b[14], b[15]);
    return text;
}
