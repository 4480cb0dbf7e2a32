#include "setup/start/errors/ExceptionReport.h"
#include "tests/support/DialogDriver.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using testing_support::clickButton;
using testing_support::staticTexts;
using testing_support::waitForWindow;

TEST(FileException, DescribesEveryCode) {
    const struct {
        int code;
        const char* description;
    } cases[] = {
        {0, "No error occurred"},
        {1, "File not found"},
        {2, "Can not open file"},
        {3, "There was an error in read operation"},
        {4, "There was an error trying to set the file pointer"},
        {5, "The disk is full"},
        {6, "The end of file was reached"},
        {7, "Unknown error"},
        {9, "Unknown error"},
        {-1, "Unknown error"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(FileException("x", c.code).description(), c.description) << c.code;
}

TEST(WinException, TakesLastErrorWhenBuiltNotWhenCaught) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    WinException e("Couldn't initialize COM");
    SetLastError(0);
    EXPECT_EQ(e.code(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_STREQ(e.message(), "Couldn't initialize COM");
}

TEST(ReportText, FormatsBothTypes) {
    SetLastError(0xC0000005);
    EXPECT_EQ(reportText(WinException("RegisterClassEx")), "RegisterClassEx, Error -1073741819");
    SetLastError(5);
    EXPECT_EQ(reportText(WinException("Out of memory")), "Out of memory, Error 5");
    EXPECT_EQ(reportText(FileException("setup.zip", 1)), "File not found: \"setup.zip\"");
    EXPECT_EQ(reportText(FileException("", 2)), "Can not open file: \"\"");
    EXPECT_EQ(reportText(FileException("a%sb%d", 9)), "Unknown error: \"a%sb%d\"");
}

TEST(ReportText, KeepsAVeryLongFileNameWhole) {
    const std::string name = std::string(5000, 'n') + ".dat";
    EXPECT_EQ(reportText(FileException(name, 2)), "Can not open file: \"" + name + "\"");
}

// What a person sees: the caption, the texts of the box, and that it is a
// single box closed with OK.
struct SeenBox {
    std::string caption;
    std::vector<std::string> texts;
};

// Runs `body` under the outer handler while a second thread waits for the box
// with the caption, reads it and presses OK.
int runAndDismiss(const char* caption, const std::function<int()>& body, SeenBox& seen) {
    std::thread person([&] {
        HWND box = waitForWindow("#32770", caption);
        if (box == nullptr)
            return;
        seen.caption = caption;
        seen.texts = staticTexts(box);
        clickButton(box, IDOK);
    });
    const int result = runWithOuterHandler(body);
    person.join();
    return result;
}

TEST(OuterHandler, PassesTheResultThroughWhenNothingIsThrown) {
    EXPECT_EQ(runWithOuterHandler([] { return 7; }), 7);
}

TEST(OuterHandler, ShowsOneBoxPerClauseAndReturnsMinusOne) {
    struct Case {
        const char* caption;
        std::function<int()> body;
        std::string text;
    };
    const std::string longName(600, 'L');
    const Case cases[] = {
        {"Exception",
         [] {
             SetLastError(8);
             throw WinException("Couldn't check Windows version");
             return 0;
         },
         "Couldn't check Windows version, Error 8"},
        {"Error",
         [&] {
             throw FileException(longName, 1);
             return 0;
         },
         "File not found: \"" + longName + "\""},
        {"Exception",
         [] {
             throw std::runtime_error("library failure");
             return 0;
         },
         "Unknown"},
    };
    for (const auto& c : cases) {
        SeenBox seen;
        EXPECT_EQ(runAndDismiss(c.caption, c.body, seen), -1);
        EXPECT_EQ(seen.caption, c.caption);
        ASSERT_FALSE(seen.texts.empty()) << c.text;
        EXPECT_EQ(seen.texts.back(), c.text);
    }
}

TEST(OuterHandler, UnwindsTheBodyBeforeTheBoxShows) {
    bool destroyedBeforeBox = false;
    struct Guard {
        bool* flag;
        ~Guard() { *flag = true; }
    };
    bool destroyed = false;
    std::thread person([&] {
        HWND box = waitForWindow("#32770", "Error");
        destroyedBeforeBox = destroyed;
        if (box != nullptr)
            clickButton(box, IDOK);
    });
    runWithOuterHandler([&] {
        Guard guard{&destroyed};
        throw FileException("Setup.ini", 2);
        return 0;
    });
    person.join();
    EXPECT_TRUE(destroyedBeforeBox);
}

} // namespace
