#include "setup/thread/CritSect.h"
#include "setup/thread/GuardedCall.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <thread>

namespace {

TEST(CritSect, KeepsOutOtherThreadsAndNestsOnTheSameThread) {
    thread::CritSect section;
    long counter = 0;
    auto add = [&] {
        for (int i = 0; i < 20000; ++i) {
            section.lock();
            section.lock();
            const long seen = counter;
            if (i % 1000 == 0)
                Sleep(0);
            counter = seen + 1;
            section.unlock();
            section.unlock();
        }
    };
    std::thread a(add), b(add);
    a.join();
    b.join();
    EXPECT_EQ(counter, 40000);
}

TEST(GuardedCall, ReturnsTrueAfterANormalCall) {
    int calls = 0;
    EXPECT_TRUE(
        thread::callGuarded([](void* count) noexcept { ++*static_cast<int*>(count); }, &calls));
    EXPECT_EQ(calls, 1);
}

// What EnterCriticalSection raises when a debugging configuration times its wait out.
const DWORD possibleDeadlock = 0xC0000194;

void raise(void* code) noexcept {
    RaiseException(*static_cast<DWORD*>(code), 0, 0, nullptr);
}

void readUnmappedMemory(void*) noexcept {
    // Read through a volatile pointer so that the compiler cannot see the address.
    volatile int* volatile unmapped = reinterpret_cast<volatile int*>(static_cast<ULONG_PTR>(16));
    (void)*unmapped;
}

void guardAnotherCall(void* result) noexcept {
    DWORD code = STATUS_NO_MEMORY;
    *static_cast<bool*>(result) = thread::callGuarded(raise, &code);
    RaiseException(possibleDeadlock, 0, 0, nullptr);
}

TEST(GuardedCall, TurnsStructuredExceptionsIntoFalse) {
    for (DWORD code : {static_cast<DWORD>(STATUS_NO_MEMORY), possibleDeadlock, 0xE0000001ul}) {
        EXPECT_FALSE(thread::callGuarded(raise, &code)) << std::hex << code;
    }
    EXPECT_FALSE(thread::callGuarded(readUnmappedMemory, nullptr));
}

TEST(GuardedCall, NestsAndLeavesTheThreadInOrder) {
    bool inner = true;
    EXPECT_FALSE(thread::callGuarded(guardAnotherCall, &inner));
    EXPECT_FALSE(inner);
    // C++ exceptions still travel normally once the guard is gone.
    EXPECT_THROW(throw std::runtime_error("after"), std::runtime_error);
    int calls = 0;
    EXPECT_TRUE(
        thread::callGuarded([](void* count) noexcept { ++*static_cast<int*>(count); }, &calls));
}

} // namespace
