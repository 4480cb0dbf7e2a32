#include "setup/install/text/ProgramCommandLine.h"

#include "setup/records/text/PathText.h"

#include <cctype>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The end of the first ".exe" that ends the text or is followed by a blank;
// npos when there is none.
std::string::size_type programEnd(const std::string& line) {
    for (std::string::size_type i = 0; i + 4 <= line.size(); ++i) {
        if (line[i] != '.')
            continue;
        const char e1 = static_cast<char>(std::tolower(static_cast<unsigned char>(line[i + 1])));
        const char x = static_cast<char>(std::tolower(static_cast<unsigned char>(line[i + 2])));
        const char e2 = static_cast<char>(std::tolower(static_cast<unsigned char>(line[i + 3])));
        if (e1 == 'e' && x == 'x' && e2 == 'e' && (i + 4 == line.size() || isBlank(line[i + 4])))
            return i + 4;
    }
    return std::string::npos;
}

} // namespace

ProgramCommandLine ProgramCommandLine::parse(const std::string& line) {
    ProgramCommandLine result;
    if (!line.empty() && line[0] == '"') {
        const std::string::size_type closing = line.find('"', 1);
        if (closing == std::string::npos) {
            result.program = line.substr(1);
        } else {
            result.program = line.substr(1, closing - 1);
            result.arguments = line.substr(closing + 1);
        }
        return result;
    }
    const std::string::size_type end = programEnd(line);
    if (end == std::string::npos)
        return result;
    result.program = line.substr(0, end);
    result.arguments = line.substr(end);
    return result;
}

std::string ProgramCommandLine::safeLine(const std::string& original) const {
    if (program.empty())
        return original;
    return "\"" + program + "\"" + arguments;
}

std::string ProgramCommandLine::directory(const std::string& original) const {
    return splitPath(program.empty() ? original : program).directory;
}
