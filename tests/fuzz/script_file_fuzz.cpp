// libFuzzer target for the stand-in script engine's file reader: a script file written by anyone
// is read without stepping outside its bytes, and what it holds survives being written out by
// harpix-make-script's writer and read back; its source then goes through the language as the
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

// Texts are zero-terminated in the file: what is read stops before the zero, and cannot hold
// more units than the file has pairs of bytes.
void CheckText(const std::u16string& text, size_t fileSize, const char* what) {
    FUZZ_CHECK(text.find(u'\0') == std::u16string::npos, "the %s holds a zero unit", what);
    FUZZ_CHECK(text.size() * 2 <= fileSize, "a %zu-unit %s from a file of %zu bytes", text.size(),
               what, fileSize);
}

bool Same(const FileVersion& a, const FileVersion& b) {
    return a.ms == b.ms && a.ls == b.ls;
}

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
    FUZZ_CHECK(
        back.name == file.name && back.source == file.source && back.language == file.language &&
            std::memcmp(back.guid.bytes, file.guid.bytes, sizeof file.guid.bytes) == 0 &&
            Same(back.version, file.version) && Same(back.scriptVersion, file.scriptVersion) &&
            back.headerFlags == file.headerFlags,
        "a written file reads back different");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ScriptFile file;
    ScriptFileFault fault = ReadScriptFile(data, size, file);
    CheckText(file.name, size, "name");
    CheckText(file.language, size, "language");
    CheckText(file.source, size, "source");
    // Each object needs a LIST header of its own: 12 bytes at least.
    FUZZ_CHECK(file.objects.size() * 12 <= size, "%zu objects from a file of %zu bytes",
               file.objects.size(), size);
    std::vector<std::u16string> aliases;
    for (const ContainedObject& object : file.objects) {
        CheckText(object.alias, size, "alias");
        aliases.push_back(object.alias);
    }
    if (fault == ScriptFileFault::None) {
        CheckRoundTrip(file);
        CheckCompileAndRun(file.source, aliases);
    }
    return 0;
}
