#include "setup/install/files/SetupArchive.h"
#include "tests/install/ArchiveWriter.h"
#include "tests/install/InstallTestSupport.h"

#include <commctrl.h>
#include <zlib.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

// Counts the program's C++ allocations, so that a test can show that
// extraction allocates nothing per chunk.
namespace {
std::atomic<long> allocations{0};
}

// The replacement pair below is matched; GCC cannot tell once it inlines them.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    ++allocations;
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

namespace {

using namespace install_tests;

const std::uint32_t memberTime = dosDateTime(2003, 7, 14, 9, 30, 24);

std::string pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

// Records every progress call: the bytes written at that moment.
class RecordingReader : public ZipReader {
public:
    std::vector<std::uint32_t> calls;

protected:
    void onProgress() override { calls.push_back(bytesWritten()); }
};

class ZipReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        archive_ = folder_.file("test.zip");
        ArchiveWriter writer(archive_);
        ASSERT_TRUE(writer.isOpen());
        ASSERT_TRUE(writer.add("docs/Readme.txt", readme_, memberTime));
        ASSERT_TRUE(writer.add("empty.txt", "", memberTime));
        ASSERT_TRUE(writer.add("two-chunks.bin", pattern(2 * 16384), memberTime));
        ASSERT_TRUE(writer.add("odd.bin", pattern(40000), memberTime, ArchiveWriter::Stored));
        ASSERT_TRUE(writer.add("many-chunks.bin", pattern(64 * 16384), memberTime));
        ASSERT_TRUE(writer.add("huge.bin", pattern(512 * 16384), memberTime));
        ASSERT_TRUE(writer.add("dup.txt", "first", memberTime));
        ASSERT_TRUE(writer.add("DUP.TXT", "second", memberTime));
        ASSERT_TRUE(writer.add(std::string(255, 'n'), "long name", memberTime));
        ASSERT_TRUE(
            writer.addWithCrc("bad-crc.bin", "payload with a wrong CRC", memberTime, 0x12345678));
        // The right CRC, but the directory promises more bytes than there are:
        // the data ends before minizip reaches the point where it checks the CRC.
        const std::string cut = "payload cut short";
        ASSERT_TRUE(writer.addWithCrc(
            "cut-short.bin", cut, memberTime,
            static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(cut.data()),
                                             static_cast<uInt>(cut.size()))),
            static_cast<std::uint32_t>(cut.size() + 100)));
        ASSERT_TRUE(writer.close());
    }

    ScratchFolder folder_;
    std::string archive_;
    const std::string readme_ = "Read me first.\r\nSecond line.\r\n";
};

TEST_F(ZipReaderTest, ExtractWritesTheBytesAndTheMembersTimeAsLocalTime) {
    ZipReader reader;
    ASSERT_TRUE(reader.open(archive_));
    const std::string target = folder_.file("readme.txt");

    ASSERT_TRUE(reader.extract("docs/Readme.txt", target));

    EXPECT_EQ(readFile(target), readme_);
    EXPECT_EQ(reader.lastError(), 0);
    EXPECT_EQ(reader.memberSize(), readme_.size());
    EXPECT_EQ(reader.bytesWritten(), readme_.size());
    FileTimes times;
    ASSERT_TRUE(readFileTimes(target, times));
    const FILETIME expected = dosTimeAsUtc(memberTime);
    EXPECT_TRUE(sameTime(times.creation, expected));
    EXPECT_TRUE(sameTime(times.lastWrite, expected));
    EXPECT_FALSE(sameTime(times.lastAccess, expected)) << "last access must be kept, not stamped";
}

TEST_F(ZipReaderTest, LocateIgnoresTheCaseOfAsciiLettersOnly) {
    ZipReader reader;
    ASSERT_TRUE(reader.open(archive_));
    EXPECT_TRUE(reader.locate("DOCS/readme.TXT"));
    EXPECT_EQ(reader.lastError(), UNZ_OK);
    EXPECT_FALSE(reader.locate("docs\\Readme.txt"));
    EXPECT_EQ(reader.lastError(), UNZ_END_OF_LIST_OF_FILE);
    EXPECT_FALSE(reader.locate("missing.txt"));
    EXPECT_FALSE(reader.extract("missing.txt", folder_.file("missing.txt")));
    EXPECT_FALSE(fileExists(folder_.file("missing.txt")));

    // Of two names equal but for case, the first in the archive wins.
    ASSERT_TRUE(reader.extract("Dup.txt", folder_.file("dup.txt")));
    EXPECT_EQ(readFile(folder_.file("dup.txt")), "first");

    // Names of 256 bytes or more are refused, as minizip refuses them.
    EXPECT_TRUE(reader.locate(std::string(255, 'N')));
    EXPECT_FALSE(reader.locate(std::string(256, 'n')));
    EXPECT_EQ(reader.lastError(), UNZ_PARAMERROR);
}

