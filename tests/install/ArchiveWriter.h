#pragma once

#include <cstdint>
#include <string>

// Writes zip archives for the tests and benchmarks, through minizip's zip
// half. The engine itself never writes archives.
class ArchiveWriter {
public:
    enum Method { Stored = 0, Deflated = 8 };

    // Creates (or replaces) the archive file; check isOpen().
    explicit ArchiveWriter(const std::string& path);
    // Finishes the archive if close() was not called.
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    bool isOpen() const { return archive_ != nullptr; }

    // One whole member with the given DOS date and time (date in the high 16
    // bits, time in the low 16 bits, as the zip directory keeps them).
    bool add(const std::string& name, const std::string& bytes, std::uint32_t dosDateTime,
             Method method = Deflated);

    // A stored member whose directory entry carries `crc` instead of the
    // CRC of its bytes, and `statedSize` (when given) instead of their number.
    bool addWithCrc(const std::string& name, const std::string& bytes, std::uint32_t dosDateTime,
                    std::uint32_t crc, std::uint32_t statedSize = UINT32_MAX);

    // A member written in pieces: begin, any number of write calls, end.
    bool begin(const std::string& name, std::uint32_t dosDateTime, Method method = Deflated,
               int level = -1);
    bool write(const char* bytes, std::size_t count);
    bool end();

    // Writes the central directory; false on failure.
    bool close();

private:
    void* archive_ = nullptr;
};

// The DOS form of a date and time: date in the high 16 bits, time (two-second
// steps) in the low 16 bits.
std::uint32_t dosDateTime(int year, int month, int day, int hour, int minute, int second);
