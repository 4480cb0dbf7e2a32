#pragma once

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A name no other test process uses at the same time: the running test's name
// and the process id.
inline std::string uniqueName(const std::string& prefix) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    return prefix + "." + test->name() + "." + std::to_string(GetCurrentProcessId());
}

using testing_support::directoryExists;
using testing_support::fileExists;
using testing_support::readFile;
using testing_support::ScratchFolder;

// Removes a registry key with all its subkeys.
inline void deleteKeyTree(HKEY root, const std::string& subkey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    std::vector<std::string> children;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        children.push_back(name);
    }
    RegCloseKey(key);
    for (const std::string& child : children)
        deleteKeyTree(root, subkey + "\\" + child);
    RegDeleteKeyA(root, subkey.c_str());
}

inline bool keyExists(HKEY root, const std::string& subkey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// One registry value as stored: its type and its bytes.
struct StoredValue {
    bool present = false;
    DWORD type = REG_NONE;
    std::string bytes;

    bool operator==(const StoredValue& other) const {
        return present == other.present && type == other.type && bytes == other.bytes;
    }
};

inline std::ostream& operator<<(std::ostream& out, const StoredValue& value) {
    if (!value.present)
        return out << "(no value)";
    out << "type " << value.type << ", " << value.bytes.size() << " bytes:";
    for (unsigned char byte : value.bytes)
        out << ' ' << std::hex << static_cast<int>(byte) << std::dec;
    return out;
}

inline StoredValue storedValue(HKEY root, const std::string& subkey, const std::string& name) {
    StoredValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    BYTE buffer[1024];
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &value.type, buffer, &size) == ERROR_SUCCESS) {
        value.present = true;
        value.bytes.assign(reinterpret_cast<const char*>(buffer), size);
    }
    RegCloseKey(key);
    return value;
}

inline StoredValue stored(DWORD type, const std::string& bytes) {
    return {true, type, bytes};
}
