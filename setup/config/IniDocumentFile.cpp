#include "setup/config/text/IniDocument.h"

#include "setup/records/helpers/FileHandle.h"
#include "setup/start/errors/FileException.h"

#include <cstdint>

namespace {

// The file's bytes in one text of the file's size; what a short read leaves
// undelivered stays zero.
std::string readWholeFile(const std::string& directory, const std::string& fileName) {
    FileHandle file;
    if (!file.openForReading(directory.c_str(), fileName.c_str()))
        throw FileException(fileName, FileException::CannotOpen);
    std::uint32_t size = 0;
    file.size(size);
    std::string text(size, '\0');
    if (size > 0) {
        std::uint32_t bytesRead = 0;
        file.read(&text[0], size, bytesRead);
    }
    return text;
}

} // namespace

IniDocument::IniDocument(const std::string& directory, const std::string& fileName)
    : IniDocument(readWholeFile(directory, fileName)) {}
