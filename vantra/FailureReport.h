#pragma once

#include <windows.h>

#include <string>

// The system's text for `code`, an HRESULT (Win32 errors wrapped in one are
// looked up by their Win32 number), without the trailing line break. When the
// system has none, the launcher's own text for the COM and automation codes it
// may meet; otherwise empty.
std::wstring systemErrorText(HRESULT code);

// The text of the box that reports a failure: `what` failed, then a blank line
// and "Error 0x" with the code in eight hexadecimal digits, followed by ": "
// and the description when there is one, else by ".".
std::wstring failureReport(const std::wstring& what, HRESULT code, const std::wstring& description);

// Shows `failureReport(...)` in an error box captioned "Vantra", owned by
// `owner` (may be null), and returns when the user has closed it.
void showFailure(HWND owner, const std::wstring& what, HRESULT code,
                 const std::wstring& description);
