#pragma once

// Resource ids of setup.exe: dialog templates, pictures and the controls of
// the templates. Shared by the resource script and the code, so plain
// preprocessor numbers.

// Dialog templates.
#define IDD_EXIT_CONFIRMATION 129
#define IDD_WELCOME 130
#define IDD_LICENSE 131
#define IDD_README 135
#define IDD_TARGET_DIRECTORY 136
#define IDD_PROGRAM_GROUP 137
#define IDD_START 138
#define IDD_FINISH 139
#define IDD_USER_INFO 143
#define IDD_PROGRESS 144
#define IDD_LANGUAGE 145
#define IDD_FILE_IN_USE 148
#define IDD_REINSTALL 159
#define IDD_ICON_OPTIONS 161

// Pictures.
#define IDI_SETUP 107
#define IDB_SIDE_PICTURE 134

// Buttons every page shares.
#define IDC_CANCEL 2
#define IDC_BACK 1000
#define IDC_NEXT 1003

// Buttons of single pages and dialogs.
#define IDC_RETRY 4
#define IDC_ABORT 3
#define IDC_LICENSE_YES 6
#define IDC_LICENSE_NO 7
#define IDC_RESUME 1000
#define IDC_EXIT_SETUP 1001
#define IDC_BROWSE 1006
#define IDC_FINISH 1018
#define IDC_REINSTALL_CANCEL 1056
#define IDC_REINSTALL_YES 1059
#define IDC_REINSTALL_NO 1060

// Texts, fields and lists.
#define IDC_TEXT1 1009
#define IDC_TEXT2 1010
#define IDC_TEXT3 1011
#define IDC_TEXT4 1012
#define IDC_TEXT5 1013
#define IDC_TEXT7 1015
#define IDC_WARNING_ICON 1014
#define IDC_EDIT 1005
#define IDC_EDIT2 1030
#define IDC_EDIT3 1031
#define IDC_LIST 1017
#define IDC_CHECK_README 1020
#define IDC_CHECK_APPLICATION 1021
#define IDC_DESKTOP_YES 1027
#define IDC_DESKTOP_NO 1028
#define IDC_QUICK_LAUNCH_YES 1029
#define IDC_QUICK_LAUNCH_NO 1043
#define IDC_OVERALL_BAR 1032
#define IDC_STATUS 1033
#define IDC_ITEM_BAR 1034
#define IDC_REQUIRED_SPACE 1037
#define IDC_FREE_SPACE 1038
#define IDC_SIDE_PICTURE 1040
