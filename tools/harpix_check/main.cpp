// harpix-check: reads a description file exactly as Harpix does and prints what it found as JSON.
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

namespace {

const char kUsage[] =
    "usage: harpix-check FILE\n"
    "       harpix-check --locate COMMANDLINE\n"
    "\n"
    "FILE: reads the description file as Harpix.exe reads it and prints, as JSON, the settings,\n"
    "the records the window would show, and every message Harpix would show, in order.\n"
    "--locate: prints the description file name and the folder that Harpix started with\n"
    "COMMANDLINE would use.\n";

class RecordedMessages : public ReaderMessages {
public:
    void Show(const char* text) override { shown.emplace_back(text); }
    std::vector<std::string> shown;
};

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The same bytes on every system: no CR added before each line feed.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        Print(kUsage);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--locate") == 0) {
        DescriptionFileLocation location = LocateDescriptionFileName(argv[2]);
        Print(DescribeLocationAsJson(location.descriptionFileName, location.directory));
        return 0;
    }
    if (argc != 2) {
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
