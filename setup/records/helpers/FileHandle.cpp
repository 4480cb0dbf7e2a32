#include "setup/records/helpers/FileHandle.h"

#include "setup/records/text/PathText.h"

#include <string>

bool FileHandle::openForReading(const char* directory, const char* name) {
    close();
    // Without a name the directory is the whole path: no separator is added.
    const std::string path =
        name ? joinPath(directory ? directory : "", name) : std::string(directory ? directory : "");
    handle_.reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    return isOpen();
}

bool FileHandle::size(std::uint32_t& bytes) const {
    bytes = 0;
    if (!isOpen())
        return false;
    SetLastError(NO_ERROR);
    DWORD high = 0;
    const DWORD low = GetFileSize(handle_.get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return false;
    if (high != 0) // 4 GB or more: the size cannot be told in 32 bits
        return false;
    bytes = low;
    return true;
}

bool FileHandle::read(void* buffer, std::uint32_t count, std::uint32_t& bytesRead) {
    bytesRead = 0;
    if (!isOpen())
        return false;
    DWORD got = 0;
    const BOOL ok = ReadFile(handle_.get(), buffer, count, &got, nullptr);
    bytesRead = got;
    return ok && got == count;
}
