#pragma once

#include <windows.h>

#include <string>

// Thin operations on the controls of a page, each one message or call on the
// control's window. Texts are read whole, whatever their length.

void setControlText(HWND control, const std::string& text);
std::string controlText(HWND control);
int controlTextLength(HWND control);
void showControl(HWND control, bool shown);
void enableControl(HWND control, bool enabled);
void focusControl(HWND control);
void setChecked(HWND button, bool checked);
bool isChecked(HWND button);
void setIcon(HWND staticControl, HICON icon);

void addListItem(HWND list, const std::string& text);
// Selects the first item that begins with `text`, ignoring case.
void selectListItem(HWND list, const std::string& text);
// The selected item's index, LB_ERR when none is selected.
int listSelection(HWND list);
// The selected item's text; empty when none is selected.
std::string selectedListText(HWND list);
