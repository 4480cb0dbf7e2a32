#pragma once

#include "vantra/Automation.h"

#include <string>

// How the launch steps ended: all done, or which step failed and why.
struct LaunchOutcome {
    bool succeeded = true;
    // A sentence naming what failed, for the user.
    std::wstring failedStep;
    AutomationFailure failure;
};

// Starts the spreadsheet application ("Excel.Application"), has it open
// "vantra.xls" from the launcher's own directory and makes it visible, all by
// late binding. The first failing step ends the run; the application is made
// visible only after the workbook opened. The reference to the application
// is released before returning, which leaves a visible application running.
LaunchOutcome runLaunchSteps();
