#pragma once

#include "uninstall/UninstallPlan.h"

#include <string>

// The uninstaller's texts: the thirteen dialog lines of the log, in this order,
// with a built-in English text for each line that is empty. In every text
// "%AppName%" stands for the application name of the log, "%File%" for the
// file a question is about, and "<br>" for a line break.
enum class UninstallText {
    Title,          // caption of every uninstaller window
    Confirm,        // the question whether to remove the product
    Yes,            // button that agrees to the removal
    No,             // button that keeps the product
    Progress,       // shown while the removal runs
    SharedTitle,    // caption of the question about a shared file
    SharedQuestion, // whether to remove a shared file no program uses any more
    RemoveShared,   // button that removes that file
    KeepShared,     // button that keeps it (the default)
    Done,           // final message after a complete removal
    ItemsLeft,      // final message when items stay; the list follows it
    RestartNeeded,  // final message when files go at the next restart
    Ok,             // button that closes the final message
};

class UninstallTexts {
public:
    // Built-in texts only, for an uninstaller without a usable log.
    UninstallTexts() = default;
    explicit UninstallTexts(const UninstallPlan& plan);

    // The text with its placeholders filled in.
    std::string text(UninstallText which, const std::string& file = std::string()) const;

    // The English text of a line, used when the log leaves it empty.
    static const char* builtIn(UninstallText which);

private:
    std::string applicationName_;
    std::array<std::string, UninstallPlan::dialogLineCount> lines_;
};
