#pragma once

#include <string>

class SetupContext;

// The file-system path of a shell folder (a CSIDL_... number), without a
// trailing '\' (some shells give one for some folders) unless it is a drive
// root; empty when there is none.
std::string shellFolder(int csidl);

// The folder variables that records and settings name their targets by
// (`%ProgramFiles%\Acme`, `%StartMenuPrograms%`, ...). They are taken once,
// while the context is built, in three steps, and never refreshed. Every value
// is a path without a trailing '\', except `TempDir`, which ends in one. A
// shell folder that cannot be resolved or has no file-system path
// (`ControlPanel` always) gives the empty text.

// `ProgramFiles`: the registry's ProgramFilesDir, or "C:\Program Files".
// Taken first of all, before Setup.ini is opened.
void setProgramFilesVariable(SetupContext& context);

// `SetupDir` to `TempDir`, in the loader's order; the common folders fall back
// to the per-user ones on Windows 95, 98 and ME. `AppSCFolder` and
// `CommonAppSCFolder` keep `%OutputProgramGroup%` unexpanded so that they
// follow the group the user chooses later. Throws WinException when the
// version query fails.
void setFolderVariables(SetupContext& context);

// `CommonFiles`: the registry's CommonFilesDir, or
// "C:\Program Files\Common Files".
void setCommonFilesVariable(SetupContext& context);
