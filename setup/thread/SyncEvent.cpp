#include "setup/thread/SyncEvent.h"

#include "setup/thread/KernelObject.h"

namespace thread {

namespace {
const DWORD allAccess = 0x1F0003; // EVENT_ALL_ACCESS
const char* const waitFailed = "Wait failed.";
} // namespace

SyncEvent::SyncEvent(bool initiallySignalled, bool manualReset, const char* name)
    : handle_(createNewObject<Error>(
          [&](SECURITY_ATTRIBUTES* inheritable) {
              return CreateEventA(inheritable, manualReset, initiallySignalled, name);
          },
          "Can't create event.", "Event already exists.")) {}

SyncEvent::SyncEvent(OpenExisting, const char* name)
    : handle_(openExistingObject<Error>(OpenEventA(allAccess, TRUE, name),
                                        "Can't open existing event.")) {}

SyncEvent::~SyncEvent() = default;

void SyncEvent::set() {
    if (!SetEvent(handle_.get()))
        throw Error("Can't set event.");
}

void SyncEvent::reset() {
    if (!ResetEvent(handle_.get()))
        throw Error("Can't reset event.");
}

DWORD SyncEvent::wait() {
    return waitWithoutLimit<Error>(handle_.get(), waitFailed);
}

bool SyncEvent::wait(DWORD milliseconds) {
    return waitUpTo<Error>(handle_.get(), milliseconds, waitFailed);
}

} // namespace thread
