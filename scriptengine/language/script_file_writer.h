// Writing DirectMusic script files: what harpix-make-script puts in a 'DMSC' form.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "script_file.h"

struct ScriptFileContents {
    std::u16string name;
    std::u16string source;
    std::u16string language = u"AudioVBScript";
    FileGuid guid;
    FileVersion version{0x00010000, 0};        // 1.0.0.0
    FileVersion scriptVersion{0x00080000, 0};  // DirectMusic 8.0, the first with scripting
    uint32_t headerFlags = 0;
};

// The chunks in the order DirectMusic's own tools write them: schd, guid, vers, LIST UNFO (UNAM),
// scve, scla, scsr, and an empty RIFF DMCN container (its 'conh' header only).
std::vector<uint8_t> WriteScriptFile(const ScriptFileContents& contents);

// A GUID derived from the name and the source, so that the same script always gives the same
// file: marked as a name-based GUID of the custom kind (version 8, RFC 9562), not a random one.
FileGuid GuidFromContent(const std::u16string& name, const std::u16string& source);

// {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}, as Windows writes GUIDs.
std::string FormatGuid(const FileGuid& guid);
