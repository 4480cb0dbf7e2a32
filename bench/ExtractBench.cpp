// Extraction and small-file installation speed. Prints lines 'name value unit':
//   extract.mib_per_s       the engine's extraction of a 256 MiB member
//   extract.vs_raw_inflate  engine time / time of a plain minizip read loop
//                           writing the same member to the same disk
//   install.files_per_s.small  2,000 files of 4 KiB through the file installer,
//                           destination absent
// Works in the current directory and removes what it wrote.
#include "setup/config/SetupContext.h"
#include "setup/install/files/FileInstaller.h"
#include "setup/install/files/SetupArchive.h"
#include "setup/install/base/UninstallLog.h"
#include "tests/install/ArchiveWriter.h"

#include <windows.h>
#include <commctrl.h>
#include <unzip.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const std::size_t kMiB = 1024 * 1024;
const std::size_t kLargeSize = 256 * kMiB;
const int kRuns = 3;
const int kSmallFiles = 2000;
const std::size_t kSmallSize = 4096;
const std::uint32_t kTime = dosDateTime(2005, 5, 5, 12, 0, 0);

// A small, fast generator so that the member is the same on every run.
class Random {
public:
    std::uint64_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }

private:
    std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

// Fills `bytes` with incompressible bytes.
void fillRandom(Random& random, std::vector<char>& bytes) {
    for (std::size_t i = 0; i + 8 <= bytes.size(); i += 8) {
        const std::uint64_t value = random.next();
        std::copy_n(reinterpret_cast<const char*>(&value), 8, &bytes[i]);
    }
}

// Fills `bytes` with text-like lines of words.
void fillText(Random& random, std::vector<char>& bytes) {
    static const char* const words[] = {
        "setup",  "file",     "install", "version", "the",   "of",      "and",  "directory",
        "shared", "library",  "restart", "archive", "value", "product", "a",    "to",
        "record", "registry", "folder",  "time",    "in",    "for",     "with", "Windows"};
    std::size_t i = 0, line = 0;
    while (i < bytes.size()) {
        const char* word = words[random.next() % (sizeof words / sizeof *words)];
        for (; *word && i < bytes.size(); ++word, ++i, ++line)
            bytes[i] = *word;
        if (i < bytes.size())
            bytes[i++] = line > 70 ? '\n' : ' ';
        if (line > 70)
            line = 0;
    }
}

bool writeLargeArchive(const std::string& path) {
    ArchiveWriter writer(path);
    if (!writer.isOpen() || !writer.begin("large.bin", kTime))
        return false;
    Random random;
    std::vector<char> piece(kMiB);
    for (std::size_t written = 0; written < kLargeSize; written += piece.size()) {
        if (written < kLargeSize / 2)
            fillRandom(random, piece);
        else
            fillText(random, piece);
        if (!writer.write(piece.data(), piece.size()))
            return false;
    }
    return writer.end() && writer.close();
}

bool writeSmallArchive(const std::string& path) {
    ArchiveWriter writer(path);
    Random random;
    std::vector<char> bytes(kSmallSize);
    for (int i = 0; i < kSmallFiles; ++i) {
        fillText(random, bytes);
        if (!writer.add("small/file" + std::to_string(i) + ".dat",
                        std::string(bytes.begin(), bytes.end()), kTime))
            return false;
    }
    return writer.close();
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The baseline: minizip's read loop into a C library file, nothing else.
double rawInflate(const std::string& archive, const std::string& output) {
    unzFile zip = unzOpen(archive.c_str());
    if (zip == nullptr)
        return -1;
    std::vector<char> buffer(16384);
    const auto start = std::chrono::steady_clock::now();
    bool ok = unzLocateFile(zip, "large.bin", 0) == UNZ_OK && unzOpenCurrentFile(zip) == UNZ_OK;
    std::FILE* file = ok ? std::fopen(output.c_str(), "wb") : nullptr;
    ok = file != nullptr;
    for (int read; ok && (read = unzReadCurrentFile(zip, buffer.data(), 16384)) != 0;)
        ok = read > 0 && std::fwrite(buffer.data(), read, 1, file) == 1;
    if (file != nullptr)
        ok = std::fclose(file) == 0 && ok;
    ok = unzCloseCurrentFile(zip) == UNZ_OK && ok;
    const double seconds = secondsSince(start);
    unzClose(zip);
    return ok ? seconds : -1;
}

double engineExtract(SetupArchive& archive, const std::string& output) {
    const auto start = std::chrono::steady_clock::now();
    const bool ok = archive.extract("large.bin", output);
    const double seconds = secondsSince(start);
    return ok ? seconds : -1;
}

void removeTree(const std::string& path) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path + "\\" + name);
            else
                DeleteFileA((path + "\\" + name).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

bool benchLarge() {
    const std::string archivePath = "extract_bench.zip";
    const std::string output = "extract_bench.out";
    bool ok = writeLargeArchive(archivePath);

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    // The bar the progress page would show, hidden.
    const HWND bar = CreateWindowA(PROGRESS_CLASSA, "", WS_POPUP, 0, 0, 300, 20, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    SetupArchive archive(bar);
    ok = ok && archive.open(archivePath);

    std::vector<double> raw, engine;
    for (int run = 0; ok && run < kRuns; ++run) {
        DeleteFileA(output.c_str());
        raw.push_back(rawInflate(archivePath, output));
        DeleteFileA(output.c_str());
        engine.push_back(engineExtract(archive, output));
        ok = raw.back() > 0 && engine.back() > 0;
    }
    archive.close();
    if (bar != nullptr)
        DestroyWindow(bar);
    DeleteFileA(output.c_str());
    DeleteFileA(archivePath.c_str());
    if (!ok) {
        std::fprintf(stderr, "extract benchmark failed\n");
        return false;
    }
    const double engineSeconds = median(engine);
    std::printf("extract.mib_per_s %.1f MiB/s\n", (kLargeSize / double(kMiB)) / engineSeconds);
    std::printf("extract.vs_raw_inflate %.3f ratio\n", engineSeconds / median(raw));
    return true;
}

bool benchSmall() {
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof current, current);
    const std::string work = current;
    const std::string archivePath = work + "\\small_bench.zip";
    const std::string target = work + "\\small_bench";
    removeTree(target);
    bool ok = writeSmallArchive(archivePath);
    double seconds = -1;
    if (ok) {
        SetupContext context;
        UninstallLog log(work, "small_bench.log", 1, true);
        FileInstaller installer(log, nullptr, nullptr, context, nullptr, archivePath);
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kSmallFiles; ++i) {
            const std::string name = "file" + std::to_string(i) + ".dat";
            installer.process("x,small/" + name + "," + target + "\\" + name + ",0,0");
        }
        seconds = secondsSince(start);
        for (int i = 0; ok && i < kSmallFiles; ++i)
            ok = GetFileAttributesA((target + "\\file" + std::to_string(i) + ".dat").c_str()) !=
                 INVALID_FILE_ATTRIBUTES;
    }
    removeTree(target);
    DeleteFileA(archivePath.c_str());
    if (!ok) {
        std::fprintf(stderr, "small-file benchmark failed\n");
        return false;
    }
    std::printf("install.files_per_s.small %.0f files/s\n", kSmallFiles / seconds);
    return true;
}

} // namespace

int main() {
    const bool large = benchLarge();
    const bool small = benchSmall();
    return large && small ? 0 : 1;
}
