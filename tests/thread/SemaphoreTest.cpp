#include "setup/thread/Semaphore.h"
#include "tests/support/TestFiles.h"
#include "tests/thread/ThreadErrors.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

namespace {

using testing_support::uniqueName;
using thread::Semaphore;

template <typename Action> std::string errorOf(Action action) {
    return thread_tests::errorOf<Semaphore::Error>("class Semaphore", action);
}

TEST(Semaphore, CountsLocksAndUnlocks) {
    Semaphore semaphore(0);
    EXPECT_FALSE(semaphore.tryLock(0));
    semaphore.unlock(1);
    EXPECT_TRUE(semaphore.tryLock(0));
    EXPECT_FALSE(semaphore.tryLock(20));

    semaphore.unlock(2);
    EXPECT_EQ(semaphore.lock(), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(semaphore.lock(), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_FALSE(semaphore.tryLock(0));
}

TEST(Semaphore, LockWaitsForAnotherThreadsUnlock) {
    Semaphore semaphore(0);
    std::thread other([&] {
        Sleep(50);
        semaphore.unlock();
    });
    EXPECT_EQ(semaphore.lock(), static_cast<DWORD>(WAIT_OBJECT_0));
    other.join();
}

TEST(Semaphore, UnlockThatThePlatformRefusesThrows) {
    Semaphore semaphore(0x7FFFFFFF);
    EXPECT_EQ(errorOf([&] { semaphore.unlock(1); }), "Can't unlock semaphore.") << "above maximum";
    EXPECT_EQ(errorOf([] { Semaphore(-1); }), "Can't create semaphore.");
}

TEST(Semaphore, NamedSemaphoreIsSharedThroughOpen) {
    const std::string name = uniqueName("setup.tests.semaphore.shared");
    Semaphore created(0, name.c_str());
    Semaphore opened(thread::openExisting, name.c_str());
    created.unlock(1);
    EXPECT_TRUE(opened.tryLock(0));
    EXPECT_FALSE(created.tryLock(0));
}

TEST(Semaphore, CreatingAnExistingNameThrowsAndKeepsNoHandle) {
    const std::string name = uniqueName("setup.tests.semaphore.exists");
    {
        Semaphore first(1, name.c_str());
        EXPECT_EQ(errorOf([&] { Semaphore second(1, name.c_str()); }), "Semaphore already exists.");
        EXPECT_TRUE(first.tryLock(0)) << "the existing semaphore is untouched";
    }
    // Had the failed creation kept its handle, the semaphore would still exist.
    EXPECT_EQ(errorOf([&] { Semaphore(thread::openExisting, name.c_str()); }),
              "Can't open existing semaphore.");
}

} // namespace
