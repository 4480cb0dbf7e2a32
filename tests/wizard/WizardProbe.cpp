// A program the wizard's tests let setup start in place of an uninstaller, an
// application, a readme viewer or a decoy. Copied under the name it stands
// for, it writes "<its own path>.ran": its command line on the first line and
// its current folder on the second. While "<its own path>.hold" exists it
// stays running, so a test can decide when it ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    const std::string record = std::string(GetCommandLineA()) + "\r\n" + folder + "\r\n";

    const std::string ran = std::string(self) + ".ran";
    HANDLE file = CreateFileA(ran.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
        CloseHandle(file);
    }
    const std::string hold = std::string(self) + ".hold";
    while (GetFileAttributesA(hold.c_str()) != INVALID_FILE_ATTRIBUTES)
        Sleep(50);
    return 0;
}
