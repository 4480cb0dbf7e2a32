#include "setup/thread/SyncEvent.h"
#include "tests/support/TestFiles.h"
#include "tests/thread/ThreadErrors.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

namespace {

using testing_support::uniqueName;
using thread::SyncEvent;

template <typename Action> std::string errorOf(Action action) {
    return thread_tests::errorOf<SyncEvent::Error>("class SyncEvent", action);
}

TEST(SyncEvent, ManualResetStaysSignalledUntilReset) {
    SyncEvent event(false, true);
    EXPECT_FALSE(event.wait(20));
    event.set();
    EXPECT_TRUE(event.wait(0));
    EXPECT_TRUE(event.wait(0));
    EXPECT_EQ(event.wait(), static_cast<DWORD>(WAIT_OBJECT_0));
    event.reset();
    EXPECT_FALSE(event.wait(0));
}

TEST(SyncEvent, AutomaticResetReleasesOneWait) {
    SyncEvent event(true, false);
    EXPECT_TRUE(event.wait(0)) << "initially signalled";
    EXPECT_FALSE(event.wait(0));
    event.set();
    EXPECT_EQ(event.wait(), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_FALSE(event.wait(20));
}

TEST(SyncEvent, WaitReturnsWhenAnotherThreadSets) {
    SyncEvent event(false, false);
    std::thread other([&] {
        Sleep(50);
        event.set();
    });
    EXPECT_TRUE(event.wait(10000));
    other.join();
}

TEST(SyncEvent, NamedEventIsSharedThroughOpen) {
    const std::string name = uniqueName("setup.tests.event.shared");
    SyncEvent created(false, true, name.c_str());
    SyncEvent opened(thread::openExisting, name.c_str());
    opened.set();
    EXPECT_TRUE(created.wait(0));
    created.reset();
    EXPECT_FALSE(opened.wait(0));
}

TEST(SyncEvent, CreatingAnExistingNameThrowsAndKeepsNoHandle) {
    const std::string name = uniqueName("setup.tests.event.exists");
    {
        SyncEvent first(false, true, name.c_str());
        EXPECT_EQ(errorOf([&] { SyncEvent second(true, true, name.c_str()); }),
                  "Event already exists.");
        EXPECT_FALSE(first.wait(0)) << "the existing event is untouched";
    }
    EXPECT_EQ(errorOf([&] { SyncEvent(thread::openExisting, name.c_str()); }),
              "Can't open existing event.");
}

TEST(SyncEvent, UnnamedCreationIgnoresAnEarlierAlreadyExistsError) {
    SetLastError(ERROR_ALREADY_EXISTS);
    EXPECT_EQ(errorOf([] { SyncEvent event(false, false); }), "no error");
}

} // namespace
