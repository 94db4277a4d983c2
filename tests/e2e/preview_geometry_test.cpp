// harpix-check's preview against the real window: every control harpix-check --preview draws
// must stand where Harpix.exe puts it, with the same id and size, and no control may be missing.
#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "e2e_support.h"

namespace {

using Rectangles = std::map<int, std::string>;  // id -> "x y width height", client coordinates

std::string Crowded() {
    std::string file = "Title Crowded\nWindowWidth 640\nWindowHeight 480\nScriptFileName e2e.spt\n";
    for (int i = 0; i < 12; ++i) {
        const std::string n = std::to_string(i), x = std::to_string(10 + i % 4 * 155),
                          y = std::to_string(10 + i / 4 * 30);
        // Long labels: each ends where its box begins, and the boxes on the left move right.
        file += "Button Button number " + n + "\nCoordx " + x + "\nCoordy " + y +
                "\nWidth 140\nHeight 25\nScriptroutine R\nVariable A rather long label, value " +
                n + "\nCoordx " + x + "\nCoordy " + std::to_string(110 + i / 4 * 30) +
                "\nScriptvariable V\nTextBox\nTopLeftX " + std::to_string(10 + i * 50) +
                "\nTopLeftY 210\nWidth 45\nHeight 60\nText Line one\nLine two\nEndText\n";
    }
    return file + "LyricView\nTopLeftX 10\nTopLeftY 290\nWidth 610\nHeight 30\nEnd Ini\n";
}

Rectangles FromSvg(const std::string& svg) {
    static const std::regex rect(
        "<rect id=\"control-(\\d+)\" x=\"(-?\\d+)\" y=\"(-?\\d+)\" width=\"(\\d+)\" "
        "height=\"(\\d+)\"");
    Rectangles found;
    for (std::sregex_iterator m(svg.begin(), svg.end(), rect), end; m != end; ++m) {
        found[std::stoi((*m)[1])] =
            (*m)[2].str() + " " + (*m)[3].str() + " " + (*m)[4].str() + " " + (*m)[5].str();
    }
    return found;
}

Rectangles FromWindow(HWND main) {
    Rectangles found;
    for (HWND control : ChildrenOf(main)) {
        const RECT r = ClientRectOf(control);
        found[GetDlgCtrlID(control)] = std::to_string(r.left) + " " + std::to_string(r.top) + " " +
                                       std::to_string(r.right - r.left) + " " +
                                       std::to_string(r.bottom - r.top);
    }
    return found;
}

TEST(Preview, DrawsEveryControlWhereTheRealWindowHasIt) {
    const std::string demo = ReadFileBytes(demoSourceFolder + "\\Harpix.ini");
    ASSERT_FALSE(demo.empty()) << "no Harpix.ini in " << demoSourceFolder;
    std::smatch script;
    ASSERT_TRUE(std::regex_search(demo, script, std::regex("\nScriptFileName ([^\r\n]+)")));
    for (const auto& row : {std::make_pair(demo, script[1].str()),
                            std::make_pair(Crowded(), std::string("e2e.spt"))}) {
        SCOPED_TRACE("the file whose script is " + row.second);
        DemoFolder folder;
        folder.Write("Harpix.ini", row.first);
        folder.WriteEmptyScript("RuntimeFiles\\" + row.second);
        const std::string svgPath = folder.Path() + "\\preview.svg";
        Process check(
            harpixCheckPath,
            "harpix-check.exe --preview \"" + folder.Path() + "\\Harpix.ini\" \"" + svgPath + "\"",
            folder.Path());
        // 1 says there are warnings (the script here has no source); 2 would be no picture.
        ASSERT_LE(check.ExitCode(), 1u);
        const Rectangles drawn = FromSvg(ReadFileBytes(svgPath));
        ASSERT_FALSE(drawn.empty()) << "no control in the preview";

        Process harpix = StartIn(folder);
        HWND main = harpix.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(drawn, FromWindow(main));
    }
}

}  // namespace
