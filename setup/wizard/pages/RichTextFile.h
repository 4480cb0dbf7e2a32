#pragma once

#include <windows.h>

#include <string>

// Streams a licence or readme file into a rich-edit control: as RTF when the
// path ends in ".rtf" (in any case), as plain text otherwise. The file is
// read in text mode (CR LF becomes LF, a byte 26 ends it). A file that cannot
// be opened leaves the control empty; nothing is reported.
void loadRichTextFile(HWND control, const std::string& path);
