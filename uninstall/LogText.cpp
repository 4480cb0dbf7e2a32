#include "uninstall/LogText.h"

#include "setup/install/base/UninstallLog.h"
#include "setup/records/helpers/RegistryRoot.h"

#include <windows.h>

#include <cctype>
#include <cstring>

namespace {

const unsigned char encodedFirstByte = 0xA4;

// The longest path the narrow platform calls take, its terminating zero aside.
const std::string::size_type longestPath = MAX_PATH - 1;

const char beforeUninstallPrefix[] = "BeforeUninstall=";
const char applicationNamePrefix[] = "Application_Name=";

bool startsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

// "C:\..." or "\\server\share\...", no wildcard or other character a file
// name cannot hold, no longer than the platform takes.
const char* pathProblem(const std::string& path) {
    if (path.size() > longestPath)
        return "the path is longer than the system allows";
    const bool drivePath = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                           path[1] == ':' && path[2] == '\\';
    const bool networkPath = path.size() >= 3 && path[0] == '\\' && path[1] == '\\';
    if (!drivePath && !networkPath)
        return "not a full path";
    for (std::string::size_type at = 0; at < path.size(); ++at) {
        const unsigned char c = static_cast<unsigned char>(path[at]);
        if (c < 32 || std::strchr("\"<>|?*/", c) != nullptr || (c == ':' && at != 1))
            return "the path holds a character no file name can have";
    }
    return nullptr;
}

// "root,subkey" (a key) or "root,subkey,name" (a value): a root the engine
// writes and a subkey; the subkey itself may hold commas.
const char* registryProblem(const std::string& entry, bool value) {
    const std::string::size_type comma = entry.find(',');
    if (comma == std::string::npos)
        return "not a registry entry (root,key)";
    if (rootKey(entry.substr(0, comma)) == nullptr)
        return "the registry root is unknown";
    const std::string rest = entry.substr(comma + 1);
    if (value && rest.find(',') == std::string::npos)
        return "not a registry value entry (root,key,name)";
    if (rest.empty() || rest[0] == ',' || rest[0] == '\\')
        return "the registry key has no name";
    for (char c : rest)
        if (static_cast<unsigned char>(c) < 32)
            return "the registry entry holds a control character";
    return nullptr;
}

// Splits the text into lines ended by CR LF; false when the text does not end
// with one or holds a lone CR or LF, or a zero byte.
bool splitLines(const std::string& text, std::vector<std::string>& lines, std::string& problem) {
    std::string::size_type start = 0;
    while (start < text.size()) {
        const std::string::size_type end = text.find_first_of("\r\n", start);
        const std::string number = std::to_string(lines.size() + 1);
        if (end == std::string::npos) {
            problem = "line " + number + ": the log ends inside a line (cut short?)";
            return false;
        }
        if (text[end] != '\r' || end + 1 >= text.size() || text[end + 1] != '\n') {
            problem = "line " + number + ": a line break is not CR LF";
            return false;
        }
        lines.push_back(text.substr(start, end - start));
        if (lines.back().find('\0') != std::string::npos) {
            problem = "line " + number + ": the line holds a zero byte";
            return false;
        }
        start = end + 2;
    }
    return true;
}

} // namespace

bool decodeLogBytes(std::string& bytes) {
    if (bytes.empty())
        return false;
    if (static_cast<unsigned char>(bytes[0]) == encodedFirstByte) {
        for (char& c : bytes)
            c = static_cast<char>(255 - static_cast<unsigned char>(c));
        return true;
    }
    return bytes[0] == '[';
}

bool parseLogText(const std::string& text, UninstallPlan& plan, std::string& problem) {
    std::vector<std::string> lines;
    if (!splitLines(text, lines, problem))
        return false;

    std::size_t at = 0;
    const auto fail = [&problem, &at](const std::string& reason) {
        problem = "line " + std::to_string(at + 1) + ": " + reason;
        return false;
    };

    // [COMMON] is read by position: a dialog line may look like a header.
    if (lines.empty() ||
        lines[0] != "[" + std::string(UninstallLog::sectionName(UninstallLog::Common)) + "]")
        return fail("the log does not start with [COMMON]");
    ++at;
    if (at >= lines.size() || !startsWith(lines[at], applicationNamePrefix))
        return fail("Application_Name= is missing");
    plan.applicationName = lines[at].substr(std::strlen(applicationNamePrefix));
    ++at;
    for (std::string& line : plan.dialogLines) {
        if (at >= lines.size())
            return fail("the log ends inside [COMMON]");
        line = lines[at++];
    }

    using Log = UninstallLog;
    std::vector<std::string>* const lists[Log::SectionCount] = {nullptr,
                                                                &plan.sharedFiles,
                                                                &plan.standardFiles,
                                                                &plan.applicationFiles,
                                                                &plan.applicationFolders,
                                                                &plan.applicationDirectories,
                                                                &plan.registryValues,
                                                                &plan.registryKeys,
                                                                &plan.registeredDlls,
                                                                nullptr};
    const auto header = [](int section) {
        return "[" + std::string(Log::sectionName(static_cast<Log::Section>(section))) + "]";
    };

    for (int section = Log::SharedFilesSection; section < Log::SectionCount; ++section) {
        if (at >= lines.size())
            return fail("the log ends before " + header(section));
        if (lines[at] != header(section))
            return fail("expected " + header(section));
        ++at;
        const std::string next = section + 1 < Log::SectionCount ? header(section + 1) : "";
        for (; at < lines.size() && (next.empty() || lines[at] != next); ++at) {
            const std::string& line = lines[at];
            const char* reason = nullptr;
            switch (section) {
            case Log::RegistryValues:
            case Log::RegistryEntries:
                reason = registryProblem(line, section == Log::RegistryValues);
                if (reason == nullptr)
                    lists[section]->push_back(line);
                break;
            case Log::RunApps:
                if (!plan.beforeUninstall.empty())
                    reason = "more than one program to run";
                else if (!startsWith(line, beforeUninstallPrefix) ||
                         line.size() == std::strlen(beforeUninstallPrefix))
                    reason = "only BeforeUninstall=<command> can stand here";
                else
                    plan.beforeUninstall = line.substr(std::strlen(beforeUninstallPrefix));
                break;
            default: {
                std::string path = line;
                // Folders are written without a trailing '\'; one is forgiven.
                const bool folder =
                    section == Log::ApplicationFolders || section == Log::ApplicationDirectory;
                if (folder && path.size() > 3 && path.back() == '\\')
                    path.pop_back();
                reason = pathProblem(path);
                if (reason == nullptr && path.back() == '\\')
                    reason = "not a full path";
                if (reason == nullptr)
                    lists[section]->push_back(path);
            }
            }
            if (reason != nullptr)
                return fail(reason);
        }
    }
    return true;
}
