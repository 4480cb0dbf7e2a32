#pragma once

// Drives dialogs and message boxes from a test the way a person would: find
// the window by class and caption, read what it shows, press a button.
// Works across threads and processes of the same Wine prefix and display.

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// Polls for a top-level window of the class and caption (either may be null)
// until it appears or `timeoutMs` passes; returns null on time-out.
HWND waitForWindow(const char* className, const char* caption, DWORD timeoutMs = 10000);

// The texts of the window's "Static" children, in Z order, empty ones left out.
std::vector<std::string> staticTexts(HWND window);

// The whole text of the dialog's control.
std::string itemText(HWND dialog, int id);

// Presses the child button with the id as a click would (BM_CLICK).
void clickButton(HWND dialog, int id);

// Presses the button the same way without waiting for what the press does:
// for buttons that open a modal dialog or a message box in another process,
// which a click would wait for.
void pressButton(HWND dialog, int id);

// Waits until the window no longer exists; false on time-out.
bool waitUntilGone(HWND window, DWORD timeoutMs = 10000);

} // namespace testing_support
