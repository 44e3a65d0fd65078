// The resources as the system finds them: German, with the ids the code uses.
#include <gtest/gtest.h>

#include "resource.h"
#include "resource_reader.h"
#include "window_driver.h"

namespace {

struct NamedResource {
    const wchar_t* type;
    int id;
    const char* what;
};

TEST(Resources, EveryResourceIsGerman)
{
    const NamedResource resources[] = {
        {RT_GROUP_ICON, IDI_QUORVEL, "large icon"},
        {RT_GROUP_ICON, IDI_SMALL, "small icon"},
        {RT_MENU, IDR_MAINMENU, "menu"},
        {RT_ACCELERATOR, IDR_ACCELERATORS, "accelerators"},
        {RT_DIALOG, IDD_ABOUTBOX, "About box"},
        {RT_MANIFEST, 1, "manifest"},
        // Strings 103 and 109 both lie in string block 7 (id / 16 + 1).
        {RT_STRING, IDS_APP_TITLE / 16 + 1, "string table"},
    };
    for (const NamedResource& resource : resources)
        EXPECT_FALSE(germanResource(resource.type, resource.id).empty()) << resource.what;
}

TEST(Resources, StringTableHoldsTitleAndClassName)
{
    struct Case {
        int id;
        const wchar_t* text;
    };
    for (const Case& c : {Case{IDS_APP_TITLE, L"Quorvel"}, Case{IDS_CLASS_NAME, L"QUORVEL"}}) {
        wchar_t text[100] = {};
        LoadStringW(GetModuleHandleW(nullptr), c.id, text, 100);
        EXPECT_STREQ(c.text, text) << c.id;
    }
}

TEST(Resources, BothIconGroupsHoldTheEightImages)
{
    const std::vector<IconImage> expected = {
        {32, 4}, {16, 4}, {48, 8}, {32, 8}, {16, 8}, {48, 32}, {32, 32}, {16, 32},
    };
    for (const int id : {IDI_QUORVEL, IDI_SMALL}) {
        const std::vector<IconImage> images = iconGroup(id);
        ASSERT_EQ(expected.size(), images.size()) << id;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(expected[i].size, images[i].size) << id << " image " << i;
            EXPECT_EQ(expected[i].bitsPerPixel, images[i].bitsPerPixel) << id << " image " << i;
        }
    }
}

TEST(Resources, ManifestAsksForTheInvokersRightsOnly)
{
    const std::string manifest = germanResource(RT_MANIFEST, 1);
    EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\""));
    EXPECT_NE(std::string::npos, manifest.find("uiAccess=\"false\""));
    EXPECT_EQ(std::string::npos, manifest.find("<dependency"));
    EXPECT_EQ(std::string::npos, manifest.find("<application"));
}

TEST(Resources, AcceleratorsAreAltWithTheCharactersQuestionMarkAndSlash)
{
    const HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    ACCEL entries[4] = {};
    ASSERT_EQ(2, CopyAcceleratorTableW(table, entries, 4));
    const wchar_t keys[] = {L'?', L'/'};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(keys[i], entries[i].key);
        EXPECT_EQ(IDM_ABOUT, entries[i].cmd);
        // Character accelerators: no FVIRTKEY.
        EXPECT_EQ(FALT, entries[i].fVirt & ~0x80) << i;
    }
}

TEST(Resources, AboutBoxTemplate)
{
    const DialogTemplate about = dialogTemplate(IDD_ABOUTBOX);
    ASSERT_TRUE(about.extended);
    EXPECT_EQ(static_cast<DWORD>(DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS | WS_POPUP | WS_CAPTION | WS_SYSMENU),
              about.style);
    EXPECT_EQ(210, about.width);
    EXPECT_EQ(82, about.height);
    EXPECT_EQ(L"Info über Quorvel", about.caption);
    EXPECT_EQ(8, about.pointSize);
    EXPECT_EQ(L"MS Shell Dlg", about.font);

    const DWORD child = WS_CHILD | WS_VISIBLE;
    const std::vector<DialogItem> expected = {
        {child | SS_LEFT | SS_NOPREFIX | WS_GROUP, 15, 10, 114, 8, -1, L"Static", L"Quorvel, Version 02.10"},
        {child | SS_LEFT | WS_GROUP, 15, 36, 178, 8, -1, L"Static", L"Weitere Informationen entnehmen Sie bitte "},
        {child | SS_LEFT | WS_GROUP, 15, 46, 178, 8, -1, L"Static",
         fromUtf8("der Schnittstellenbeschreibung auf " QUORVEL_WEB_SITE ".")},
        {child | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 153, 61, 50, 14, IDOK, L"Button", L"OK"},
    };
    ASSERT_EQ(expected.size(), about.items.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const DialogItem& want = expected[i];
        const DialogItem& got = about.items[i];
        EXPECT_EQ(want.style, got.style) << i;
        EXPECT_EQ(want.x, got.x) << i;
        EXPECT_EQ(want.y, got.y) << i;
        EXPECT_EQ(want.width, got.width) << i;
        EXPECT_EQ(want.height, got.height) << i;
        EXPECT_EQ(static_cast<WORD>(want.id), static_cast<WORD>(got.id)) << i;
        EXPECT_EQ(want.className, got.className) << i;  // by ordinal, as the resource compiler writes it
        EXPECT_EQ(want.text, got.text) << i;
    }
}

}  // namespace
