#include "setup/wizard/pages/TargetDirectoryPage.h"

#include "setup/config/SetupContext.h"
#include "setup/install/WizardCommands.h"
#include "setup/wizard/framework/Controls.h"
#include "setup/wizard/framework/FolderBrowser.h"
#include "setup/wizard/resources/Resources.h"

namespace {

const ControlText kTexts[] = {
    {0, "TargetDirTitle"},         {IDC_TEXT1, "TargetDirText1"}, {IDC_TEXT2, "TargetDirText2"},
    {IDC_TEXT3, "TargetDirText3"}, {IDC_TEXT4, "TargetDirText4"}, {IDC_BROWSE, "TargetDirBrowse"},
    {IDC_BACK, "TargetDirBack"},   {IDC_NEXT, "TargetDirNext"},   {IDC_CANCEL, "TargetDirCancel"},
    {IDC_TEXT5, "TargetDirText5"}, {IDC_TEXT7, "TargetDirText7"},
};

const int kSpaceControls[] = {IDC_TEXT5, IDC_REQUIRED_SPACE, IDC_TEXT7, IDC_FREE_SPACE};

// The longest folder path a program can create files in.
constexpr std::size_t kLongestPath = MAX_PATH - 1;

} // namespace

std::uint64_t freeKilobytes(const std::string& path) {
    const std::string root = path.size() >= 2 && path[1] == ':' ? path.substr(0, 1) + ":\\" : path;
    using GetDiskFreeSpaceEx =
        BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (auto getFreeSpace = reinterpret_cast<GetDiskFreeSpaceEx>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")))) {
        ULARGE_INTEGER available = {};
        if (!getFreeSpace(root.c_str(), &available, nullptr, nullptr))
            return 0;
        return available.QuadPart >> 10;
    }
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &clusters))
        return 0;
    return (static_cast<std::uint64_t>(sectorsPerCluster) * bytesPerSector * freeClusters) >> 10;
}

std::string kilobyteText(std::uint64_t kilobytes) {
    return std::to_string(kilobytes) + " KB";
}

bool TargetDirectoryPage::onInitDialog() {
    attachSidePicture();
    setTexts(kTexts);
    setControlText(control(IDC_EDIT), context().getAppDir());
    requiredKilobytes_ = context().getIntVariable("RequiredDiskSpace", 10);
    if (requiredKilobytes_ != 0) {
        setControlText(control(IDC_REQUIRED_SPACE), kilobyteText(requiredKilobytes_));
        updateFreeSpace();
    } else {
        for (int id : kSpaceControls)
            showControl(control(id), false);
    }
    centre();
    return true;
}

bool TargetDirectoryPage::onCommand(int id, int notification) {
    switch (id) {
    case IDC_EDIT:
        if (notification == EN_CHANGE)
            updateFreeSpace();
        return false;
    case IDC_BROWSE:
        browse();
        return true;
    case IDC_NEXT: {
        const std::string path = controlText(control(IDC_EDIT));
        // An empty field keeps the page; so does a path no folder can have,
        // rather than one cut short into another path.
        if (path.empty() || path.size() > kLongestPath) {
            MessageBeep(MB_ICONWARNING);
            return true;
        }
        context().setAppDir(path);
        end(WZ_NEXT);
        return true;
    }
    case IDC_BACK:
        context().setAppDir(context().getVariable("DefaultInstallationPath", true));
        end(WZ_BACK);
        return true;
    default:
        return WizardPage::onCommand(id, notification);
    }
}

void TargetDirectoryPage::browse() {
    std::string folder = browseForFolder(dialog(), context().getVariable("ChooseDirText1", true),
                                         context().getVariable("ChooseDirTitle", true));
    if (folder.empty())
        return;
    if (folder.back() != '\\')
        folder += '\\';
    folder += context().getVariable("DefaultDirectoryName", true);
    if (folder.size() > kLongestPath) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    setControlText(control(IDC_EDIT), folder);
    updateFreeSpace();
}

void TargetDirectoryPage::updateFreeSpace() {
    if (requiredKilobytes_ == 0)
        return;
    const std::uint64_t available = freeKilobytes(controlText(control(IDC_EDIT)));
    enableControl(control(IDC_NEXT), available >= requiredKilobytes_);
    setControlText(control(IDC_FREE_SPACE), kilobyteText(available));
}
