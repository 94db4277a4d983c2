// ReadScriptFile: the 'DMSC' form, its UNFO list and its container, every size checked.
#include "script_file.h"

#include <cstring>

namespace {

ScriptFileFault FaultOf(RiffStatus status) {
    return status == RiffStatus::Overrun ? ScriptFileFault::Overrun : ScriptFileFault::Truncated;
}

// Zero-terminated UTF-16LE; a chunk without the terminator keeps all its units.
std::u16string ReadText(const RiffChunk& chunk) {
    std::u16string text;
    for (size_t i = 0; i + 1 < chunk.size; i += 2) {
        char16_t unit = ReadLe16(chunk.data + i);
        if (unit == 0) {
            break;
        }
        text.push_back(unit);
    }
    return text;
}

bool ReadVersion(const RiffChunk& chunk, FileVersion& version) {
    if (chunk.size < 8) {
        return false;
    }
    version.ms = ReadLe32(chunk.data);
    version.ls = ReadLe32(chunk.data + 4);
    return true;
}

bool ReadGuid(const RiffChunk& chunk, FileGuid& guid) {
    if (chunk.size < sizeof guid.bytes) {
        return false;
    }
    std::memcpy(guid.bytes, chunk.data, sizeof guid.bytes);
    return true;
}

ScriptFileFault ReadUnfo(const RiffChunk& list, std::u16string& name) {
    bool haveUnam = false;
    RiffReader reader(list);
    RiffChunk chunk;
    RiffStatus status;
    while ((status = reader.Next(chunk)) == RiffStatus::Chunk) {
        if (chunk.id == kUnamChunk) {
            name = ReadText(chunk);
            haveUnam = true;
        } else if (chunk.id == kInamChunk && !haveUnam) {
            name = ReadText(chunk);
        }
    }
    return status == RiffStatus::End ? ScriptFileFault::None : FaultOf(status);
}

ScriptFileFault ReadContainedObject(const RiffChunk& list, ContainedObject& object) {
    RiffReader reader(list);
    RiffChunk chunk;
    RiffStatus status;
    while ((status = reader.Next(chunk)) == RiffStatus::Chunk) {
        if (chunk.id == kContainedAliasChunk) {
            object.alias = ReadText(chunk);
        } else if (chunk.id == kContainedHeaderChunk) {
            // DMUS_IO_CONTAINED_OBJECT_HEADER: class id, flags, chunk id and chunk type.
            if (chunk.size < 28) {
                return ScriptFileFault::ChunkTooSmall;
            }
            std::memcpy(object.classId.bytes, chunk.data, 16);
            object.flags = ReadLe32(chunk.data + 16);
            object.chunkId = ReadLe32(chunk.data + 20);
            object.chunkType = ReadLe32(chunk.data + 24);
            object.hasHeader = true;
        }
        // The object itself, or a reference to it, is the loader's business: skipped.
    }
    return status == RiffStatus::End ? ScriptFileFault::None : FaultOf(status);
}

ScriptFileFault ReadObjectList(const RiffChunk& list, std::vector<ContainedObject>& objects) {
    RiffReader reader(list);
    RiffChunk chunk;
    RiffStatus status;
    while ((status = reader.Next(chunk)) == RiffStatus::Chunk) {
        if (chunk.id == kListId && chunk.listType == kContainedObjectList) {
            ContainedObject object;
            ScriptFileFault fault = ReadContainedObject(chunk, object);
            if (fault != ScriptFileFault::None) {
                return fault;
            }
            objects.push_back(object);
        }
    }
    return status == RiffStatus::End ? ScriptFileFault::None : FaultOf(status);
}

ScriptFileFault ReadContainer(const RiffChunk& form, std::vector<ContainedObject>& objects) {
    RiffReader reader(form);
    RiffChunk chunk;
    RiffStatus status;
    while ((status = reader.Next(chunk)) == RiffStatus::Chunk) {
        if (chunk.id == kListId && chunk.listType == kContainedObjectsList) {
            ScriptFileFault fault = ReadObjectList(chunk, objects);
            if (fault != ScriptFileFault::None) {
                return fault;
            }
        }
    }
    return status == RiffStatus::End ? ScriptFileFault::None : FaultOf(status);
}

// One chunk of the 'DMSC' form.
ScriptFileFault ReadFormChunk(const RiffChunk& chunk, ScriptFile& file, bool& haveSource) {
    switch (chunk.id) {
        case kScriptHeaderChunk:
            if (chunk.size < 4) {
                return ScriptFileFault::ChunkTooSmall;
            }
            file.headerFlags = ReadLe32(chunk.data);
            file.hasHeader = true;
            return ScriptFileFault::None;
        case kGuidChunk:
            file.hasGuid = ReadGuid(chunk, file.guid);
            return file.hasGuid ? ScriptFileFault::None : ScriptFileFault::ChunkTooSmall;
        case kVersionChunk:
            file.hasVersion = ReadVersion(chunk, file.version);
            return file.hasVersion ? ScriptFileFault::None : ScriptFileFault::ChunkTooSmall;
        case kScriptVersionChunk:
            file.hasScriptVersion = ReadVersion(chunk, file.scriptVersion);
            return file.hasScriptVersion ? ScriptFileFault::None : ScriptFileFault::ChunkTooSmall;
        case kScriptLanguageChunk:
            file.language = ReadText(chunk);
            return ScriptFileFault::None;
        case kScriptSourceChunk:
            file.source = ReadText(chunk);
            haveSource = true;
            return ScriptFileFault::None;
        case kListId:
            if (chunk.listType == kUnfoList) {
                return ReadUnfo(chunk, file.name);
            }
            if (chunk.listType == kReferenceList) {
                return ScriptFileFault::SourceByReference;
            }
            return ScriptFileFault::None;
        case kRiffId:
            if (chunk.listType == kContainerForm) {
                file.hasContainer = true;
                return ReadContainer(chunk, file.objects);
            }
            return ScriptFileFault::None;
        default:
            return ScriptFileFault::None;
    }
}

}  // namespace

