// DirectMusic script files ('DMSC'), read from memory into a plain record.
//
// A script file is a RIFF form 'DMSC' whose chunks may come in any order: the header 'schd',
// the object's 'guid' and 'vers', a LIST 'UNFO' with the name ('UNAM', or a Unicode 'INAM'), the
// script version 'scve', the language 'scla' and the source 'scsr' (both zero-terminated
// UTF-16LE), and a RIFF 'DMCN' container of the objects the script refers to. Unknown chunks are
// skipped. Of the container, each object's alias and header are kept; its content is not
// decoded. A source held by reference (a LIST 'DMRF' in place of 'scsr') is not supported.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "riff_reader.h"

constexpr uint32_t kScriptForm = FourCc('D', 'M', 'S', 'C');
constexpr uint32_t kScriptHeaderChunk = FourCc('s', 'c', 'h', 'd');
constexpr uint32_t kGuidChunk = FourCc('g', 'u', 'i', 'd');
constexpr uint32_t kVersionChunk = FourCc('v', 'e', 'r', 's');
constexpr uint32_t kUnfoList = FourCc('U', 'N', 'F', 'O');
constexpr uint32_t kUnamChunk = FourCc('U', 'N', 'A', 'M');
constexpr uint32_t kInamChunk = FourCc('I', 'N', 'A', 'M');
constexpr uint32_t kScriptVersionChunk = FourCc('s', 'c', 'v', 'e');
constexpr uint32_t kScriptLanguageChunk = FourCc('s', 'c', 'l', 'a');
constexpr uint32_t kScriptSourceChunk = FourCc('s', 'c', 's', 'r');
constexpr uint32_t kReferenceList = FourCc('D', 'M', 'R', 'F');
constexpr uint32_t kContainerForm = FourCc('D', 'M', 'C', 'N');
constexpr uint32_t kContainerHeaderChunk = FourCc('c', 'o', 'n', 'h');
constexpr uint32_t kContainedObjectsList = FourCc('c', 'o', 's', 'l');
constexpr uint32_t kContainedObjectList = FourCc('c', 'o', 'b', 'l');
constexpr uint32_t kContainedAliasChunk = FourCc('c', 'o', 'b', 'a');
constexpr uint32_t kContainedHeaderChunk = FourCc('c', 'o', 'b', 'h');

// A GUID as the file stores it: Data1, Data2 and Data3 little-endian, then the eight bytes.
struct FileGuid {
    uint8_t bytes[16] = {};
};

// DMUS_IO_VERSION: the high and low 32 bits of a four-part version.
struct FileVersion {
    uint32_t ms = 0;
    uint32_t ls = 0;
};

// One object of the container: its alias and its DMUS_IO_CONTAINED_OBJECT_HEADER.
struct ContainedObject {
    std::u16string alias;
    bool hasHeader = false;
    FileGuid classId;
    uint32_t flags = 0;
    uint32_t chunkId = 0;
    uint32_t chunkType = 0;
};

struct ScriptFile {
    bool hasHeader = false;
    uint32_t headerFlags = 0;  // DMUS_IO_SCRIPT_HEADER
    bool hasGuid = false;
    FileGuid guid;
    bool hasVersion = false;
    FileVersion version;
    bool hasScriptVersion = false;
    FileVersion scriptVersion;
    std::u16string name;      // empty when the file names none
    std::u16string language;  // empty when the file has no 'scla'
    std::u16string source;
    bool hasContainer = false;
    std::vector<ContainedObject> objects;
};

enum class ScriptFileFault {
    None,
    NotRiff,            // does not begin with a RIFF chunk
    NotScript,          // a RIFF form other than 'DMSC'
    Truncated,          // a chunk header, or the file itself, is cut short
    Overrun,            // a chunk claims more bytes than its parent holds
    ChunkTooSmall,      // a header, guid or version chunk smaller than its record
    SourceByReference,  // the source is a reference ('DMRF') to another file
    NoSource,           // no 'scsr' chunk at all
};

// Reads `size` bytes at `data`. On a fault, `file` holds whatever was read before it.
ScriptFileFault ReadScriptFile(const uint8_t* data, size_t size, ScriptFile& file);

const char* DescribeScriptFileFault(ScriptFileFault fault);
