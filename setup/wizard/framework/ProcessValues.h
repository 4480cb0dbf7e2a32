#pragma once

#include <windows.h>

class SetupContext;

// The few values of the setup process that every window and dialog reaches
// without a parameter. Set once by the entry point on the interface thread.

// The module whose resources the windows and dialogs use. Until it is set,
// the executable of the process.
HINSTANCE instanceHandle();
void setInstanceHandle(HINSTANCE instance);

// The context of the run, or null before the entry point has built it.
SetupContext* currentContext();
void setCurrentContext(SetupContext* context);

// Window classes of the setup window and of the splash picture.
extern const char kMainWindowClassName[];
extern const char kSplashWindowClassName[];
