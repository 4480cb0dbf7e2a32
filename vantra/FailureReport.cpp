#include "vantra/FailureReport.h"

namespace {

std::wstring fromSystemCodePage(const char* text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

std::wstring hexadecimal(HRESULT code) {
    const unsigned long value = static_cast<unsigned long>(code);
    std::wstring digits(8, L'0');
    for (int i = 7, shift = 0; i >= 0; --i, shift += 4)
        digits[static_cast<size_t>(i)] = L"0123456789ABCDEF"[(value >> shift) & 0xF];
    return digits;
}

// The codes the launch steps are likely to meet, for systems whose message
// tables lack them.
const struct {
    HRESULT code;
    const wchar_t* text;
} knownCodes[] = {
    {CO_E_CLASSSTRING, L"Invalid class string"},
    {REGDB_E_CLASSNOTREG, L"Class not registered"},
    {CO_E_SERVER_EXEC_FAILURE, L"Server execution failed"},
    {RPC_E_DISCONNECTED, L"The object invoked has disconnected from its clients."},
    {RPC_E_SERVERFAULT, L"The server threw an exception."},
    {DISP_E_UNKNOWNNAME, L"Unknown name."},
    {DISP_E_MEMBERNOTFOUND, L"Member not found."},
    {DISP_E_EXCEPTION, L"Exception occurred."},
    {DISP_E_TYPEMISMATCH, L"Type mismatch."},
    {DISP_E_BADPARAMCOUNT, L"Invalid number of parameters."},
};

} // namespace

std::wstring systemErrorText(HRESULT code) {
    const DWORD number =
        HRESULT_FACILITY(code) == FACILITY_WIN32 ? HRESULT_CODE(code) : static_cast<DWORD>(code);
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, number, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::wstring text;
    if (length != 0 && buffer != nullptr)
        text = fromSystemCodePage(buffer);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    for (const auto& known : knownCodes)
        if (text.empty() && known.code == code)
            text = known.text;
    return text;
}

std::wstring failureReport(const std::wstring& what, HRESULT code,
                           const std::wstring& description) {
    std::wstring report = what + L"\r\n\r\nError 0x" + hexadecimal(code);
    report += description.empty() ? L"." : L": " + description;
    return report;
}

void showFailure(HWND owner, const std::wstring& what, HRESULT code,
                 const std::wstring& description) {
    MessageBoxW(owner, failureReport(what, code, description).c_str(), L"Vantra",
                MB_OK | MB_ICONERROR);
}
