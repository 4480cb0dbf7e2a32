#pragma once

// The message loop of a test thread that owns windows other threads send to.

#include <windows.h>

#include <functional>

namespace testing_support {

// Handles the messages of the calling thread as a message loop would (translated
// and dispatched) until `done()` holds or `timeoutMs` has passed; true when
// `done()` held.
bool pumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs);

// Handles the messages already waiting for the calling thread.
void pumpWaitingMessages();

} // namespace testing_support
