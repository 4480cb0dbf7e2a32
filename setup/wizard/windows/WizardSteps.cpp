#include "setup/wizard/windows/WizardSteps.h"

#include "setup/install/WizardCommands.h"
#include "setup/wizard/resources/Resources.h"

namespace {

const WizardStep kSteps[] = {
    {PageIndex::Language, IDD_LANGUAGE, WZ_SHOW_LANGUAGE},
    {PageIndex::Welcome, IDD_WELCOME, WZ_SHOW_WELCOME},
    {PageIndex::License, IDD_LICENSE, WZ_SHOW_LICENSE},
    {PageIndex::Readme, IDD_README, WZ_SHOW_README},
    {PageIndex::UserInfo, IDD_USER_INFO, WZ_SHOW_USER_INFO},
    {PageIndex::TargetDirectory, IDD_TARGET_DIRECTORY, WZ_SHOW_TARGET_DIR},
    {PageIndex::ProgramGroup, IDD_PROGRAM_GROUP, WZ_SHOW_PROGRAM_GROUP},
    {PageIndex::IconOptions, IDD_ICON_OPTIONS, WZ_SHOW_ICON_OPTIONS},
    {PageIndex::Start, IDD_START, WZ_SHOW_START},
    {PageIndex::Progress, IDD_PROGRESS, WZ_SHOW_PROGRESS},
    {PageIndex::Finish, IDD_FINISH, WZ_SHOW_FINISH},
};

} // namespace

const WizardStep* stepOfPage(PageIndex page) {
    for (const WizardStep& step : kSteps)
        if (step.page == page)
            return &step;
    return nullptr;
}

const WizardStep* stepOfShowCode(int command) {
    for (const WizardStep& step : kSteps)
        if (step.showCode == command)
            return &step;
    return nullptr;
}
