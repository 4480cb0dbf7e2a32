#pragma once

#include "setup/thread/GenericError.h"
#include "setup/thread/OpenExisting.h"
#include "setup/thread/OwnedHandle.h"

#include <windows.h>

namespace thread {

// A counting semaphore, optionally named so that other processes can open it.
// Handles are inheritable by child processes.
class Semaphore {
public:
    class Error : public GenericError {
    public:
        explicit Error(const char* message) : GenericError("class Semaphore", message) {}
    };

    // Creates a new semaphore with the count `initialCount` and the maximum
    // 0x7FFFFFFF; `name` may be null. Never attaches to an existing one: when
    // the name is taken, throws Error "Semaphore already exists." and keeps no
    // handle. Other failures throw "Can't create semaphore.".
    explicit Semaphore(LONG initialCount, const char* name = nullptr);

    // Opens the existing semaphore `name`; throws Error "Can't open existing
    // semaphore." when there is none.
    Semaphore(OpenExisting, const char* name);

    virtual ~Semaphore();
    Semaphore(const Semaphore&) = delete;
    Semaphore& operator=(const Semaphore&) = delete;

    // Waits without a time limit. Returns WAIT_OBJECT_0, WAIT_ABANDONED or
    // WAIT_TIMEOUT; throws Error "Lock of the semaphore failed." otherwise.
    DWORD lock();

    // Waits up to `milliseconds`: true when the semaphore was taken, false on
    // time-out; throws Error "Lock of the semaphore failed." otherwise.
    bool tryLock(DWORD milliseconds);

    // Raises the count by `count`; throws Error "Can't unlock semaphore." when
    // the platform refuses (for example when the maximum would be passed).
    void unlock(LONG count = 1);

private:
    OwnedHandle handle_;
};

} // namespace thread
