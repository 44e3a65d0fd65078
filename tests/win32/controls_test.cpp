// The main window as it is made: its class, size, menu, the six controls in
// their order, and their places after WM_SIZE.
#include <gtest/gtest.h>

#include <richedit.h>

#include "program_state.h"
#include "resource.h"
#include "window_driver.h"

namespace {

TEST(MainWindow, ClassTitleAndOuterSize)
{
    MainWindow window;
    wchar_t className[100] = {};
    GetClassNameW(window.handle(), className, 100);
    EXPECT_STREQ(L"QUORVEL", className);
    EXPECT_EQ(L"Quorvel", titleOf(window));
    EXPECT_EQ(static_cast<DWORD>(CS_HREDRAW | CS_VREDRAW), GetClassLongW(window.handle(), GCL_STYLE));
    EXPECT_EQ(static_cast<ULONG_PTR>(COLOR_WINDOW + 1), GetClassLongPtrW(window.handle(), GCLP_HBRBACKGROUND));
    EXPECT_NE(0u, GetClassLongPtrW(window.handle(), GCLP_HICON));
    EXPECT_NE(0u, GetClassLongPtrW(window.handle(), GCLP_HICONSM));
    EXPECT_EQ(static_cast<LONG>(WS_OVERLAPPEDWINDOW),
              GetWindowLongW(window.handle(), GWL_STYLE) & static_cast<LONG>(WS_OVERLAPPEDWINDOW));
    RECT outer;
    GetWindowRect(window.handle(), &outer);
    EXPECT_EQ(740, outer.right - outer.left);
    EXPECT_EQ(326, outer.bottom - outer.top);
}

struct MenuItem {
    const wchar_t* text;  // null: a separator
    UINT id;
};

void expectMenu(HMENU menu, const std::vector<MenuItem>& items)
{
    ASSERT_EQ(static_cast<int>(items.size()), GetMenuItemCount(menu));
    for (UINT i = 0; i < items.size(); ++i) {
        wchar_t text[64] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 64;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        if (items[i].text == nullptr) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR) << i;
        } else {
            EXPECT_STREQ(items[i].text, text) << i;
            EXPECT_EQ(items[i].id, info.wID) << i;
        }
    }
}

TEST(MainWindow, MenuOfTheClass)
{
    MainWindow window;
    const HMENU bar = GetMenu(window.handle());
    ASSERT_EQ(2, GetMenuItemCount(bar));
    wchar_t popup[32] = {};
    GetMenuStringW(bar, 0, popup, 32, MF_BYPOSITION);
    EXPECT_STREQ(L"&Datei", popup);
    GetMenuStringW(bar, 1, popup, 32, MF_BYPOSITION);
    EXPECT_STREQ(L"&Hilfe", popup);
    expectMenu(GetSubMenu(bar, 0), {{L"&Öffnen...", IDM_OPEN},
                                    {nullptr, 0},
                                    {L"&Check", IDM_CHECK},
                                    {nullptr, 0},
                                    {L"&Beenden", IDM_EXIT}});
    expectMenu(GetSubMenu(bar, 1), {{L"&Info...", IDM_ABOUT}});
}

struct ControlCase {
    const wchar_t* className;
    int id;
    DWORD style;
    const wchar_t* createdWith;
    const wchar_t* shows;  // once the window is made
};

constexpr DWORD textField = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY;

const ControlCase controlCases[] = {
    {L"EDIT", IDC_TEXT_FIELD, textField, L"",
     L"Bitte überprüfen Sie eine fehlerhafte Datei erneut, bis die Meldung "
     L"\"Datei korrekt. Tipps nun spielbar\" erscheint."},
    {L"EDIT", IDC_NAME_FIELD, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, L"", L""},
    {L"BUTTON", IDC_CHECK_BUTTON, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, L"CHECK", L"CHECK"},
    {L"EDIT", IDC_TEXT_FIELD, textField, L"", L""},
    {L"EDIT", IDC_GUTTER, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_RIGHT | ES_READONLY, L"", L""},
    {L"RICHEDIT", IDC_EXCERPT_VIEW,
     WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | ES_MULTILINE | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_READONLY, L"",
     L""},
};

