#include "commands.h"

#include "about_box.h"
#include "choose_file.h"
#include "resource.h"
#include "run_check.h"

namespace {

// With an empty name field the user picks a file first; the check runs
// either way, so a cancelled dialog still yields the validator's message.
void checkNamedOrChosenFile()
{
    if (readNameField().empty())
        chooseFile();
    runCheck();
}

}  // namespace

LRESULT onCommand(HWND mainWindow, WPARAM wParam, LPARAM lParam)
{
    // Exactly IDOK with notification 0: Enter, as the dialog manager reports it.
    if (wParam == IDOK) {
        runCheck();
        return 0;
    }
    const WORD id = LOWORD(wParam);
    const WORD notification = HIWORD(wParam);
    switch (id) {
    case IDM_ABOUT:
        showAboutBox();
        return 0;
    case IDM_EXIT:
        DestroyWindow(mainWindow);
        return 0;
    case IDM_OPEN:
        chooseFile();
        return 0;
    case IDC_CHECK_BUTTON:
        if (notification == BN_CLICKED)
            checkNamedOrChosenFile();
        return 0;
    case IDM_CHECK:
        checkNamedOrChosenFile();
        return 0;
    default:
        return DefWindowProcW(mainWindow, WM_COMMAND, wParam, lParam);
    }
}
