#pragma once

#include "setup/install/base/ReplaceAtRestart.h"

#include <string>

class InUseQuestion;
class SetupContext;

// Copies a freshly extracted file over an installed one. When the copy fails
// (the file is in use, the disk is full, access is denied: the reason is not
// examined), it may ask the user, and otherwise hands the file to the
// system's replacement at restart: on NT by moving the old file aside and
// deleting it at restart, or by a delayed move; on 95/98/ME by an entry in
// [Rename] of WinInit.Ini.
class LockedFileCopier {
public:
    // `question` may be null: nobody is asked, as if the user chose Cancel.
    // Neither object is owned.
    LockedFileCopier(SetupContext& context, InUseQuestion* question)
        : context_(context), question_(question) {}
    LockedFileCopier(const LockedFileCopier&) = delete;
    LockedFileCopier& operator=(const LockedFileCopier&) = delete;

    // Copies `source` over `destination`. True when the destination now holds
    // the source's bytes. False otherwise; sourceStillNeeded() then tells
    // whether the source is the file that replaces the destination at the
    // next restart and must stay where it is. With the flag 32 (ask when in
    // use) the question comes first: Retry copies again, Abort sets the
    // context's abortRequested and schedules nothing.
    // Throws WinException when the Windows version cannot be read.
    bool copy(const std::string& source, const std::string& destination, int flags);

    // Whether the last copy that returned false left the source scheduled to
    // replace the destination at restart.
    bool sourceStillNeeded() const { return sourceStillNeeded_; }

    // True once any file has been handed to replacement at restart; never
    // goes back to false.
    bool restartNeeded() const { return restartNeeded_; }

private:
    // Each returns whether the source is now part of a scheduled replacement.
    bool replaceOnNT(const std::string& source, const std::string& destination);
    bool replaceThroughWinInit(const std::string& source, const std::string& destination);

    SetupContext& context_;
    InUseQuestion* question_;
    bool restartNeeded_ = false;
    bool sourceStillNeeded_ = false;
};
