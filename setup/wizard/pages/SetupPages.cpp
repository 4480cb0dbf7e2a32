#include "setup/wizard/pages/SetupPages.h"

#include "setup/wizard/framework/WizardPage.h"
#include "setup/wizard/pages/LanguagePage.h"
#include "setup/wizard/pages/WelcomePage.h"

std::unique_ptr<PageFactory> SetupPages::factoryFor(PageIndex page, SetupContext& context) {
    switch (page) {
    case PageIndex::Language:
        return std::make_unique<PageFactoryOf<LanguagePage>>(context);
    case PageIndex::Welcome:
        return std::make_unique<PageFactoryOf<WelcomePage>>(context);
    default:
        return nullptr;
    }
}
