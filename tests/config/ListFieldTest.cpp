#include "setup/config/text/ListField.h"

#include <gtest/gtest.h>

namespace {

TEST(ListField, SplitsAtEverySeparatorWithoutTrimming) {
    const struct {
        const char* list;
        int index;
        bool found;
        const char* field;
    } cases[] = {
        {"English,Deutsch", 0, true, "English"},
        {"English,Deutsch", 1, true, "Deutsch"},
        {"English,Deutsch", 2, false, ""},
        {"English, Deutsch", 1, true, " Deutsch"},
        {"English,German,", 1, true, "German"},
        {"English,German,", 2, false, ""},
        {",German", 0, true, ""},
        {",German", 1, true, "German"},
        {"", 0, true, ""},
        {"", 1, false, ""},
        {"a,,b", 1, true, ""},
        {"a,,b", 2, true, "b"},
        {",", 0, true, ""},
        {",", 1, false, ""},
        {"English", -1, false, ""},
    };
    for (const auto& c : cases) {
        std::string field;
        EXPECT_EQ(listField(c.list, c.index, ',', field), c.found) << c.list << " #" << c.index;
        EXPECT_EQ(field, c.field) << c.list << " #" << c.index;
    }
}

} // namespace
