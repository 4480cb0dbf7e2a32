#pragma once

#include "setup/config/PageIndex.h"

#include <memory>

class PageFactory;
class SetupContext;

// The pages the wizard can show: each step's dialog template and the command
// code that shows it. The numeric order of the show codes is not the order of
// the steps.
struct WizardStep {
    PageIndex page;
    int templateId;
    int showCode;
};

// The step of a page (Language to Finish), or null for None, Reserved and
// Completion.
const WizardStep* stepOfPage(PageIndex page);
// The step that a show code opens, or null when the code shows no page.
const WizardStep* stepOfShowCode(int command);

// Which page object each step shows. The program hands the wizard its real
// pages; tests may hand it pages of their own.
class PageSet {
public:
    virtual ~PageSet() = default;
    virtual std::unique_ptr<PageFactory> factoryFor(PageIndex page, SetupContext& context) = 0;
};
