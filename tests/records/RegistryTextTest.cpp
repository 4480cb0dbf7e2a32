#include "setup/records/helpers/RegistryText.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

// A key of its own below HKEY_LOCAL_MACHINE\Software with values of every kind
// the reader meets; removed again afterwards.
class RegistryTextTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, ("Software\\" + keyPath).c_str(), 0, nullptr,
                                  0, KEY_ALL_ACCESS, nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key_);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, ("Software\\" + keyPath).c_str());
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, ("Software\\" + parent).c_str());
    }

    void set(const char* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS)
            << name;
    }
    void setText(const char* name, DWORD type, const std::string& text) {
        set(name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }

    const std::string parent = "SetupEngineTests." + std::to_string(GetCurrentProcessId());
    const std::string keyPath = parent + "\\Values";

private:
    HKEY key_ = nullptr;
};

TEST_F(RegistryTextTest, RendersEachTypeAsText) {
    const DWORD minusOne = 4294967295u;
    const DWORD answer = 42;
    const BYTE shortDword[] = {0x34, 0x12};
    const BYTE blob[] = {1, 2, 3};
    const char list[] = "one\0two\0";
    setText("Folder", REG_SZ, "C:\\Program Files");
    setText("Expand", REG_EXPAND_SZ, "%SystemDrive%\\Programs");
    setText("Empty", REG_SZ, "");
    setText("", REG_SZ, "default value");
    setText("Fits", REG_SZ, std::string(259, 'f'));
    set("Unterminated", REG_SZ, "abc", 3);
    set("MinusOne", REG_DWORD, &minusOne, sizeof minusOne);
    set("Answer", REG_DWORD, &answer, sizeof answer);
    set("ShortDword", REG_DWORD, shortDword, sizeof shortDword);
    set("Blob", REG_BINARY, blob, sizeof blob);
    set("List", REG_MULTI_SZ, list, sizeof list);
    set("BigEndian", REG_DWORD_BIG_ENDIAN, &answer, sizeof answer);

    const struct {
        const char* value;
        bool result;
        std::string text;
    } cases[] = {
        {"Folder", true, "C:\\Program Files"},
        {"Expand", true, "%SystemDrive%\\Programs"},
        {"Empty", true, ""},
        {"", true, "default value"},
        {"Fits", true, std::string(259, 'f')},
        {"Unterminated", true, "abc"},
        {"MinusOne", true, "-1"},
        {"Answer", true, "42"},
        {"ShortDword", true, "4660"},
        {"Blob", false, "Binary data"},
        {"List", false, "Can't convert to string"},
        {"BigEndian", false, "Can't convert to string"},
    };
    for (const auto& c : cases) {
        std::string text = "stale";
        EXPECT_EQ(readRegistryText(keyPath, c.value, text), c.result) << c.value;
        EXPECT_EQ(text, c.text) << c.value;
    }
}

TEST_F(RegistryTextTest, WhatCannotBeReadGivesFalseAndNoText) {
    setText("TooLong", REG_SZ, std::string(300, 'x'));
    setText("Folder", REG_SZ, "C:\\Program Files");
    const struct {
        std::string key;
        const char* value;
    } cases[] = {
        {keyPath, "TooLong"},
        {keyPath, "Missing"},
        {keyPath + "\\Missing", "Folder"},
        {"SetupEngineTests.NoSuchKey", "Folder"},
    };
    for (const auto& c : cases) {
        std::string text = "stale";
        EXPECT_FALSE(readRegistryText(c.key, c.value, text)) << c.key << " " << c.value;
        EXPECT_EQ(text, "");
    }
}

TEST_F(RegistryTextTest, NeverReadsPastAnUnterminatedValue) {
    // 260 bytes without a terminating zero fill the buffer exactly.
    const std::string full(260, 'u');
    set("Full", REG_SZ, full.data(), static_cast<DWORD>(full.size()));
    std::string text;
    if (readRegistryText(keyPath, "Full", text))
        EXPECT_EQ(text, full);
    else
        EXPECT_EQ(text, "");
}

TEST_F(RegistryTextTest, CombinedPathSplitsAtTheLastBackslash) {
    setText("Folder", REG_SZ, "C:\\Program Files");
    for (const std::string& path : {"Software\\" + keyPath + "\\Folder",
                                    "SOFTWARE\\" + keyPath + "\\Folder", keyPath + "\\Folder"}) {
        std::string text;
        EXPECT_TRUE(readRegistryText(path, text)) << path;
        EXPECT_EQ(text, "C:\\Program Files") << path;
    }
    std::string text;
    EXPECT_FALSE(readRegistryText("Software\\" + keyPath + "\\Missing", text));
    EXPECT_FALSE(readRegistryText("Folder", text)) << "no value of that name below Software";
}

TEST(RegistryText, ReadsTheProgramFilesFolderOfThePlatform) {
    std::string text;
    EXPECT_TRUE(
        readRegistryText("Software\\Microsoft\\Windows\\CurrentVersion\\ProgramFilesDir", text));
    EXPECT_NE(text.find(":\\"), std::string::npos) << text;
}

} // namespace
