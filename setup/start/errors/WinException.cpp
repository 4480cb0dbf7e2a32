#include "setup/start/errors/WinException.h"

#include <windows.h>

WinException::WinException(const char* message) : code_(GetLastError()), message_(message) {}
