#include "setup/install/text/ProgramCommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramCommandLine, FindsTheProgramAndQuotesIt) {
    struct Case {
        const char* line;
        const char* program;
        const char* arguments;
        const char* directory;
        const char* safeLine;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Acme\\uninstall.exe", "C:\\Program Files\\Acme\\uninstall.exe", "",
         "C:\\Program Files\\Acme", "\"C:\\Program Files\\Acme\\uninstall.exe\""},
        {"\"C:\\Program Files\\Acme\\uninstall.exe\"", "C:\\Program Files\\Acme\\uninstall.exe", "",
         "C:\\Program Files\\Acme", "\"C:\\Program Files\\Acme\\uninstall.exe\""},
        {"C:\\My App\\app.EXE /x \"a b\"", "C:\\My App\\app.EXE", " /x \"a b\"", "C:\\My App",
         "\"C:\\My App\\app.EXE\" /x \"a b\""},
        {"\"C:\\My App\\app.exe\" -q", "C:\\My App\\app.exe", " -q", "C:\\My App",
         "\"C:\\My App\\app.exe\" -q"},
        // The first ".exe" that ends a word; one inside a name does not count.
        {"C:\\a.exec\\b.exe c.exe", "C:\\a.exec\\b.exe", " c.exe", "C:\\a.exec",
         "\"C:\\a.exec\\b.exe\" c.exe"},
        {"app.exe", "app.exe", "", "", "\"app.exe\""},
        // An unclosed quote takes the rest as the program.
        {"\"C:\\x y\\app.exe", "C:\\x y\\app.exe", "", "C:\\x y", "\"C:\\x y\\app.exe\""},
        // Nothing recognisable: left alone.
        {"C:\\Docs\\readme.txt", "", "", "C:\\Docs", "C:\\Docs\\readme.txt"},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        const ProgramCommandLine command = ProgramCommandLine::parse(c.line);
        EXPECT_EQ(command.program, c.program) << c.line;
        EXPECT_EQ(command.arguments, c.arguments) << c.line;
        EXPECT_EQ(command.directory(c.line), c.directory) << c.line;
        EXPECT_EQ(command.safeLine(c.line), c.safeLine) << c.line;
    }
}

} // namespace