TEST_F(ZipReaderTest, EmptyMemberGivesAnEmptyFileAfterOneProgressCall) {
    RecordingReader reader;
    ASSERT_TRUE(reader.open(archive_));
    const std::string target = folder_.file("empty.txt");
    ASSERT_TRUE(writeFile(target, "old contents"));

    ASSERT_TRUE(reader.extract("empty.txt", target));

    EXPECT_EQ(readFile(target), "");
    EXPECT_EQ(reader.calls, std::vector<std::uint32_t>{0});
}

TEST_F(ZipReaderTest, ExtractingOverALongerFileTruncatesIt) {
    ZipReader reader;
    ASSERT_TRUE(reader.open(archive_));
    const std::string target = folder_.file("readme.txt");
    ASSERT_TRUE(writeFile(target, std::string(100000, 'x')));

    ASSERT_TRUE(reader.extract("docs/readme.txt", target));
    EXPECT_EQ(readFile(target), readme_);
}

TEST_F(ZipReaderTest, ProgressComesBeforeTheFirstChunkAndAfterEachChunk) {
    RecordingReader reader;
    ASSERT_TRUE(reader.open(archive_));
    ASSERT_TRUE(reader.extract("odd.bin", folder_.file("odd.bin")));
    EXPECT_EQ(reader.calls, (std::vector<std::uint32_t>{0, 16384, 32768, 40000}));
    EXPECT_EQ(readFile(folder_.file("odd.bin")), pattern(40000));
}

TEST_F(ZipReaderTest, SetupArchiveDrivesARealProgressBarOneStepPerChunk) {
    HiddenWindow bar(PROGRESS_CLASSA);
    ASSERT_NE(bar.get(), nullptr);
    SetupArchive archive(bar.get());
    ASSERT_TRUE(archive.open(archive_));

    ASSERT_TRUE(archive.extract("two-chunks.bin", folder_.file("two.bin")));

    PBRANGE range = {};
    SendMessageA(bar.get(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 32768);
    EXPECT_EQ(SendMessageA(bar.get(), PBM_GETPOS, 0, 0), 32768);

    // Each member starts the bar again on its own range, and a last chunk
    // shorter than the others fills the bar to its end.
    ASSERT_TRUE(archive.extract("odd.bin", folder_.file("odd.bin")));
    SendMessageA(bar.get(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iHigh, 40000);
    EXPECT_EQ(SendMessageA(bar.get(), PBM_GETPOS, 0, 0), 40000);
    ASSERT_TRUE(archive.extract("empty.txt", folder_.file("empty.txt")));
    SendMessageA(bar.get(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iHigh, 0);
    EXPECT_EQ(SendMessageA(bar.get(), PBM_GETPOS, 0, 0), 0);
}

// Counts the position updates a progress bar receives.
WNDPROC barProcedure = nullptr;
int positionUpdates = 0;
LRESULT CALLBACK countingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PBM_SETPOS || message == PBM_STEPIT || message == PBM_DELTAPOS)
        ++positionUpdates;
    return CallWindowProcA(barProcedure, window, message, wParam, lParam);
}

TEST_F(ZipReaderTest, LargeMemberMovesTheBarAFewHundredTimesNotOncePerChunk) {
    HiddenWindow bar(PROGRESS_CLASSA);
    barProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(bar.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&countingProcedure)));
    SetupArchive archive(bar.get());
    ASSERT_TRUE(archive.open(archive_));

    positionUpdates = 0;
    ASSERT_TRUE(archive.extract("many-chunks.bin", folder_.file("many.bin")));
    EXPECT_EQ(positionUpdates, 1 + 64) << "a member of 64 chunks gets every chunk";

    positionUpdates = 0;
    ASSERT_TRUE(archive.extract("huge.bin", folder_.file("huge.bin")));
    EXPECT_EQ(positionUpdates, 1 + 256) << "512 chunks: the start and every other chunk";
    EXPECT_EQ(SendMessageA(bar.get(), PBM_GETPOS, 0, 0), 512 * 16384);
    SetWindowLongPtrA(bar.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(barProcedure));
}

