#include "tests/install/ArchiveWriter.h"

#include <zip.h>
#include <zlib.h>

namespace {

zip_fileinfo memberInfo(std::uint32_t dosDateTime) {
    zip_fileinfo info = {};
    info.dosDate = dosDateTime;
    return info;
}

} // namespace

std::uint32_t dosDateTime(int year, int month, int day, int hour, int minute, int second) {
    const std::uint32_t date =
        static_cast<std::uint32_t>(((year - 1980) << 9) | (month << 5) | day);
    const std::uint32_t time =
        static_cast<std::uint32_t>((hour << 11) | (minute << 5) | (second / 2));
    return (date << 16) | time;
}

ArchiveWriter::ArchiveWriter(const std::string& path)
    : archive_(zipOpen(path.c_str(), APPEND_STATUS_CREATE)) {}

ArchiveWriter::~ArchiveWriter() {
    close();
}

bool ArchiveWriter::add(const std::string& name, const std::string& bytes,
                        std::uint32_t dosDateTime, Method method) {
    return begin(name, dosDateTime, method) && write(bytes.data(), bytes.size()) && end();
}

bool ArchiveWriter::addWithCrc(const std::string& name, const std::string& bytes,
                               std::uint32_t dosDateTime, std::uint32_t crc,
                               std::uint32_t statedSize) {
    const zip_fileinfo info = memberInfo(dosDateTime);
    // Raw mode: the bytes go in as they are and the caller names the CRC.
    return zipOpenNewFileInZip2(static_cast<zipFile>(archive_), name.c_str(), &info, nullptr, 0,
                                nullptr, 0, nullptr, 0, 0, 1) == ZIP_OK &&
           write(bytes.data(), bytes.size()) &&
           zipCloseFileInZipRaw(static_cast<zipFile>(archive_),
                                statedSize == UINT32_MAX ? static_cast<uLong>(bytes.size())
                                                         : static_cast<uLong>(statedSize),
                                crc) == ZIP_OK;
}

bool ArchiveWriter::begin(const std::string& name, std::uint32_t dosDateTime, Method method,
                          int level) {
    const zip_fileinfo info = memberInfo(dosDateTime);
    return zipOpenNewFileInZip(static_cast<zipFile>(archive_), name.c_str(), &info, nullptr, 0,
                               nullptr, 0, nullptr, method == Stored ? 0 : Z_DEFLATED,
                               method == Stored ? 0 : level) == ZIP_OK;
}

bool ArchiveWriter::write(const char* bytes, std::size_t count) {
    // minizip takes at most 4 GB less one byte per call.
    while (count > 0) {
        const unsigned piece = count > 0x40000000 ? 0x40000000u : static_cast<unsigned>(count);
        if (zipWriteInFileInZip(static_cast<zipFile>(archive_), bytes, piece) != ZIP_OK)
            return false;
        bytes += piece;
        count -= piece;
    }
    return true;
}

bool ArchiveWriter::end() {
    return zipCloseFileInZip(static_cast<zipFile>(archive_)) == ZIP_OK;
}

bool ArchiveWriter::close() {
    if (archive_ == nullptr)
        return true;
    const bool closed = zipClose(static_cast<zipFile>(archive_), nullptr) == ZIP_OK;
    archive_ = nullptr;
    return closed;
}
