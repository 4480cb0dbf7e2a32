#include "vantra/WorkbookPath.h"

std::wstring workbookPath(const std::wstring& executablePath) {
    const std::wstring::size_type separator = executablePath.rfind(L'\\');
    const std::wstring directory =
        separator == std::wstring::npos ? std::wstring() : executablePath.substr(0, separator + 1);
    return directory + L"vantra.xls";
}
