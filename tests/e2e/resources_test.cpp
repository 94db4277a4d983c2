// The resources built into Harpix.exe, read from the file the way Windows reads them.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "demo_folder.h"

namespace {

class HarpixResources : public testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryExA(harpixExePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << "cannot load " << harpixExePath;
    }
    void TearDown() override {
        if (module != nullptr) {
            FreeLibrary(module);
        }
    }
    HMODULE module = nullptr;
};

std::string MenuText(HMENU menu, int position) {
    char text[128] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST_F(HarpixResources, MenuBarHasFileExitAndHelpAbout) {
    HMENU menu = LoadMenuA(module, MAKEINTRESOURCEA(109));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    EXPECT_EQ(MenuText(menu, 0), "&File");
    EXPECT_EQ(MenuText(menu, 1), "&Help");
    struct Item {
        int popup;
        const char* text;
        UINT id;
    };
    const Item items[] = {{0, "E&xit", 105}, {1, "&About Harpix...", 104}};
    for (const Item& item : items) {
        SCOPED_TRACE(item.text);
        HMENU popup = GetSubMenu(menu, item.popup);
        ASSERT_EQ(GetMenuItemCount(popup), 1);
        EXPECT_EQ(MenuText(popup, 0), item.text);
        EXPECT_EQ(GetMenuItemID(popup, 0), item.id);
        EXPECT_EQ(GetMenuState(popup, 0, MF_BYPOSITION) & (MF_GRAYED | MF_CHECKED | MF_SEPARATOR),
                  0u);
    }
    DestroyMenu(menu);
}

TEST_F(HarpixResources, AcceleratorsAreAltQuestionMarkAndAltSlashAsCharacters) {
    HACCEL table = LoadAcceleratorsA(module, MAKEINTRESOURCEA(109));
    ASSERT_NE(table, nullptr);
    ACCEL entries[4] = {};
    ASSERT_EQ(CopyAcceleratorTableA(table, entries, 4), 2);
    EXPECT_EQ(entries[0].key, '?');
    EXPECT_EQ(entries[1].key, '/');
    for (const ACCEL& entry : entries) {
        if (entry.key == 0) {
            continue;
        }
        EXPECT_EQ(entry.fVirt, FALT) << "got flags " << int(entry.fVirt);
        EXPECT_EQ(entry.cmd, 104);
    }
}

TEST_F(HarpixResources, StringTableHoldsTheNameAndTheClassName) {
    char text[100] = {};
    EXPECT_GT(LoadStringA(module, 103, text, sizeof text), 0);
    EXPECT_STREQ(text, "Harpix");
    EXPECT_GT(LoadStringA(module, 109, text, sizeof text), 0);
    EXPECT_STREQ(text, "HARPIX");
}

TEST_F(HarpixResources, IconsAreSixteenColourImagesOfTheRightSizes) {
    struct Row {
        int id;
        int size;
    };
    const Row rows[] = {{107, 32}, {107, 16}, {108, 16}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id * 100 + row.size);
        HICON icon = static_cast<HICON>(
            LoadImageA(module, MAKEINTRESOURCEA(row.id), IMAGE_ICON, row.size, row.size, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap = {};
        GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, row.size);
        EXPECT_EQ(bitmap.bmHeight, row.size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    // The directory of icon 107 lists exactly a 32x32 and a 16x16 image of 4 bits a pixel.
    HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(107), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
    ASSERT_NE(dir, nullptr);
    WORD count = 0;
    std::memcpy(&count, dir + 4, 2);
    ASSERT_EQ(count, 2);
    for (int i = 0; i < count; ++i) {
        const BYTE* entry = dir + 6 + 14 * i;
        WORD bits = 0;
        std::memcpy(&bits, entry + 6, 2);
        EXPECT_EQ(bits, 4);
        EXPECT_EQ(entry[0], i == 0 ? 32 : 16);
    }
}

TEST_F(HarpixResources, AboutDialogTemplateIsExact) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(103), RT_DIALOG);
    ASSERT_NE(found, nullptr);
    const BYTE* t = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(t, nullptr);
    auto word = [](const BYTE* p) {
        WORD w;
        std::memcpy(&w, p, 2);
        return w;
    };
    auto dword = [](const BYTE* p) {
        DWORD d;
        std::memcpy(&d, p, 4);
        return d;
    };
    // DLGTEMPLATEEX: version 1, signature 0xFFFF, help id, extended style, style, item count,
    // x, y, cx, cy.
    ASSERT_EQ(word(t), 1);
    ASSERT_EQ(word(t + 2), 0xFFFF);
    EXPECT_EQ(dword(t + 8), 0u) << "extended style";
    EXPECT_EQ(dword(t + 12), 0x00C800C0u) << std::hex << dword(t + 12);
    EXPECT_EQ(word(t + 16), 2);
    EXPECT_EQ(static_cast<short>(word(t + 18)), 22);
    EXPECT_EQ(static_cast<short>(word(t + 20)), 17);
    EXPECT_EQ(static_cast<short>(word(t + 22)), 117);
    EXPECT_EQ(static_cast<short>(word(t + 24)), 69);
    const BYTE* p = t + 26;
    auto text = [&](const BYTE*& q) {
        std::string s;
        for (; word(q) != 0; q += 2) {
            s += static_cast<char>(word(q));
        }
        q += 2;
        return s;
    };
    EXPECT_EQ(word(p), 0) << "no menu";
    p += 2;
    EXPECT_EQ(word(p), 0) << "default dialog class";
    p += 2;
    EXPECT_EQ(text(p), "About Harpix");
    EXPECT_EQ(word(p), 8) << "point size";
    EXPECT_EQ(word(p + 2), 0) << "weight";
    EXPECT_EQ(p[4], 0) << "italic";
    EXPECT_EQ(p[5], 0) << "character set";
    p += 6;
    EXPECT_EQ(text(p), "System");

    struct Control {
        DWORD style;
        short x, y, cx, cy;
        DWORD id;
        WORD classAtom;
        const char* text;
    };
    const Control controls[] = {
        {0x50020080, 13, 9, 55, 8, 0xFFFFFFFF, 0x0082, "Harpix 2.11"},
        {0x50030001, 81, 8, 30, 11, 1, 0x0080, "OK"},
    };
    for (const Control& c : controls) {
        SCOPED_TRACE(c.text);
        p = t + ((p - t + 3) & ~3);  // items are DWORD-aligned
        EXPECT_EQ(dword(p + 8), c.style) << std::hex << dword(p + 8);
        EXPECT_EQ(static_cast<short>(word(p + 12)), c.x);
        EXPECT_EQ(static_cast<short>(word(p + 14)), c.y);
        EXPECT_EQ(static_cast<short>(word(p + 16)), c.cx);
        EXPECT_EQ(static_cast<short>(word(p + 18)), c.cy);
        EXPECT_EQ(dword(p + 20), c.id);
        p += 24;
        ASSERT_EQ(word(p), 0xFFFF) << "class given by atom";
        EXPECT_EQ(word(p + 2), c.classAtom);
        p += 4;
        EXPECT_EQ(text(p), c.text);
        p += 2 + word(p);  // creation data
    }
}

}  // namespace
