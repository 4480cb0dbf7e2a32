#include "setup/start/SetupProgram.h"

#include "setup/config/SetupContext.h"
#include "setup/install/ReinstallTest.h"
#include "setup/records/helpers/ComInitialization.h"
#include "setup/records/text/PathText.h"
#include "setup/start/CommandLine.h"
#include "setup/start/errors/WinException.h"
#include "setup/wizard/framework/FailureCapture.h"
#include "setup/wizard/framework/ProcessValues.h"
#include "setup/wizard/pages/ReinstallDialog.h"
#include "setup/wizard/pages/SetupPages.h"
#include "setup/wizard/windows/SetupWindow.h"

#include <commctrl.h>

#include <memory>
#include <new>

namespace {

constexpr DWORD kSearchSystemFolderOnly = 0x00000800; // LOAD_LIBRARY_SEARCH_SYSTEM32

void outOfMemory() {
    throw WinException("Out of memory");
}

std::string executableDirectory() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return splitPath(std::string(path, length)).directory;
}

// Windows 95 has only the first, older entry of the common controls.
void initialiseCommonControls() {
    OSVERSIONINFOEXA extended = {};
    extended.dwOSVersionInfoSize = sizeof extended;
    OSVERSIONINFOA& version = reinterpret_cast<OSVERSIONINFOA&>(extended);
    if (!GetVersionExA(&version)) {
        version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!GetVersionExA(&version))
            throw WinException("Couldn't check Windows version");
    }
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && version.dwMajorVersion == 4 &&
        version.dwMinorVersion == 0) {
        InitCommonControls();
        return;
    }
    INITCOMMONCONTROLSEX classes = {};
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES;
    InitCommonControlsEx(&classes);
}

// The rich-edit controls of the licence and readme pages, from the system
// folder only. The library stays loaded for the rest of the run.
void loadRichEdit() {
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    LoadLibraryA(joinPath(std::string(folder, length), "RICHED32.DLL").c_str());
}

// Makes the context the run's current one for the object's lifetime.
class CurrentContextScope {
public:
    explicit CurrentContextScope(SetupContext& context) { setCurrentContext(&context); }
    ~CurrentContextScope() { setCurrentContext(nullptr); }
    CurrentContextScope(const CurrentContextScope&) = delete;
    CurrentContextScope& operator=(const CurrentContextScope&) = delete;
};

int runMessageLoop() {
    MSG message;
    for (;;) {
        const BOOL result = GetMessageA(&message, nullptr, 0, 0);
        if (result == -1)
            return -1;
        if (result == 0)
            break;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    rethrowCapturedFailure();
    return static_cast<int>(message.wParam);
}

} // namespace

void restrictDllSearchPath() {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel == nullptr)
        return;
    using SetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
    using SetDllDirectory = BOOL(WINAPI*)(LPCSTR);
    if (auto setDefault = reinterpret_cast<SetDefaultDllDirectories>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories"))))
        setDefault(kSearchSystemFolderOnly);
    if (auto setDirectory = reinterpret_cast<SetDllDirectory>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "SetDllDirectoryA"))))
        setDirectory("");
}

int runSetup(HINSTANCE instance, const std::vector<std::string>& arguments) {
    setInstanceHandle(instance);
    std::set_new_handler(outOfMemory);

    // Built in this order and destroyed in the reverse one: the window object,
    // then COM, then the context, which finishes setup.log.
    auto context = std::make_unique<SetupContext>(executableDirectory());
    ComInitialization com;
    if (com.result() != S_OK)
        throw WinException("Couldn't initialize COM");
    initialiseCommonControls();
    loadRichEdit();

    context->setVariable("SourceDir", executableDirectory());
    const CommandLineOptions options = parseCommandLine(arguments);
    if (options.imitation)
        context->setVariable("Imitation", "Y");
    if (options.sourceDirectory)
        context->setVariable("SourceDir", *options.sourceDirectory);
    const CurrentContextScope current(*context);

    SetupWindow::registerClass();
    SetupPages pages;
    SetupWindow setupWindow(*context, pages);

    if (!context->unattended() && context->getFlagVariable("EnableUninstaller")) {
        ReinstallDialogQuestion question(*context);
        if (!testReinstall(*context, question))
            return 0;
    }
    context->runBeforeInstall();
    setupWindow.create();
    return runMessageLoop();
}
