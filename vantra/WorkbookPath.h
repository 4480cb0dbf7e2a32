#pragma once

#include <string>

// The workbook the launcher opens: "vantra.xls" in the directory of
// `executablePath`, the full path of the launcher's own program file. The
// directory and the name are joined with exactly one '\', also at a drive root
// ("C:\vantra.exe" gives "C:\vantra.xls"). A path without any '\' gives the
// bare name. No check is made that the workbook exists.
//
// The path is wide text so that a double-byte character whose second byte is
// '\' can never be taken for a separator.
std::wstring workbookPath(const std::wstring& executablePath);
