#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The longest directory path CreateDirectoryA creates: a directory must leave
// room for a file name of 8.3 characters below MAX_PATH.
constexpr std::string::size_type kMaxDirectoryPath = MAX_PATH - 12;

// Hears of each directory level that a walk created, outermost first, so that
// the caller can record what its own rules ask for.
using CreatedLevel = std::function<void(const std::string& level)>;

// Creates the directory `path` (without a trailing '\') with its missing
// levels. The whole path is tried first; when that fails and `walkStart` is
// not npos, the walk goes down one level at a time: the text before each '\'
// at or after `walkStart` (a '\' that ends the path excepted) is created, and
// finally the whole path again. A level that cannot be created, most often
// because it exists, is passed over. Memory stays that of one path, whatever
// the number of levels.
//
// Returns NO_ERROR when this call created the whole path, otherwise the
// platform's reason why the last attempt at it failed (ERROR_ALREADY_EXISTS
// when it was there). A path longer than kMaxDirectoryPath is refused without
// creating anything: ERROR_ALREADY_EXISTS when it is a directory all the same,
// ERROR_FILENAME_EXCED_RANGE otherwise.
DWORD createDirectoryChain(const std::string& path, std::string::size_type walkStart,
                           const CreatedLevel& created);
