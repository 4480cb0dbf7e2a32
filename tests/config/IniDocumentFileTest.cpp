#include "setup/config/text/IniDocument.h"
#include "setup/start/errors/FileException.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;
using testing_support::ScratchFolder;
using testing_support::writeFile;

TEST(IniDocumentFile, HoldsTheFileBytesExactly) {
    ScratchFolder folder("load");
    std::string bytes = "[GENERAL_INFO]\r\nProductName=Va\0ntra\r\nLone=a\rb\nc\r\n\xff\x80\0"s;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    ASSERT_TRUE(writeFile(folder.file("Setup.ini"), bytes));

    // With and without a trailing '\' on the directory.
    for (const std::string& directory : {folder.path(), folder.path() + "\\"}) {
        const IniDocument document(directory, "Setup.ini");
        EXPECT_EQ(document.text(), bytes);
        EXPECT_EQ(document.getString("GENERAL_INFO", "ProductName", ""), "Va\0ntra"s);
        EXPECT_EQ(document.getString("GENERAL_INFO", "Lone", ""), "a\rb\nc");
    }
}

TEST(IniDocumentFile, EmptyFileIsAnEmptyDocument) {
    ScratchFolder folder("empty");
    ASSERT_TRUE(writeFile(folder.file("English.dat"), ""));
    const IniDocument document(folder.path(), "English.dat");
    EXPECT_EQ(document.text(), "");
    EXPECT_EQ(document.lineCount("UNINSTALL_DIALOG"), 0);
}

TEST(IniDocumentFile, MissingFileThrowsCannotOpenWithTheBareName) {
    ScratchFolder folder("missing");
    const struct {
        std::string directory;
        const char* name;
    } cases[] = {
        {folder.path(), "German.dat"},
        {folder.path() + "\\no such folder", "German.dat"},
        {folder.path(), ""},
    };
    for (const auto& c : cases) {
        try {
            IniDocument document(c.directory, c.name);
            ADD_FAILURE() << "no exception for " << c.directory << " " << c.name;
        } catch (const FileException& e) {
            EXPECT_EQ(e.code(), 2);
            EXPECT_EQ(e.fileName(), c.name);
        }
    }
}

} // namespace
