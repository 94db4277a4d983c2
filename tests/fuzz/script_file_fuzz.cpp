// libFuzzer target for the stand-in script engine's file reader: a script file written by
// anyone is read without stepping outside its bytes, the same way every time, and what it holds
// survives being written out and read back; its source then goes through the language as the
// engine's Init would take it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "script_checks.h"
#include "script_file.h"
#include "script_file_writer.h"

namespace {

bool SameGuid(const FileGuid& a, const FileGuid& b) {
    return std::memcmp(a.bytes, b.bytes, sizeof a.bytes) == 0;
}

bool SameVersion(const FileVersion& a, const FileVersion& b) {
    return a.ms == b.ms && a.ls == b.ls;
}

bool SameObject(const ContainedObject& a, const ContainedObject& b) {
    return a.alias == b.alias && a.hasHeader == b.hasHeader && SameGuid(a.classId, b.classId) &&
           a.flags == b.flags && a.chunkId == b.chunkId && a.chunkType == b.chunkType;
}

bool SameFile(const ScriptFile& a, const ScriptFile& b) {
    if (a.objects.size() != b.objects.size()) {
        return false;
    }
    for (size_t i = 0; i < a.objects.size(); ++i) {
        if (!SameObject(a.objects[i], b.objects[i])) {
            return false;
        }
    }
    return a.hasHeader == b.hasHeader && a.headerFlags == b.headerFlags && a.hasGuid == b.hasGuid &&
           SameGuid(a.guid, b.guid) && a.hasVersion == b.hasVersion &&
           SameVersion(a.version, b.version) && a.hasScriptVersion == b.hasScriptVersion &&
           SameVersion(a.scriptVersion, b.scriptVersion) && a.name == b.name &&
           a.language == b.language && a.source == b.source && a.hasContainer == b.hasContainer;
}

// Texts are zero-terminated in the file: what is read stops before the zero, and cannot hold
// more units than the file has pairs of bytes.
void CheckText(const std::u16string& text, size_t fileSize, const char* what) {
    FUZZ_CHECK(text.find(u'\0') == std::u16string::npos, "the %s holds a zero unit", what);
    FUZZ_CHECK(text.size() * 2 <= fileSize, "a %zu-unit %s from a file of %zu bytes", text.size(),
               what, fileSize);
}

void CheckFile(const ScriptFile& file, size_t size) {
    CheckText(file.name, size, "name");
    CheckText(file.language, size, "language");
    CheckText(file.source, size, "source");
    // Each object needs a LIST header of its own: 12 bytes at least.
    FUZZ_CHECK(file.objects.size() * 12 <= size, "%zu objects from a file of %zu bytes",
               file.objects.size(), size);
    for (const ContainedObject& object : file.objects) {
        CheckText(object.alias, size, "alias");
    }
}

// harpix-make-script's writer must give a file that reads back as what was written.
void CheckRoundTrip(const ScriptFile& file) {
    ScriptFileContents contents;
    contents.name = file.name;
    contents.source = file.source;
    contents.language = file.language;
    contents.guid = file.guid;
    contents.version = file.version;
    contents.scriptVersion = file.scriptVersion;
    contents.headerFlags = file.headerFlags;
    std::vector<uint8_t> bytes = WriteScriptFile(contents);
    ScriptFile back;
    ScriptFileFault fault = ReadScriptFile(bytes.data(), bytes.size(), back);
    FUZZ_CHECK(fault == ScriptFileFault::None, "a written file reads back as %s",
               DescribeScriptFileFault(fault));
    FUZZ_CHECK(back.name == file.name && back.source == file.source &&
                   back.language == file.language && SameGuid(back.guid, file.guid) &&
                   SameVersion(back.version, file.version) &&
                   SameVersion(back.scriptVersion, file.scriptVersion) &&
                   back.headerFlags == file.headerFlags,
               "a written file reads back different");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ScriptFile file;
    ScriptFile again;
    ScriptFileFault fault = ReadScriptFile(data, size, file);
    ScriptFileFault faultAgain = ReadScriptFile(data, size, again);
    FUZZ_CHECK(fault == faultAgain && SameFile(file, again), "two readings of one file differ");
    CheckFile(file, size);
    if (fault != ScriptFileFault::None) {
        return 0;
    }
    CheckRoundTrip(file);
    std::vector<std::u16string> aliases;
    for (const ContainedObject& object : file.objects) {
        aliases.push_back(object.alias);
    }
    CheckCompileAndRun(file.source, aliases);
    return 0;
}
