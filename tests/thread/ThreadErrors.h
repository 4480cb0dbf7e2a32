#pragma once

#include <gtest/gtest.h>

#include <string>

namespace thread_tests {

// The message of the `Error` that `action` throws, after checking that the
// error names `className`; "no error" when nothing is thrown.
template <class Error, class Action> std::string errorOf(const char* className, Action action) {
    try {
        action();
    } catch (const Error& e) {
        EXPECT_STREQ(e.className(), className);
        return e.message();
    }
    return "no error";
}

} // namespace thread_tests
