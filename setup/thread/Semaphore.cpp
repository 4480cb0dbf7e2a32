#include "setup/thread/Semaphore.h"

#include "setup/thread/KernelObject.h"

namespace thread {

namespace {
const LONG maximumCount = 0x7FFFFFFF;
const DWORD allAccess = 0x1F0003; // SEMAPHORE_ALL_ACCESS
const char* const lockFailed = "Lock of the semaphore failed.";
} // namespace

Semaphore::Semaphore(LONG initialCount, const char* name)
    : handle_(createNewObject<Error>(
          [&](SECURITY_ATTRIBUTES* inheritable) {
              return CreateSemaphoreA(inheritable, initialCount, maximumCount, name);
          },
          "Can't create semaphore.", "Semaphore already exists.")) {}

Semaphore::Semaphore(OpenExisting, const char* name)
    : handle_(openExistingObject<Error>(OpenSemaphoreA(allAccess, TRUE, name),
                                        "Can't open existing semaphore.")) {}

Semaphore::~Semaphore() = default;

DWORD Semaphore::lock() {
    return waitWithoutLimit<Error>(handle_.get(), lockFailed);
}

bool Semaphore::tryLock(DWORD milliseconds) {
    return waitUpTo<Error>(handle_.get(), milliseconds, lockFailed);
}

void Semaphore::unlock(LONG count) {
    if (!ReleaseSemaphore(handle_.get(), count, nullptr))
        throw Error("Can't unlock semaphore.");
}

} // namespace thread
