#include "setup/thread/CritSect.h"

#include "setup/thread/GuardedCall.h"

namespace thread {

// The platform reports failures of these two calls by raising a structured
// exception, not by a result; callGuarded turns that into a result.

CritSect::CritSect() {
    const bool initialised = callGuarded(
        [](void* section) noexcept {
            InitializeCriticalSection(static_cast<CRITICAL_SECTION*>(section));
        },
        &section_);
    if (!initialised)
        throw Error("Can't create critical section.");
}

CritSect::~CritSect() {
    DeleteCriticalSection(&section_);
}

void CritSect::lock() {
    const bool entered = callGuarded(
        [](void* section) noexcept {
            EnterCriticalSection(static_cast<CRITICAL_SECTION*>(section));
        },
        &section_);
    if (!entered)
        throw Error("Can't lock critical section.");
}

void CritSect::unlock() {
    LeaveCriticalSection(&section_);
}

} // namespace thread
