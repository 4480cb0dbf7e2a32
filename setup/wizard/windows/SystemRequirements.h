#pragma once

#include <windows.h>

class SetupContext;

// Compares the running Windows version with the systems the package declares
// in SYSTEM_REQUIREMENTS. On an excluded system it either refuses (error box
// with language string 21, WZ_EXIT sent to `setupWindow`, result false) or,
// when SysReqAbortInstallation is not a true flag, warns (string 22) and goes
// on. Both boxes have no owner and take language string 1 as caption; "%1" in
// their text stands for the system's name. Returns whether the run goes on.
//
// The wizard's start procedure calls it once the background window is up, and
// only when the run is not unattended and SysReqAnyWindows is false; this
// function tests neither.
//
// Throws WinException when the version cannot be read.
bool checkSystemRequirements(SetupContext& context, HWND setupWindow);
