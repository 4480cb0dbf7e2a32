#pragma once

// Bitmap files for the tests: pictures to show, and what the screen shows.

#include <windows.h>

#include <string>

namespace testing_support {

// Writes a 24-bit bitmap file of one colour (r, g, b).
void writeBitmapFile(const std::string& path, int width, int height, BYTE r, BYTE g, BYTE b);

// Writes the whole screen as a 24-bit bitmap file for a person to look at;
// false when it cannot.
bool saveScreenshot(const std::string& path);

} // namespace testing_support