TEST_F(ZipReaderTest, ArchiveWithoutABarExtractsAllTheSame) {
    SetupArchive archive(nullptr);
    ASSERT_TRUE(archive.open(archive_));
    EXPECT_TRUE(archive.extract("odd.bin", folder_.file("odd.bin")));
}

TEST_F(ZipReaderTest, CrcMismatchLeavesTheWholeFileAndFails) {
    ZipReader reader;
    ASSERT_TRUE(reader.open(archive_));
    const std::string target = folder_.file("bad.bin");

    EXPECT_FALSE(reader.extract("bad-crc.bin", target));

    EXPECT_EQ(reader.lastError(), UNZ_CRCERROR);
    EXPECT_EQ(readFile(target), "payload with a wrong CRC");
}

TEST_F(ZipReaderTest, MemberShorterThanItsDirectoryEntryFails) {
    ZipReader reader;
    ASSERT_TRUE(reader.open(archive_));
    EXPECT_FALSE(reader.extract("cut-short.bin", folder_.file("cut.bin")));
    EXPECT_NE(reader.lastError(), UNZ_OK);
}

TEST_F(ZipReaderTest, MissingDestinationDirectoryIsNotCreated) {
    ZipReader reader;
    ASSERT_TRUE(reader.open(archive_));
    const std::string target = folder_.file("no-such-dir\\readme.txt");

    EXPECT_FALSE(reader.extract("docs/Readme.txt", target));

    EXPECT_EQ(reader.lastError(), -1);
    EXPECT_FALSE(fileExists(folder_.file("no-such-dir")));
}

TEST_F(ZipReaderTest, WhatIsNotAnArchiveDoesNotOpenAndAClosedReaderFailsQuietly) {
    const std::string text = folder_.file("not-a-zip.zip");
    ASSERT_TRUE(writeFile(text, "PK but no central directory at all"));
    ZipReader reader;
    EXPECT_FALSE(reader.open(text));
    EXPECT_EQ(reader.lastError(), -1);
    EXPECT_FALSE(reader.open(folder_.file("missing.zip")));
    EXPECT_EQ(reader.lastError(), -1);

    EXPECT_FALSE(reader.isOpen());
    EXPECT_FALSE(reader.locate("docs/Readme.txt"));
    EXPECT_FALSE(reader.extractCurrent(folder_.file("out.txt")));
    EXPECT_FALSE(fileExists(folder_.file("out.txt")));

    // Opening a good archive after a failed one works, and so does closing twice.
    EXPECT_TRUE(reader.open(archive_));
    reader.close();
    reader.close();
    EXPECT_FALSE(reader.extract("docs/Readme.txt", folder_.file("out.txt")));
}

TEST_F(ZipReaderTest, ExtractionAllocatesNothingPerChunk) {
    ZipReader reader;
    ASSERT_TRUE(reader.open(archive_));
    const std::string small = folder_.file("small.bin");
    const std::string large = folder_.file("large.bin");
    ASSERT_TRUE(reader.extract("docs/Readme.txt", small)); // warm-up

    const long beforeSmall = allocations;
    ASSERT_TRUE(reader.extract("docs/Readme.txt", small));
    const long smallCount = allocations - beforeSmall;
    const long beforeLarge = allocations;
    ASSERT_TRUE(reader.extract("many-chunks.bin", large));
    const long largeCount = allocations - beforeLarge;

    EXPECT_EQ(largeCount, smallCount) << "64 chunks cost more allocations than one";
}

TEST(MakeTempFile, CreatesAnEmptyUniqueFileInTheTemporaryDirectory) {
    char directory[MAX_PATH] = {};
    GetTempPathA(sizeof directory, directory);

    const std::string first = ZipReader::makeTempFile();
    const std::string second = ZipReader::makeTempFile();

    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, second);
    EXPECT_EQ(first.compare(0, std::string(directory).size(), directory), 0) << first;
    // "tmp", the unique number in hexadecimal (Windows pads it to four
    // digits, Wine does not), ".tmp".
    const std::string name = first.substr(first.rfind('\\') + 1);
    ASSERT_GE(name.size(), 8u) << name;
    EXPECT_EQ(name.substr(0, 3), "tmp") << name;
    EXPECT_EQ(name.substr(name.size() - 4), ".tmp") << name;
    const std::string number = name.substr(3, name.size() - 7);
    EXPECT_LE(number.size(), 4u) << name;
    EXPECT_EQ(number.find_first_not_of("0123456789abcdefABCDEF"), std::string::npos) << name;
    EXPECT_EQ(readFile(first), "");
    DeleteFileA(first.c_str());
    DeleteFileA(second.c_str());
}

} // namespace
