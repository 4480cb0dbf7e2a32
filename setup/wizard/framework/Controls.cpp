#include "setup/wizard/framework/Controls.h"

#include <vector>

void setControlText(HWND control, const std::string& text) {
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int controlTextLength(HWND control) {
    return static_cast<int>(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0));
}

std::string controlText(HWND control) {
    std::vector<char> buffer(static_cast<std::size_t>(controlTextLength(control)) + 1);
    const LRESULT length =
        SendMessageA(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

void showControl(HWND control, bool shown) {
    ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}

void enableControl(HWND control, bool enabled) {
    EnableWindow(control, enabled ? TRUE : FALSE);
}

void focusControl(HWND control) {
    SetFocus(control);
}

void setChecked(HWND button, bool checked) {
    SendMessageA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool isChecked(HWND button) {
    return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void setIcon(HWND staticControl, HICON icon) {
    SendMessageA(staticControl, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void addListItem(HWND list, const std::string& text) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void selectListItem(HWND list, const std::string& text) {
    SendMessageA(list, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(text.c_str()));
}

int listSelection(HWND list) {
    return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
}

std::string selectedListText(HWND list) {
    const int index = listSelection(list);
    if (index == LB_ERR)
        return std::string();
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR)
        return std::string();
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    const LRESULT read = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), static_cast<std::size_t>(read > 0 ? read : 0));
}
