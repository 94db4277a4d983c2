// DescribeScriptFile: one "key: value" line per field, then the source.
#include "script_dump.h"

#include <cstdio>

#include "script_compiler.h"
#include "script_file_writer.h"
#include "script_text.h"

namespace {

std::string Version(const FileVersion& version) {
    char text[64];
    std::snprintf(text, sizeof text, "%lu.%lu.%lu.%lu",
                  static_cast<unsigned long>(version.ms >> 16),
                  static_cast<unsigned long>(version.ms & 0xFFFF),
                  static_cast<unsigned long>(version.ls >> 16),
                  static_cast<unsigned long>(version.ls & 0xFFFF));
    return text;
}

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

std::string FourCcText(uint32_t value) {
    std::string text;
    for (int shift = 0; shift < 32; shift += 8) {
        char c = static_cast<char>((value >> shift) & 0xFF);
        text.push_back(c >= 0x20 && c < 0x7F ? c : '?');
    }
    return text;
}

}  // namespace

std::string DescribeScriptFile(const ScriptFile& file) {
    std::string out;
    out += "name: " + ToUtf8(file.name) + "\n";
    out += "guid: " + (file.hasGuid ? FormatGuid(file.guid) : std::string("none")) + "\n";
    out += "version: " + (file.hasVersion ? Version(file.version) : std::string("none")) + "\n";
    out += "script version: " +
           (file.hasScriptVersion ? Version(file.scriptVersion) : std::string("none")) + "\n";
    out += "header flags: " + (file.hasHeader ? Hex(file.headerFlags) : std::string("none")) + "\n";
    out += "language: " + ToUtf8(file.language) + "\n";
    out += "container: " + std::string(file.hasContainer ? "yes" : "no") + ", " +
           std::to_string(file.objects.size()) + " objects\n";
    for (const ContainedObject& object : file.objects) {
        out += "object: " + ToUtf8(object.alias);
        if (object.hasHeader) {
            out += " class " + FormatGuid(object.classId) + " flags " + Hex(object.flags) +
                   " chunk " + FourCcText(object.chunkId) + "/" + FourCcText(object.chunkType);
        }
        out += "\n";
    }
    Program program;
    ScriptError error;
    if (CompileScriptFile(file, program, error)) {
        out += "compiles: yes, " + std::to_string(program.routines.size()) + " routines, " +
               std::to_string(program.globals.size()) + " variables\n";
    } else {
        out += "compiles: no: line " + std::to_string(error.line) + ", column " +
               std::to_string(error.column + 1) + ": " + error.description + "\n";
    }
    out += "source:\n" + ToUtf8(file.source);
    if (out.back() != '\n') {
        out += "\n";
    }
    return out;
}
