#include "vantra/FailureReport.h"

#include <gtest/gtest.h>

namespace {

TEST(FailureReport, StatesWhatFailedThenCodeAndText) {
    const struct {
        HRESULT code;
        const wchar_t* description;
        const wchar_t* report;
    } cases[] = {
        {static_cast<HRESULT>(0x800401F3), L"Invalid class string",
         L"Step failed.\r\n\r\nError 0x800401F3: Invalid class string"},
        {static_cast<HRESULT>(0x800A03EC), L"", L"Step failed.\r\n\r\nError 0x800A03EC."},
        {0x00000005, L"Access denied.", L"Step failed.\r\n\r\nError 0x00000005: Access denied."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(failureReport(L"Step failed.", c.code, c.description), c.report);
}

TEST(SystemErrorText, LooksUpWin32ErrorsInsideAnHresultWithoutTheLineBreak) {
    const std::wstring wrapped = systemErrorText(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    ASSERT_FALSE(wrapped.empty());
    EXPECT_EQ(wrapped, systemErrorText(ERROR_FILE_NOT_FOUND));
    EXPECT_NE(wrapped.back(), L'\n');
    EXPECT_NE(wrapped.back(), L'\r');
}

TEST(SystemErrorText, HasATextForTheCodesOfAFailedLaunch) {
    for (const HRESULT code : {CO_E_CLASSSTRING, REGDB_E_CLASSNOTREG, DISP_E_EXCEPTION})
        EXPECT_FALSE(systemErrorText(code).empty()) << std::hex << code;
}

} // namespace
