#pragma once

// The registry of the prefix as the tests set it up, read it back and put it
// back: values with their types and bytes, keys, and the Windows version Wine
// reports to a program.

#include <windows.h>

#include <ostream>
#include <string>

namespace testing_support {

// One registry value as stored: its type and its bytes.
struct StoredValue {
    bool present = false;
    DWORD type = REG_NONE;
    std::string bytes;

    bool operator==(const StoredValue& other) const {
        return present == other.present && type == other.type && bytes == other.bytes;
    }
};

std::ostream& operator<<(std::ostream& out, const StoredValue& value);

// A present value of that type and those bytes.
StoredValue stored(DWORD type, const std::string& bytes);
// A REG_SZ value as it reads back: the text and its terminating zero.
StoredValue storedText(const std::string& text);

// The value `name` ("" for the default value) of the key; not present when
// the key or the value is missing.
StoredValue storedValue(HKEY root, const std::string& subkey, const std::string& name);
// Writes the value, creating the key as needed; a value that is not present
// is deleted instead. False when the registry refused.
bool storeValue(HKEY root, const std::string& subkey, const std::string& name,
                const StoredValue& value);

bool keyExists(HKEY root, const std::string& subkey);
// Removes a key with all its subkeys; a missing key is no error.
void deleteKeyTree(HKEY root, const std::string& subkey);

// A registry value that a test changes, put back as it was (or deleted again)
// when the object goes.
class SavedValue {
public:
    SavedValue(HKEY root, std::string subkey, std::string name);
    ~SavedValue();
    SavedValue(const SavedValue&) = delete;
    SavedValue& operator=(const SavedValue&) = delete;

    void setText(const std::string& text);
    void remove();

private:
    HKEY root_;
    std::string subkey_;
    std::string name_;
    StoredValue saved_;
};

// Makes Wine report another Windows version ("win98", "nt40", ...) to the
// program `exeName` (for example "install_probe.exe") in the processes started
// while the object lives: Wine reads it from the program's AppDefaults key
// when a process starts. A null version changes nothing.
class WindowsVersionFor {
public:
    WindowsVersionFor(const std::string& exeName, const char* version);
    ~WindowsVersionFor();
    WindowsVersionFor(const WindowsVersionFor&) = delete;
    WindowsVersionFor& operator=(const WindowsVersionFor&) = delete;

private:
    std::string key_;
};

} // namespace testing_support
