#include "setup/install/files/ZipReader.h"

#include "setup/records/helpers/ProgramDirectory.h"
#include "setup/thread/OwnedHandle.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

// Member names this long or longer are never looked for (minizip's limit).
const std::size_t kMaxNameLength = 256;

// The C library's file, closed on destruction unless closed before.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile() { close(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the file, or truncates an existing one, for binary writing.
    bool open(const std::string& path) {
        close();
        file_ = std::fopen(path.c_str(), "wb");
        return file_ != nullptr;
    }
    bool write(const char* bytes, std::size_t count) {
        return std::fwrite(bytes, count, 1, file_) == 1;
    }
    // False when the last buffered bytes could not be written.
    bool close() {
        if (file_ == nullptr)
            return true;
        const bool flushed = std::fclose(file_) == 0;
        file_ = nullptr;
        return flushed;
    }

private:
    std::FILE* file_ = nullptr;
};

// Gives the file the member's DOS time (taken as local time) as its creation
// and last-write times, and keeps its last-access time. Silent on failure.
void stampFileTime(const std::string& path, std::uint32_t dosDateTime) {
    const OwnedHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen())
        return;
    FILETIME creation, lastAccess, lastWrite;
    const bool haveTimes = GetFileTime(file.get(), &creation, &lastAccess, &lastWrite);
    FILETIME local, universal;
    if (!DosDateTimeToFileTime(HIWORD(dosDateTime), LOWORD(dosDateTime), &local) ||
        !LocalFileTimeToFileTime(&local, &universal))
        return;
    SetFileTime(file.get(), &universal, haveTimes ? &lastAccess : nullptr, &universal);
}

// A member name in the ANSI code page (CP_ACP), shorter than kMaxNameLength,
// converted to UTF-8; empty when it holds no byte above 0x7F (the two forms
// are then the same) or cannot be converted.
std::string ansiToUtf8(const std::string& text) {
    bool ascii = true;
    for (const char c : text)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii)
        return std::string();
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (wideLength <= 0)
        return std::string();
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, text.data(), length, &wide[0], wideLength) != wideLength)
        return std::string();
    const int utf8Length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (utf8Length <= 0)
        return std::string();
    std::string utf8(static_cast<std::size_t>(utf8Length), '\0');
    if (WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &utf8[0], utf8Length, nullptr,
                            nullptr) != utf8Length)
        return std::string();
    return utf8;
}

} // namespace

ZipReader::~ZipReader() {
    close();
}

bool ZipReader::open(const std::string& fileName) {
    close();
    archive_ = unzOpen(fileName.c_str());
    if (archive_ == nullptr) {
        lastError_ = -1;
        return false;
    }
    buffer_.reset(new char[kChunkSize]);
    indexMembers();
    lastError_ = UNZ_OK;
    return true;
}

void ZipReader::indexMembers() {
    members_.clear();
    // Names are read as minizip's own search reads them: cut to
    // kMaxNameLength bytes, so a longer one never matches a name locate accepts.
    char name[kMaxNameLength + 1];
    for (int result = unzGoToFirstFile(archive_); result == UNZ_OK;
         result = unzGoToNextFile(archive_)) {
        std::memset(name, 0, sizeof name);
        unz_file_pos position;
        if (unzGetCurrentFileInfo(archive_, nullptr, name, kMaxNameLength, nullptr, 0, nullptr,
                                  0) != UNZ_OK ||
            unzGetFilePos(archive_, &position) != UNZ_OK)
            break;
        // emplace keeps the first of several equivalent names.
        members_.emplace(name, position);
    }
    unzGoToFirstFile(archive_);
}

bool ZipReader::NameOrder::less(const char* a, const char* b) {
    for (;; ++a, ++b) {
        unsigned char x = static_cast<unsigned char>(*a);
        unsigned char y = static_cast<unsigned char>(*b);
        if (x >= 'a' && x <= 'z')
            x = static_cast<unsigned char>(x - 0x20);
        if (y >= 'a' && y <= 'z')
            y = static_cast<unsigned char>(y - 0x20);
        if (x != y || x == 0)
            return x < y;
    }
}

