#include "setup/records/helpers/FileHandle.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

const std::string contents = "[GENERAL_INFO]\r\n";

std::string readAll(FileHandle& file, std::uint32_t count, bool& complete) {
    std::string buffer(count, '\0');
    std::uint32_t got = 12345;
    complete = file.read(&buffer[0], count, got);
    buffer.resize(got);
    return buffer;
}

TEST(FileHandle, OpensDirectoryAndNameJoinedOrAlone) {
    testing_support::ScratchFolder folder;
    const std::string full = folder.write("a.ini", contents);
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    SetCurrentDirectoryA(folder.path().c_str());

    const std::string withSlash = folder.path() + "\\";
    const struct {
        const char* directory;
        const char* name;
        bool opens;
    } cases[] = {
        {withSlash.c_str(), "a.ini", true},
        {folder.path().c_str(), "a.ini", true},
        {nullptr, "a.ini", true}, // relative to the current directory
        {"", "a.ini", true},
        {full.c_str(), nullptr, true}, // no name: the directory is the path
        {folder.path().c_str(), "missing.ini", false},
        {folder.path().c_str(), nullptr, false}, // a folder is no file
        {folder.path().c_str(), "", false},
        {nullptr, nullptr, false},
    };
    for (const auto& c : cases) {
        FileHandle file;
        EXPECT_EQ(file.openForReading(c.directory, c.name), c.opens)
            << (c.directory ? c.directory : "(none)") << " + " << (c.name ? c.name : "(none)");
        EXPECT_EQ(file.isOpen(), c.opens);
        if (c.opens) {
            bool complete = false;
            EXPECT_EQ(readAll(file, static_cast<std::uint32_t>(contents.size()), complete),
                      contents);
        }
    }
    SetCurrentDirectoryA(current);
}

TEST(FileHandle, ReopeningClosesTheFormerFile) {
    testing_support::ScratchFolder folder;
    const std::string first = folder.write("first.ini", "1");
    folder.write("second.ini", "22");
    FileHandle file;
    ASSERT_TRUE(file.openForReading(folder.path().c_str(), "first.ini"));
    ASSERT_TRUE(file.openForReading(folder.path().c_str(), "second.ini"));
    std::uint32_t size = 0;
    EXPECT_TRUE(file.size(size));
    EXPECT_EQ(size, 2u);
    // The first file was opened without delete sharing: it can be deleted
    // only once that handle is closed.
    EXPECT_TRUE(DeleteFileA(first.c_str()));
    EXPECT_FALSE(file.openForReading(folder.path().c_str(), "missing.ini"));
    EXPECT_FALSE(file.isOpen()) << "a failed open leaves nothing open";
}

TEST(FileHandle, SizeAndReadsOfAllAndOfMoreThanThereIs) {
    testing_support::ScratchFolder folder;
    folder.write("a.ini", contents);
    folder.write("empty.ini", "");
    FileHandle file;
    std::uint32_t size = 99;
    EXPECT_FALSE(file.size(size)) << "nothing open";
    EXPECT_EQ(size, 0u);
    bool complete = true;
    EXPECT_EQ(readAll(file, 4, complete), "");
    EXPECT_FALSE(complete);

    ASSERT_TRUE(file.openForReading(folder.path().c_str(), "a.ini"));
    EXPECT_TRUE(file.size(size));
    EXPECT_EQ(size, contents.size());
    EXPECT_EQ(readAll(file, 4, complete), "[GEN");
    EXPECT_TRUE(complete);
    EXPECT_EQ(readAll(file, 100, complete), contents.substr(4));
    EXPECT_FALSE(complete) << "fewer bytes than asked for";
    EXPECT_EQ(readAll(file, 1, complete), "");
    EXPECT_FALSE(complete) << "at the end";

    ASSERT_TRUE(file.openForReading(folder.path().c_str(), "empty.ini"));
    EXPECT_TRUE(file.size(size));
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(readAll(file, 0, complete), "");
    EXPECT_TRUE(complete);

    file.close();
    EXPECT_FALSE(file.isOpen());
    file.close();
}

TEST(FileHandle, SizeOfFourGigabytesOrMoreCannotBeHad) {
    testing_support::ScratchFolder folder;
    const std::string big = folder.write("big.bin", "");
    {
        HANDLE handle = CreateFileA(big.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);
        LONG high = 1; // 4 GB + 16 bytes, sparse on the host
        SetFilePointer(handle, 16, &high, FILE_BEGIN);
        const BOOL extended = SetEndOfFile(handle);
        CloseHandle(handle);
        if (!extended)
            GTEST_SKIP() << "the file system refuses a 4 GB file";
    }
    FileHandle file;
    ASSERT_TRUE(file.openForReading(big.c_str(), nullptr));
    std::uint32_t size = 99;
    EXPECT_FALSE(file.size(size)) << "16 bytes would be a wrong answer";
    EXPECT_EQ(size, 0u);
}

} // namespace
