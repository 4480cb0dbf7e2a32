#include "setup/thread/SyncEvent.h"

namespace thread {

namespace {
const DWORD allAccess = 0x1F0003; // EVENT_ALL_ACCESS
} // namespace

SyncEvent::SyncEvent(bool initiallySignalled, bool manualReset, const char* name) {
    SECURITY_ATTRIBUTES inheritable = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    // Cleared first so that a stale ERROR_ALREADY_EXISTS of an earlier call
    // cannot pass for this one.
    SetLastError(NO_ERROR);
    handle_ = CreateEventA(&inheritable, manualReset, initiallySignalled, name);
    if (handle_ == nullptr)
        throw Error("Can't create event.");
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(handle_);
        throw Error("Event already exists.");
    }
}

SyncEvent::SyncEvent(OpenExisting, const char* name) {
    handle_ = OpenEventA(allAccess, TRUE, name);
    if (handle_ == nullptr)
        throw Error("Can't open existing event.");
}

SyncEvent::~SyncEvent() {
    CloseHandle(handle_);
}

void SyncEvent::set() {
    if (!SetEvent(handle_))
        throw Error("Can't set event.");
}

void SyncEvent::reset() {
    if (!ResetEvent(handle_))
        throw Error("Can't reset event.");
}

DWORD SyncEvent::wait() {
    const DWORD result = WaitForSingleObject(handle_, INFINITE);
    if (result != WAIT_OBJECT_0 && result != WAIT_ABANDONED && result != WAIT_TIMEOUT)
        throw Error("Wait failed.");
    return result;
}

bool SyncEvent::wait(DWORD milliseconds) {
    switch (WaitForSingleObject(handle_, milliseconds)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:
        return true;
    case WAIT_TIMEOUT:
        return false;
    default:
        throw Error("Wait failed.");
    }
}

} // namespace thread
