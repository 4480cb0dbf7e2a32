#include "tests/uninstall/UninstallTestSupport.h"

#include "setup/config/SetupContext.h"
#include "setup/install/InstallEngine.h"
#include "tests/config/PackageFolder.h"
#include "tests/install/ArchiveWriter.h"
#include "tests/install/InstallTestSupport.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <cstdio>

namespace uninstall_tests {

using namespace install_tests;

void installPackage(const std::string& product, const std::string& appDir,
                    const std::string& setupInfo, const std::string& sections,
                    const std::vector<Member>& members, const std::string& language) {
    config_tests::PackageFolder package("package");
    package.write("Setup.ini", "[GENERAL_INFO]\nProductName=" + product +
                                   "\n[SETUP_INFO]\nDefaultInstallationPath=" + appDir +
                                   "\nAddRemoveProgramsDescription=" + product +
                                   "\nEnableUninstaller=Yes\n" + setupInfo + sections);
    package.write("English.dat", "[STRINGS]\n1=x\n" + language);
    {
        ArchiveWriter writer(package.file("setup.zip"));
        for (const Member& member : members)
            ASSERT_TRUE(writer.add(member.first, member.second, dosDateTime(2004, 3, 1, 12, 0, 0)));
        ASSERT_TRUE(writer.close());
    }
    std::unique_ptr<SetupContext> context = package.load();
    PageWindow page;
    HiddenWindow overallBar(PROGRESS_CLASSA), itemBar(PROGRESS_CLASSA), statusText("STATIC");
    InstallEngine engine(page.get(), *context, overallBar.get(), itemBar.get(), statusText.get());
    engine.start();
    ASSERT_TRUE(
        testing_support::pumpMessagesUntil([&page] { return !page.commands().empty(); }, 60000));
    ASSERT_EQ(engine.wait(10000), WAIT_OBJECT_0);
}

std::string uninstallerBytes() {
    return readFile(programDirectory() + "\\..\\uninstall.exe");
}

std::string fileTree(const std::string& folder) {
    std::string tree;
    WIN32_FIND_DATAA data;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return tree;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string path = folder + "\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            tree += path + "\\\n" + fileTree(path);
        else
            tree += path + " " + std::to_string(data.nFileSizeLow) + "\n";
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return tree;
}

std::string registryTree(HKEY root, const std::string& subkey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::string();
    std::string tree = subkey + "\n";
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameLength = sizeof name;
        BYTE bytes[4096];
        DWORD size = sizeof bytes;
        DWORD type = 0;
        if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, bytes, &size) !=
            ERROR_SUCCESS)
            break;
        tree += "  " + std::string(name, nameLength) + " " + std::to_string(type) + " " +
                std::string(reinterpret_cast<char*>(bytes), size) + "\n";
    }
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof name;
        if (RegEnumKeyExA(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        tree += registryTree(root, subkey + "\\" + std::string(name, nameLength));
    }
    RegCloseKey(key);
    return tree;
}

bool waitUntilRemoved(const std::string& path, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(50);
    }
    return true;
}

} // namespace uninstall_tests
