// The INI document against a plain reference that re-reads the text for every
// question. The input's first line is "section|key", asked explicitly; the
// rest is the document. Besides those, every name written between '[' and
// ']' in the document is asked as a section, and every key of its entry
// lines as a key.
#include "fuzz/FuzzCheck.h"
#include "setup/config/text/IniDocument.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace {

// Lines and sections as the document's rules describe them, found anew on
// every call.
class PlainIni {
public:
    explicit PlainIni(const std::string& text) : text_(text) {
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = text.find("\r\n", start);
            if (end == std::string::npos)
                break;
            lines_.push_back({start, end - start});
            start = end + 2;
        }
        // The rest, after the last CR LF, is a line that is never an entry.
        lastStart_ = start;
    }

    std::vector<std::string> entries(const std::string& section) const {
        std::vector<std::string> entries;
        const std::size_t occurrence = text_.find("[" + section + "]");
        if (occurrence == std::string::npos || occurrence >= lastStart_)
            return entries;
        std::size_t line = 0;
        while (lines_[line].start + lines_[line].length + 2 <= occurrence)
            ++line;
        for (++line; line < lines_.size(); ++line) {
            const std::string text = text_.substr(lines_[line].start, lines_[line].length);
            if (text.find_first_not_of(" \t\n\v\f\r") == std::string::npos)
                continue;
            if (text[0] == '[')
                break;
            entries.push_back(text);
        }
        return entries;
    }

    // The value of the first entry whose unescaped key is `key`; false when
    // none has it.
    bool value(const std::string& section, const std::string& key, std::string& value) const {
        for (std::string line : entries(section)) {
            unescape(line);
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos && line.substr(0, equals) == key) {
                value = line.substr(equals + 1);
                unescape(value);
                return true;
            }
        }
        return false;
    }

    static void replaceEach(std::string& text, const std::string& marker,
                            const std::string& replacement) {
        std::size_t at = text.find(marker);
        while (at != std::string::npos) {
            text.replace(at, marker.size(), replacement);
            at = text.find(marker, at);
        }
    }

    static void unescape(std::string& text) {
        replaceEach(text, "<br>", "\n\r");
        replaceEach(text, "<tab>", "\t");
    }

private:
    struct Line {
        std::size_t start, length;
    };
    std::string text_;
    std::vector<Line> lines_;
    std::size_t lastStart_ = 0;
};

bool plainBool(const std::string& value, bool defaultValue) {
    if (value.empty())
        return defaultValue;
    std::string lower;
    for (char c : value)
        lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return lower == "yes" || lower == "true" || value[0] == '1';
}

void checkKey(const IniDocument& document, const PlainIni& plain, const std::string& section,
              const std::string& key) {
    static const std::string absent = "(absent)";
    std::string expected;
    const bool present = plain.value(section, key, expected);
    FUZZ_CHECK(document.getString(section, key, absent) == (present ? expected : absent));
    for (const bool defaultValue : {false, true})
        FUZZ_CHECK(document.getBool(section, key, defaultValue) ==
                   plainBool(present ? expected : "", defaultValue));
}

void checkSection(const IniDocument& document, const PlainIni& plain, const std::string& section,
                  const std::string& askedKey) {
    const std::vector<std::string> entries = plain.entries(section);
    FUZZ_CHECK(document.lineCount(section) == static_cast<int>(entries.size()));
    std::string line;
    for (int index = -1; index <= static_cast<int>(entries.size()); ++index) {
        const bool exists = index >= 0 && index < static_cast<int>(entries.size());
        FUZZ_CHECK(document.getLine(section, index, false, line) == exists);
        FUZZ_CHECK(line == (exists ? entries[static_cast<std::size_t>(index)] : ""));
        std::string unescaped = exists ? entries[static_cast<std::size_t>(index)] : "";
        PlainIni::unescape(unescaped);
        FUZZ_CHECK(document.getLine(section, index, true, line) == exists);
        FUZZ_CHECK(line == unescaped);
        // Unescaping twice changes nothing more.
        std::string twice = line;
        IniDocument::unescape(twice);
        FUZZ_CHECK(twice == line);
    }

    std::set<std::string> keys{askedKey};
    for (std::string entry : entries) {
        PlainIni::unescape(entry);
        const std::size_t equals = entry.find('=');
        if (equals != std::string::npos && keys.size() < 16)
            keys.insert(entry.substr(0, equals));
    }
    for (const std::string& key : keys)
        checkKey(document, plain, section, key);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = input.find('\n');
    const std::string query = input.substr(0, newline);
    const std::string text = newline == std::string::npos ? "" : input.substr(newline + 1);
    const std::size_t bar = query.find('|');
    const std::string askedSection = query.substr(0, bar);
    const std::string askedKey = bar == std::string::npos ? "" : query.substr(bar + 1);

    const IniDocument document(text);
    FUZZ_CHECK(document.text() == text);
    const PlainIni plain(text);

    std::set<std::string> sections{askedSection};
    for (std::size_t open = text.find('['); open != std::string::npos && sections.size() < 16;
         open = text.find('[', open + 1)) {
        const std::size_t close = text.find(']', open + 1);
        if (close == std::string::npos)
            break;
        sections.insert(text.substr(open + 1, close - open - 1));
    }
    // Asked twice: the second answer comes from the kept section.
    for (int round = 0; round < 2; ++round) {
        for (const std::string& section : sections)
            checkSection(document, plain, section, askedKey);
    }
    return 0;
}
