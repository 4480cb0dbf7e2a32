#pragma once

#include "setup/records/helpers/ComInitialization.h"
#include "setup/records/text/RecordFieldCursor.h"
#include "setup/records/RecordHandler.h"

#include <windows.h>

#include <string>

class ErrorLog;
class SetupContext;
class UninstallLog;
struct IPersistFile;

// Carries out shortcut records, "&comma;" left as written. The first
// character of the first field chooses the kind (case-sensitive):
//   s,<link path>,<target>,<arguments>,<icon file>,<icon index>,<show command>,<working directory>
//   i,<link path>,<url>    (or w,...)
// A shell link is saved as <link path>.lnk, an internet shortcut as
// <link path>.url. The link path's folders are created as needed; each folder
// created and each file saved is recorded in the uninstall log (files under
// the shortcut class). Problems go to the error log.
//
// Paths are held to the platform's limits: a directory longer than
// CreateDirectoryA accepts (kMaxDirectoryPath, 248 characters) is not created
// but reported like one that cannot be made, and a file path, extension
// included, that does not fit in 260 characters with its terminator is not
// handed to the shell but reported like a failed save.
//
// Lives on one thread for the shortcut section of one installation: COM is
// initialised for that thread while the handler exists, and `statusText`
// shows "Create shortcuts".
class ShortcutRecordHandler : public RecordHandler {
public:
    // `context` expands the link path and the target once more; nothing is
    // owned. `statusText` may be null.
    ShortcutRecordHandler(const SetupContext& context, UninstallLog& uninstallLog,
                          ErrorLog& errorLog, HWND statusText);
    // Clears `statusText` and balances the COM initialisation.
    ~ShortcutRecordHandler() override;
    ShortcutRecordHandler(const ShortcutRecordHandler&) = delete;
    ShortcutRecordHandler& operator=(const ShortcutRecordHandler&) = delete;

    // True when the shortcut file was saved.
    bool process(const std::string& record) override;

private:
    bool makeDirectory(const std::string& path);
    bool makeShellLink(const std::string& path);
    bool makeInternetShortcut(const std::string& path);
    bool save(IPersistFile& persist, const std::string& path);

    // First: COM stays initialised until every other member is gone.
    ComInitialization com_;
    RecordFieldCursor cursor_;
    const SetupContext& context_;
    UninstallLog& uninstallLog_;
    ErrorLog& errorLog_;
    HWND statusText_;
};
