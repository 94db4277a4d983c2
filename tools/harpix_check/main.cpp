// harpix-check: reads a description file exactly as Harpix does and prints what it found as JSON;
// --explain says where and why, --preview draws the window, --locate names the file and folder a
// command line makes Harpix use, and --new-demo makes a description file from a script.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "description_file_name.h"
#include "description_json.h"
#include "description_reader.h"
#include "explain.h"
#include "new_demo_command.h"
#include "preview_svg.h"
#include "runtime_files.h"

namespace {

const char kUsage[] =
    "usage: harpix-check FILE\n"
    "       harpix-check --explain [--json] FILE\n"
    "       harpix-check --preview FILE OUT.svg\n"
    "       harpix-check --locate COMMANDLINE\n"
    "       harpix-check --new-demo [--force] SCRIPT OUT.ini\n"
    "\n"
    "FILE: reads the description file as Harpix.exe reads it and prints, as JSON, the settings,\n"
    "the records the window would show, and every message Harpix would show, in order.\n"
    "--explain: prints one finding a line, FILE:LINE:COLUMN: message|warning|note: TEXT: every\n"
    "message Harpix would show where it arises, the traps that show none, layout problems,\n"
    "and the routines and variables that the script in RuntimeFiles does not define. With\n"
    "--json, the JSON above with a \"findings\" list added, and \"startUp\": whether the main\n"
    "window comes up, the exit code, and the box that ends start-up or null (as under Wine\n"
    "with the stand-in script engine). Exit status 0 when clean, 1 with messages or\n"
    "warnings, 2 when FILE cannot be read.\n"
    "--preview: draws the window as Harpix would build it into OUT.svg, the findings that\n"
    "concern a control marked in red and numbered, and prints the findings as --explain does.\n"
    "--locate: prints the description file name and the folder that Harpix started with\n"
    "COMMANDLINE would use.\n"
    "--new-demo: writes OUT.ini, a demo of the DirectMusic script file SCRIPT: a button for\n"
    "each routine, an edit box for each variable, instructions and the lyric view, laid out in\n"
    "a window that holds them. It never replaces an existing OUT.ini without --force. Exit\n"
    "status 0 when everything has its place, 1 when something was left out or the script\n"
    "could be read only in part, 2 when nothing was written.\n";

class RecordedMessages : public ReaderMessages {
public:
    void Show(const char* text) override { shown.emplace_back(text); }
    std::vector<std::string> shown;
};

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// --explain and --preview: 0 clean, 1 messages or warnings, 2 unreadable or unwritable.
int Explain(const char* path, bool json, const char* svgPath) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        std::fprintf(stderr, "harpix-check: cannot read %s\n", path);
        return 2;
    }
    const Explanation explanation = ExplainDescription(bytes, FolderOf(path), true);
    const SourcePositions places(bytes);
    std::vector<int> marks;
    if (svgPath != nullptr) {
        if (!WriteFileBytes(svgPath, DrawDemoWindow(explanation.findings, marks))) {
            std::fprintf(stderr, "harpix-check: cannot write %s\n", svgPath);
            return 2;
        }
    }
    Print(json ? ExplanationAsJson(explanation, places)
               : FormatExplanation(explanation, places, path, marks));
    return HasProblems(explanation) ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The same bytes on every system: no CR added before each line feed.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--help") {
        Print(kUsage);
        return 0;
    }
    if (args.size() == 2 && args[0] == "--locate") {
        DescriptionFileLocation location = LocateDescriptionFileName(argv[2]);
        Print(DescribeLocationAsJson(location.descriptionFileName, location.directory));
        return 0;
    }
    if (args.size() == 2 && args[0] == "--explain") {
        return Explain(argv[2], false, nullptr);
    }
    if (args.size() == 3 && ((args[0] == "--explain" && args[1] == "--json") ||
                             (args[0] == "--json" && args[1] == "--explain"))) {
        return Explain(argv[3], true, nullptr);
    }
    if (args.size() == 3 && args[0] == "--preview") {
        return Explain(argv[2], false, argv[3]);
    }
    if (args.size() == 3 && args[0] == "--new-demo") {
        return RunNewDemo(args[1], args[2], false);
    }
    if (args.size() == 4 && ((args[0] == "--new-demo" && args[1] == "--force") ||
                             (args[0] == "--force" && args[1] == "--new-demo"))) {
        return RunNewDemo(args[2], args[3], true);
    }
    if (args.size() != 1) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    RecordedMessages messages;
    if (!ReadDescriptionFile(argv[1], messages)) {
        std::fprintf(stderr, "harpix-check: cannot open %s\n", argv[1]);
        return 1;
    }
    Print(DescribeReadingAsJson(messages.shown));
    return 0;
}
