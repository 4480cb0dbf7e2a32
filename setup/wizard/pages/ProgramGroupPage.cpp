#include "setup/wizard/pages/ProgramGroupPage.h"

#include "setup/config/FolderVariables.h"
#include "setup/config/SetupContext.h"
#include "setup/install/WizardCommands.h"
#include "setup/records/helpers/PathExists.h"
#include "setup/records/text/PathText.h"
#include "setup/wizard/framework/Controls.h"
#include "setup/wizard/resources/Resources.h"

#include <shlobj.h>

namespace {

const ControlText kTexts[] = {
    {0, "ProgmanTitle"},           {IDC_TEXT1, "ProgmanText1"}, {IDC_TEXT2, "ProgmanText2"},
    {IDC_TEXT3, "ProgmanText3"},   {IDC_BACK, "ProgmanBack"},   {IDC_NEXT, "ProgmanNext"},
    {IDC_CANCEL, "ProgmanCancel"},
};

// The longest group name a shortcut folder path can still hold.
constexpr std::size_t kLongestGroup = MAX_PATH - 1;

// The names of a folder's entries, closed on every way out.
class FolderEntries {
public:
    explicit FolderEntries(const std::string& folder)
        : find_(FindFirstFileA(joinPath(folder, "*.*").c_str(), &entry_)) {}
    ~FolderEntries() {
        if (find_ != INVALID_HANDLE_VALUE)
            FindClose(find_);
    }
    FolderEntries(const FolderEntries&) = delete;
    FolderEntries& operator=(const FolderEntries&) = delete;

    template <class Visit> void forEach(Visit visit) {
        if (find_ == INVALID_HANDLE_VALUE)
            return;
        do
            visit(std::string(entry_.cFileName));
        while (FindNextFileA(find_, &entry_));
    }

private:
    WIN32_FIND_DATAA entry_ = {};
    HANDLE find_;
};

} // namespace

bool ProgramGroupPage::onInitDialog() {
    attachSidePicture();
    setTexts(kTexts);
    setControlText(control(IDC_EDIT), context().getVariable("OutputProgramGroup", true));
    listProgramFolders();
    selectListItem(control(IDC_LIST), context().getVariable("DefaultShortcutFolderName", true));
    centre();
    return true;
}

void ProgramGroupPage::listProgramFolders() {
    const std::string programs = shellFolder(CSIDL_PROGRAMS);
    if (programs.empty())
        return;
    HWND list = control(IDC_LIST);
    FolderEntries(programs).forEach([&](const std::string& name) {
        if (!name.empty() && name[0] != '.' && isDirectory(joinPath(programs, name)))
            addListItem(list, name);
    });
}

bool ProgramGroupPage::onCommand(int id, int notification) {
    switch (id) {
    case IDC_LIST:
        if (notification == LBN_SELCHANGE)
            setControlText(control(IDC_EDIT), selectedListText(control(IDC_LIST)));
        return true;
    case IDC_NEXT: {
        const std::string group = controlText(control(IDC_EDIT));
        if (group.empty() || group.size() > kLongestGroup) {
            MessageBeep(MB_ICONWARNING);
            return true;
        }
        context().setOutputProgramGroup(group);
        end(WZ_NEXT);
        return true;
    }
    case IDC_BACK:
        context().setOutputProgramGroup(context().getVariable("DefaultShortcutFolderName", true));
        end(WZ_BACK);
        return true;
    default:
        return WizardPage::onCommand(id, notification);
    }
}
