#include "setup/config/text/IniDocument.h"

#include <algorithm>

namespace {

bool isBlank(const std::string& text, std::size_t start, std::size_t length) {
    for (std::size_t i = start; i < start + length; ++i) {
        switch (text[i]) {
        case ' ':
        case '\t':
        case '\n':
        case '\v':
        case '\f':
        case '\r':
            continue;
        default:
            return false;
        }
    }
    return true;
}

// Replaces every occurrence of `marker`, left to right, by `replacement`. No
// replacement byte can begin a marker, so the result is the same as replacing
// one occurrence at a time and searching again from where it was.
void replaceAll(std::string& text, const std::string& marker, const char* replacement) {
    std::size_t at = text.find(marker);
    if (at == std::string::npos)
        return;
    std::string result;
    result.reserve(text.size());
    std::size_t from = 0;
    while (at != std::string::npos) {
        result.append(text, from, at - from);
        result += replacement;
        from = at + marker.size();
        at = text.find(marker, from);
    }
    result.append(text, from, std::string::npos);
    text.swap(result);
}

bool equalsIgnoringAsciiCase(const std::string& text, const char* word) {
    std::size_t i = 0;
    for (; word[i] != '\0'; ++i) {
        if (i >= text.size())
            return false;
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != word[i])
            return false;
    }
    return i == text.size();
}

} // namespace

IniDocument::IniDocument(std::string text) : text_(std::move(text)) {
    for (std::size_t at = text_.find("\r\n"); at != std::string::npos;
         at = text_.find("\r\n", at + 2))
        lineEnds_.push_back(at);
}

void IniDocument::unescape(std::string& text) {
    replaceAll(text, "<br>", "\n\r");
    replaceAll(text, "<tab>", "\t");
}

std::size_t IniDocument::lineStart(std::size_t line) const {
    return lineEnds_[line - 1] + 2;
}

bool IniDocument::isBlankLine(std::size_t line) const {
    return isBlank(text_, lineStart(line), lineEnds_[line] - lineStart(line));
}

std::vector<std::size_t> IniDocument::findEntries(const std::string& name) const {
    std::vector<std::size_t> entries;
    const std::size_t occurrence = text_.find("[" + name + "]");
    if (occurrence == std::string::npos)
        return entries;
    // The line holding the occurrence ends at the first CR LF at or after it.
    // Candidates are the terminated lines after it: the unterminated last
    // line is blank and never an entry.
    const auto header = static_cast<std::size_t>(
        std::lower_bound(lineEnds_.begin(), lineEnds_.end(), occurrence) - lineEnds_.begin());
    // One pass finds where the section ends and how many entries it has, so
    // that a long section's list is allocated once.
    std::size_t end = header + 1;
    std::size_t count = 0;
    for (; end < lineEnds_.size(); ++end) {
        if (isBlankLine(end))
            continue;
        if (text_[lineStart(end)] == '[')
            break;
        ++count;
    }
    entries.reserve(count);
    for (std::size_t line = header + 1; line < end; ++line) {
        if (!isBlankLine(line))
            entries.push_back(line);
    }
    return entries;
}

void IniDocument::copyLine(std::size_t line, std::string& text) const {
    text.assign(text_, lineStart(line), lineEnds_[line] - lineStart(line));
}

const IniDocument::Section& IniDocument::section(const std::string& name, bool withKeys) const {
    std::lock_guard<std::mutex> guard(sectionsLock_);
    auto found = sections_.find(name);
    if (found == sections_.end())
        found = sections_.emplace(name, Section{findEntries(name), false, {}}).first;
    Section& kept = found->second;
    if (withKeys && !kept.keysIndexed) {
        for (std::size_t i = 0; i < kept.entries.size(); ++i) {
            std::string line;
            copyLine(kept.entries[i], line);
            unescape(line);
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos)
                kept.firstKeyLine.emplace(line.substr(0, equals), i);
        }
        kept.keysIndexed = true;
    }
    return kept;
}

int IniDocument::lineCount(const std::string& name) const {
    return static_cast<int>(section(name, false).entries.size());
}

bool IniDocument::getLine(const std::string& name, int index, bool unescape,
                          std::string& line) const {
    line.clear();
    const Section& kept = section(name, false);
    if (index < 0 || static_cast<std::size_t>(index) >= kept.entries.size())
        return false;
    copyLine(kept.entries[static_cast<std::size_t>(index)], line);
    if (unescape)
        IniDocument::unescape(line);
    return true;
}

std::string IniDocument::getString(const std::string& name, const std::string& key,
                                   const std::string& defaultValue) const {
    const Section& kept = section(name, true);
    const auto match = kept.firstKeyLine.find(key);
    if (match == kept.firstKeyLine.end())
        return defaultValue;
    std::string line;
    copyLine(kept.entries[match->second], line);
    unescape(line);
    std::string value = line.substr(line.find('=') + 1);
    unescape(value);
    return value;
}

bool IniDocument::getBool(const std::string& name, const std::string& key,
                          bool defaultValue) const {
    const std::string value = getString(name, key, std::string());
    if (value.empty())
        return defaultValue;
    return equalsIgnoringAsciiCase(value, "yes") || equalsIgnoringAsciiCase(value, "true") ||
           value[0] == '1';
}
