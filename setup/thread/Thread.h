#pragma once

#include "setup/thread/GenericError.h"
#include "setup/thread/OwnedHandle.h"

#include <windows.h>

namespace thread {

// Work that a Thread without its own run operation carries out.
class Runnable {
public:
    virtual ~Runnable() = default;
    virtual void run() = 0;
};

// A platform thread that runs the object's run operation.
//
// The thread is created suspended by the constructor and runs once start() is
// called, at most once. An exception that escapes run() is discarded and the
// thread simply ends.
//
// Lifetime contract: the destructor only closes the thread handle; it neither
// waits for the thread nor stops it. The owner must therefore keep the object
// (and a target passed in) alive for as long as run() may still use it. A
// thread still inside run() after its object was deleted runs on into freed
// memory as soon as it touches a member. An object deleted before start()
// leaves its thread suspended for the rest of the process.
class Thread {
public:
    class Error : public GenericError {
    public:
        explicit Error(const char* message) : GenericError("class Thread", message) {}
    };

    // Creates the thread suspended. `target` (may be null) is what the default
    // run() calls. Throws Error "Can't create thread.".
    explicit Thread(Runnable* target = nullptr);
    virtual ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Lets the thread run. Throws Error "Thread can be started only once." on a
    // second call, and "Thread can not be started." when the platform refuses
    // (the thread then counts as started all the same).
    void start();

    // 0 lowest, 1 below normal, 2 normal, 3 above normal, 4 highest, 5 time
    // critical. Throws Error "Illegal priority value." for any other level and
    // "Can't set priority." when the platform refuses; the level is kept only
    // on success. May be called before start().
    void setPriority(int level);
    int priority() const { return priority_; }

    // Waits without a time limit for the thread to end. Returns WAIT_OBJECT_0,
    // WAIT_ABANDONED or WAIT_TIMEOUT; throws Error "Waiting for thread
    // termination failed." on any other result.
    DWORD wait();

    // Waits up to `milliseconds`; returns the platform's result unchanged.
    DWORD wait(DWORD milliseconds);

protected:
    // The thread's work. The default calls the target's run(), if there is one.
    virtual void run();

private:
    static unsigned __stdcall entryRoutine(void* object);

    Runnable* target_;
    bool started_ = false;
    int priority_ = 2;
    OwnedHandle handle_;
};

} // namespace thread
