// The variable table and %Name% expansion against a plain reference that
// replaces one reference at a time in place. The input's lines before the
// last are "name=value" settings (a line without '=' names a variable that is
// read once, and so inserted empty); the last line is the text to expand.
// Each variable's typed reads are compared too.
#include "fuzz/FuzzCheck.h"
#include "setup/config/text/VariableTable.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace {

// Past these the in-place reference is too slow to follow (every step copies
// the rest of the text), and its answer is not compared; the unit tests hold
// the expansion's own bounds.
const std::size_t kPlainReplacements = 300;
const std::size_t kPlainLength = 64 * 1024;

// Scans for '%', takes the text up to the next '%' as a name; a known name's
// reference is replaced by its value and the scan goes on at the start of the
// value, an unknown one is passed by one byte. False when the reference
// would have to go on past the bounds above.
bool plainExpand(const std::map<std::string, std::string>& values, std::string& text) {
    const std::size_t maxLength = text.size() + VariableTable::kMaxGrowth;
    std::size_t replacements = 0;
    std::size_t position = 0;
    for (;;) {
        const std::size_t open = text.find('%', position);
        if (open == std::string::npos)
            return true;
        const std::size_t close = text.find('%', open + 1);
        if (close == std::string::npos)
            return true;
        const auto value = values.find(text.substr(open + 1, close - open - 1));
        if (value == values.end()) {
            position = open + 1;
            continue;
        }
        const std::size_t length = text.size() - (close + 1 - open) + value->second.size();
        if (replacements == VariableTable::kMaxReplacements || length > maxLength)
            return true;
        if (replacements == kPlainReplacements || length > kPlainLength)
            return false;
        text.replace(open, close + 1 - open, value->second);
        ++replacements;
        position = open;
    }
}

FontDescription plainFont(const std::string& text) {
    FontDescription font;
    std::vector<std::string> fields(1);
    for (const char c : text) {
        if (c == ',')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    const std::size_t commas = fields.size() - 1;
    if (commas == 0)
        return font;
    font.face = fields[0];
    if (commas >= 2)
        font.height = reference::atoi32(fields[1]);
    if (commas >= 3)
        font.weight = reference::atoi32(fields[2]);
    if (commas >= 4)
        font.italic = static_cast<std::uint8_t>(reference::atoi32(fields[3]));
    if (commas >= 5) {
        font.underline = static_cast<std::uint8_t>(reference::atoi32(fields[4]));
        font.strikeOut = static_cast<std::uint8_t>(reference::atoi32(fields[5]));
    }
    return font;
}

bool sameFont(const FontDescription& a, const FontDescription& b) {
    return a.face == b.face && a.height == b.height && a.weight == b.weight &&
           a.italic == b.italic && a.underline == b.underline && a.strikeOut == b.strikeOut;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            lines.emplace_back();
        else
            lines.back() += static_cast<char>(data[i]);
    }

    VariableTable table;
    std::map<std::string, std::string> values;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        const std::size_t equals = lines[i].find('=');
        if (equals == std::string::npos) {
            FUZZ_CHECK(table.get(lines[i], false) == values[lines[i]]);
            continue;
        }
        const std::string name = lines[i].substr(0, equals);
        const std::string value = lines[i].substr(equals + 1);
        table.set(name, value);
        values[name] = value;
    }

    const std::string& text = lines.back();
    std::string expected = text;
    std::string expanded = text;
    table.expand(expanded);
    if (plainExpand(values, expected))
        FUZZ_CHECK(expanded == expected);

    for (const auto& variable : values) {
        const std::string& name = variable.first;
        std::string stored;
        FUZZ_CHECK(table.find(name, stored) && stored == variable.second);
        FUZZ_CHECK(table.get(name, false) == variable.second);
        const std::string value = table.get(name, true);
        expected = variable.second;
        if (plainExpand(values, expected))
            FUZZ_CHECK(value == expected);
        // A runaway self-reference makes every read a megabyte long: the
        // typed reads of such a value teach nothing new and slow the run down.
        if (value.size() > 4096)
            continue;
        for (const int base : {10, 16})
            FUZZ_CHECK(table.getInt(name, base) == reference::strtoul32(value, base));
        FUZZ_CHECK(table.getFlag(name) ==
                   (!value.empty() && (value[0] == 'Y' || value[0] == 'y' || value[0] == '1')));
        FUZZ_CHECK(sameFont(table.getFont(name), plainFont(value)));
    }
    // Reads never change what is stored.
    std::string stored;
    for (const auto& variable : values)
        FUZZ_CHECK(table.find(variable.first, stored) && stored == variable.second);
    return 0;
}
