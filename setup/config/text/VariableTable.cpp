#include "setup/config/text/VariableTable.h"

#include "setup/records/text/TextNumber.h"

#include <vector>

FontDescription parseFontDescription(const std::string& text) {
    FontDescription font;
    std::vector<std::size_t> commas;
    for (std::size_t at = text.find(','); at != std::string::npos && commas.size() < 5;
         at = text.find(',', at + 1))
        commas.push_back(at);
    if (commas.empty())
        return font;
    // commas[k - 1] is the k-th comma; the field after it is field k.
    font.face = text.substr(0, commas[0]);
    if (commas.size() > 1)
        font.height = parseDecimal(text.substr(commas[0] + 1));
    if (commas.size() > 2)
        font.weight = parseDecimal(text.substr(commas[1] + 1));
    if (commas.size() > 3)
        font.italic = static_cast<std::uint8_t>(parseDecimal(text.substr(commas[2] + 1)));
    if (commas.size() > 4) {
        font.underline = static_cast<std::uint8_t>(parseDecimal(text.substr(commas[3] + 1)));
        font.strikeOut = static_cast<std::uint8_t>(parseDecimal(text.substr(commas[4] + 1)));
    }
    return font;
}

bool isTrueFlag(const std::string& text) {
    return !text.empty() && (text[0] == 'Y' || text[0] == 'y' || text[0] == '1');
}

std::string VariableTable::get(const std::string& name, bool expand) {
    std::lock_guard<std::mutex> guard(lock_);
    std::string value = values_[name];
    if (expand)
        expandLocked(value);
    return value;
}

bool VariableTable::find(const std::string& name, std::string& value) const {
    std::lock_guard<std::mutex> guard(lock_);
    const auto found = values_.find(name);
    if (found == values_.end())
        return false;
    value = found->second;
    return true;
}

void VariableTable::set(const std::string& name, const std::string& value) {
    std::lock_guard<std::mutex> guard(lock_);
    values_[name] = value;
}

bool VariableTable::contains(const std::string& name) const {
    std::lock_guard<std::mutex> guard(lock_);
    return values_.count(name) != 0;
}

void VariableTable::expand(std::string& text) const {
    std::lock_guard<std::mutex> guard(lock_);
    expandLocked(text);
}

std::uint32_t VariableTable::getInt(const std::string& name, int base) {
    return parseUnsigned(get(name, true), base);
}

bool VariableTable::getFlag(const std::string& name) {
    return isTrueFlag(get(name, true));
}

FontDescription VariableTable::getFont(const std::string& name) {
    return parseFontDescription(get(name, true));
}

// The scan: find the first '%' still ahead and the next '%' after it; the
// bytes between them (possibly none) are a name. A present name (even with an
// empty value) has its whole reference, both '%' included, replaced by its
// value, and the scan goes on at the start of the inserted value, so
// references inside values are expanded to any depth. An absent name leaves
// the text as it is and the scan goes on just after the first '%', so the
// closing '%' may open the next reference. A lone '%' stays.
//
// Guard against values that refer to themselves, directly or through other
// names: the scan stops at a reference whose replacement would be the
// (kMaxReplacements + 1)-th of this call, or would make the text longer than
// its original length plus kMaxGrowth bytes. That reference and everything
// after it are kept unexpanded. So A = "%A%x" expands "%A%" to "%A%" followed
// by kMaxReplacements times 'x', and a cycle A = "%B%", B = "%A%" ends after
// kMaxReplacements replacements.
//
// Work is linear in the length of the result: the text still to scan is kept
// reversed, so that taking bytes off its front and putting a value in front of
// it never move the rest.
void VariableTable::expandLocked(std::string& text) const {
    std::string pending(text.rbegin(), text.rend());
    std::string done;
    done.reserve(text.size());
    const std::size_t maxLength = text.size() + kMaxGrowth;
    std::size_t replacements = 0;
    for (;;) {
        const std::size_t open = pending.rfind('%');
        if (open == std::string::npos)
            break;
        done.append(pending.rbegin(),
                    pending.rbegin() + static_cast<std::ptrdiff_t>(pending.size() - 1 - open));
        pending.resize(open + 1);
        const std::size_t close = open == 0 ? std::string::npos : pending.rfind('%', open - 1);
        if (close == std::string::npos)
            break;
        const std::string name(pending.rbegin() + 1,
                               pending.rbegin() + static_cast<std::ptrdiff_t>(open - close));
        const auto value = values_.find(name);
        if (value == values_.end()) {
            done += '%';
            pending.pop_back();
            continue;
        }
        if (replacements == kMaxReplacements ||
            done.size() + close + value->second.size() > maxLength)
            break;
        pending.resize(close);
        pending.append(value->second.rbegin(), value->second.rend());
        ++replacements;
    }
    done.append(pending.rbegin(), pending.rend());
    text.swap(done);
}
