#include "setup/records/text/PathText.h"

std::string joinPath(const std::string& directory, const std::string& name) {
    std::string path = directory;
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path + name;
}

SplitPath splitPath(const std::string& path) {
    const std::string::size_type slash = path.rfind('\\');
    if (slash == std::string::npos)
        return {std::string(), path};
    return {path.substr(0, slash), path.substr(slash + 1)};
}

std::string::size_type directoryWalkStart(const std::string& path) {
    if (path.compare(0, 2, "\\\\") != 0) {
        const std::string::size_type first = path.find('\\');
        return first == std::string::npos ? first : first + 1;
    }
    const std::string::size_type serverEnd = path.find('\\', 2);
    if (serverEnd == std::string::npos)
        return serverEnd;
    const std::string::size_type shareEnd = path.find('\\', serverEnd + 1);
    return shareEnd == std::string::npos ? shareEnd : shareEnd + 1;
}
