#include "setup/wizard/pages/ReadmePage.h"

#include "setup/wizard/resources/Resources.h"

namespace {
const ControlText kTexts[] = {
    {0, "ReadmeTitle"},       {IDC_TEXT1, "ReadmeText1"},   {IDC_BACK, "ReadmeBack"},
    {IDC_NEXT, "ReadmeNext"}, {IDC_CANCEL, "ReadmeCancel"},
};
}

bool ReadmePage::onInitDialog() {
    setTexts(kTexts);
    return showFile("Readme_Pathname");
}
