#include "setup/thread/Semaphore.h"

namespace thread {

namespace {
const LONG maximumCount = 0x7FFFFFFF;
const DWORD allAccess = 0x1F0003; // SEMAPHORE_ALL_ACCESS
} // namespace

Semaphore::Semaphore(LONG initialCount, const char* name) {
    SECURITY_ATTRIBUTES inheritable = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    // Cleared first so that a stale ERROR_ALREADY_EXISTS of an earlier call
    // cannot pass for this one.
    SetLastError(NO_ERROR);
    handle_ = CreateSemaphoreA(&inheritable, initialCount, maximumCount, name);
    if (handle_ == nullptr)
        throw Error("Can't create semaphore.");
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(handle_);
        throw Error("Semaphore already exists.");
    }
}

Semaphore::Semaphore(OpenExisting, const char* name) {
    handle_ = OpenSemaphoreA(allAccess, TRUE, name);
    if (handle_ == nullptr)
        throw Error("Can't open existing semaphore.");
}

Semaphore::~Semaphore() {
    CloseHandle(handle_);
}

DWORD Semaphore::lock() {
    const DWORD result = WaitForSingleObject(handle_, INFINITE);
    if (result != WAIT_OBJECT_0 && result != WAIT_ABANDONED && result != WAIT_TIMEOUT)
        throw Error("Lock of the semaphore failed.");
    return result;
}

bool Semaphore::tryLock(DWORD milliseconds) {
    switch (WaitForSingleObject(handle_, milliseconds)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:
        return true;
    case WAIT_TIMEOUT:
        return false;
    default:
        throw Error("Lock of the semaphore failed.");
    }
}

void Semaphore::unlock(LONG count) {
    if (!ReleaseSemaphore(handle_, count, nullptr))
        throw Error("Can't unlock semaphore.");
}

} // namespace thread
