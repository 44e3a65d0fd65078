#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Plays the user's part in the modal dialogs that a command opens on this
// thread. Each dialog that appears is handed to the next step, after the
// messages of its own start-up; a dialog beyond the steps is cancelled and
// counted, so that no test can hang in a dialog it did not expect.
class DialogScript {
public:
    using Step = std::function<void(HWND dialog)>;

    explicit DialogScript(std::vector<Step> steps = {});
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    int dialogsSeen() const { return static_cast<int>(captions.size()); }
    std::vector<std::wstring> captions;
    std::vector<HWND> dialogs;

private:
    static LRESULT CALLBACK afterWindowProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK onGetMessage(int code, WPARAM wParam, LPARAM lParam);
    void runStep(HWND dialog, std::size_t index);

    std::vector<Step> steps;
    HHOOK windowProcHook = nullptr;
    HHOOK getMessageHook = nullptr;
};

// Steps for the open-file dialog.
DialogScript::Step chooseInFileDialog(const std::wstring& path);
DialogScript::Step cancelDialog();

// Steps for the About box.
DialogScript::Step clickOk();
DialogScript::Step pressEscape();
DialogScript::Step clickCloseBox();

// The texts of a dialog's controls, in their order.
std::vector<std::wstring> controlTexts(HWND dialog);
