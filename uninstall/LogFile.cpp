#include "uninstall/LogFile.h"

#include "setup/records/helpers/FileHandle.h"
#include "setup/records/helpers/PathExists.h"
#include "uninstall/LogText.h"

namespace {

// Far above any real log (a few hundred bytes per installed item), and a
// bound on what a wrong file name can make the program read.
const std::uint32_t largestLog = 16 * 1024 * 1024;

LogReading unusable(const std::string& problem) {
    LogReading reading;
    reading.status = LogReading::Unusable;
    reading.problem = problem;
    return reading;
}

} // namespace

LogReading readLogFile(const std::string& path) {
    if (!exists(path))
        return LogReading();
    if (isDirectory(path))
        return unusable("it is a folder");

    FileHandle file;
    std::uint32_t size = 0;
    if (!file.openForReading(path.c_str(), nullptr) || !file.size(size))
        return unusable("it cannot be opened");
    if (size == 0)
        return unusable("it is empty");
    if (size > largestLog)
        return unusable("it is too large to be an uninstall log");
    std::string bytes(size, '\0');
    std::uint32_t got = 0;
    if (!file.read(&bytes[0], size, got))
        return unusable("it cannot be read whole");

    if (!decodeLogBytes(bytes))
        return unusable("it is neither an encoded nor a text uninstall log");
    LogReading reading;
    std::string problem;
    if (!parseLogText(bytes, reading.plan, problem))
        return unusable(problem);
    reading.status = LogReading::Read;
    return reading;
}
