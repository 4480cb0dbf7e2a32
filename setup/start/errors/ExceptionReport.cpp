#include "setup/start/errors/ExceptionReport.h"

#include <windows.h>

std::string reportText(const WinException& e) {
    return std::string(e.message()) + ", Error " +
           std::to_string(static_cast<std::int32_t>(e.code()));
}

std::string reportText(const FileException& e) {
    return std::string(e.description()) + ": \"" + e.fileName() + "\"";
}

int runWithOuterHandler(const std::function<int()>& body) {
    try {
        return body();
    } catch (const WinException& e) {
        MessageBoxA(nullptr, reportText(e).c_str(), "Exception", MB_ICONWARNING);
    } catch (const FileException& e) {
        MessageBoxA(nullptr, reportText(e).c_str(), "Error", MB_ICONWARNING);
    } catch (...) {
        MessageBoxA(nullptr, "Unknown", "Exception", MB_ICONWARNING);
    }
    return -1;
}
