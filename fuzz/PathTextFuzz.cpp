// The path helpers against plain references. The input is a path; its halves
// are also joined as a directory and a name.
#include "fuzz/FuzzCheck.h"
#include "setup/install/text/FileRecord.h"
#include "setup/records/text/PathText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

std::string referenceJoin(const std::string& directory, const std::string& name) {
    if (directory.empty())
        return name;
    if (directory[directory.size() - 1] == '\\')
        return directory + name;
    return directory + "\\" + name;
}

// Walks back from the end to the last '\'.
SplitPath referenceSplit(const std::string& path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (path[i - 1] == '\\')
            return {path.substr(0, i - 1), path.substr(i)};
    }
    return {std::string(), path};
}

// The prefix before every '\' that comes after the walk's start, then the
// path. The start is after the first '\', or for a path beginning "\\" after
// the third and the fourth '\' (the ends of the server and the share).
std::vector<std::string> referenceWalk(const std::string& path) {
    const bool unc = path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
    const int startAfter = unc ? 4 : 1;
    int seen = 0;
    std::vector<std::string> levels;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] != '\\')
            continue;
        if (seen >= startAfter)
            levels.push_back(path.substr(0, i));
        ++seen;
    }
    if (seen < startAfter)
        return {};
    levels.push_back(path);
    return levels;
}

// The levels a folder walk creates in turn, from where directoryWalkStart
// says the walk starts: the prefix before every later '\', then the path.
std::vector<std::string> walkLevels(const std::string& path) {
    const std::string::size_type start = directoryWalkStart(path);
    if (start == std::string::npos)
        return {};
    std::vector<std::string> levels;
    for (std::string::size_type i = path.find('\\', start); i != std::string::npos;
         i = path.find('\\', i + 1))
        levels.push_back(path.substr(0, i));
    levels.push_back(path);
    return levels;
}

void checkSplit(const std::string& path) {
    const SplitPath split = splitPath(path);
    const SplitPath expected = referenceSplit(path);
    FUZZ_CHECK(split.directory == expected.directory && split.name == expected.name);
    FUZZ_CHECK(split.name.find('\\') == std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path(reinterpret_cast<const char*>(data), size);
    checkSplit(path);

    const std::string directory = path.substr(0, size / 2);
    const std::string name = path.substr(size / 2);
    const std::string joined = joinPath(directory, name);
    FUZZ_CHECK(joined == referenceJoin(directory, name));
    checkSplit(joined);
    // A name without '\' comes back out of the path it was joined into.
    if (name.find('\\') == std::string::npos)
        FUZZ_CHECK(splitPath(joined).name == name);

    const std::string trimmed = withoutTrailingBackslash(path);
    FUZZ_CHECK(trimmed == (!path.empty() && path.back() == '\\' ? path.substr(0, size - 1) : path));
    FUZZ_CHECK(walkLevels(trimmed) == referenceWalk(trimmed));
    return 0;
}
