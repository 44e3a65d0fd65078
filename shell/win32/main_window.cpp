#include "main_window.h"

#include "commands.h"
#include "controls.h"
#include "program_state.h"
#include "resource.h"
#include "run_check.h"
#include "window_class.h"

namespace {

constexpr int windowWidth = 740;
constexpr int windowHeight = 326;

LRESULT onCreate(HWND window)
{
    // The start-up check below runs before CreateWindowExW has returned.
    program.mainWindow = window;
    createControls(window);
    if (program.commandLine[0] != L'\0') {
        // Quotes stay in the field; the validator and the excerpt remove them.
        SetWindowTextW(program.nameField, program.commandLine);
        runCheck();
    }
    showInstruction();
    return 0;
}

LRESULT onSize(LPARAM lParam)
{
    layoutControls(LOWORD(lParam), HIWORD(lParam));
    return 0;
}

LRESULT onPaint(HWND window)
{
    // The class brush has painted the background; the controls paint themselves.
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return 0;
}

// Reaches the window only while the window itself, not a control, has the focus.
LRESULT onKeyUp(WPARAM key)
{
    if (key == VK_RETURN || key == VK_F5)
        runCheck();
    return 0;
}

LRESULT onDestroy()
{
    PostQuitMessage(0);
    return 0;
}

}  // namespace

HWND createMainWindow(HINSTANCE instance, const wchar_t* commandLine)
{
    program.commandLine = commandLine;
    LoadStringW(instance, IDS_APP_TITLE, program.title, 100);
    LoadStringW(instance, IDS_CLASS_NAME, program.className, 100);
    registerMainWindowClass(instance);
    program.instance = instance;
    // No menu handle: the class brings menu 109.
    return CreateWindowExW(0, program.className, program.title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                           windowWidth, windowHeight, nullptr, nullptr, instance, nullptr);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return onCreate(window);
    case WM_SIZE:
        return onSize(lParam);
    case WM_PAINT:
        return onPaint(window);
    case WM_KEYUP:
        return onKeyUp(wParam);
    case WM_COMMAND:
        return onCommand(window, wParam, lParam);
    case WM_DESTROY:
        return onDestroy();
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
