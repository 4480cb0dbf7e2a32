#include "uninstall/UninstallTexts.h"

namespace {

const char* const builtInTexts[UninstallPlan::dialogLineCount] = {
    "%AppName% Uninstall",
    "Do you want to remove %AppName% and all of its components from your computer?",
    "&Yes",
    "&No",
    "Removing %AppName% from your computer...",
    "Remove Shared File?",
    "No program uses the shared file<br><br>%File%<br><br>any more. Other programs might still "
    "need it without saying so. Remove it?",
    "&Remove",
    "&Keep",
    "%AppName% was removed from your computer.",
    "%AppName% was removed, but these items were left because they hold something it did not "
    "install or could not be removed:",
    "Some files are in use. Restart your computer to complete the removal.",
    "OK",
};

// Fills the placeholders in one pass, so that a name that itself holds a
// placeholder stays as it is.
std::string fill(const std::string& text, const std::string& applicationName,
                 const std::string& file) {
    const std::string lineBreak = "\r\n";
    const struct {
        const char* placeholder;
        const std::string& value;
    } replacements[] = {{"<br>", lineBreak}, {"%AppName%", applicationName}, {"%File%", file}};
    std::string result;
    for (std::string::size_type at = 0; at < text.size();) {
        bool replaced = false;
        for (const auto& r : replacements) {
            const std::string::size_type length = std::char_traits<char>::length(r.placeholder);
            if (text.compare(at, length, r.placeholder) == 0) {
                result += r.value;
                at += length;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            result += text[at++];
    }
    return result;
}

} // namespace

UninstallTexts::UninstallTexts(const UninstallPlan& plan)
    : applicationName_(plan.applicationName), lines_(plan.dialogLines) {}

const char* UninstallTexts::builtIn(UninstallText which) {
    return builtInTexts[static_cast<int>(which)];
}

std::string UninstallTexts::text(UninstallText which, const std::string& file) const {
    const std::string& line = lines_[static_cast<int>(which)];
    return fill(line.empty() ? builtIn(which) : line,
                applicationName_.empty() ? "the program" : applicationName_, file);
}
