#include "setup/records/RegistryRecordHandler.h"

#include "setup/install/base/UninstallLog.h"
#include "setup/records/ErrorLog.h"
#include "setup/records/helpers/RegistryRoot.h"
#include "tests/records/RecordTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// A key of the running test below HKCU\Software (and, where a test needs it,
// the same path below the other roots), removed again at the end.
class RegistryRecordTest : public testing::Test {
protected:
    void TearDown() override {
        deleteKeyTree(HKEY_CURRENT_USER, key);
        deleteKeyTree(HKEY_LOCAL_MACHINE, key);
        deleteKeyTree(HKEY_CLASSES_ROOT, classKey);
        deleteKeyTree(HKEY_USERS, usersKey);
    }

    ScratchFolder folder;
    UninstallLog log{folder.path(), "setup.log", 1, false};
    ErrorLog errors{folder.path(), log};
    RegistryRecordHandler handler{log, errors};
    const std::string key = "Software\\" + uniqueName("RecordTests");
    const std::string classKey = uniqueName("RecordTests");
    const std::string usersKey = ".DEFAULT\\" + key;
};

TEST(RegistryRoot, OnlyTheFourShortNamesAreRoots) {
    EXPECT_EQ(rootKey("HKCR"), HKEY_CLASSES_ROOT);
    EXPECT_EQ(rootKey("HKCU"), HKEY_CURRENT_USER);
    EXPECT_EQ(rootKey("HKLM"), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(rootKey("HKU"), HKEY_USERS);
    for (const char* name : {"hklm", "HKEY_LOCAL_MACHINE", " HKLM", "HKLM ", "", "HKCC", "HKU\\"})
        EXPECT_EQ(rootKey(name), nullptr) << "'" << name << "'";
}

TEST_F(RegistryRecordTest, KeyRecordsCreateUnderEachRootAndLogOnlyTheNamedKey) {
    const struct {
        HKEY root;
        std::string record;
        std::string subkey;
        std::string entry;
    } cases[] = {
        {HKEY_CURRENT_USER, "key,HKCU," + key + "\\A\\B", key + "\\A\\B", "HKCU," + key + "\\A\\B"},
        {HKEY_LOCAL_MACHINE, "key,HKLM," + key, key, "HKLM," + key},
        {HKEY_CLASSES_ROOT, "key,HKCR," + classKey, classKey, "HKCR," + classKey},
        {HKEY_USERS, "key,HKU," + usersKey, usersKey, "HKU," + usersKey},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(handler.process(c.record)) << c.record;
        EXPECT_TRUE(keyExists(c.root, c.subkey)) << c.record;
    }
    EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, key + "\\A"));
    EXPECT_EQ(log.entries("REGENTRY"),
              (Texts{cases[0].entry, cases[1].entry, cases[2].entry, cases[3].entry}));
    EXPECT_TRUE(errors.messages().empty());
}

TEST_F(RegistryRecordTest, AnExistingKeyIsLoggedOnlyInAlwaysMode) {
    ASSERT_TRUE(handler.process("key,HKCU," + key));
    EXPECT_FALSE(handler.process("key,HKCU," + key));
    EXPECT_EQ(log.entries("REGENTRY"), Texts{"HKCU," + key});

    // A key that stays as it was is logged in Always mode, and so is one that
    // cannot be created at all (a name component beyond the platform's limit).
    const std::string existing = key + "\\Existing";
    const std::string impossible = key + "\\" + std::string(300, 'k');
    ASSERT_TRUE(handler.process("key,HKCU," + existing));
    handler.setLogMode(RegistryRecordHandler::Always);
    EXPECT_FALSE(handler.process("key,HKCU," + existing));
    EXPECT_FALSE(handler.process("key,HKCU," + impossible));
    handler.setLogMode(RegistryRecordHandler::Normal);
    EXPECT_FALSE(handler.process("key,HKCU," + impossible + "2"));

    EXPECT_EQ(log.entries("REGENTRY"),
              (Texts{"HKCU," + key, "HKCU," + existing, "HKCU," + impossible}));
    EXPECT_EQ(errors.messages(),
              (Texts{"Cannot create key:" + impossible, "Cannot create key:" + impossible + "2"}));
}

