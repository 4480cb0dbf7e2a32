#pragma once

#include "setup/start/errors/FileException.h"
#include "setup/start/errors/WinException.h"

#include <functional>
#include <string>

// The one place where a failure that ends the run is shown to the user.
//
// runWithOuterHandler runs `body` and returns its result. An exception that
// escapes `body` is reported in a single warning message box with no owner
// window, and the result is then -1:
//   WinException   "<message>, Error <code as signed decimal>", caption "Exception"
//   FileException  "<description>: \"<file name>\"",          caption "Error"
//   anything else  "Unknown",                                  caption "Exception"
// By the time the box shows, the stack of `body` has been unwound, so the
// destructors of everything it built have run.
int runWithOuterHandler(const std::function<int()>& body);

// The texts of the first two clauses, built in full whatever their length.
std::string reportText(const WinException& e);
std::string reportText(const FileException& e);
