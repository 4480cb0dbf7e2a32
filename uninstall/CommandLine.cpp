#include "uninstall/CommandLine.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

bool sameSwitch(const std::string& argument, const char* name) {
    if (argument.size() != std::strlen(name) + 1 || (argument[0] != '/' && argument[0] != '-'))
        return false;
    for (std::size_t at = 0; name[at] != '\0'; ++at)
        if (std::tolower(static_cast<unsigned char>(argument[at + 1])) != name[at])
            return false;
    return true;
}

} // namespace

std::vector<std::string> splitArguments(const std::string& line) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument)
                arguments.push_back(current);
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments.push_back(current);
    return arguments;
}

std::string argumentsOf(const std::string& commandLine) {
    // The program's name is the first argument, quoted or not.
    std::string::size_type at = 0;
    while (at < commandLine.size() && (commandLine[at] == ' ' || commandLine[at] == '\t'))
        ++at;
    bool quoted = false;
    for (; at < commandLine.size(); ++at) {
        if (commandLine[at] == '"')
            quoted = !quoted;
        else if ((commandLine[at] == ' ' || commandLine[at] == '\t') && !quoted)
            break;
    }
    return commandLine.substr(at);
}

UninstallCommandLine UninstallCommandLine::parse(const std::string& arguments) {
    UninstallCommandLine result;
    const std::vector<std::string> parts = splitArguments(arguments);
    if (!parts.empty() && sameSwitch(parts[0], "finish")) {
        char* end = nullptr;
        result.finishing = true;
        result.waitHandle = parts.size() > 1 ? std::strtoull(parts[1].c_str(), &end, 10) : 0;
        if (parts.size() < 3 || end == nullptr || *end != '\0')
            result.problem = "/finish needs a handle and the program file";
        else
            result.finishPaths.assign(parts.begin() + 2, parts.end());
        return result;
    }
    for (const std::string& part : parts) {
        if (sameSwitch(part, "s")) {
            result.silent = true;
        } else if (!part.empty() && (part[0] == '/' || part[0] == '-')) {
            result.problem = "unknown switch " + part;
        } else if (!result.logPath.empty()) {
            result.problem = "more than one log named: " + part;
        } else {
            result.logPath = part;
        }
    }
    return result;
}
