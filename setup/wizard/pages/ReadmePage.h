#pragma once

#include "setup/wizard/pages/RichTextPage.h"

// The readme in a rich-edit box, with Back, Next and Cancel.
class ReadmePage : public RichTextPage {
public:
    using RichTextPage::RichTextPage;
    bool onInitDialog() override;
};
