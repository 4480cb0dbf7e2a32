#include "setup/start/CommandLine.h"

#include <cctype>

namespace {

bool isSwitch(const std::string& argument, char letter) {
    return argument.size() == 2 && argument[0] == '-' &&
           std::tolower(static_cast<unsigned char>(argument[1])) == letter;
}

} // namespace

CommandLineOptions parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLineOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (isSwitch(arguments[i], 'i')) {
            options.imitation = true;
        } else if (isSwitch(arguments[i], 'd') && i + 1 < arguments.size()) {
            options.sourceDirectory = arguments[++i];
        }
    }
    return options;
}
