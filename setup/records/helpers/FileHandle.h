#pragma once

#include "setup/thread/OwnedHandle.h"

#include <windows.h>

#include <cstdint>

// Owns a platform file handle opened for reading; closes it on destruction.
class FileHandle {
public:
    FileHandle() = default;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    // Opens the existing file `directory` + `name` (joined with '\' as needed;
    // either may be null, and a null name leaves the directory as the whole
    // path) for reading, others may read too. A handle open before is closed
    // first. False when the file cannot be opened.
    bool openForReading(const char* directory, const char* name);

    // The file's size; 0 and false when nothing is open or the size cannot be
    // had in 32 bits.
    bool size(std::uint32_t& bytes) const;

    // Reads up to `count` bytes; `bytesRead` tells how many arrived. True only
    // when all `count` bytes were read.
    bool read(void* buffer, std::uint32_t count, std::uint32_t& bytesRead);

    void close() { handle_.close(); }
    bool isOpen() const { return handle_.isOpen(); }

private:
    OwnedHandle handle_;
};
