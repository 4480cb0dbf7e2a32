#include "setup/thread/Thread.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <stdexcept>

namespace {

// A manual-reset event owned by the test, outliving every thread object.
class Event {
public:
    Event() : handle_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Event() { CloseHandle(handle_); }
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;
    HANDLE handle() const { return handle_; }
    void set() { SetEvent(handle_); }
    bool waitFor(DWORD milliseconds) const {
        return WaitForSingleObject(handle_, milliseconds) == WAIT_OBJECT_0;
    }

private:
    HANDLE handle_;
};

// Counts its runs and, when given a gate, waits for it before returning.
class Gated : public thread::Thread {
public:
    explicit Gated(const Event* gate = nullptr) : gate_(gate) {}
    std::atomic<int> runs{0};
    int observedPriority = THREAD_PRIORITY_ERROR_RETURN;

protected:
    void run() override {
        ++runs;
        observedPriority = GetThreadPriority(GetCurrentThread());
        if (gate_ != nullptr)
            gate_->waitFor(10000);
    }

private:
    const Event* gate_;
};

struct CountingTarget : thread::Runnable {
    std::atomic<int> runs{0};
    void run() override { ++runs; }
};

TEST(Thread, RunsTheTargetOnceStarted) {
    CountingTarget target;
    thread::Thread worker(&target);
    EXPECT_EQ(worker.wait(50), static_cast<DWORD>(WAIT_TIMEOUT)) << "created suspended";
    EXPECT_EQ(target.runs, 0);
    worker.start();
    EXPECT_EQ(worker.wait(), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(target.runs, 1);
}

TEST(Thread, WithoutTargetOrOverrideDoesNothingAndEnds) {
    thread::Thread idle;
    idle.start();
    EXPECT_EQ(idle.wait(10000), static_cast<DWORD>(WAIT_OBJECT_0));
}

TEST(Thread, TimedWaitReportsTimeoutWhileRunning) {
    Event gate;
    Gated worker(&gate);
    worker.start();
    EXPECT_EQ(worker.wait(0), static_cast<DWORD>(WAIT_TIMEOUT));
    gate.set();
    EXPECT_EQ(worker.wait(10000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(worker.wait(), static_cast<DWORD>(WAIT_OBJECT_0))
        << "an ended thread stays signalled";
}

TEST(Thread, SecondStartThrowsAndLeavesTheThreadRunning) {
    Event gate;
    Gated worker(&gate);
    worker.start();
    try {
        worker.start();
        FAIL() << "second start accepted";
    } catch (const thread::Thread::Error& e) {
        EXPECT_STREQ(e.className(), "class Thread");
        EXPECT_STREQ(e.message(), "Thread can be started only once.");
    }
    EXPECT_EQ(worker.wait(0), static_cast<DWORD>(WAIT_TIMEOUT));
    gate.set();
    EXPECT_EQ(worker.wait(), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(worker.runs, 1);
}

struct Throwing : thread::Thread {
    bool library = false;
    void run() override {
        if (library)
            throw thread::Thread::Error("Can't set priority.");
        throw std::runtime_error("escaped from run");
    }
};

TEST(Thread, AnExceptionLeavingRunEndsTheThreadQuietly) {
    for (bool library : {false, true}) {
        Throwing worker;
        worker.library = library;
        worker.start();
        EXPECT_EQ(worker.wait(), static_cast<DWORD>(WAIT_OBJECT_0));
    }
}

TEST(Thread, PriorityLevelsMapToThePlatform) {
    const int platform[] = {THREAD_PRIORITY_LOWEST,  THREAD_PRIORITY_BELOW_NORMAL,
                            THREAD_PRIORITY_NORMAL,  THREAD_PRIORITY_ABOVE_NORMAL,
                            THREAD_PRIORITY_HIGHEST, THREAD_PRIORITY_TIME_CRITICAL};
    for (int level = 0; level <= 5; ++level) {
        Gated worker;
        EXPECT_EQ(worker.priority(), 2);
        worker.setPriority(level);
        EXPECT_EQ(worker.priority(), level);
        worker.start();
        worker.wait();
        EXPECT_EQ(worker.observedPriority, platform[level]) << "level " << level;
    }
}

TEST(Thread, IllegalPriorityThrowsAndKeepsTheLevel) {
    Gated worker;
    worker.setPriority(4);
    for (int level : {6, -1, 15}) {
        try {
            worker.setPriority(level);
            ADD_FAILURE() << "level " << level << " accepted";
        } catch (const thread::Thread::Error& e) {
            EXPECT_STREQ(e.message(), "Illegal priority value.");
        }
        EXPECT_EQ(worker.priority(), 4);
    }
    worker.start();
    worker.wait();
    EXPECT_EQ(worker.observedPriority, THREAD_PRIORITY_HIGHEST);
}

// Takes copies of everything it needs before it tells the test that it runs,
// and never touches its object afterwards, so the test may delete the object
// while the thread goes on.
class Lingering : public thread::Thread {
public:
    Lingering(HANDLE running, HANDLE release, HANDLE finished)
        : running_(running), release_(release), finished_(finished) {}

protected:
    void run() override {
        const HANDLE running = running_;
        const HANDLE release = release_;
        const HANDLE finished = finished_;
        SetEvent(running);
        if (WaitForSingleObject(release, 10000) == WAIT_OBJECT_0)
            SetEvent(finished);
    }

private:
    HANDLE running_;
    HANDLE release_;
    HANDLE finished_;
};

TEST(Thread, DestroyingTheObjectLeavesItsThreadRunning) {
    Event running, release, finished;
    auto* worker = new Lingering(running.handle(), release.handle(), finished.handle());
    worker->start();
    ASSERT_TRUE(running.waitFor(10000));
    delete worker;
    EXPECT_FALSE(finished.waitFor(50));
    release.set();
    EXPECT_TRUE(finished.waitFor(10000)) << "the thread ended with its object";
}

} // namespace
