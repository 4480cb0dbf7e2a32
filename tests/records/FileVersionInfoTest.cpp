#include "setup/records/helpers/FileVersionInfo.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// The test DLLs lie beside the test program.
std::string besideProgram(const char* name) {
    char program[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string path(program, length);
    return path.substr(0, path.rfind('\\') + 1) + name;
}

TEST(FileVersionInfo, ReadsTheFixedRecordAndTranslation) {
    const struct {
        const char* dll;
        DWORD fileVersionLow;
        WORD language;
        WORD codePage;
    } cases[] = {
        {"version_2_0_0_5.dll", 5, 0x0409, 1252},
        {"version_2_0_0_9.dll", 9, 0x0407, 1200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dll);
        const std::string path = besideProgram(c.dll);
        const FileVersionInfo info(path);
        ASSERT_TRUE(info.valid());
        const VS_FIXEDFILEINFO& fixed = info.fixed();
        EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(fixed.dwFileVersionMS, 2u * 65536 + 0);
        EXPECT_EQ(fixed.dwFileVersionLS, 0u * 65536 + c.fileVersionLow);
        EXPECT_EQ(fixed.dwProductVersionMS, 1u * 65536 + 2);
        EXPECT_EQ(fixed.dwProductVersionLS, 3u * 65536 + 4);
        EXPECT_EQ(fixed.dwFileFlagsMask, 0x3Fu);
        EXPECT_EQ(fixed.dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
        EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_DLL));
        EXPECT_EQ(info.language(), c.language);
        EXPECT_EQ(info.codePage(), c.codePage);
        EXPECT_FALSE(info.data().empty());
        EXPECT_EQ(GetModuleHandleA(path.c_str()), nullptr) << "the DLL stays loaded";
    }
}

void expectNothingRead(const FileVersionInfo& info) {
    EXPECT_FALSE(info.valid());
    const VS_FIXEDFILEINFO zero = {};
    EXPECT_EQ(memcmp(&info.fixed(), &zero, sizeof zero), 0) << "all 13 words zero";
    EXPECT_EQ(info.language(), 0);
    EXPECT_EQ(info.codePage(), 1252);
}

TEST(FileVersionInfo, ModuleWithoutVersionBlockHasNone) {
    const std::string path = besideProgram("version_none.dll");
    const FileVersionInfo info(path);
    expectNothingRead(info);
    EXPECT_TRUE(info.data().empty());
    EXPECT_EQ(GetModuleHandleA(path.c_str()), nullptr) << "the DLL stays loaded";
}

TEST(FileVersionInfo, FilesThatAreNoModuleHaveNone) {
    testing_support::ScratchFolder folder;
    // A DOS program: the MZ header with no Windows header behind it.
    std::string dosProgram(64, '\0');
    dosProgram[0] = 'M';
    dosProgram[1] = 'Z';
    const std::string files[] = {
        folder.write("readme.txt", "FILEVERSION 2,0,0,5\r\nnot a module\r\n"),
        folder.write("dos.exe", dosProgram),
        folder.write("empty.dll", ""),
        folder.path() + "\\missing.dll",
    };
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        expectNothingRead(FileVersionInfo(file));
    }
}

} // namespace
