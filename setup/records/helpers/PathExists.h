#pragma once

#include <string>

// Whether something, a file or a directory, has that path.
bool exists(const std::string& path);

// Whether a directory has that path.
bool isDirectory(const std::string& path);
