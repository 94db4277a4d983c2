// The About box from outside: opened from the menu and the accelerators, closed every way.
#include <gtest/gtest.h>

#include "demo_run.h"

namespace {

const char kDescription[] = "Title About\nWindowWidth 320\nWindowHeight 240\nEnd Ini\n";

// Opens the About box with Help, About and checks what it shows.
HWND OpenAboutBox(const DemoRun& run, HWND main) {
    PostMessageA(main, WM_COMMAND, 104, 0);
    HWND about = WaitForWindowOfClass(run.Id(), "#32770");
    if (about == nullptr) {
        ADD_FAILURE() << "the About box did not open";
        return nullptr;
    }
    EXPECT_EQ(CaptionOf(about), "About Harpix");
    EXPECT_EQ(GetWindow(about, GW_OWNER), main);
    EXPECT_EQ(ControlText(GetDlgItem(about, IDOK)), "OK");
    std::string texts;
    for (HWND c = GetWindow(about, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        texts += ControlText(c) + "|";
    }
    EXPECT_EQ(texts, "Harpix 2.11|OK|");
    EXPECT_FALSE(IsWindowEnabled(main)) << "the box is modal";
    return about;
}

TEST(AboutBox, ClosesWithOkEnterEscAndTheCloseButtonAndOpensAgain) {
    DemoRun run(kDescription);
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    struct Way {
        const char* name;
        void (*close)(HWND about);
    };
    const Way ways[] = {
        {"OK button", [](HWND about) { PressButton(about, IDOK); }},
        {"Enter",
         [](HWND about) { PressKey(GetWindowThreadProcessId(about, nullptr), VK_RETURN); }},
        {"Esc", [](HWND about) { PressKey(GetWindowThreadProcessId(about, nullptr), VK_ESCAPE); }},
        {"close button", [](HWND about) { PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        HWND about = OpenAboutBox(run, main);
        ASSERT_NE(about, nullptr);
        way.close(about);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); })) << "the box stayed open";
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }));
    }
    PostMessageA(main, WM_COMMAND, 105, 0);
    EXPECT_EQ(run.ExitCode(), 0u);
}

TEST(AboutBox, OpensWithAltSlashAndAltQuestionMarkTypedAtTheMainWindow) {
    DemoRun run(kDescription);
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    const std::vector<int> altSlash = {VK_MENU, VK_OEM_2, -VK_OEM_2, -VK_MENU};
    const std::vector<int> altQuestion = {VK_MENU,   VK_SHIFT,  VK_OEM_2,
                                          -VK_OEM_2, -VK_SHIFT, -VK_MENU};
    for (const auto& keys : {altSlash, altQuestion}) {
        HWND about = nullptr;
        for (int attempt = 0; attempt < 3 && about == nullptr; ++attempt) {
            TypeKeys(main, keys);
            about = WaitForWindowOfClass(run.Id(), "#32770", 3000);
        }
        ASSERT_NE(about, nullptr) << "the accelerator did not open the About box";
        EXPECT_EQ(CaptionOf(about), "About Harpix");
        PressButton(about, IDOK);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    }
    // Alt with another key is no accelerator.
    TypeKeys(main, {VK_MENU, 'Q', -'Q', -VK_MENU});
    Sleep(500);
    EXPECT_EQ(FindWindowOfClass(run.Id(), "#32770"), nullptr);
}

}  // namespace
