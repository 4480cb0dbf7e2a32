#pragma once

// Dialog templates of uninstall.exe and their controls. Every text is set from
// the log's dialog lines when the dialog opens; the template texts are
// placeholders.
#define IDD_QUESTION 100
#define IDD_PROGRESS 101
#define IDD_FINISHED 102

#define IDC_QUESTION_TEXT 1001
#define IDC_PROGRESS_TEXT 1002
#define IDC_PROGRESS_BAR 1003
#define IDC_FINISHED_TEXT 1004
#define IDC_ITEMS_LEFT 1005
