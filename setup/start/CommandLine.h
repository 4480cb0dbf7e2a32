#pragma once

#include <optional>
#include <string>
#include <vector>

// What the command line of setup asks for. Switches are separate arguments,
// compared without regard to ASCII case:
//   -i        an imitation run: every page and every motion, nothing installed
//   -s        accepted, no effect
//   -d <dir>  the folder to use as SourceDir (the last one given wins; a -d
//             without a folder after it changes nothing)
// Anything else is ignored.
struct CommandLineOptions {
    bool imitation = false;
    std::optional<std::string> sourceDirectory;
};

// `arguments` are those after the program's own name.
CommandLineOptions parseCommandLine(const std::vector<std::string>& arguments);
