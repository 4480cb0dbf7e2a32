// A DLL planted beside setup.exe under the name of a system library. Should
// it ever be loaded, it leaves "planted.loaded" in its own folder.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(instance, path, MAX_PATH);
    std::string marker(path);
    marker = marker.substr(0, marker.rfind('\\') + 1) + "planted.loaded";
    HANDLE file = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return TRUE;
}
