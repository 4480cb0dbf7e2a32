#include "vantra/ComTypes.h"
#include "vantra/FailureReport.h"
#include "vantra/Form1.h"

#include <windows.h>

// Shows the splash form; its timer runs the launch steps and closes it. The
// exit code is 0 when the spreadsheet application opened the workbook and 1
// after a failure that was reported to the user.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    ComApartment com;
    if (FAILED(com.result())) {
        showFailure(nullptr, L"Could not initialise COM.", com.result(),
                    systemErrorText(com.result()));
        return 1;
    }
    Form1 form(instance);
    if (!form.load()) {
        const HRESULT code = HRESULT_FROM_WIN32(GetLastError());
        showFailure(nullptr, L"Could not show the launcher's form.", code, systemErrorText(code));
        return 1;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return form.exitCode();
}
