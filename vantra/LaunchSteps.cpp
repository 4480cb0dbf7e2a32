#include "vantra/LaunchSteps.h"

#include "vantra/FailureReport.h"
#include "vantra/WorkbookPath.h"

#include <vector>

namespace {

LaunchOutcome failed(const std::wstring& step, const AutomationFailure& failure) {
    LaunchOutcome outcome;
    outcome.succeeded = false;
    outcome.failedStep = step;
    outcome.failure = failure;
    return outcome;
}

bool lastErrorFailure(AutomationFailure& failure) {
    failure.code = HRESULT_FROM_WIN32(GetLastError());
    failure.description = systemErrorText(failure.code);
    return false;
}

// The full path of the running program, converted from the system code page.
// A result that fills the buffer may have been cut short, so the buffer grows
// until the path leaves room to spare.
bool programPath(std::wstring& path, AutomationFailure& failure) {
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length == 0)
            return lastErrorFailure(failure);
        if (length + 1 < size)
            break;
        if (size > 32768) {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return lastErrorFailure(failure);
        }
        buffer.resize(buffer.size() * 2);
    }
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, buffer.data(), -1, nullptr, 0);
    if (wideLength <= 1)
        return lastErrorFailure(failure);
    path.assign(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, buffer.data(), -1, &path[0], wideLength);
    path.resize(static_cast<size_t>(wideLength - 1));
    return true;
}

} // namespace

LaunchOutcome runLaunchSteps() {
    AutomationFailure failure;
    DispatchRef application;
    if (!createObject(L"Excel.Application", application, failure))
        return failed(L"Could not start the spreadsheet application (Excel.Application).", failure);

    std::wstring launcher;
    if (!programPath(launcher, failure))
        return failed(L"Could not find the launcher's own folder.", failure);
    const std::wstring workbook = workbookPath(launcher);

    Variant workbooks;
    if (!getProperty(application.get(), L"Workbooks", workbooks, failure))
        return failed(L"Could not reach the workbooks of the spreadsheet application.", failure);
    if (V_VT(workbooks.get()) != VT_DISPATCH || V_DISPATCH(workbooks.get()) == nullptr) {
        failure.code = DISP_E_TYPEMISMATCH;
        failure.description = systemErrorText(failure.code);
        return failed(L"Could not reach the workbooks of the spreadsheet application.", failure);
    }
    if (!callMethod(V_DISPATCH(workbooks.get()), L"Open", workbook, failure))
        return failed(L"Could not open the workbook \"" + workbook + L"\".", failure);

    if (!putProperty(application.get(), L"Visible", true, failure))
        return failed(L"Could not show the spreadsheet application.", failure);
    return LaunchOutcome();
}