void ZipReader::close() {
    if (archive_ != nullptr) {
        unzClose(archive_);
        archive_ = nullptr;
    }
    buffer_.reset();
    members_.clear();
}

const unz_file_pos* ZipReader::findMember(const std::string& name) const {
    const auto found = members_.find(name.c_str());
    return found == members_.end() ? nullptr : &found->second;
}

bool ZipReader::locate(const std::string& memberName) {
    if (archive_ == nullptr || std::strlen(memberName.c_str()) >= kMaxNameLength) {
        lastError_ = UNZ_PARAMERROR;
        return false;
    }
    const unz_file_pos* found = findMember(memberName);
    if (found == nullptr) {
        // The name's own bytes win; its UTF-8 form is the second choice.
        const std::string utf8 = ansiToUtf8(memberName.c_str());
        if (!utf8.empty() && utf8.size() < kMaxNameLength)
            found = findMember(utf8);
    }
    if (found == nullptr) {
        lastError_ = UNZ_END_OF_LIST_OF_FILE;
        return false;
    }
    unz_file_pos position = *found;
    lastError_ = unzGoToFilePos(archive_, &position);
    return lastError_ == UNZ_OK;
}

bool ZipReader::extractCurrent(const std::string& destination) {
    bytesWritten_ = 0;
    memberSize_ = 0;
    if (archive_ == nullptr) {
        lastError_ = UNZ_PARAMERROR;
        return false;
    }

    unz_file_info entry;
    lastError_ = unzGetCurrentFileInfo(archive_, &entry, nullptr, 0, nullptr, 0, nullptr, 0);
    if (lastError_ != UNZ_OK)
        return false;
    memberSize_ = static_cast<std::uint32_t>(entry.uncompressed_size);
    const std::uint32_t dosDateTime = static_cast<std::uint32_t>(entry.dosDate);

    // minizip, built without BZip2, hands out a BZip2 member's compressed
    // bytes as if stored and skips its CRC; other methods fail only once the
    // destination has been truncated; an encrypted member's bytes come out
    // undecrypted. All are refused before the destination is touched, so an
    // existing file stays as it is.
    if (entry.flag & 1) {
        lastError_ = kEncryptedMember;
        return false;
    }
    if (entry.compression_method != 0 && entry.compression_method != Z_DEFLATED) {
        lastError_ = kUnsupportedMethod;
        return false;
    }

    // A second attempt rides over a short-lived lock (a virus scanner, say).
    OutputFile output;
    if (!output.open(destination) && !output.open(destination)) {
        lastError_ = -1;
        return false;
    }

    lastError_ = unzOpenCurrentFile(archive_);
    if (lastError_ != UNZ_OK)
        return false;

    onProgress();
    char* const buffer = buffer_.get();
    for (;;) {
        const int read = unzReadCurrentFile(archive_, buffer, kChunkSize);
        lastError_ = read;
        if (read <= 0)
            break;
        if (!output.write(buffer, static_cast<std::size_t>(read))) {
            lastError_ = -1;
            break;
        }
        bytesWritten_ += static_cast<std::uint32_t>(read);
        onProgress();
    }
    // A damaged member whose data ends before the size its directory entry
    // states reads as a clean end, and minizip then skips its CRC check: the
    // count of bytes is the only witness.
    if (lastError_ == UNZ_OK && bytesWritten_ != memberSize_)
        lastError_ = UNZ_BADZIPFILE;
    // Buffered bytes reach the disk when the file is closed; a disk that
    // fills up then fails the extraction like a short write.
    if (!output.close() && lastError_ == UNZ_OK)
        lastError_ = -1;

    if (lastError_ != UNZ_OK) {
        unzCloseCurrentFile(archive_);
        return false;
    }
    stampFileTime(destination, dosDateTime);
    // Closing a completely read member is where minizip checks its CRC.
    lastError_ = unzCloseCurrentFile(archive_);
    return lastError_ == UNZ_OK;
}

bool ZipReader::extract(const std::string& memberName, const std::string& destination) {
    return locate(memberName) && extractCurrent(destination);
}

std::string ZipReader::makeTempFile() {
    return temporaryFileName("tmp");
}
