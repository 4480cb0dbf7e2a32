#pragma once

#include "setup/wizard/framework/WizardPage.h"

// The user's name, company and serial number. What is typed is kept in the
// variables UserName, UserCompany and UserSerial when the page is left with
// Next or Back, so that records can use %UserName% and the fields show it
// again when the user comes back.
class UserInfoPage : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool onInitDialog() override;
    bool onCommand(int id, int notification) override;

private:
    void keepFields();
};
