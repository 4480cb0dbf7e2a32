#include "setup/wizard/framework/ProcessValues.h"

namespace {
HINSTANCE instance = nullptr;
SetupContext* context = nullptr;
} // namespace

const char kMainWindowClassName[] = "ZuSetup";
const char kSplashWindowClassName[] = "ZuSetupSplash";

HINSTANCE instanceHandle() {
    return instance != nullptr ? instance : GetModuleHandleA(nullptr);
}
void setInstanceHandle(HINSTANCE value) {
    instance = value;
}

SetupContext* currentContext() {
    return context;
}
void setCurrentContext(SetupContext* value) {
    context = value;
}
