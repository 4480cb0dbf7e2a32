#include "setup/thread/Thread.h"

#include "setup/thread/KernelObject.h"

#include <process.h>

namespace thread {

Thread::Thread(Runnable* target) : target_(target) {
    const uintptr_t handle =
        _beginthreadex(nullptr, 0, &Thread::entryRoutine, this, CREATE_SUSPENDED, nullptr);
    if (handle == 0)
        throw Error("Can't create thread.");
    handle_.reset(reinterpret_cast<HANDLE>(handle));
}

Thread::~Thread() = default;

void Thread::start() {
    if (started_)
        throw Error("Thread can be started only once.");
    started_ = true;
    if (ResumeThread(handle_.get()) == static_cast<DWORD>(-1))
        throw Error("Thread can not be started.");
}

void Thread::setPriority(int level) {
    static const int platformPriorities[] = {
        THREAD_PRIORITY_LOWEST,       THREAD_PRIORITY_BELOW_NORMAL, THREAD_PRIORITY_NORMAL,
        THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,      THREAD_PRIORITY_TIME_CRITICAL,
    };
    if (level < 0 || level > 5)
        throw Error("Illegal priority value.");
    if (!SetThreadPriority(handle_.get(), platformPriorities[level]))
        throw Error("Can't set priority.");
    priority_ = level;
}

DWORD Thread::wait() {
    return waitWithoutLimit<Error>(handle_.get(), "Waiting for thread termination failed.");
}

DWORD Thread::wait(DWORD milliseconds) {
    return WaitForSingleObject(handle_.get(), milliseconds);
}

void Thread::run() {
    if (target_ != nullptr)
        target_->run();
}

unsigned __stdcall Thread::entryRoutine(void* object) {
    // Nothing may leave a thread's entry: whatever run() throws ends the
    // thread quietly.
    try {
        static_cast<Thread*>(object)->run();
    } catch (...) {
    }
    _endthreadex(0);
    return 0;
}

} // namespace thread
