#include "setup/config/text/VariableTable.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

TEST(VariableTable, GetInsertsTheEmptyValueAndNeverChangesTheStoredOne) {
    VariableTable table;
    std::string value;
    EXPECT_FALSE(table.find("Xyz", value));
    EXPECT_EQ(table.get("Xyz", true), "");
    EXPECT_TRUE(table.find("Xyz", value));
    EXPECT_EQ(value, "");

    table.set("Name", "Tools");
    table.set("Path", "C:\\%Name%");
    EXPECT_EQ(table.get("Path", true), "C:\\Tools");
    EXPECT_EQ(table.get("Path", false), "C:\\%Name%");
    table.set("Path", "D:");
    EXPECT_EQ(table.get("Path", false), "D:");
    // Names are case-sensitive.
    EXPECT_FALSE(table.contains("path"));
}

TEST(VariableTable, ExpandsReferences) {
    const std::vector<std::pair<const char*, const char*>> variables = {
        {"AppSCFolder", "C:\\Menu\\%OutputProgramGroup%"},
        {"OutputProgramGroup", "Tools"},
        {"ProductName", "Vantra"},
        {"Empty", ""},
        {"Percent", "50%"},
        {"Deep1", "<%Deep2%>"},
        {"Deep2", "<%Deep3%>"},
        {"Deep3", "core"},
        {"Opens", "%Product"},
    };
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"%AppSCFolder%", "C:\\Menu\\Tools"},
        {"%Xyz%", "%Xyz%"},
        {"50%", "50%"},
        {"%%", "%%"},
        {"%", "%"},
        {"", ""},
        {"no references", "no references"},
        {"%ProductName% %ProductName%", "Vantra Vantra"},
        {"%productname%", "%productname%"},
        // An absent name's closing '%' opens the next reference.
        {"%Xyz%ProductName%", "%XyzVantra"},
        {"a%Empty%b", "ab"},
        {"%Deep1%", "<<core>>"},
        // A lone '%' in a value pairs with a later '%' of the text.
        {"%Percent%ProductName%", "50Vantra"},
        {"%Opens%Name%", "Vantra"},
        {"100% of %ProductName", "100% of %ProductName"},
    };
    VariableTable table;
    for (const auto& [name, value] : variables)
        table.set(name, value);
    for (const auto& c : cases) {
        std::string text = c.text;
        table.expand(text);
        EXPECT_EQ(text, c.expected) << c.text;
    }
}

TEST(VariableTable, ANameReadOnceExpandsToEmpty) {
    VariableTable table;
    std::string text = "%Xyz%";
    table.expand(text);
    EXPECT_EQ(text, "%Xyz%");
    table.get("Xyz", false);
    table.expand(text);
    EXPECT_EQ(text, "");

    text = "50%%";
    table.get("", false);
    table.expand(text);
    EXPECT_EQ(text, "50");
}

TEST(VariableTable, SelfReferenceStopsAtTheBounds) {
    VariableTable table;
    // Direct: every replacement adds one 'x' until the replacement bound.
    table.set("A", "%A%x");
    std::string text = "%A%";
    table.expand(text);
    EXPECT_EQ(text, "%A%" + std::string(VariableTable::kMaxReplacements, 'x'));

    // A cycle through two names does not grow: it ends on the replacement bound.
    table.set("P", "%Q%");
    table.set("Q", "%P%");
    text = "[%P%]";
    table.expand(text);
    EXPECT_EQ(text, "[%P%]");

    // A value that doubles itself.
    table.set("D", "%D%%D%");
    text = "%D%";
    table.expand(text);
    std::string expected;
    for (std::size_t i = 0; i <= VariableTable::kMaxReplacements; ++i)
        expected += "%D%";
    EXPECT_EQ(text, expected);

    // A large value ends on the growth bound: the reference that would cross it
    // and everything after it stay as written.
    const std::string block(300000, 'x');
    table.set("Big", block + "%Big%");
    text = "%Big%!";
    table.expand(text);
    const std::size_t fitting = VariableTable::kMaxGrowth / block.size();
    EXPECT_EQ(text.size(), fitting * block.size() + 6);
    EXPECT_EQ(text.substr(text.size() - 6), "%Big%!");

    // Below the bounds everything is expanded.
    table.set("One", "1");
    text.clear();
    for (std::size_t i = 0; i < VariableTable::kMaxReplacements; ++i)
        text += "%One%";
    table.expand(text);
    EXPECT_EQ(text, std::string(VariableTable::kMaxReplacements, '1'));
}

