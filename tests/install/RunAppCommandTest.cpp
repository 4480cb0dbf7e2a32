#include "setup/install/text/RunAppCommand.h"

#include <gtest/gtest.h>

namespace {

TEST(RunAppCommand, SplitsFieldsByComma) {
    const struct {
        const char* text;
        RunAppCommand expected;
    } cases[] = {
        {"C:\\Tools\\pre.exe", {"C:\\Tools\\pre.exe", "", "", 0, 0, 0, ""}},
        {"C:\\Tools\\pre.exe,/q,C:\\Tools,1",
         {"C:\\Tools\\pre.exe", "/q", "C:\\Tools", 1, 0, 0, ""}},
        {"C:\\Docs\\readme.txt,,,3,0,1", {"C:\\Docs\\readme.txt", "", "", 3, 0, 1, ""}},
        {"a,b,c,4,5,6,seven,eight", {"a", "b", "c", 4, 5, 6, "seven"}},
        {"a,p&comma;q,d", {"a", "p&comma;q", "d", 0, 0, 0, ""}},
        {" a , b ,, 2x,-3, +7", {" a ", " b ", "", 2, -3, 7, ""}},
        {"", {"", "", "", 0, 0, 0, ""}},
        {",", {"", "", "", 0, 0, 0, ""}},
        {"a,,,99999999999", {"a", "", "", 2147483647, 0, 0, ""}},
    };
    for (const auto& c : cases) {
        const RunAppCommand parsed = RunAppCommand::parse(c.text);
        EXPECT_EQ(parsed.path, c.expected.path) << c.text;
        EXPECT_EQ(parsed.parameters, c.expected.parameters) << c.text;
        EXPECT_EQ(parsed.directory, c.expected.directory) << c.text;
        EXPECT_EQ(parsed.show, c.expected.show) << c.text;
        EXPECT_EQ(parsed.reserved, c.expected.reserved) << c.text;
        EXPECT_EQ(parsed.noWait, c.expected.noWait) << c.text;
        EXPECT_EQ(parsed.rest, c.expected.rest) << c.text;
    }
}

TEST(RunAppCommand, ChoosesProcessOnlyForLowerCaseProgramExtensions) {
    const struct {
        const char* path;
        bool process;
    } cases[] = {
        {"C:\\Tools\\pre.exe", true},    {"C:\\Tools\\setup.bat", true},
        {"C:\\x.exe.txt", true},         {"C:\\TOOLS\\PRE.EXE", false},
        {"C:\\Docs\\readme.txt", false}, {"http://example.com/", false},
    };
    for (const auto& c : cases) {
        RunAppCommand command;
        command.path = c.path;
        EXPECT_EQ(command.startsAsProcess(), c.process) << c.path;
    }
}

TEST(RunAppCommand, QuotesThePathAndAddsParametersAfterABlank) {
    EXPECT_EQ(RunAppCommand::parse("C:\\My Tools\\pre.exe").commandLine(),
              "\"C:\\My Tools\\pre.exe\"");
    EXPECT_EQ(RunAppCommand::parse("C:\\t.exe,/q /x").commandLine(), "\"C:\\t.exe\" /q /x");
}

} // namespace
