#pragma once

#include "setup/config/SetupContext.h"
#include "tests/support/TestFiles.h"

#include <windows.h>

#include <memory>
#include <string>

namespace config_tests {

// A package folder as the author ships it: Setup.ini, language files and
// setup.zip, laid out by the test. Texts are written with CR LF line ends.
class PackageFolder {
public:
    explicit PackageFolder(const std::string& name) : folder_(name) {}
    // Leaves the folder, so that it can be removed.
    ~PackageFolder() {
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(sizeof temp, temp);
        SetCurrentDirectoryA(temp);
    }
    PackageFolder(const PackageFolder&) = delete;
    PackageFolder& operator=(const PackageFolder&) = delete;

    // Writes `text` with every "\n" turned into CR LF.
    void write(const std::string& name, const std::string& text) const {
        std::string bytes;
        for (char c : text) {
            if (c == '\n')
                bytes += '\r';
            bytes += c;
        }
        testing_support::writeFile(folder_.file(name), bytes);
    }

    // Loads the package as the setup would, with the folder as the current
    // directory (where setup.zip is looked for).
    std::unique_ptr<SetupContext> load() const {
        SetCurrentDirectoryA(folder_.path().c_str());
        return std::make_unique<SetupContext>(folder_.path());
    }

    const std::string& path() const { return folder_.path(); }
    std::string file(const std::string& name) const { return folder_.file(name); }

private:
    testing_support::ScratchFolder folder_;
};

// True when the name has never been read or set: its reference stays verbatim.
inline bool isUnset(const SetupContext& context, const std::string& name) {
    std::string text = "%" + name + "%";
    context.expandVariables(text);
    return text == "%" + name + "%";
}

} // namespace config_tests
