#include "uninstall/UninstallWindows.h"

#include "setup/thread/Thread.h"
#include "uninstall/Resources.h"

#include <windows.h>
#include <commctrl.h>

namespace {

const UINT progressMessage = WM_APP + 1; // wParam steps done, lParam steps in all
const UINT finishedMessage = WM_APP + 2;

// What a question shows: its caption, text and two button captions, and which
// button is the default.
struct Question {
    std::string caption;
    std::string text;
    std::string yes;
    std::string no;
    int defaultButton;
};

INT_PTR CALLBACK questionProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
        case WM_INITDIALOG: {
            const Question& question = *reinterpret_cast<const Question*>(lParam);
            SetWindowTextA(dialog, question.caption.c_str());
            SetDlgItemTextA(dialog, IDC_QUESTION_TEXT, question.text.c_str());
            SetDlgItemTextA(dialog, IDYES, question.yes.c_str());
            SetDlgItemTextA(dialog, IDNO, question.no.c_str());
            SendMessageA(dialog, DM_SETDEFID, question.defaultButton, 0);
            SetFocus(GetDlgItem(dialog, question.defaultButton));
            SetForegroundWindow(dialog);
            return FALSE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDYES || LOWORD(wParam) == IDNO) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            // Esc and the close box answer No: the safe answer.
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDNO);
                return TRUE;
            }
            break;
        }
    } catch (...) {
        EndDialog(dialog, IDNO);
    }
    return FALSE;
}

bool ask(const Question& question) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_QUESTION), nullptr,
                           questionProcedure, reinterpret_cast<LPARAM>(&question)) == IDYES;
}

// The removal on its own thread; it reports to the progress window by posted
// messages only.
class RemovalThread : public thread::Thread {
public:
    RemovalThread(Uninstaller& uninstaller, HWND window)
        : uninstaller_(uninstaller), window_(window) {}
    const RemovalReport& report() const { return report_; }

protected:
    void run() override {
        try {
            report_ = uninstaller_.run([this](int done, int total) {
                PostMessageA(window_, progressMessage, static_cast<WPARAM>(done), total);
            });
        } catch (...) {
            report_.itemsLeft.push_back("(the removal stopped early)");
        }
        PostMessageA(window_, finishedMessage, 0, 0);
    }

private:
    Uninstaller& uninstaller_;
    HWND window_;
    RemovalReport report_;
};

INT_PTR CALLBACK progressProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case progressMessage: {
        const HWND bar = GetDlgItem(dialog, IDC_PROGRESS_BAR);
        SendMessageA(bar, PBM_SETRANGE32, 0, lParam);
        SendMessageA(bar, PBM_SETPOS, wParam, 0);
        return TRUE;
    }
    case finishedMessage:
        SetWindowLongPtrA(dialog, DWLP_USER, 1);
        return TRUE;
    }
    return FALSE;
}

struct Finished {
    std::string caption;
    std::string text;
    std::string items;
    std::string ok;
};

INT_PTR CALLBACK finishedProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        const Finished& finished = *reinterpret_cast<const Finished*>(lParam);
        SetWindowTextA(dialog, finished.caption.c_str());
        SetDlgItemTextA(dialog, IDC_FINISHED_TEXT, finished.text.c_str());
        SetDlgItemTextA(dialog, IDC_ITEMS_LEFT, finished.items.c_str());
        SetDlgItemTextA(dialog, IDOK, finished.ok.c_str());
        SetForegroundWindow(dialog);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

bool confirmRemoval(const UninstallTexts& texts) {
    return ask({texts.text(UninstallText::Title), texts.text(UninstallText::Confirm),
                texts.text(UninstallText::Yes), texts.text(UninstallText::No), IDYES});
}

bool SharedFileDialog::removeUnusedSharedFile(const std::string& path) {
    return ask(
        {texts_.text(UninstallText::SharedTitle), texts_.text(UninstallText::SharedQuestion, path),
         texts_.text(UninstallText::RemoveShared), texts_.text(UninstallText::KeepShared), IDNO});
}

RemovalReport removeWithProgress(Uninstaller& uninstaller, const UninstallTexts& texts) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    const HWND window = CreateDialogParamA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PROGRESS), nullptr, progressProcedure, 0);
    if (window == nullptr)
        return uninstaller.run(Uninstaller::Progress());
    SetWindowTextA(window, texts.text(UninstallText::Title).c_str());
    SetDlgItemTextA(window, IDC_PROGRESS_TEXT, texts.text(UninstallText::Progress).c_str());
    ShowWindow(window, SW_SHOW);

    RemovalThread worker(uninstaller, window);
    worker.start();
    MSG message;
    while (GetWindowLongPtrA(window, DWLP_USER) == 0 && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    worker.wait();
    DestroyWindow(window);
    return worker.report();
}

void showFinished(const UninstallTexts& texts, const RemovalReport& report) {
    Finished finished;
    finished.caption = texts.text(UninstallText::Title);
    finished.text =
        texts.text(report.itemsLeft.empty() ? UninstallText::Done : UninstallText::ItemsLeft);
    if (report.restartNeeded)
        finished.text += "\r\n" + texts.text(UninstallText::RestartNeeded);
    for (const std::string& item : report.itemsLeft)
        finished.items += item + "\r\n";
    finished.ok = texts.text(UninstallText::Ok);
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FINISHED), nullptr,
                    finishedProcedure, reinterpret_cast<LPARAM>(&finished));
}

void showProblem(const UninstallTexts& texts, const std::string& message) {
    MessageBoxA(nullptr, message.c_str(), texts.text(UninstallText::Title).c_str(),
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
