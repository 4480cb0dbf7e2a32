#pragma once

class ReinstallQuestion;
class SetupContext;

// Finds out whether the product is already installed and lets the user choose
// how to go on. The package marks an installation with the value kwoAppDir
// under HKEY_LOCAL_MACHINE\<TestReinstallRegKey>; without TestReinstall, the
// key or the value, the setup simply goes on.
//
// - Remove first: the uninstaller registered under the product's Uninstall
//   key is started in its own folder and the setup ends (false). When it
//   cannot be found or started, a warning with ReinstallDialogError1 is shown
//   and the setup goes on as a normal installation.
// - Install over: the AppDir and AppShortcutFolder values of the marker key
//   become the defaults of the target folder and the program group.
// - Cancel: the setup ends (false).
//
// Returns whether the setup goes on.
bool testReinstall(SetupContext& context, ReinstallQuestion& question);
