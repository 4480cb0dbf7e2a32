#include "setup/wizard/pages/SetupPages.h"

#include "setup/wizard/framework/WizardPage.h"
#include "setup/wizard/pages/FinishPage.h"
#include "setup/wizard/pages/IconOptionsPage.h"
#include "setup/wizard/pages/LanguagePage.h"
#include "setup/wizard/pages/LicensePage.h"
#include "setup/wizard/pages/ProgramGroupPage.h"
#include "setup/wizard/pages/ProgressPage.h"
#include "setup/wizard/pages/ReadmePage.h"
#include "setup/wizard/pages/StartSummaryPage.h"
#include "setup/wizard/pages/TargetDirectoryPage.h"
#include "setup/wizard/pages/UserInfoPage.h"
#include "setup/wizard/pages/WelcomePage.h"

namespace {

template <class Page> std::unique_ptr<PageFactory> factory(SetupContext& context) {
    return std::make_unique<PageFactoryOf<Page>>(context);
}

} // namespace

std::unique_ptr<PageFactory> SetupPages::factoryFor(PageIndex page, SetupContext& context) {
    switch (page) {
    case PageIndex::Language:
        return factory<LanguagePage>(context);
    case PageIndex::Welcome:
        return factory<WelcomePage>(context);
    case PageIndex::License:
        return factory<LicensePage>(context);
    case PageIndex::Readme:
        return factory<ReadmePage>(context);
    case PageIndex::UserInfo:
        return factory<UserInfoPage>(context);
    case PageIndex::TargetDirectory:
        return factory<TargetDirectoryPage>(context);
    case PageIndex::ProgramGroup:
        return factory<ProgramGroupPage>(context);
    case PageIndex::IconOptions:
        return factory<IconOptionsPage>(context);
    case PageIndex::Start:
        return factory<StartSummaryPage>(context);
    case PageIndex::Progress:
        return factory<ProgressPage>(context);
    case PageIndex::Finish:
        return factory<FinishPage>(context);
    default:
        return nullptr;
    }
}
