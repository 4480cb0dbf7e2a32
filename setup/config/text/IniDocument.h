#pragma once

#include <cstddef>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// A read-only INI-format document, kept as the file's bytes exactly as stored.
//
// Lines end at CR LF only; a lone CR or LF is part of a line's text. A line is
// blank when it is empty or holds only space, TAB, LF, VT, FF and CR; the last
// line counts as blank when no CR LF follows it. The section N starts at the
// first occurrence of "[N]" anywhere in the text (a plain, case-sensitive
// substring search); its entry lines are the non-blank lines after the line
// holding that occurrence, up to the first non-blank line that begins with
// '['. A line indented before its '[' is an entry line. In a key line the key
// is the text before the first '=' and the value everything after it, nothing
// trimmed.
//
// Every question is answered from an index: the CR LF positions are found
// once, and each section's entry lines and first-match key table are found on
// its first use and kept. The document may be asked from several threads at
// once; the kept sections are guarded by a lock.
class IniDocument {
public:
    explicit IniDocument(std::string text);

    // Windows builds only (IniDocumentFile.cpp): reads the file `directory` +
    // `fileName` (joined with '\' when the directory is neither empty nor ends
    // in one) whole. The text always has the file's size: bytes a short read
    // did not deliver are zero bytes. Throws FileException(fileName, 2) when
    // the file cannot be opened.
    IniDocument(const std::string& directory, const std::string& fileName);

    IniDocument(const IniDocument&) = delete;
    IniDocument& operator=(const IniDocument&) = delete;

    const std::string& text() const { return text_; }

    // The number of entry lines of the section; 0 when it does not occur.
    int lineCount(const std::string& section) const;

    // The entry line with the zero-based index, unescaped when asked. False,
    // and an empty `line`, when the section has no such line (a negative
    // index included).
    bool getLine(const std::string& section, int index, bool unescape, std::string& line) const;

    // The value of the first key line of the section whose key, after
    // unescaping the line, equals `key` byte for byte; the value is unescaped.
    // `defaultValue` when no line matches. A key present with an empty value
    // gives the empty text.
    std::string getString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const;

    // `defaultValue` when getString gives the empty text; otherwise true for
    // "yes" or "true" in any ASCII case, or a first byte '1'.
    bool getBool(const std::string& section, const std::string& key, bool defaultValue) const;

    // Replaces every "<br>" by LF CR (in this order), then every "<tab>" by
    // TAB. Markers are case-sensitive. Applying it twice changes nothing more.
    static void unescape(std::string& text);

private:
    struct Section {
        // Line numbers of the entry lines, in order.
        std::vector<std::size_t> entries;
        bool keysIndexed = false;
        // Unescaped key -> index of the first entry line with that key.
        std::map<std::string, std::size_t> firstKeyLine;
    };

    // The kept section, found and indexed (with its keys when asked) on first
    // use. The reference stays valid and unchanged for the document's life.
    const Section& section(const std::string& name, bool withKeys) const;
    std::vector<std::size_t> findEntries(const std::string& name) const;
    // Line n (n >= 1) runs from just after the CR LF at lineEnds_[n - 1] to
    // the CR LF at lineEnds_[n]; only terminated lines (n < lineEnds_.size()).
    std::size_t lineStart(std::size_t line) const;
    bool isBlankLine(std::size_t line) const;
    void copyLine(std::size_t line, std::string& text) const;

    std::string text_;
    // Offset of the CR of every CR LF, ascending.
    std::vector<std::size_t> lineEnds_;
    mutable std::mutex sectionsLock_;
    mutable std::map<std::string, Section> sections_;
};
