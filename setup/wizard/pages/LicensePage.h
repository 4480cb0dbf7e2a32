#pragma once

#include "setup/wizard/pages/RichTextPage.h"

// The licence agreement in a rich-edit box. Yes goes on; No, like Cancel,
// asks whether to leave the setup.
class LicensePage : public RichTextPage {
public:
    using RichTextPage::RichTextPage;
    bool onInitDialog() override;
    bool onCommand(int id, int notification) override;
};
