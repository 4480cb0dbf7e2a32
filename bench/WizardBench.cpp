// How long setup.exe takes from its process start to its first page on
// screen (splash off, the backdrop on, a warm Wine prefix), against a minimal
// program that shows one dialog from a template; and what an unattended
// installation of 500 small files costs per record beyond the 50 ms the
// progress display gives every record. Prints 'name value unit' lines.
#include "tests/install/ArchiveWriter.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 7;

std::string programDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path);
    return directory.substr(0, directory.rfind('\\'));
}

void writeFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

double now() {
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds from starting the program until a dialog of that caption is
// visible; negative when it did not show within 30 seconds.
double timeToDialog(const std::string& program, const std::string& folder, const char* caption) {
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const double start = now();
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return -1;
    double elapsed = -1;
    for (;;) {
        HWND dialog = FindWindowA("#32770", caption);
        if (dialog != nullptr && IsWindowVisible(dialog)) {
            elapsed = now() - start;
            break;
        }
        if (now() - start > 30000)
            break;
        Sleep(1);
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

double median(const std::string& program, const std::string& folder, const char* caption) {
    timeToDialog(program, folder, caption); // warms the prefix and the file cache
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i)
        times.push_back(timeToDialog(program, folder, caption));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// An unattended installation of `files` small files from start to end, in
// milliseconds per record beyond the progress display's 50 ms.
double installOverheadPerRecord(const std::string& folder, const std::string& setup, int files) {
    const std::string package = folder + "\\install_package";
    CreateDirectoryA(package.c_str(), nullptr);
    std::string records = "[APPLICATION_FOLDERS]\r\n%AppDir%\r\n[APPLICATION_FILES]\r\n";
    ArchiveWriter archive(package + "\\setup.zip");
    for (int i = 0; i < files; ++i) {
        const std::string name = "file" + std::to_string(i) + ".txt";
        archive.add(name, "small file " + std::to_string(i), dosDateTime(2020, 1, 1, 0, 0, 0));
        records += "x," + name + ",%AppDir%\\" + name + ",0,0,0\r\n";
    }
    archive.close();
    writeFile(package + "\\Setup.ini",
              "[GENERAL_INFO]\r\nProductName=Bench Files\r\n[SETUP_INFO]\r\nSetupType=1\r\n"
              "DefaultInstallationPath=" +
                  package +
                  "\\Installed\r\n"
                  "[SYSTEM_REQUIREMENTS]\r\nAnyWindows=Yes\r\n" +
                  records);
    writeFile(package + "\\English.dat", "[STRINGS]\r\n1=Setup\r\n");
    CopyFileA(setup.c_str(), (package + "\\setup.exe").c_str(), FALSE);

    std::string commandLine = "\"" + package + "\\setup.exe\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const double start = now();
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        package.c_str(), &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    const double elapsed = now() - start;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const int recordCount = files + 1;
    return (elapsed - 50.0 * recordCount) / recordCount;
}

} // namespace

int main() {
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    const std::string package = std::string(current) + "\\wizard_package";
    CreateDirectoryA(package.c_str(), nullptr);
    writeFile(package + "\\Setup.ini",
              "[GENERAL_INFO]\r\nProductName=Bench\r\n[SETUP_INFO]\r\n"
              "DefaultInstallationPath=C:\\Bench\r\n[SYSTEM_REQUIREMENTS]\r\nAnyWindows=Yes\r\n"
              "[DIALOGS]\r\nSetupWindow=Yes\r\nWelcomeDialog=Yes\r\n"
              "[SETUP_WINDOW]\r\nGradientFill=Yes\r\nColorFrom=FF0000\r\nHeading=Bench\r\n");
    writeFile(package + "\\English.dat", "[WELCOME_DIALOG]\r\nDialog_Title=Welcome\r\n");
    writeFile(package + "\\setup.zip", std::string("PK\x05\x06", 4) + std::string(18, '\0'));
    const std::string setup = package + "\\setup.exe";
    CopyFileA((programDirectory() + "\\..\\setup.exe").c_str(), setup.c_str(), FALSE);

    const double firstPage = median(setup, package, "Welcome");
    const double baseline =
        median(programDirectory() + "\\baseline_dialog.exe", package, "Baseline");
    std::printf("wizard.first_page_ms %.1f ms\n", firstPage);
    std::printf("wizard.baseline_dialog_ms %.1f ms\n", baseline);
    std::printf("wizard.first_page_vs_baseline %.2f ratio\n",
                baseline > 0 ? firstPage / baseline : -1.0);
    std::printf("wizard.install_overhead_ms_per_record %.2f ms\n",
                installOverheadPerRecord(current, setup, 500));
    return 0;
}
