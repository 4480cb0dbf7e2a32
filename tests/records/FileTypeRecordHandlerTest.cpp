#include "setup/records/FileTypeRecordHandler.h"

#include "setup/install/base/UninstallLog.h"
#include "setup/records/ErrorLog.h"
#include "setup/records/RegistryRecordHandler.h"
#include "tests/records/RecordTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// An extension and a type name of the running test under HKEY_CLASSES_ROOT,
// removed again at the end.
class FileTypeRecordTest : public testing::Test {
protected:
    void TearDown() override {
        deleteKeyTree(HKEY_CLASSES_ROOT, extension);
        deleteKeyTree(HKEY_CLASSES_ROOT, typeName);
    }

    // The default value of a key under HKEY_CLASSES_ROOT.
    static StoredValue defaultOf(const std::string& subkey) {
        return storedValue(HKEY_CLASSES_ROOT, subkey, "");
    }

    // A default value as it reads back. The handler passes the text without
    // its terminating zero; NT-family systems (and Wine) add the zero
    // themselves when the byte after the data is one.
    static StoredValue text(const std::string& value) {
        return stored(REG_SZ, value + std::string(1, '\0'));
    }

    Texts keysLogged(const Texts& subkeys) {
        Texts entries;
        for (const std::string& subkey : subkeys)
            entries.push_back("HKCR," + subkey);
        return entries;
    }

    ScratchFolder folder;
    UninstallLog log{folder.path(), "setup.log", 1, false};
    ErrorLog errors{folder.path(), log};
    RegistryRecordHandler registry{log, errors};
    FileTypeRecordHandler handler{registry};
    const std::string extension = "." + uniqueName("rtx");
    const std::string typeName = uniqueName("RecordTestFile");
    const std::string command = "\"C:\\Program Files\\Abc\\abc.exe\" \"%1\"";
};

TEST_F(FileTypeRecordTest, WritesTheAssociationWithoutIconAndLogsEachKeyInOrder) {
    EXPECT_TRUE(handler.process(extension + "," + typeName + ",Abc document," + command));

    EXPECT_EQ(defaultOf(extension), text(typeName));
    EXPECT_EQ(defaultOf(typeName), text("Abc document"));
    EXPECT_EQ(defaultOf(typeName + "\\shell\\open\\command"), text(command));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, typeName + "\\DefaultIcon"));
    EXPECT_EQ(log.entries("REGENTRY"),
              keysLogged({extension, typeName, typeName + "\\shell", typeName + "\\shell\\open",
                          typeName + "\\shell\\open\\command"}));
    EXPECT_TRUE(log.entries("REGVALUES").empty());
    EXPECT_TRUE(errors.messages().empty());
}

TEST_F(FileTypeRecordTest, TheIconIsWrittenWithItsIndexWhenGiven) {
    const struct {
        std::string iconFields;
        std::string icon; // empty: no DefaultIcon key
    } cases[] = {
        {",C:\\App\\abc.exe,0", "C:\\App\\abc.exe,0"},
        {",C:\\App\\abc.exe,-3", "C:\\App\\abc.exe,-3"},
        {",C:\\App\\abc.exe,", "C:\\App\\abc.exe"},
        {",C:\\App\\abc.exe", "C:\\App\\abc.exe"},
        {",,5", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        deleteKeyTree(HKEY_CLASSES_ROOT, typeName);
        const std::string record = extension + "," + typeName + ",Abc," + command + c.iconFields;
        EXPECT_TRUE(handler.process(record)) << record;
        if (c.icon.empty())
            EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, typeName + "\\DefaultIcon")) << record;
        else
            EXPECT_EQ(defaultOf(typeName + "\\DefaultIcon"), text(c.icon)) << record;
    }
    EXPECT_EQ(log.entries("REGENTRY"),
              keysLogged({extension, typeName, typeName + "\\shell", typeName + "\\shell\\open",
                          typeName + "\\shell\\open\\command", typeName + "\\DefaultIcon"}));
}

TEST_F(FileTypeRecordTest, CommaEscapesAreDecodedInEveryField) {
    EXPECT_TRUE(handler.process(extension + "," + typeName +
                                ",One&comma; two,abc.exe /a&comma;b \"%1\",shell32.dll&comma;x,4"));
    EXPECT_EQ(defaultOf(typeName), text("One, two"));
    EXPECT_EQ(defaultOf(typeName + "\\shell\\open\\command"), text("abc.exe /a,b \"%1\""));
    EXPECT_EQ(defaultOf(typeName + "\\DefaultIcon"), text("shell32.dll,x,4"));
}

TEST_F(FileTypeRecordTest, ExistingKeysAreOverwrittenAndStillLogged) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, extension.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>("Old"), 4);
    RegCloseKey(key);

    EXPECT_TRUE(handler.process(extension + "," + typeName + ",Abc," + command));
    EXPECT_EQ(defaultOf(extension), text(typeName));
    EXPECT_EQ(log.entries("REGENTRY").front(), "HKCR," + extension);
}

TEST_F(FileTypeRecordTest, NamesAreUsedAsWrittenAndNestedTypesLogOnlyTheirKeys) {
    // No dot is added to the extension; a type name with a backslash makes
    // nested keys, of which only the named ones are logged.
    const std::string bare = extension.substr(1);
    const std::string nested = typeName + "\\Inner";
    EXPECT_TRUE(handler.process(bare + "," + nested + ",Nested," + command));
    EXPECT_EQ(defaultOf(bare), text(nested));
    EXPECT_EQ(defaultOf(nested), text("Nested"));
    EXPECT_EQ(defaultOf(typeName), StoredValue{});
    EXPECT_EQ(log.entries("REGENTRY"),
              keysLogged({bare, nested, nested + "\\shell", nested + "\\shell\\open",
                          nested + "\\shell\\open\\command"}));
    deleteKeyTree(HKEY_CLASSES_ROOT, bare);
}

TEST_F(FileTypeRecordTest, ARecordWithoutExtensionOrTypeNameLeavesTheRootAlone) {
    const StoredValue rootDefault = defaultOf("");
    for (const std::string& record :
         {"," + typeName + ",Abc," + command, extension + ",,Abc," + command, std::string(),
          std::string(",,,")}) {
        EXPECT_FALSE(handler.process(record)) << record;
    }
    EXPECT_EQ(defaultOf(""), rootDefault);
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, extension));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, typeName));
    EXPECT_TRUE(log.entries("REGENTRY").empty());
    EXPECT_TRUE(errors.messages().empty());
}

TEST_F(FileTypeRecordTest, AKeyThatCannotBeMadeEndsTheRecordSilently) {
    // A type name component beyond the platform's limit: the extension is
    // written and logged, nothing after it.
    const std::string tooLong = typeName + std::string(300, 't');
    EXPECT_FALSE(handler.process(extension + "," + tooLong + ",Abc," + command));
    EXPECT_EQ(defaultOf(extension), text(tooLong));
    EXPECT_EQ(log.entries("REGENTRY"), keysLogged({extension}));
    EXPECT_TRUE(errors.messages().empty());
}

} // namespace
