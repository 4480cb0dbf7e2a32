#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

// A font as a variable describes it: "Face,Height,Weight,Italic,Underline,StrikeOut".
struct FontDescription {
    std::string face = "Arial";
    std::int32_t height = -12;
    std::int32_t weight = 400;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
};

// The font a text describes. The defaults stand, the face included, when the
// text is empty or holds no ','. Otherwise the face is the text before the
// first ','; each later field is read as a decimal number (atol rules) and
// kept only when a ',' follows it, except the sixth, kept whenever a fifth ','
// exists. Italic, underline and strike-out keep the number's low byte.
FontDescription parseFontDescription(const std::string& text);

// True exactly when the first byte is 'Y', 'y' or '1'.
bool isTrueFlag(const std::string& text);

// The engine's settings: an ordered map from name to text, names compared
// byte by byte (strcmp order, case-sensitive). A name, once present, stays.
//
// The table is read and written from the interface thread and the
// installation worker at once: every operation holds the one lock of the
// table for its whole length, and results are copies, never references into
// the table.
class VariableTable {
public:
    // Bounds that stop the expansion of self-referential values (see expand).
    static constexpr std::size_t kMaxReplacements = 10000;
    static constexpr std::size_t kMaxGrowth = 1024 * 1024;

    // The value of `name`, expanded when asked. A missing name is first
    // inserted with the empty value. The stored value never changes by a read.
    std::string get(const std::string& name, bool expand);
    // The value of `name` without inserting it; false when it is absent.
    bool find(const std::string& name, std::string& value) const;
    void set(const std::string& name, const std::string& value);
    bool contains(const std::string& name) const;

    // Replaces, in place, every reference "%Name%" to a present name by the
    // name's value; see the definition for the exact scanning rule.
    void expand(std::string& text) const;

    // Typed reads of the expanded value (inserting a missing name as `get` does).
    std::uint32_t getInt(const std::string& name, int base);
    bool getFlag(const std::string& name);
    FontDescription getFont(const std::string& name);

private:
    void expandLocked(std::string& text) const;

    mutable std::mutex lock_;
    std::map<std::string, std::string> values_;
};
