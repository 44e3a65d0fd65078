#include "window_driver.h"

#include <richedit.h>

#include "main_window.h"
#include "message_routing.h"
#include "program_state.h"
#include "resource.h"

namespace {

std::vector<Creation>* recording = nullptr;

std::wstring nameOrAtom(const wchar_t* name)
{
    return IS_INTRESOURCE(name) ? L"#atom" : std::wstring(name != nullptr ? name : L"");
}

}  // namespace

LRESULT CALLBACK MainWindow::recordCreation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && recording != nullptr) {
        const CREATESTRUCTW& asked = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        recording->push_back({nameOrAtom(asked.lpszClass), nameOrAtom(asked.lpszName),
                              static_cast<DWORD>(asked.style), asked.dwExStyle, asked.x, asked.y, asked.cx,
                              asked.cy, reinterpret_cast<INT_PTR>(asked.hMenu), asked.hwndParent});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

MainWindow::MainWindow(const std::wstring& commandLine) : heldCommandLine(commandLine)
{
    recording = &made;
    const HHOOK hook = SetWindowsHookExW(WH_CBT, recordCreation, nullptr, GetCurrentThreadId());
    window = createMainWindow(GetModuleHandleW(nullptr), heldCommandLine.c_str());
    UnhookWindowsHookEx(hook);
    recording = nullptr;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
}

MainWindow::~MainWindow()
{
    if (IsWindow(window))
        DestroyWindow(window);
    // Drops what the window left behind, its quit message included.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

std::vector<HWND> MainWindow::controls() const
{
    std::vector<HWND> found;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        found.push_back(child);
    return found;
}

void MainWindow::command(WPARAM wParam, LPARAM lParam) const
{
    SendMessageW(window, WM_COMMAND, wParam, lParam);
}

void MainWindow::typeName(const std::wstring& name) const
{
    SetWindowTextW(program.nameField, name.c_str());
}

void MainWindow::processQueue() const
{
    static const HACCEL accelerators =
        LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        routeMessage(message, window, accelerators);
}

std::wstring textOf(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(got));
    return text;
}

std::wstring titleOf(const MainWindow& window)
{
    return textOf(window.handle());
}

std::wstring nameField()
{
    return textOf(program.nameField);
}

std::wstring messageField()
{
    return textOf(program.messageField);
}

std::wstring gutter()
{
    return textOf(program.gutter);
}

std::wstring excerptView()
{
    return textOf(program.excerptView);
}

RedText redText()
{
    const HWND view = program.excerptView;
    const std::wstring text = textOf(view);
    RedText red;
    for (int i = 0; i < static_cast<int>(text.size()); ++i) {
        SendMessageW(view, EM_SETSEL, i, i + 1);
        CHARFORMATW format{};
        format.cbSize = sizeof format;
        SendMessageW(view, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        if ((format.dwEffects & CFE_AUTOCOLOR) == 0 && format.crTextColor == RGB(255, 0, 0)) {
            red.positions.push_back(i);
            red.text += text[static_cast<std::size_t>(i)];
        }
    }
    SendMessageW(view, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    return red;
}

RECT placeOf(HWND control)
{
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

std::wstring fromUtf8(const std::string& text)
{
    const int units = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], units);
    wide.pop_back();
    return wide;
}
