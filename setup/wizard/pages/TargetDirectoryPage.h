#pragma once

#include "setup/wizard/framework/WizardPage.h"

#include <cstdint>
#include <string>

// The folder to install into: typed, or chosen with the shell's folder
// browser (the default folder name is then added to the chosen folder). When
// the package states the space it needs (RequiredDiskSpace, in kilobytes),
// the page shows it beside the free space of the folder's drive, following
// the text in the field as it changes, and Next is disabled while the drive
// has too little room. Back discards the choice.
class TargetDirectoryPage : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool onInitDialog() override;
    bool onCommand(int id, int notification) override;

private:
    void browse();
    void updateFreeSpace();

    std::uint64_t requiredKilobytes_ = 0;
};

// The free space, in kilobytes, of the drive that holds `path` ("C:\..." is
// asked as "C:\"); 0 when it cannot be found out.
std::uint64_t freeKilobytes(const std::string& path);

// A size as the page shows it: the number of kilobytes and " KB".
std::string kilobyteText(std::uint64_t kilobytes);
