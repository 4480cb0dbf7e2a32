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