TEST(MainWindow, SixControlsInCreationOrder)
{
    MainWindow window;
    // The main window and its children; the platform makes helper windows of its own.
    std::vector<Creation> made;
    for (const Creation& c : window.creations())
        if (c.className == L"QUORVEL" || c.parent == window.handle())
            made.push_back(c);
    ASSERT_EQ(7u, made.size());
    EXPECT_EQ(L"QUORVEL", made[0].className);
    EXPECT_EQ(L"Quorvel", made[0].text);
    EXPECT_EQ(static_cast<DWORD>(WS_OVERLAPPEDWINDOW), made[0].style);
    // The system has placed the window and added the class menu and the
    // window edge by the time the hook sees it.
    EXPECT_EQ(0u, made[0].extendedStyle & ~static_cast<DWORD>(WS_EX_WINDOWEDGE));
    EXPECT_EQ(740, made[0].width);
    EXPECT_EQ(326, made[0].height);
    EXPECT_EQ(nullptr, made[0].parent);

    const std::vector<HWND> controls = window.controls();
    ASSERT_EQ(6u, controls.size());
    const HWND held[] = {program.instructionField, program.nameField, program.checkButton,
                         program.messageField, program.gutter, program.excerptView};
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlCase& want = controlCases[i];
        const Creation& asked = made[i + 1];
        EXPECT_EQ(want.className, asked.className) << i;
        EXPECT_EQ(want.style, asked.style) << i;
        EXPECT_EQ(0u, asked.extendedStyle) << i;
        EXPECT_EQ(want.id, asked.menuOrId) << i;
        EXPECT_EQ(window.handle(), asked.parent) << i;
        EXPECT_EQ(want.createdWith, asked.text) << i;
        EXPECT_EQ(0, asked.x | asked.y | asked.width | asked.height) << i;

        EXPECT_EQ(held[i], controls[i]) << i;
        EXPECT_EQ(want.id, GetDlgCtrlID(controls[i])) << i;
        EXPECT_EQ(want.shows, textOf(controls[i])) << i;
    }
}

TEST(MainWindow, ExcerptViewDefaultsToCourierNew)
{
    MainWindow window;
    CHARFORMATW format{};
    format.cbSize = sizeof format;
    SendMessageW(program.excerptView, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_STREQ(L"Courier New", format.szFaceName);
    EXPECT_TRUE(format.dwEffects & CFE_AUTOCOLOR);
}

struct Place {
    int x, y, width, height;
};

std::vector<Place> expectedPlaces(int w, int h)
{
    return {{10, 10, w - 20, 37}, {10, 55, w - 90, 20},  {w - 70, 54, 60, 22},
            {10, 81, w - 20, 40}, {10, 128, 65, h - 139}, {80, 126, w - 90, h - 136}};
}

void expectPlaces(const MainWindow& window, int w, int h)
{
    const std::vector<HWND> controls = window.controls();
    const std::vector<Place> places = expectedPlaces(w, h);
    ASSERT_EQ(places.size(), controls.size());
    for (std::size_t i = 0; i < places.size(); ++i) {
        const RECT got = placeOf(controls[i]);
        EXPECT_EQ(places[i].x, got.left) << "control " << i << " at " << w << " x " << h;
        EXPECT_EQ(places[i].y, got.top) << "control " << i << " at " << w << " x " << h;
        EXPECT_EQ(places[i].width, got.right - got.left) << "control " << i << " at " << w << " x " << h;
        EXPECT_EQ(places[i].height, got.bottom - got.top) << "control " << i << " at " << w << " x " << h;
    }
}

TEST(Layout, ControlsFollowTheClientSizeOfWmSize)
{
    MainWindow window;
    const SIZE sizes[] = {{724, 268}, {1000, 600}, {300, 200}, {200, 160}};
    for (const SIZE& size : sizes) {
        SendMessageW(window.handle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(size.cx, size.cy));
        expectPlaces(window, size.cx, size.cy);
    }
}

TEST(Layout, ResizingTheWindowStretchesOnlyGutterAndExcerptDownwards)
{
    MainWindow window;
    for (const SIZE& outer : {SIZE{740, 326}, SIZE{900, 500}}) {
        SetWindowPos(window.handle(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER);
        RECT client;
        GetClientRect(window.handle(), &client);
        expectPlaces(window, client.right, client.bottom);
    }
}

}  // namespace
