#pragma once

// The wizard's command codes. One number space above WM_USER (1024): the same
// values travel as messages to the setup window, as WM_COMMAND ids and as the
// results that pages and dialogs end with.
enum WizardCommand : int {
    WZ_RESUME = 1025,
    WZ_EXIT = 1026,
    WZ_START = 1027,
    WZ_NEXT = 1028,
    WZ_BACK = 1029,
    WZ_SHOW_LANGUAGE = 1031,
    WZ_SHOW_WELCOME = 1032,
    WZ_SHOW_LICENSE = 1033,
    WZ_SHOW_TARGET_DIR = 1034,
    WZ_SHOW_PROGRAM_GROUP = 1035,
    WZ_SHOW_ICON_OPTIONS = 1036,
    WZ_SHOW_START = 1037,
    WZ_SHOW_PROGRESS = 1038,
    WZ_SHOW_README = 1039,
    WZ_SHOW_USER_INFO = 1040,
    WZ_SHOW_FINISH = 1041,
    WZ_COMPLETE = 1043,
    WZ_REINSTALL_YES = 1047,
    WZ_REINSTALL_NO = 1048,
    WZ_REINSTALL_CANCEL = 1049,
    WZ_INUSE_RETRY = 1050,
    WZ_INUSE_CANCEL = 1051,
    WZ_INUSE_ABORT = 1052,
    // Posted by the installation worker to the progress page.
    WZ_INSTALL_DONE = 1053,
    WZ_INSTALL_ABORTED = 1054,
    WZ_RUN_APPLICATION = 1055,
};
