// The archive reader against archives made by common zip tools (see
// make_tool_archives.py, run by the build into tool-archives\ beside the test
// programs): names they store as UTF-8, and members they compress or encrypt
// in ways the reader must refuse.
#include "setup/config/SetupContext.h"
#include "setup/install/base/UninstallLog.h"
#include "setup/install/files/FileInstaller.h"
#include "setup/install/files/ZipReader.h"
#include "tests/install/ArchiveWriter.h"
#include "tests/install/InstallTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace install_tests;

std::string toolArchive(const std::string& name) {
    return programDirectory() + "\\tool-archives\\" + name;
}

// The ANSI (CP_ACP) form of a name; empty when the code page lacks one of
// its characters.
std::string ansi(const wchar_t* name) {
    char bytes[MAX_PATH] = {};
    BOOL lossy = FALSE;
    if (WideCharToMultiByte(CP_ACP, 0, name, -1, bytes, sizeof bytes, nullptr, &lossy) == 0 ||
        lossy)
        return std::string();
    return bytes;
}

std::string repeated(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

// Setup.ini names files in the ANSI code page; the tools store these names
// as UTF-8 bytes, Info-ZIP without setting the UTF-8 flag.
TEST(ToolArchive, MembersWithNonAsciiNamesAreFoundByTheirAnsiNames) {
    const std::string first = ansi(L"Caf\u00e9.txt");
    const std::string second = ansi(L"\u00dcber/Stra\u00dfe.txt");
    if (first.empty() || second.empty())
        GTEST_SKIP() << "the ANSI code page " << GetACP() << " has no e acute, U umlaut or sharp s";
    const std::string firstText = repeated("line of the first member\n", 200);
    const std::string secondText = "second member\n";

    ScratchFolder folder;
    for (const char* tool : {"infozip", "7z", "bsdtar", "python"}) {
        SCOPED_TRACE(tool);
        ZipReader reader;
        ASSERT_TRUE(reader.open(toolArchive(std::string("names-") + tool + ".zip")));

        ASSERT_TRUE(reader.extract(first, folder / "first.txt"));
        EXPECT_EQ(readFile(folder / "first.txt"), firstText);
        ASSERT_TRUE(reader.extract(second, folder / "second.txt"));
        EXPECT_EQ(readFile(folder / "second.txt"), secondText);

        // ASCII letters still match in either case; '\' is still not '/'.
        EXPECT_TRUE(reader.locate(ansi(L"CAF\u00e9.TXT")));
        EXPECT_FALSE(reader.locate(ansi(L"\u00dcber\\Stra\u00dfe.txt")));
        EXPECT_EQ(reader.lastError(), UNZ_END_OF_LIST_OF_FILE);
        EXPECT_FALSE(reader.locate(ansi(L"Caf\u00e8.txt")));
    }
}

TEST(ToolArchive, AMemberNamedInAnsiBytesWinsOverItsUtf8Twin) {
    const std::string name = ansi(L"Caf\u00e9.txt");
    if (name.empty())
        GTEST_SKIP() << "the ANSI code page " << GetACP() << " has no e acute";
    ScratchFolder folder;
    const std::uint32_t time = dosDateTime(2003, 7, 14, 9, 30, 24);
    {
        ArchiveWriter writer(folder / "twins.zip");
        ASSERT_TRUE(writer.add("Caf\xC3\xA9.txt", "utf-8 name", time));
        ASSERT_TRUE(writer.add(name, "ansi name", time));
        // 127 and 128 e acute: 254 and 256 bytes in UTF-8.
        ASSERT_TRUE(writer.add(repeated("\xC3\xA9", 127), "254 bytes", time));
        ASSERT_TRUE(writer.add(repeated("\xC3\xA9", 128), "256 bytes", time));
        ASSERT_TRUE(writer.close());
    }
    ZipReader reader;
    ASSERT_TRUE(reader.open(folder / "twins.zip"));
    ASSERT_TRUE(reader.extract(name, folder / "out.txt"));
    EXPECT_EQ(readFile(folder / "out.txt"), "ansi name");

    // The UTF-8 form is held to the same limit as the name itself.
    const std::string acute = ansi(L"\u00e9");
    ASSERT_TRUE(reader.extract(repeated(acute, 127), folder / "long.txt"));
    EXPECT_EQ(readFile(folder / "long.txt"), "254 bytes");
    EXPECT_FALSE(reader.locate(repeated(acute, 128)));
    EXPECT_EQ(reader.lastError(), UNZ_END_OF_LIST_OF_FILE);
}

// minizip, built without BZip2, would hand out such a member's compressed
// bytes and skip its CRC; nothing decrypts an encrypted one.
const struct {
    const char* archive;
    int error;
} refusedMembers[] = {
    {"refused-bzip2-7z.zip", ZipReader::kUnsupportedMethod},
    {"refused-bzip2-same-size-python.zip", ZipReader::kUnsupportedMethod},
    {"refused-lzma-7z.zip", ZipReader::kUnsupportedMethod},
    {"refused-lzma-python.zip", ZipReader::kUnsupportedMethod},
    {"refused-ppmd-7z.zip", ZipReader::kUnsupportedMethod},
    {"refused-deflate64-7z.zip", ZipReader::kUnsupportedMethod},
    {"refused-zipcrypto-7z.zip", ZipReader::kEncryptedMember},
    {"refused-aes-7z.zip", ZipReader::kEncryptedMember},
    {"refused-encrypted-infozip.zip", ZipReader::kEncryptedMember},
    {"refused-encrypted-stored-infozip.zip", ZipReader::kEncryptedMember},
    {"refused-encrypted-bsdtar.zip", ZipReader::kEncryptedMember},
};

TEST(ToolArchive, MembersOfOtherMethodsAndEncryptedMembersAreRefusedBeforeWriting) {
    ScratchFolder folder;
    const std::string existing = folder / "existing.txt";
    const std::string absent = folder / "absent.txt";
    for (const auto& refused : refusedMembers) {
        SCOPED_TRACE(refused.archive);
        ASSERT_TRUE(writeFile(existing, "installed before"));
        FileTimes before;
        ASSERT_TRUE(readFileTimes(existing, before));

        ZipReader reader;
        ASSERT_TRUE(reader.open(toolArchive(refused.archive)));
        ASSERT_TRUE(reader.locate("payload.txt"));
        EXPECT_FALSE(reader.extractCurrent(existing));
        EXPECT_EQ(reader.lastError(), refused.error);
        EXPECT_EQ(reader.bytesWritten(), 0u);

        EXPECT_EQ(readFile(existing), "installed before");
        FileTimes after;
        ASSERT_TRUE(readFileTimes(existing, after));
        EXPECT_TRUE(sameTime(after.lastWrite, before.lastWrite));

        EXPECT_FALSE(reader.extract("payload.txt", absent));
        EXPECT_EQ(reader.lastError(), refused.error);
        EXPECT_FALSE(fileExists(absent));
    }
}

TEST(ToolArchive, AnInstallationKeepsTheInstalledFileWhenItsMemberIsRefused) {
    ScratchFolder folder;
    const std::string installed = folder / "payload.txt";
    TemporaryDirectory temporary(folder / "tmp");
    UninstallLog log(folder.path(), "setup.log", 1, false);
    SetupContext context;
    FileInstaller installer(log, nullptr, nullptr, context, nullptr,
                            toolArchive("refused-bzip2-same-size-python.zip"));

    // Replace always, then by time stamp, then onto a file not there yet.
    for (const char* mode : {"0", "3"}) {
        ASSERT_TRUE(writeFile(installed, "installed before"));
        EXPECT_FALSE(installer.process("x,payload.txt," + installed + ",0," + mode + ",0")) << mode;
        EXPECT_EQ(readFile(installed), "installed before") << mode;
    }
    const std::string fresh = folder / "fresh.txt";
    EXPECT_FALSE(installer.process("x,payload.txt," + fresh + ",0,0,0"));
    EXPECT_FALSE(fileExists(fresh));
    EXPECT_EQ(log.entries("APPFILES"), std::vector<std::string>{log.path()});
    EXPECT_EQ(temporary.fileCount(), 0);
}

} // namespace
