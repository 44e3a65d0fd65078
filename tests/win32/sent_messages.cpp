#include "sent_messages.h"

#include <richedit.h>

namespace {

SentMessages* recording = nullptr;

}  // namespace

SentMessages::SentMessages(HWND target) : window(target)
{
    recording = this;
    hook = SetWindowsHookExW(WH_CALLWNDPROC, onSend, nullptr, GetCurrentThreadId());
}

SentMessages::~SentMessages()
{
    UnhookWindowsHookEx(hook);
    recording = nullptr;
}

LRESULT CALLBACK SentMessages::onSend(int code, WPARAM wParam, LPARAM lParam)
{
    const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && recording != nullptr && call.hwnd == recording->window &&
        (call.message == EM_SETCHARFORMAT || call.message == WM_SETTEXT)) {
        Sent sent;
        sent.message = call.message;
        sent.wParam = call.wParam;
        if (call.message == EM_SETCHARFORMAT) {
            const auto* format = reinterpret_cast<const CHARFORMATW*>(call.lParam);
            sent.formatMask = format->dwMask;
            sent.formatEffects = format->dwEffects;
        } else if (call.lParam != 0) {
            // A hook set with the W function sees the text as UTF-16.
            sent.text = reinterpret_cast<const wchar_t*>(call.lParam);
        }
        recording->log.push_back(sent);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