ScriptFileFault ReadScriptFile(const uint8_t* data, size_t size, ScriptFile& file) {
    file = ScriptFile();
    if (size < 4 || ReadLe32(data) != kRiffId) {
        return ScriptFileFault::NotRiff;
    }
    // Bytes after the form are not the script's: only the first chunk is looked at.
    RiffReader outer(data, size);
    RiffChunk form;
    RiffStatus status = outer.Next(form);
    if (status != RiffStatus::Chunk) {
        // The file itself is the parent here: a form larger than the file was cut short.
        return ScriptFileFault::Truncated;
    }
    if (form.listType != kScriptForm) {
        return ScriptFileFault::NotScript;
    }
    bool haveSource = false;
    RiffReader reader(form);
    RiffChunk chunk;
    while ((status = reader.Next(chunk)) == RiffStatus::Chunk) {
        ScriptFileFault fault = ReadFormChunk(chunk, file, haveSource);
        if (fault != ScriptFileFault::None) {
            return fault;
        }
    }
    if (status != RiffStatus::End) {
        return FaultOf(status);
    }
    return haveSource ? ScriptFileFault::None : ScriptFileFault::NoSource;
}

const char* DescribeScriptFileFault(ScriptFileFault fault) {
    switch (fault) {
        case ScriptFileFault::None:
            return "a script file";
        case ScriptFileFault::NotRiff:
            return "not a RIFF file";
        case ScriptFileFault::NotScript:
            return "a RIFF file, but not a script ('DMSC')";
        case ScriptFileFault::Truncated:
            return "cut short inside a chunk";
        case ScriptFileFault::Overrun:
            return "a chunk runs past the end of its parent";
        case ScriptFileFault::ChunkTooSmall:
            return "a header, guid or version chunk is too small";
        case ScriptFileFault::SourceByReference:
            return "the source is a reference to another file, which is not supported";
        case ScriptFileFault::NoSource:
            return "no source text ('scsr')";
    }
    return "unknown fault";
}
