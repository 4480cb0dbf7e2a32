#pragma once

#include <windows.h>

#include <string>

// Lets the user pick a folder of the file system with the shell's folder
// browser, owned by `owner`, showing `instruction` above the tree and
// `caption` as its title. Returns the chosen folder, or an empty text when
// the user cancelled or the shell offers no root to browse from.
// Throws WinException when the shell's allocator or desktop folder is missing.
std::string browseForFolder(HWND owner, const std::string& instruction, const std::string& caption);
