#pragma once

#include <string>

// Paths are single-byte texts joined with '\'.

// The directory, a '\' when the directory is neither empty nor already ends in
// one, and the name. An empty directory gives the name alone.
std::string joinPath(const std::string& directory, const std::string& name);

// A path split at its last '\': the text before it is the directory, the text
// after it the name, and neither keeps the separator. Without a '\' the
// directory is empty and the whole text is the name.
struct SplitPath {
    std::string directory;
    std::string name;
};
SplitPath splitPath(const std::string& path);

// Where a walk down the directory `path` (without a trailing '\') starts
// creating levels: after the first '\' of an ordinary path, and for a UNC path
// (\\server\share\...) after the '\' that ends the share, so that neither the
// server nor the share is ever created. npos when there is no place to start:
// no '\' at all, or a UNC path without a share or without anything below it.
std::string::size_type directoryWalkStart(const std::string& path);
