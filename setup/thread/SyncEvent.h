#pragma once

#include "setup/thread/GenericError.h"
#include "setup/thread/OpenExisting.h"
#include "setup/thread/OwnedHandle.h"

#include <windows.h>

namespace thread {

// A platform event, optionally named so that other processes can open it.
// Handles are inheritable by child processes.
class SyncEvent {
public:
    class Error : public GenericError {
    public:
        explicit Error(const char* message) : GenericError("class SyncEvent", message) {}
    };

    // Creates a new event; `name` may be null. A manual-reset event stays
    // signalled until reset(); an automatic one is reset by the wait that it
    // releases. Never attaches to an existing event: when the name is taken,
    // throws Error "Event already exists." and keeps no handle. Other failures
    // throw "Can't create event.".
    SyncEvent(bool initiallySignalled, bool manualReset, const char* name = nullptr);

    // Opens the existing event `name`; throws Error "Can't open existing
    // event." when there is none.
    SyncEvent(OpenExisting, const char* name);

    virtual ~SyncEvent();
    SyncEvent(const SyncEvent&) = delete;
    SyncEvent& operator=(const SyncEvent&) = delete;

    // Throw Error "Can't set event." / "Can't reset event." on failure.
    void set();
    void reset();

    // Waits without a time limit. Returns WAIT_OBJECT_0, WAIT_ABANDONED or
    // WAIT_TIMEOUT; throws Error "Wait failed." otherwise.
    DWORD wait();

    // Waits up to `milliseconds`: true when the event was signalled, false on
    // time-out; throws Error "Wait failed." otherwise.
    bool wait(DWORD milliseconds);

private:
    OwnedHandle handle_;
};

} // namespace thread
