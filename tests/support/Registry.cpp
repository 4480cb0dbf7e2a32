#include "tests/support/Registry.h"

#include <vector>

namespace testing_support {

namespace {

// A key opened for the test, closed when the object goes.
class OpenKey {
public:
    OpenKey(HKEY root, const std::string& subkey, REGSAM access) {
        if (RegOpenKeyExA(root, subkey.c_str(), 0, access, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~OpenKey() {
        if (key_)
            RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

} // namespace

std::ostream& operator<<(std::ostream& out, const StoredValue& value) {
    if (!value.present)
        return out << "(no value)";
    out << "type " << value.type << ", " << value.bytes.size() << " bytes:";
    for (unsigned char byte : value.bytes)
        out << ' ' << std::hex << static_cast<int>(byte) << std::dec;
    return out;
}

StoredValue stored(DWORD type, const std::string& bytes) {
    return {true, type, bytes};
}

StoredValue storedText(const std::string& text) {
    return stored(REG_SZ, text + std::string(1, '\0'));
}

StoredValue storedValue(HKEY root, const std::string& subkey, const std::string& name) {
    StoredValue value;
    const OpenKey key(root, subkey, KEY_QUERY_VALUE);
    if (!key.get())
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &value.type, nullptr, &size) !=
        ERROR_SUCCESS)
        return value;
    std::vector<BYTE> bytes(size);
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &value.type, bytes.data(), &size) !=
        ERROR_SUCCESS)
        return value;
    value.present = true;
    value.bytes.assign(bytes.begin(), bytes.begin() + size);
    return value;
}

bool storeValue(HKEY root, const std::string& subkey, const std::string& name,
                const StoredValue& value) {
    if (!value.present) {
        const OpenKey key(root, subkey, KEY_SET_VALUE);
        return !key.get() || RegDeleteValueA(key.get(), name.c_str()) == ERROR_SUCCESS;
    }
    HKEY created = nullptr;
    if (RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExA(created, name.c_str(), 0, value.type,
                                       reinterpret_cast<const BYTE*>(value.bytes.data()),
                                       static_cast<DWORD>(value.bytes.size()));
    RegCloseKey(created);
    return result == ERROR_SUCCESS;
}

bool keyExists(HKEY root, const std::string& subkey) {
    return OpenKey(root, subkey, KEY_READ).get() != nullptr;
}

void deleteKeyTree(HKEY root, const std::string& subkey) {
    std::vector<std::string> children;
    {
        const OpenKey key(root, subkey, KEY_READ);
        if (!key.get())
            return;
        char name[256];
        for (DWORD index = 0;; ++index) {
            DWORD length = sizeof name;
            if (RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr, nullptr,
                              nullptr) != ERROR_SUCCESS)
                break;
            children.push_back(name);
        }
    }
    for (const std::string& child : children)
        deleteKeyTree(root, subkey + "\\" + child);
    RegDeleteKeyA(root, subkey.c_str());
}

SavedValue::SavedValue(HKEY root, std::string subkey, std::string name)
    : root_(root), subkey_(std::move(subkey)), name_(std::move(name)),
      saved_(storedValue(root_, subkey_, name_)) {}

SavedValue::~SavedValue() {
    storeValue(root_, subkey_, name_, saved_);
}

void SavedValue::setText(const std::string& text) {
    storeValue(root_, subkey_, name_, storedText(text));
}

void SavedValue::remove() {
    storeValue(root_, subkey_, name_, StoredValue());
}

WindowsVersionFor::WindowsVersionFor(const std::string& exeName, const char* version) {
    if (version == nullptr)
        return;
    key_ = "Software\\Wine\\AppDefaults\\" + exeName;
    storeValue(HKEY_CURRENT_USER, key_, "Version", storedText(version));
}

WindowsVersionFor::~WindowsVersionFor() {
    if (!key_.empty())
        deleteKeyTree(HKEY_CURRENT_USER, key_);
}

} // namespace testing_support
