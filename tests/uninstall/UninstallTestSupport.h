#pragma once

// Installations made by the engine's own driver, the uninstaller run as a
// process, and snapshots of files and registry keys to compare before and
// after.

#include "tests/support/Processes.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace uninstall_tests {

using testing_support::finishProcess;
using testing_support::startProcess;

// A member of setup.zip: its name and bytes.
using Member = std::pair<std::string, std::string>;

// Lays out a package (Setup.ini with `setupInfo` keys and `sections`, English.dat
// with `language` after its strings, setup.zip of `members`) and installs it
// with the installation driver, the uninstaller enabled; the setup context is
// then destroyed, which writes and encodes setup.log.
void installPackage(const std::string& product, const std::string& appDir,
                    const std::string& setupInfo, const std::string& sections,
                    const std::vector<Member>& members, const std::string& language = "");

// The bytes of the uninstaller that the build made.
std::string uninstallerBytes();

// Every file and folder below `folder`, one per line, with file sizes.
std::string fileTree(const std::string& folder);

// The key with its values and subkeys, one line each; empty when it is missing.
std::string registryTree(HKEY root, const std::string& subkey);

// Waits until nothing has the path any more; false on time-out.
bool waitUntilRemoved(const std::string& path, DWORD timeoutMs = 15000);

} // namespace uninstall_tests
