#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Records the text and character-format messages that this thread sends to
// one window, in their order: what the program asked of the excerpt view.
class SentMessages {
public:
    struct Sent {
        UINT message = 0;
        WPARAM wParam = 0;
        DWORD formatMask = 0;     // EM_SETCHARFORMAT
        DWORD formatEffects = 0;  // EM_SETCHARFORMAT
        std::wstring text;        // WM_SETTEXT
    };

    explicit SentMessages(HWND target);
    ~SentMessages();
    SentMessages(const SentMessages&) = delete;
    SentMessages& operator=(const SentMessages&) = delete;

    std::vector<Sent> log;

private:
    static LRESULT CALLBACK onSend(int code, WPARAM wParam, LPARAM lParam);

    HWND window;
    HHOOK hook;
};