TEST(VariableTable, TypedReads) {
    VariableTable table;
    const struct {
        const char* value;
        bool flag;
        std::uint32_t base10;
        std::uint32_t base16;
    } cases[] = {
        {"", false, 0, 0},
        {"yes", true, 0, 0},
        {"Yes", true, 0, 0},
        {"1", true, 1, 1},
        {"TRUE", false, 0, 0},
        {"no", false, 0, 0},
        {"FF8000", false, 0, 16744448},
        {"12abc", true, 12, 0x12abc},
        {"  +42", false, 42, 0x42},
        {"\t\n-1", false, 4294967295u, 4294967295u},
        {"0x1F", false, 0, 31},
        {"0X", false, 0, 0},
        {"4294967295", false, 4294967295u, 4294967295u},
        {"4294967296", false, 4294967295u, 4294967295u},
        {"99999999999999999999999", false, 4294967295u, 4294967295u},
        {"-4294967296", false, 4294967295u, 4294967295u},
        {"- 5", false, 0, 0},
        {"%Seven%0", false, 70, 0x70},
    };
    table.set("Seven", "7");
    for (const auto& c : cases) {
        table.set("V", c.value);
        EXPECT_EQ(table.getFlag("V"), c.flag) << c.value;
        EXPECT_EQ(table.getInt("V", 10), c.base10) << c.value;
        EXPECT_EQ(table.getInt("V", 16), c.base16) << c.value;
    }
    EXPECT_FALSE(table.getFlag("Unset"));
    EXPECT_EQ(table.getInt("UnsetNumber", 10), 0u);
    EXPECT_TRUE(table.contains("Unset"));
}

TEST(VariableTable, FontDescriptions) {
    const struct {
        const char* text;
        const char* face;
        std::int32_t height, weight;
        int italic, underline, strikeOut;
    } cases[] = {
        {"", "Arial", -12, 400, 0, 0, 0},
        {"Verdana", "Arial", -12, 400, 0, 0, 0},
        {"Verdana,20,700,1,0,0", "Verdana", 20, 700, 1, 0, 0},
        {"Tahoma,14,700", "Tahoma", 14, 400, 0, 0, 0},
        {"Tahoma,14", "Tahoma", -12, 400, 0, 0, 0},
        {"Tahoma,", "Tahoma", -12, 400, 0, 0, 0},
        {"A,1,2,3,4", "A", 1, 2, 3, 0, 0},
        {"A,1,2,3,4,5", "A", 1, 2, 3, 4, 5},
        {"A,1,2,3,4,5,6", "A", 1, 2, 3, 4, 5},
        {"A,1,2,3,4,", "A", 1, 2, 3, 4, 0},
        {" X , -16 ,bold,257,1x,+1", " X ", -16, 0, 1, 1, 1},
        {",,,,,", "", 0, 0, 0, 0, 0},
        {"A,99999999999,-99999999999,0,0,0", "A", 2147483647, -2147483647 - 1, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const FontDescription font = parseFontDescription(c.text);
        EXPECT_EQ(font.face, c.face) << c.text;
        EXPECT_EQ(font.height, c.height) << c.text;
        EXPECT_EQ(font.weight, c.weight) << c.text;
        EXPECT_EQ(font.italic, c.italic) << c.text;
        EXPECT_EQ(font.underline, c.underline) << c.text;
        EXPECT_EQ(font.strikeOut, c.strikeOut) << c.text;
    }
    VariableTable table;
    table.set("Size", "18");
    table.set("Font", "Courier,%Size%,700,0,0,0");
    EXPECT_EQ(table.getFont("Font").height, 18);
}

// Writers overwrite and add names while readers read and expand: every read
// sees one whole value that some writer stored.
TEST(VariableTable, ConcurrentReadersAndWriters) {
    VariableTable table;
    table.set("Shared", "%Left%-%Right%");
    table.set("Left", "L0");
    table.set("Right", "R0");
    std::atomic<bool> stop{false};
    std::atomic<int> bad{0};
    std::vector<std::thread> threads;
    for (int w = 0; w < 2; ++w) {
        threads.emplace_back([&, w] {
            for (int i = 0; i < 20000; ++i) {
                table.set(w == 0 ? "Left" : "Right", (w == 0 ? "L" : "R") + std::to_string(i % 10));
                table.set("New" + std::to_string(w) + "_" + std::to_string(i),
                          std::string(i % 50, 'v'));
            }
        });
    }
    for (int r = 0; r < 2; ++r) {
        threads.emplace_back([&, r] {
            while (!stop) {
                const std::string value = table.get("Shared", true);
                if (value.size() != 5 || value[0] != 'L' || value[2] != '-' || value[3] != 'R')
                    ++bad;
                std::string text = "%Left%";
                table.expand(text);
                if (text.size() != 2 || text[0] != 'L')
                    ++bad;
                table.get("Missing" + std::to_string(r), false);
            }
        });
    }
    threads[0].join();
    threads[1].join();
    stop = true;
    threads[2].join();
    threads[3].join();
    EXPECT_EQ(bad, 0);
    EXPECT_TRUE(table.contains("New1_19999"));
}

} // namespace
