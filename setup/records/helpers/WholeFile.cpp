#include "setup/records/helpers/WholeFile.h"

#include "setup/start/errors/FileException.h"
#include "setup/thread/OwnedHandle.h"

#include <windows.h>

void writeWholeFile(const std::string& path, const std::string& bytes) {
    const OwnedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen())
        throw FileException(path, FileException::DiskFull);
    DWORD written = 0;
    const bool complete =
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && SetEndOfFile(file.get());
    if (!complete)
        throw FileException(path, FileException::DiskFull);
}
