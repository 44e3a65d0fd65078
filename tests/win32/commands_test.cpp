// The commands of the main window: which of them check, which open the
// open-file dialog first, and which only choose a file.
#include <gtest/gtest.h>

#include <richedit.h>

#include "dialog_script.h"
#include "fixture_files.h"
#include "program_state.h"
#include "resource.h"
#include "sent_messages.h"
#include "window_driver.h"

namespace {

constexpr int fileTypeList = 0x470;

const std::wstring noFileMessage = L"Keine Datei angegeben.";
const std::wstring successMessage = L"Datei korrekt. Tipps nun spielbar.";

struct CheckCommand {
    const char* what;
    WPARAM wParam;
};

const CheckCommand checksWithDialog[] = {
    {"CHECK button", MAKEWPARAM(IDC_CHECK_BUTTON, BN_CLICKED)},
    {"menu &Check", MAKEWPARAM(IDM_CHECK, 0)},
    {"&Check with a notification code", MAKEWPARAM(IDM_CHECK, 1)},
};

TEST(Commands, CheckWithEmptyNameAsksForAFileAndChecksIt)
{
    const std::wstring path = fixtures::write("gewaehlt.lvx", fixtures::correctLotto);
    for (const CheckCommand& c : checksWithDialog) {
        MainWindow window;
        std::wstring filter;
        DialogScript script({[&](HWND dialog) {
            wchar_t text[64] = {};
            SendDlgItemMessageW(dialog, fileTypeList, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
            filter = text;
            chooseInFileDialog(path)(dialog);
        }});
        window.command(c.wParam);
        EXPECT_EQ(1, script.dialogsSeen()) << c.what;
        EXPECT_EQ(L"Zelvo Files (*.lvx)", filter) << c.what;
        EXPECT_EQ(0, lstrcmpiW(path.c_str(), nameField().c_str())) << c.what;
        EXPECT_EQ(successMessage, messageField()) << c.what;
        EXPECT_EQ(L"Quorvel - gewaehlt.lvx", titleOf(window)) << c.what;
    }
}

TEST(Commands, CancelledDialogStillChecksTheEmptyName)
{
    for (const CheckCommand& c : checksWithDialog) {
        MainWindow window;
        DialogScript script({cancelDialog()});
        window.command(c.wParam);
        EXPECT_EQ(1, script.dialogsSeen()) << c.what;
        EXPECT_EQ(L"", nameField()) << c.what;
        EXPECT_EQ(noFileMessage, messageField()) << c.what;
        EXPECT_EQ(L"Quorvel - ", titleOf(window)) << c.what;
    }
}

TEST(Commands, CheckWithANameChecksWithoutDialog)
{
    const std::wstring path = fixtures::write("getippt.lvx", fixtures::correctLotto);
    for (const CheckCommand& c : checksWithDialog) {
        MainWindow window;
        DialogScript script;
        window.typeName(path);
        window.command(c.wParam);
        EXPECT_EQ(0, script.dialogsSeen()) << c.what;
        EXPECT_EQ(successMessage, messageField()) << c.what;
    }
}

// The dialog manager's Enter and the key-ups at the main window check at
// once, even with an empty name field.
struct ImmediateCheck {
    const char* what;
    void (*press)(const MainWindow& window);
};

const ImmediateCheck immediateChecks[] = {
    {"command 1", [](const MainWindow& window) { window.command(IDOK); }},
    {"key-up of Enter", [](const MainWindow& window) { SendMessageW(window.handle(), WM_KEYUP, VK_RETURN, 0); }},
    {"key-up of F5", [](const MainWindow& window) { SendMessageW(window.handle(), WM_KEYUP, VK_F5, 0); }},
    {"Enter in the name field",
     [](const MainWindow& window) {
         SetFocus(program.nameField);
         PostMessageW(program.nameField, WM_KEYDOWN, VK_RETURN, 0x001C0001);
         window.processQueue();
     }},
    {"F5 released at the main window",
     [](const MainWindow& window) {
         SetFocus(window.handle());
         PostMessageW(window.handle(), WM_KEYUP, VK_F5, 0xC03F0001);
         window.processQueue();
     }},
};

TEST(Commands, EnterAndF5CheckAtOnceAndNeverAskForAFile)
{
    const std::wstring path = fixtures::write("sofort.lvx", fixtures::correctLotto);
    for (const ImmediateCheck& c : immediateChecks) {
        MainWindow window;
        DialogScript script;
        c.press(window);
        EXPECT_EQ(noFileMessage, messageField()) << c.what;
        EXPECT_EQ(L"Quorvel - ", titleOf(window)) << c.what;
        window.typeName(path);
        c.press(window);
        EXPECT_EQ(successMessage, messageField()) << c.what;
        EXPECT_EQ(0, script.dialogsSeen()) << c.what;
    }
}

TEST(Commands, OtherKeysAndNotificationsDoNothing)
{
    struct Case {
        const char* what;
        UINT message;
        WPARAM wParam;
    };
    const Case cases[] = {
        {"key-up of F6", WM_KEYUP, VK_F6},
        {"key-up of Escape", WM_KEYUP, VK_ESCAPE},
        {"id 1 with a notification code", WM_COMMAND, MAKEWPARAM(IDOK, 1)},
        {"CHECK button gaining the focus", WM_COMMAND, MAKEWPARAM(IDC_CHECK_BUTTON, BN_SETFOCUS)},
        {"name field changed", WM_COMMAND, MAKEWPARAM(IDC_NAME_FIELD, EN_CHANGE)},
    };
    for (const Case& c : cases) {
        MainWindow window;
        DialogScript script;
        SendMessageW(window.handle(), c.message, c.wParam, 0);
        EXPECT_EQ(0, script.dialogsSeen()) << c.what;
        EXPECT_EQ(L"", messageField()) << c.what;
        EXPECT_EQ(L"Quorvel", titleOf(window)) << c.what;
    }
}

TEST(Commands, OpenFillsTheNameAndEmptiesTheViewsWithoutACheck)
{
    const std::wstring faulty = fixtures::write("zuerst.lvx", fixtures::numberTooLarge);
    const std::wstring chosen = fixtures::write("danach.lvx", fixtures::numberTooLarge);
    MainWindow window;
    window.typeName(faulty);
    window.command(IDOK);
    ASSERT_EQ(L"46", redText().text);

    DialogScript script({chooseInFileDialog(chosen)});
    SentMessages sent(program.excerptView);
    window.command(IDM_OPEN);
    EXPECT_EQ(1, script.dialogsSeen());
    // The colour goes back to automatic before the view is emptied.
    ASSERT_LE(2u, sent.log.size());
    EXPECT_EQ(static_cast<UINT>(EM_SETCHARFORMAT), sent.log[0].message);
    EXPECT_EQ(static_cast<WPARAM>(SCF_ALL), sent.log[0].wParam);
    EXPECT_EQ(static_cast<DWORD>(CFE_AUTOCOLOR), sent.log[0].formatEffects);
    EXPECT_EQ(static_cast<UINT>(WM_SETTEXT), sent.log[1].message);
    EXPECT_EQ(0, lstrcmpiW(chosen.c_str(), nameField().c_str()));
    EXPECT_EQ(L"", messageField());
    EXPECT_EQ(L"", excerptView());
    EXPECT_EQ(L"", gutter());
    // No check ran: the title still names the first file.
    EXPECT_EQ(L"Quorvel - zuerst.lvx", titleOf(window));
}

TEST(Commands, CancelledOpenChangesNothing)
{
    const std::wstring faulty = fixtures::write("bleibt.lvx", fixtures::numberTooLarge);
    MainWindow window;
    window.typeName(faulty);
    window.command(IDOK);
    const std::wstring message = messageField();
    const std::wstring excerpt = excerptView();

    DialogScript script({cancelDialog()});
    window.command(IDM_OPEN);
    EXPECT_EQ(1, script.dialogsSeen());
    EXPECT_EQ(faulty, nameField());
    EXPECT_EQ(message, messageField());
    EXPECT_EQ(excerpt, excerptView());
    EXPECT_EQ(L"46", redText().text);
}

TEST(Commands, ExitDestroysTheWindowAndQuitsWithZero)
{
    struct Case {
        const char* what;
        UINT message;
        WPARAM wParam;
    };
    for (const Case& c : {Case{"&Beenden", WM_COMMAND, IDM_EXIT}, Case{"close box", WM_SYSCOMMAND, SC_CLOSE}}) {
        MainWindow window;
        SendMessageW(window.handle(), c.message, c.wParam, 0);
        EXPECT_FALSE(IsWindow(window.handle())) << c.what;
        MSG quit{};
        ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << c.what;
        EXPECT_EQ(0u, quit.wParam) << c.what;
    }
}

}  // namespace
