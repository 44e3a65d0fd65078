#include "dialog_script.h"

#include "window_driver.h"

namespace {

DialogScript* active = nullptr;
const UINT stepMessage = RegisterWindowMessageW(L"QuorvelTestDialogStep");

// The open-file dialog's name box and type list.
constexpr int fileNameBox = 0x47C;

bool isTopLevelDialog(HWND window)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return lstrcmpW(className, L"#32770") == 0 && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) == 0;
}

}  // namespace

DialogScript::DialogScript(std::vector<Step> scriptedSteps) : steps(std::move(scriptedSteps))
{
    active = this;
    const DWORD thread = GetCurrentThreadId();
    windowProcHook = SetWindowsHookExW(WH_CALLWNDPROCRET, afterWindowProc, nullptr, thread);
    getMessageHook = SetWindowsHookExW(WH_GETMESSAGE, onGetMessage, nullptr, thread);
}

DialogScript::~DialogScript()
{
    UnhookWindowsHookEx(windowProcHook);
    UnhookWindowsHookEx(getMessageHook);
    active = nullptr;
}

// A dialog has finished WM_INITDIALOG: its step is queued behind whatever the
// dialog posted to itself while starting.
LRESULT CALLBACK DialogScript::afterWindowProc(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && active != nullptr && call->message == WM_INITDIALOG && isTopLevelDialog(call->hwnd)) {
        active->captions.push_back(textOf(call->hwnd));
        active->dialogs.push_back(call->hwnd);
        PostMessageW(call->hwnd, stepMessage, active->captions.size() - 1, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK DialogScript::onGetMessage(int code, WPARAM wParam, LPARAM lParam)
{
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && active != nullptr && message->message == stepMessage) {
        active->runStep(message->hwnd, message->wParam);
        message->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void DialogScript::runStep(HWND dialog, std::size_t index)
{
    if (index < steps.size())
        steps[index](dialog);
    else
        cancelDialog()(dialog);
}

DialogScript::Step chooseInFileDialog(const std::wstring& path)
{
    return [path](HWND dialog) {
        SetDlgItemTextW(dialog, fileNameBox, path.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    };
}

DialogScript::Step cancelDialog()
{
    return [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); };
}

DialogScript::Step clickOk()
{
    return [](HWND dialog) { PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); };
}

DialogScript::Step pressEscape()
{
    // The key goes where the user's key would go: to the control with the focus.
    return [](HWND dialog) {
        HWND focus = GetFocus();
        PostMessageW(focus != nullptr ? focus : dialog, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    };
}

DialogScript::Step clickCloseBox()
{
    return [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); };
}

std::vector<std::wstring> controlTexts(HWND dialog)
{
    std::vector<std::wstring> texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        texts.push_back(textOf(child));
    return texts;
}
