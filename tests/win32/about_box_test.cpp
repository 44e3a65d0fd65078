// The About box: opened from the menu and by Alt with "?" or "/", modal to
// the main window, closed by OK, Escape and its close box.
#include <gtest/gtest.h>

#include "dialog_script.h"
#include "program_state.h"
#include "resource.h"
#include "window_driver.h"

namespace {

struct Closing {
    const char* what;
    DialogScript::Step step;
};

const Closing closings[] = {
    {"OK", clickOk()},
    {"Escape", pressEscape()},
    {"close box", clickCloseBox()},
};

// What the user saw of the About box before closing it.
struct Seen {
    std::vector<std::wstring> texts;
    HWND owner = nullptr;
};

DialogScript::Step lookThenClose(Seen& seen, const DialogScript::Step& close)
{
    return [&seen, close](HWND dialog) {
        seen.texts = controlTexts(dialog);
        seen.owner = GetWindow(dialog, GW_OWNER);
        close(dialog);
    };
}

void expectAboutBoxSeenAndClosed(const DialogScript& script, const Seen& seen, const MainWindow& window,
                                 const char* what)
{
    ASSERT_EQ(1, script.dialogsSeen()) << what;
    EXPECT_EQ(L"Info über Quorvel", script.captions[0]) << what;
    EXPECT_EQ(window.handle(), seen.owner) << what;
    const std::vector<std::wstring> texts = {
        L"Quorvel, Version 02.10",
        L"Weitere Informationen entnehmen Sie bitte ",
        fromUtf8("der Schnittstellenbeschreibung auf " QUORVEL_WEB_SITE "."),
        L"OK",
    };
    EXPECT_EQ(texts, seen.texts) << what;
    EXPECT_FALSE(IsWindow(script.dialogs[0])) << what;
    EXPECT_TRUE(IsWindowEnabled(window.handle())) << what;
}

TEST(AboutBox, OpensFromTheMenuAndClosesEachWay)
{
    for (const Closing& closing : closings) {
        MainWindow window;
        const UINT infoItem = GetMenuItemID(GetSubMenu(GetMenu(window.handle()), 1), 0);
        Seen seen;
        DialogScript script({lookThenClose(seen, closing.step)});
        window.command(MAKEWPARAM(infoItem, 0));
        expectAboutBoxSeenAndClosed(script, seen, window, closing.what);
    }
}

// Alt held down while the character arrives, as the keyboard delivers it:
// the accelerators of the message loop turn it into command 104.
void typeWithAlt(const MainWindow& window, wchar_t character)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_MENU] = keys[VK_LMENU] = 0x80;
    SetKeyboardState(keys);
    SetFocus(program.nameField);
    PostMessageW(program.nameField, WM_SYSCHAR, character, 0x20000001);
    window.processQueue();
    keys[VK_MENU] = keys[VK_LMENU] = 0;
    SetKeyboardState(keys);
}

TEST(AboutBox, OpensWithAltAndQuestionMarkOrSlash)
{
    for (const wchar_t character : {L'?', L'/'}) {
        MainWindow window;
        Seen seen;
        DialogScript script({lookThenClose(seen, pressEscape())});
        typeWithAlt(window, character);
        expectAboutBoxSeenAndClosed(script, seen, window, character == L'?' ? "Alt+?" : "Alt+/");
    }
}

TEST(AboutBox, OtherCharactersWithAltOpenNothing)
{
    MainWindow window;
    DialogScript script;
    typeWithAlt(window, L'x');
    EXPECT_EQ(0, script.dialogsSeen());
}

}  // namespace
