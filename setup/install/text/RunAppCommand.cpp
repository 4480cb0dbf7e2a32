#include "setup/install/text/RunAppCommand.h"

#include "setup/records/text/TextNumber.h"

#include <vector>

RunAppCommand RunAppCommand::parse(const std::string& command) {
    std::vector<std::string> fields;
    std::string::size_type start = 0;
    while (fields.size() < 7) {
        const std::string::size_type comma = command.find(',', start);
        if (comma == std::string::npos) {
            fields.push_back(command.substr(start));
            break;
        }
        fields.push_back(command.substr(start, comma - start));
        start = comma + 1;
    }
    fields.resize(7);

    RunAppCommand parsed;
    parsed.path = fields[0];
    parsed.parameters = fields[1];
    parsed.directory = fields[2];
    parsed.show = parseDecimal(fields[3]);
    parsed.reserved = parseDecimal(fields[4]);
    parsed.noWait = parseDecimal(fields[5]);
    parsed.rest = fields[6];
    return parsed;
}

bool RunAppCommand::startsAsProcess() const {
    return path.find(".exe") != std::string::npos || path.find(".bat") != std::string::npos;
}

std::string RunAppCommand::commandLine() const {
    std::string line = "\"" + path + "\"";
    if (!parameters.empty())
        line += " " + parameters;
    return line;
}
