// harpix-make-script: writes a DirectMusic script file ('DMSC') from a script source text, so that
// demo authors and the tests can make scripts without other software; --dump shows what a
// script file holds.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "script_compiler.h"
#include "script_dump.h"
#include "script_file.h"
#include "script_file_writer.h"
#include "script_text.h"
#include "source_text.h"

namespace {

const char kUsage[] =
    "usage: harpix-make-script [--name NAME] [--no-check] SOURCE OUTPUT\n"
    "       harpix-make-script --dump FILE\n"
    "\n"
    "SOURCE is the script's text (AudioVBScript), UTF-8 or UTF-16LE with its byte-order mark.\n"
    "OUTPUT receives a DirectMusic script file holding it: header, a GUID derived from the\n"
    "name and the text, version 1.0.0.0, the name (NAME, or OUTPUT's file name without its\n"
    "extension), the language \"AudioVBScript\", the source and an empty container.\n"
    "The source is first compiled as Harpix's stand-in script engine for Wine does; errors are\n"
    "shown as FILE:LINE:COLUMN and nothing is written. --no-check writes the file anyway.\n"
    "--dump: prints what a script file holds, and whether the stand-in engine compiles it.\n";

bool ReadFile(const char* path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteFile(const char* path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

// The file name without its folder and without its last extension.
std::string Stem(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

int Dump(const char* path) {
    std::string bytes;
    if (!ReadFile(path, bytes)) {
        std::fprintf(stderr, "harpix-make-script: cannot read %s\n", path);
        return 1;
    }
    ScriptFile file;
    ScriptFileFault fault =
        ReadScriptFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), file);
    if (fault != ScriptFileFault::None) {
        std::fprintf(stderr, "harpix-make-script: %s is not a script file: %s\n", path,
                     DescribeScriptFileFault(fault));
        return 1;
    }
    std::string text = DescribeScriptFile(file);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

int Make(const char* sourcePath, const char* outputPath, const char* name, bool check) {
    std::string bytes;
    if (!ReadFile(sourcePath, bytes)) {
        std::fprintf(stderr, "harpix-make-script: cannot read %s\n", sourcePath);
        return 1;
    }
    ScriptFileContents contents;
    if (!DecodeSourceText(bytes, contents.source)) {
        std::fprintf(stderr, "harpix-make-script: %s is neither UTF-8 nor UTF-16LE text\n",
                     sourcePath);
        return 1;
    }
    if (check) {
        Program program;
        ScriptError error;
        if (!CompileScript(contents.source, {}, program, error)) {
            std::fprintf(stderr, "%s:%d:%d: error: %s\n    %s\n", sourcePath, error.line,
                         error.column + 1, error.description.c_str(),
                         ToUtf8(error.lineText).c_str());
            return 1;
        }
    }
    std::string nameText = name != nullptr ? name : Stem(outputPath);
    if (!Utf8ToUtf16(nameText, contents.name)) {
        std::fprintf(stderr, "harpix-make-script: the name is not UTF-8 text\n");
        return 1;
    }
    contents.guid = GuidFromContent(contents.name, contents.source);
    if (!WriteFile(outputPath, WriteScriptFile(contents))) {
        std::fprintf(stderr, "harpix-make-script: cannot write %s\n", outputPath);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The same bytes on every system: no CR added before each line feed.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::vector<const char*> paths;
    const char* name = nullptr;
    bool check = true;
    bool dump = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (std::strcmp(argv[i], "--name") == 0 && i + 1 < argc) {
            name = argv[++i];
        } else if (std::strcmp(argv[i], "--no-check") == 0) {
            check = false;
        } else if (std::strcmp(argv[i], "--dump") == 0) {
            dump = true;
        } else if (argv[i][0] == '-' && argv[i][1] == '-') {
            std::fprintf(stderr, "harpix-make-script: unknown option %s\n\n%s", argv[i], kUsage);
            return 2;
        } else {
            paths.push_back(argv[i]);
        }
    }
    if (dump && paths.size() == 1 && name == nullptr && check) {
        return Dump(paths[0]);
    }
    if (!dump && paths.size() == 2) {
        return Make(paths[0], paths[1], name, check);
    }
    std::fputs(kUsage, stderr);
    return 2;
}
