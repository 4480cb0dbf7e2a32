#include "vantra/WorkbookPath.h"

#include <gtest/gtest.h>

namespace {

TEST(WorkbookPath, IsVantraXlsBesideTheProgram) {
    const struct {
        const wchar_t* program;
        const wchar_t* workbook;
    } cases[] = {
        {L"C:\\Program Files\\Vantra\\vantra.exe", L"C:\\Program Files\\Vantra\\vantra.xls"},
        {L"D:\\a\\b\\c\\VANTRA.EXE", L"D:\\a\\b\\c\\vantra.xls"},
        // At a drive root the root's own '\' is the only separator.
        {L"C:\\vantra.exe", L"C:\\vantra.xls"},
        {L"\\\\server\\share\\vantra.exe", L"\\\\server\\share\\vantra.xls"},
        {L"C:\\报表\\工具\\vantra.exe", L"C:\\报表\\工具\\vantra.xls"},
        {L"C:\\My.Tools\\launcher", L"C:\\My.Tools\\vantra.xls"},
        {L"vantra.exe", L"vantra.xls"},
        {L"", L"vantra.xls"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(workbookPath(c.program), c.workbook);
}

} // namespace
