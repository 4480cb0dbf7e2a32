#include "setup/wizard/windows/ReadmeWaiter.h"

#include "setup/install/WizardCommands.h"

void ReadmeWaiter::run() {
    if (viewer_.isOpen())
        WaitForSingleObject(viewer_.get(), INFINITE);
    viewer_.close();
    PostMessageA(setupWindow_, WM_COMMAND, WZ_RUN_APPLICATION, 0);
}
