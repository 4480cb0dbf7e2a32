#include "setup/config/text/IniDocument.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::string_literals;

// The scanning rules read literally: every question scans the text from its
// start. Slow, and easy to check by eye; the indexed document must answer
// exactly as this does.
class ScanningReference {
public:
    explicit ScanningReference(const std::string& text) : text_(text) {}

    int lineCount(const std::string& section) const {
        const std::size_t at = text_.find("[" + section + "]");
        if (at == std::string::npos)
            return 0;
        int count = 0;
        for (std::size_t line = step(at); line != std::string::npos && text_[line] != '[';
             line = step(line))
            ++count;
        return count;
    }

    bool getLine(const std::string& section, int index, bool unescapeIt, std::string& out) const {
        out.clear();
        const std::size_t at = text_.find("[" + section + "]");
        if (at == std::string::npos || index < 0)
            return false;
        std::size_t line = step(at);
        if (line == std::string::npos || text_[line] == '[')
            return false;
        for (int i = 0; i < index; ++i) {
            line = step(line);
            if (line == std::string::npos || text_[line] == '[')
                return false;
        }
        out = text_.substr(line, text_.find("\r\n", line) - line);
        if (unescapeIt)
            unescape(out);
        return true;
    }

    std::string getString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const {
        const int count = lineCount(section);
        for (int i = 0; i < count; ++i) {
            std::string line;
            getLine(section, i, true, line);
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos && line.substr(0, equals) == key) {
                std::string value = line.substr(equals + 1);
                unescape(value);
                return value;
            }
        }
        return defaultValue;
    }

    bool getBool(const std::string& section, const std::string& key, bool defaultValue) const {
        const std::string value = getString(section, key, "");
        if (value.empty())
            return defaultValue;
        std::string lower = value;
        for (char& c : lower)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + ('a' - 'A'));
        return lower == "yes" || lower == "true" || value[0] == '1';
    }

    static void unescape(std::string& text) {
        for (std::size_t at = text.find("<br>"); at != std::string::npos;
             at = text.find("<br>", at))
            text.replace(at, 4, "\n\r");
        for (std::size_t at = text.find("<tab>"); at != std::string::npos;
             at = text.find("<tab>", at))
            text.replace(at, 5, "\t");
    }

private:
    bool blank(std::size_t start) const {
        const std::size_t end = text_.find("\r\n", start);
        if (end == std::string::npos)
            return true;
        for (std::size_t i = start; i < end; ++i)
            if (std::string(" \t\n\v\f\r").find(text_[i]) == std::string::npos)
                return false;
        return true;
    }

    // The start of the next entry line after the line holding `position`.
    std::size_t step(std::size_t position) const {
        for (;;) {
            const std::size_t end = text_.find("\r\n", position);
            if (end == std::string::npos || end + 2 >= text_.size())
                return std::string::npos;
            if (!blank(end + 2))
                return end + 2;
            position = end + 2;
        }
    }

    const std::string& text_;
};

// Asks the document and the reference the same questions about `text`: every
// candidate section name, every index around the line count, every key the
// section's lines offer and a few that are not there.
void expectSameAnswers(const std::string& text, std::vector<std::string> sections,
                       std::vector<std::string> keys) {
    const IniDocument document(text);
    const ScanningReference reference(text);
    // Names between every '[' and the next ']' are sections the text may hold.
    for (std::size_t open = text.find('['); open != std::string::npos;
         open = text.find('[', open + 1)) {
        const std::size_t close = text.find(']', open);
        if (close != std::string::npos && close - open < 40)
            sections.push_back(text.substr(open + 1, close - open - 1));
    }
    for (const std::string& section : sections) {
        const int count = reference.lineCount(section);
        ASSERT_EQ(document.lineCount(section), count) << "section " << section;
        std::set<std::string> sectionKeys(keys.begin(), keys.end());
        for (int index = -1; index <= count + 1; ++index) {
            for (bool unescape : {false, true}) {
                std::string expected, actual;
                const bool found = reference.getLine(section, index, unescape, expected);
                ASSERT_EQ(document.getLine(section, index, unescape, actual), found)
                    << "section " << section << " index " << index;
                ASSERT_EQ(actual, expected) << "section " << section << " index " << index;
                if (found && unescape && expected.find('=') != std::string::npos)
                    sectionKeys.insert(expected.substr(0, expected.find('=')));
            }
        }
        for (const std::string& key : sectionKeys) {
            ASSERT_EQ(document.getString(section, key, "<none>"),
                      reference.getString(section, key, "<none>"))
                << "section " << section << " key " << key;
            for (bool defaultValue : {false, true})
                ASSERT_EQ(document.getBool(section, key, defaultValue),
                          reference.getBool(section, key, defaultValue))
                    << "section " << section << " key " << key;
        }
    }
}

