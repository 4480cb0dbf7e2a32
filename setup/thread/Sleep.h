#pragma once

#include <windows.h>

namespace thread {

// Suspends the calling thread for `milliseconds`; always returns true.
bool sleep(DWORD milliseconds);

} // namespace thread
