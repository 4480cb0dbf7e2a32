#pragma once

#include "setup/thread/GenericError.h"

#include <windows.h>

namespace thread {

// A critical section: a lock for the threads of one process that the same
// thread may take several times (each lock() needs its unlock()).
class CritSect {
public:
    class Error : public GenericError {
    public:
        explicit Error(const char* message) : GenericError("class CritSect", message) {}
    };

    // Throws Error "Can't create critical section." when the platform raises
    // an exception while setting it up (for lack of memory on older systems).
    CritSect();
    ~CritSect();
    CritSect(const CritSect&) = delete;
    CritSect& operator=(const CritSect&) = delete;

    // Throws Error "Can't lock critical section." when the platform raises an
    // exception while waiting (for lack of memory on older systems, or a
    // possible deadlock reported by a debugging configuration).
    void lock();
    void unlock();

private:
    CRITICAL_SECTION section_;
};

} // namespace thread