TEST(IniDocument, AnswersLikeTheScanningRules) {
    const struct {
        const char* text;
        const char* section;
        const char* key;
        const char* expected; // getString with the default "x"
        int lineCount;
    } cases[] = {
        // An unterminated last line never takes part.
        {"[S]\r\nA=1\r\nLastKey=1", "S", "LastKey", "x", 1},
        // LF alone does not end a line: no entry lines at all.
        {"[S]\nA=1\nB=2\n", "S", "A", "x", 0},
        // Blank lines, also of spaces, tabs, VT and FF, are skipped.
        {"[S]\r\n\r\n \t\v\f\r\n\r\nA=1\r\n", "S", "A", "1", 1},
        // The first '=' splits; nothing is trimmed.
        {"[S]\r\nKey=a=b\r\n", "S", "Key", "a=b", 1},
        {"[S]\r\nKey =x\r\n", "S", "Key", "x", 1},
        {"[S]\r\nKey =x\r\n", "S", "Key ", "x", 1},
        {"[S]\r\nKey= v \r\n", "S", "Key", " v ", 1},
        // The first of two keys wins; only the first of two sections counts.
        {"[S]\r\nK=1\r\nK=2\r\n", "S", "K", "1", 2},
        {"[S]\r\nA=1\r\n[S]\r\nK=2\r\n", "S", "K", "x", 1},
        // Section names are case-sensitive.
        {"[general_info]\r\nK=1\r\n", "GENERAL_INFO", "K", "x", 0},
        // A '[' ends the section unless indented.
        {"[S]\r\nA=1\r\n[T]\r\nK=2\r\n", "S", "K", "x", 1},
        {"[S]\r\nA=1\r\n [T]\r\nK=2\r\n", "S", "K", "2", 3},
        // The header is found anywhere, even inside an earlier value.
        {"[A]\r\nTitle=[S]\r\nK=1\r\n[B]\r\n", "S", "K", "1", 1},
        {"[A]\r\nTitle=[S]x\r\nK=1\r\n", "S", "Title", "x", 1},
        // The header's line must end in CR LF.
        {"K=1\r\n[S]", "S", "K", "x", 0},
        {"[S]\r\n", "S", "K", "x", 0},
        // An empty value is a value, not the default.
        {"[S]\r\nK=\r\n", "S", "K", "", 1},
        // Lines without '=' count but are not keys.
        {"[S]\r\nrecord one\r\nK=1\r\n", "S", "K", "1", 2},
        // Escapes: <br> is LF CR, <tab> a TAB; capitals are plain text.
        {"[S]\r\nText=One<br>Two<tab>Three\r\n", "S", "Text", "One\n\rTwo\tThree", 1},
        {"[S]\r\nText=<BR><Tab>\r\n", "S", "Text", "<BR><Tab>", 1},
        {"[S]\r\nText=<<br>br><ta<tab>b>\r\n", "S", "Text", "<\n\rbr><ta\tb>", 1},
        // Keys are compared unescaped.
        {"[S]\r\nA<tab>B=1\r\n", "S", "A\tB", "1", 1},
        {"[S]\r\nA<tab>B=1\r\n", "S", "A<tab>B", "x", 1},
        // Lone CRs belong to the line's text.
        {"[S]\r\nK=a\rb\r\n", "S", "K", "a\rb", 1},
        {"[S]\r\rK=1\r\n", "S", "K", "x", 0},
    };
    for (const auto& c : cases) {
        const IniDocument document(c.text);
        EXPECT_EQ(document.getString(c.section, c.key, "x"), c.expected) << c.text;
        EXPECT_EQ(document.lineCount(c.section), c.lineCount) << c.text;
        expectSameAnswers(c.text, {c.section}, {c.key});
    }
}

TEST(IniDocument, GetLineGivesEntryLinesByIndex) {
    const IniDocument document("[S]\r\nfirst,<tab>1\r\n\r\nsecond\r\n[T]\r\nthird\r\n");
    std::string line = "stale";
    EXPECT_TRUE(document.getLine("S", 0, false, line));
    EXPECT_EQ(line, "first,<tab>1");
    EXPECT_TRUE(document.getLine("S", 0, true, line));
    EXPECT_EQ(line, "first,\t1");
    EXPECT_TRUE(document.getLine("S", 1, true, line));
    EXPECT_EQ(line, "second");
    for (int index : {2, -1, 1000}) {
        line = "stale";
        EXPECT_FALSE(document.getLine("S", index, true, line)) << index;
        EXPECT_EQ(line, "") << index;
    }
    EXPECT_FALSE(document.getLine("Missing", 0, true, line));
    EXPECT_EQ(document.lineCount("Missing"), 0);
}

