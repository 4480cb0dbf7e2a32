#pragma once

#include "uninstall/RemovalReport.h"
#include "uninstall/SharedFileQuestion.h"
#include "uninstall/UninstallTexts.h"
#include "uninstall/Uninstaller.h"

#include <string>

// The windows of an interactive removal. Each is a dialog of the program's
// templates, captioned with the title text.

// The question whether to remove the product; true for Yes.
bool confirmRemoval(const UninstallTexts& texts);

// Asks about each shared file no program uses any more; Keep is the default.
class SharedFileDialog : public SharedFileQuestion {
public:
    explicit SharedFileDialog(const UninstallTexts& texts) : texts_(texts) {}
    bool removeUnusedSharedFile(const std::string& path) override;

private:
    const UninstallTexts& texts_;
};

// Runs the removal on a worker thread while a progress window shows how far
// it is; returns the report once the worker has ended.
RemovalReport removeWithProgress(Uninstaller& uninstaller, const UninstallTexts& texts);

// The final message: done, what was left, whether a restart completes it.
void showFinished(const UninstallTexts& texts, const RemovalReport& report);

// A message box for a removal that cannot start (no log, a damaged log).
void showProblem(const UninstallTexts& texts, const std::string& message);
