#pragma once

#include <array>
#include <string>
#include <vector>

// What setup.log says the installation made, section by section, in the order
// the log lists it (newest first). Registry entries keep the log's text:
// "root,subkey" for keys and "root,subkey,value name" for values.
struct UninstallPlan {
    static constexpr int dialogLineCount = 13;

    std::string applicationName;
    std::array<std::string, dialogLineCount> dialogLines;
    std::vector<std::string> sharedFiles;
    std::vector<std::string> standardFiles;
    std::vector<std::string> applicationFiles;
    std::vector<std::string> applicationFolders;
    std::vector<std::string> applicationDirectories;
    std::vector<std::string> registryValues;
    std::vector<std::string> registryKeys;
    std::vector<std::string> registeredDlls;
    // The command of "BeforeUninstall=", empty when the log has none.
    std::string beforeUninstall;
};
