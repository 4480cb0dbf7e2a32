#include "setup/start/CommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, Switches) {
    struct Case {
        std::vector<std::string> arguments;
        bool imitation;
        const char* sourceDirectory; // null: not given
    };
    const Case cases[] = {
        {{}, false, nullptr},
        {{"-i", "-s"}, true, nullptr},
        {{"-I"}, true, nullptr},
        {{"-D", "C:\\Media"}, false, "C:\\Media"},
        {{"-d", "A", "-d", "B"}, false, "B"},
        {{"-d"}, false, nullptr},
        {{"-d", "A", "-d"}, false, "A"},
        {{"-d", "-i"}, false, "-i"}, // the folder is whatever follows
        {{"/i", "-ix", "i", "-x"}, false, nullptr},
    };
    for (const Case& c : cases) {
        const CommandLineOptions options = parseCommandLine(c.arguments);
        std::string trace;
        for (const std::string& argument : c.arguments)
            trace += argument + " ";
        EXPECT_EQ(options.imitation, c.imitation) << trace;
        if (c.sourceDirectory) {
            ASSERT_TRUE(options.sourceDirectory.has_value()) << trace;
            EXPECT_EQ(*options.sourceDirectory, c.sourceDirectory) << trace;
        } else {
            EXPECT_FALSE(options.sourceDirectory.has_value()) << trace;
        }
    }
}

} // namespace
