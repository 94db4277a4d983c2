// libFuzzer target for the authors' tools on a description file: whatever the bytes, every
// finding of harpix-check --explain lies inside the file as saved, and --preview draws the window
// with a mark for each finding about a control.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "explain.h"
#include "fuzz_check.h"
#include "object_records.h"
#include "preview_svg.h"
#include "source_positions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const Explanation explanation = ExplainDescription(bytes, "", false);
    std::vector<int> marks;
    const std::string svg = DrawDemoWindow(explanation.findings, marks);
    FUZZ_CHECK(svg.rfind("<svg", 0) == 0 && svg.find("</svg>") != std::string::npos,
               "the preview is no SVG: %.200s", svg.c_str());
    FUZZ_CHECK(marks.size() == explanation.findings.size(), "%zu marks for %zu findings",
               marks.size(), explanation.findings.size());
    const SourcePositions places(bytes);
    const std::string text = FormatExplanation(explanation, places, "Harpix.ini", marks);
    const long lines = static_cast<long>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find('\n', start);
        FUZZ_CHECK(end != std::string::npos, "unterminated finding %.200s", text.c_str() + start);
        long line = 0;
        long column = 0;
        FUZZ_CHECK(std::sscanf(text.c_str() + start, "Harpix.ini:%ld:%ld: ", &line, &column) == 2 &&
                       line >= 1 && line <= lines && column >= 1,
                   "a finding outside the file's %ld lines: %.200s", lines, text.c_str() + start);
        start = end + 1;
    }
    ReleaseObjectRecords();
    return 0;
}