TEST(IniDocument, GetBoolReadsYesTrueAndOne) {
    const struct {
        const char* value;
        bool expected;
    } cases[] = {
        {"YES", true},   {"yes", true},   {"True", true},  {"1", true},    {"10", true},
        {"1abc", true},  {"y", false},    {"Y", false},    {"on", false},  {"0", false},
        {"yes ", false}, {"yess", false}, {" yes", false}, {"truE", true}, {"tru", false},
    };
    for (const auto& c : cases) {
        const IniDocument document("[S]\r\nFlag="s + c.value + "\r\n");
        EXPECT_EQ(document.getBool("S", "Flag", false), c.expected) << c.value;
        EXPECT_EQ(document.getBool("S", "Flag", true), c.expected) << c.value;
    }
    const IniDocument empty("[S]\r\nFlag=\r\n");
    EXPECT_TRUE(empty.getBool("S", "Flag", true));
    EXPECT_FALSE(empty.getBool("S", "Flag", false));
    EXPECT_TRUE(empty.getBool("S", "Missing", true));
    EXPECT_TRUE(empty.getBool("Missing", "Flag", true));
}

TEST(IniDocument, HostileTextsAnswerLikeTheScanningRules) {
    const std::string longLine(10 * 1024 * 1024, 'x');
    const std::vector<std::string> texts = {
        "",
        "\r\n",
        "\r\n\r\n\r\n",
        "[",
        "[]\r\n=\r\n",
        "[A]",
        "[A]\r",
        "[A]\r\n\r",
        "[A]\r\nK=1\r",
        "[A]\r\nK=1\r\r\n",
        "\r[A]\r\nK=1\r\n",
        "[A]\n\rK=1\r\n\n\r",
        "[A\0]\r\nK\0=\0v\r\n[B]\r\n\0\r\n"s,
        "\0\0\0[A]\0\r\n\0\r\nK=\0\r\n"s,
        "[A]\r\n\xff\x80=\xa0\r\n\xa0\r\nK=\x85\r\n",
        "[A]\r\n\r\n[B]\r\n[A]\r\nK=2\r\n",
        "[A]]\r\nK=1\r\n[[A]\r\nK=2\r\n",
        "[A]\r\n[B]\r\nK=1\r\n",
        "[A]\r\n\t[B]\r\nK=1\r\n",
        "[A]\r\nK=<br\r\n>x<tab\r\n>\r\n",
        "[A]\r\nK<br>=1\r\nK\n\r=2\r\n",
        "=\r\n[A]\r\n=\r\n==\r\n=K=\r\n",
        longLine,
        "[A]\r\nK=" + longLine + "\r\n",
        "[A]\r\nK=" + longLine,
        "[A]\r\n" + std::string(100000, '\r') + "\n" + "K=1\r\n",
        "[A]\r\n" + std::string(20000, ' ') + "\r\nK=1\r\n",
    };
    for (const std::string& text : texts)
        expectSameAnswers(text, {"A", "B", "", "A]", "A\0"s, "A]\r\nK=1\r\n["},
                          {"K", "", "=", "K\0"s});
}

// Random texts over the bytes that matter to the rules, against the reference.
TEST(IniDocument, RandomTextsAnswerLikeTheScanningRules) {
    const std::vector<std::string> pieces = {
        "[A]", "[B]", "[", "]",  "A",    "B",     "K", "=", "1",   "yes", "\r\n",    "\r\n", "\r\n",
        "\r",  "\n",  " ", "\t", "<br>", "<tab>", "<", ">", "\0"s, "x",   "[A]\r\n", "K=",
    };
    std::mt19937 random(20240611);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int count = static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i)
            text += pieces[random() % pieces.size()];
        expectSameAnswers(text, {"A", "B", ""}, {"K", "A", "", "K\n\r"});
        if (testing::Test::HasFatalFailure()) {
            ADD_FAILURE() << "round " << round;
            return;
        }
    }
}

TEST(IniDocument, ManyThreadsReadOneDocument) {
    std::string text;
    const int sections = 20, linesPerSection = 200;
    for (int s = 0; s < sections; ++s) {
        text += "[S" + std::to_string(s) + "]\r\n";
        for (int i = 0; i < linesPerSection; ++i)
            text += "K" + std::to_string(i) + "=" + std::to_string(s * 1000 + i) + "\r\n";
    }
    const IniDocument document(text);
    std::vector<std::thread> readers;
    std::vector<int> mismatches(4, 0);
    for (int r = 0; r < 4; ++r) {
        readers.emplace_back([&, r] {
            for (int n = 0; n < sections; ++n) {
                const int s = (n + r * 5) % sections;
                const std::string section = "S" + std::to_string(s);
                if (document.lineCount(section) != linesPerSection)
                    ++mismatches[r];
                for (int i = 0; i < linesPerSection; ++i) {
                    const std::string key = "K" + std::to_string(i);
                    std::string line;
                    if (document.getString(section, key, "") != std::to_string(s * 1000 + i) ||
                        !document.getLine(section, i, true, line) ||
                        line != key + "=" + std::to_string(s * 1000 + i))
                        ++mismatches[r];
                }
            }
        });
    }
    for (std::thread& reader : readers)
        reader.join();
    EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}

} // namespace
