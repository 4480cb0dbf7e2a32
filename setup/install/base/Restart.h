#pragma once

// Whether Windows must restart before the installation is complete: files
// were handed over for replacement at restart, or the package demands it.
// Written by the installation worker before it posts its completion and read by
// the interface thread after that message, so the flag is atomic.
bool restartPending();
void setRestartPending(bool pending);

// Enables the shutdown privilege where the system has one and asks Windows to
// restart. Nothing is reported: a refused restart leaves the setup to end
// normally, and the scheduled replacements wait for the next restart.
void restartComputer();