TEST_F(RegistryRecordTest, ValueRecordsStoreEachTypeAsConverted) {
    ASSERT_TRUE(handler.process("key,HKCU," + key));
    const struct {
        std::string fields; // name, type and data
        std::string name;   // the value's name in the registry
        StoredValue value;
    } cases[] = {
        {"Text,s,hello", "Text", stored(REG_SZ, std::string("hello\0", 6))},
        {"Long,String,hello world", "Long", stored(REG_SZ, std::string("hello world\0", 12))},
        {"(Default),s,first", "", stored(REG_SZ, std::string("first\0", 6))},
        {",S,second", "", stored(REG_SZ, std::string("second\0", 7))},
        {"Dword,dword,10", "Dword", stored(REG_DWORD, std::string("\x10\0\0\0", 4))},
        {"Prefixed,d,0x1F", "Prefixed", stored(REG_DWORD, std::string("\x1f\0\0\0", 4))},
        {"Trailing,D,12zz", "Trailing", stored(REG_DWORD, std::string("\x12\0\0\0", 4))},
        {"NoDigits,d,zz", "NoDigits", stored(REG_DWORD, std::string(4, '\0'))},
        {"Negative,d,-1", "Negative", stored(REG_DWORD, std::string(4, '\xff'))},
        {"Large,d,12345678", "Large", stored(REG_DWORD, "\x78\x56\x34\x12")},
        {"Bytes,b,01 ff 100", "Bytes", stored(REG_BINARY, std::string("\x01\xff\x00", 3))},
        {"Spread,binary,\t0a  0B \t", "Spread", stored(REG_BINARY, "\x0a\x0b")},
        {"Blanks,b,   ", "Blanks", stored(REG_BINARY, "")},
        {"EmptyText,s,", "EmptyText", stored(REG_SZ, "")},
        {"EmptyOther,q,", "EmptyOther", stored(REG_SZ, "")},
        {"EmptyDword,d,", "EmptyDword", stored(REG_SZ, "")},
        {"Untyped,,1", "Untyped", StoredValue{}},
        {"Escaped,s,a&comma;b", "Escaped", stored(REG_SZ, std::string("a,b\0", 4))},
        {"Extra,s,x,y", "Extra", stored(REG_SZ, std::string("x\0", 2))},
    };
    for (const auto& c : cases) {
        const std::string record = "value,HKCU," + key + "," + c.fields;
        EXPECT_TRUE(handler.process(record)) << record;
        EXPECT_EQ(storedValue(HKEY_CURRENT_USER, key, c.name), c.value) << record;
    }
    EXPECT_TRUE(errors.messages().empty());

    const std::string prefix = "HKCU," + key + ",";
    Texts entries;
    for (const char* name :
         {"Text", "Long", "(Default)", "", "Dword", "Prefixed", "Trailing", "NoDigits", "Negative",
          "Large", "Bytes", "Spread", "Blanks", "EmptyText", "EmptyOther", "EmptyDword", "Untyped",
          "Escaped", "Extra"})
        entries.push_back(prefix + name);
    EXPECT_EQ(log.entries("REGVALUES"), entries);
}

TEST_F(RegistryRecordTest, ProblemsAreReportedByteForByteAndNothingIsLogged) {
    ASSERT_TRUE(handler.process("key,HKCU," + key));
    const std::string missing = key + "\\Missing";
    const struct {
        std::string record;
        std::string message;
    } cases[] = {
        {"value,HKCU," + missing + ",N,s,hello",
         "Cannot create value:key='" + missing + "' value name='N' value type='s' value='hello"},
        {"value,HKCU," + key + ",Q,q,1",
         "Cannot create value:key='" + key + "' value name='Q' value type='q' value='1"},
        {"value,HKCU," + key + ",(Default),x&comma;y,a&comma;b",
         "Cannot create value:key='" + key +
             "' value name='(Default)' value type='x,y' value='a,b"},
        {"Key,HKLM,Software", "Invalid record type(need key or value):Key"},
        {"values,HKCU," + key, "Invalid record type(need key or value):values"},
        {"key,HKXX,Software", "Invalid major key:HKXX"},
        {"Key,HKXX,Software", "Invalid major key:HKXX"},
        {"key,hklm,Software", "Invalid major key:hklm"},
        {"key,HKEY_LOCAL_MACHINE,Software", "Invalid major key:HKEY_LOCAL_MACHINE"},
        {"key, HKLM,Software", "Invalid major key: HKLM"},
        {"key", "Invalid major key:"},
        {"", "Invalid major key:"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(handler.process(c.record)) << c.record;
        ASSERT_FALSE(errors.messages().empty()) << c.record;
        EXPECT_EQ(errors.messages().back(), c.message) << c.record;
    }
    EXPECT_EQ(errors.messages().size(), std::size(cases));
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, missing));
    EXPECT_EQ(storedValue(HKEY_CURRENT_USER, key, "Q"), StoredValue{});
    EXPECT_EQ(log.entries("REGENTRY"), Texts{"HKCU," + key});
    EXPECT_TRUE(log.entries("REGVALUES").empty());

    // The messages reach error.log in the order they were reported.
    errors.write();
    std::string expected;
    for (const auto& c : cases)
        expected += c.message + "\r\n";
    EXPECT_EQ(readFile(folder / "error.log"), expected);
}

TEST_F(RegistryRecordTest, AnyBytesInARecordAreHandled) {
    std::string record = "value,HKCU," + key + ",";
    for (int byte = 1; byte < 256; ++byte)
        record += static_cast<char>(byte);
    ASSERT_TRUE(handler.process("key,HKCU," + key));
    handler.process(record);
    handler.process(std::string(100000, ','));
    handler.process("value,HKCU," + key + ",Big,b," + std::string(100000, '1'));
    EXPECT_EQ(storedValue(HKEY_CURRENT_USER, key, "Big"), stored(REG_BINARY, "\xff"));
}

} // namespace
