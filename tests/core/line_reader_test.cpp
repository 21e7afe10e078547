#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "dict/entry_rules.h"
#include "dict/line_reader.h"

namespace {

struct Entry {
    std::string code;
    std::string word;
    bool operator==(const Entry& other) const { return code == other.code && word == other.word; }
};

std::ostream& operator<<(std::ostream& out, const Entry& e) {
    return out << "{" << e.code << ", " << Utf8(e.word) << "}";
}

// Reads the bytes into a table of the given capacity, in one piece and byte by byte (the two must
// agree), and returns the entries read.
std::vector<Entry> Read(const std::string& bytes, char separator, LineRules rules,
                        std::size_t capacity = 16, std::size_t* skipped = nullptr,
                        std::size_t* overflow = nullptr) {
    std::vector<DictEntry> whole(capacity + 1);
    std::vector<DictEntry> pieces(capacity + 1);
    const DictEntry guard = [] {
        DictEntry g;
        std::memset(&g, 0x5A, sizeof g);
        return g;
    }();
    whole[capacity] = guard;
    pieces[capacity] = guard;

    DictionaryLineReader a(separator, whole.data(), capacity, rules, kCodeSetPrimary);
    a.Feed(bytes.data(), bytes.size());
    a.Finish();
    DictionaryLineReader b(separator, pieces.data(), capacity, rules, kCodeSetPrimary);
    for (char c : bytes) {
        b.Feed(&c, 1);
    }
    b.Finish();

    EXPECT_EQ(a.EntriesRead(), b.EntriesRead());
    EXPECT_EQ(a.Skipped(), b.Skipped());
    EXPECT_EQ(std::memcmp(whole.data(), pieces.data(), sizeof(DictEntry) * capacity), 0);
    EXPECT_EQ(std::memcmp(&whole[capacity], &guard, sizeof guard), 0) << "wrote past the table";
    if (skipped != nullptr) {
        *skipped = a.Skipped();
    }
    if (overflow != nullptr) {
        *overflow = a.Overflow();
    }
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < a.EntriesRead(); ++i) {
        EXPECT_EQ(whole[i].code[kCodeFieldSize - 1], '\0');
        EXPECT_EQ(whole[i].word[kWordFieldSize - 1], '\0');
        entries.push_back({whole[i].code, whole[i].word});
    }
    return entries;
}

std::vector<Entry> Main(const std::string& bytes, std::size_t capacity = 16) {
    return Read(bytes, '_', LineRules::MainFile, capacity);
}
std::vector<Entry> User(const std::string& bytes, std::size_t capacity = 16,
                        std::size_t* skipped = nullptr) {
    return Read(bytes, ' ', LineRules::UserWords, capacity, skipped);
}

const std::string kGong = Gbk("工");
const std::string kGongRen = Gbk("工人");

TEST(LineReader, UserLinesTakeTheWordAfterTheLastSpace) {
    EXPECT_EQ(User("ab       " + kGongRen + "\r\n"), (std::vector<Entry>{{"ab", kGongRen}}));
    EXPECT_EQ(User("abcd     " + kGong + " " + kGongRen + "\r\n"),
              (std::vector<Entry>{{"abcd", kGongRen}}));
    // A backup line's word may hold a trail byte 0x5F: it is no separator inside its character.
    EXPECT_EQ(Read("ab_\x81\x5F\x81\x40\r\n", '_', LineRules::UserWords),
              (std::vector<Entry>{{"ab", "\x81\x5F\x81\x40"}}));
}

TEST(LineReader, LastLineWithoutLineEndIsTakenWhole) {
    EXPECT_EQ(Main("a_" + kGong + "\r\nb_" + kGongRen),
              (std::vector<Entry>{{"a", kGong}, {"b", kGongRen}}));
    EXPECT_EQ(User("a " + kGong + "\r\nb " + kGongRen),
              (std::vector<Entry>{{"a", kGong}, {"b", kGongRen}}));
    // A final CR LF gives no extra entry.
    EXPECT_EQ(Main("a_" + kGong + "\r\n").size(), 1u);
    EXPECT_TRUE(Main("").empty());
}

// A main file passes only whole: its reading stops at the first line that breaks a rule, and
// what was read before then is no dictionary.
TEST(LineReader, AMainFileStopsAtItsFirstFault) {
    const std::string good = "a_" + kGong + "\r\n";
    const struct {
        const char* name;
        std::string line;
    } faults[] = {
        {"blank", "\r\n"},
        {"a bare line feed", "b_" + kGong + "\n"},
        {"no line end but LF", "\n"},
        {"no separator", "abc\r\n"},
        {"a separator in the word", "ab_c_" + kGongRen + "\r\n"},
        {"a space in the word", "ab_" + kGong + " " + kGong + "\r\n"},
        {"a CR in the word", "ab_" + kGong + "\r" + kGong + "\r\n"},
        {"a backspace", "ab_" + kGong + "\x08\r\n"},
        {"an escape", "ab_\x1B\r\n"},
        {"a lone lead byte", "ab_\xB9\r\n"},
        {"no word", "ab_\r\n"},
        {"a code of seven keys", "abcdefg_" + kGong + "\r\n"},
        {"a key of no code", "aB_" + kGong + "\r\n"},
        {"led by a space", " _" + kGong + "\r\n"},
        {"a word of 100 bytes", "ab_" + std::string(100, 'w') + "\r\n"},
        {"a line longer than any", "ab_" + std::string(600, 'w') + "\r\n"},
        {"out of group order", "b_" + kGong + "\r\na_" + kGong + "\r\n"},
    };
    for (const auto& c : faults) {
        DictEntry table[8] = {};
        DictionaryLineReader reader('_', table, 8, LineRules::MainFile, kCodeSetPrimary);
        const std::string bytes = good + c.line + good;
        const bool more = reader.Feed(bytes.data(), bytes.size());
        EXPECT_FALSE(more && reader.Passed()) << c.name;
        EXPECT_FALSE(reader.Passed()) << c.name;
        EXPECT_LE(reader.EntriesRead(), 2u) << c.name << ": the lines after the fault go unread";
    }
    // The good lines themselves pass the line checks (a file of them only fails its group sizes).
    DictEntry table[8] = {};
    DictionaryLineReader reader('_', table, 8, LineRules::MainFile, kCodeSetPrimary);
    const std::string bytes = good + "abcdef_" + std::string(99, 'w') + "\r\nb_" + kGong + "\r\n";
    EXPECT_TRUE(reader.Feed(bytes.data(), bytes.size()));
    EXPECT_TRUE(reader.Passed());
    EXPECT_EQ(reader.EntriesRead(), 3u);
    reader.Finish();
    EXPECT_FALSE(reader.Passed()) << "far fewer lines than the code set's groups";
}

TEST(LineReader, BlankLinesInUserWordsHideNothing) {
    std::size_t skipped = 9;
    EXPECT_EQ(
        User("\r\na        " + kGong + "\r\n\n\r\nb        " + kGongRen + "\r\n", 16, &skipped),
        (std::vector<Entry>{{"a", kGong}, {"b", kGongRen}}));
    EXPECT_EQ(skipped, 0u) << "a blank line breaks no rule";
    EXPECT_EQ(Read("\na_" + kGong + "\r\n\r\nb_" + kGongRen + "\r\n", '_', LineRules::UserWords),
              (std::vector<Entry>{{"a", kGong}, {"b", kGongRen}}));
}

// Every line that breaks a rule, between two words: it is left out, and nothing after it is lost.
TEST(LineReader, UserLinesThatBreakTheRulesAreLeftOut) {
    const std::string nul(1, '\0');
    const struct {
        const char* name;
        std::string line;
        char separator;
        std::vector<Entry> middle;  // what the line itself gives
    } cases[] = {
        {"only spaces", "     ", ' ', {}},
        {"spaces then CR", "   \r", ' ', {}},
        {"led by a NUL", nul + "abc     " + kGong, ' ', {}},
        {"a NUL after spaces", "  " + nul + "abc " + kGong, ' ', {}},
        {"backup led by its separator", "_" + kGong, '_', {}},
        {"no word after the code", "abcd     " + kGong + " ", ' ', {}},
        {"two backspaces", "wtyn " + Gbk("候选") + "\x08\x08" + Gbk("词"), ' ', {}},
        {"a CR inside the word", "ab " + kGong + "\r" + kGong, ' ', {}},
        {"an escape", "ab \x1B" + kGong, ' ', {}},
        {"a delete", "ab " + kGong + "\x7F", ' ', {}},
        {"a lone lead byte", "ab " + kGong + "\xB9", ' ', {}},
        {"a NUL in the word", "ab " + kGong.substr(0, 1) + nul + "x", ' ', {}},
        {"a code of seven keys", "abcdefg " + kGong, ' ', {}},
        {"upper-case keys", "AB " + kGong, ' ', {}},
        {"digits", "ab1 " + kGong, ' ', {}},
        {"a word of 100 bytes", "ab " + std::string(100, 'w'), ' ', {}},
        {"a line longer than any", "ab " + std::string(600, 'w'), ' ', {}},
        // Spaces before a code are passed over: the word stays.
        {"led by a space", " tfyn " + kGongRen, ' ', {{"tfyn", kGongRen}}},
        {"led by spaces, padded", "   ab       " + kGong, ' ', {{"ab", kGong}}},
        {"backup led by spaces", "  ab_" + kGong, '_', {{"ab", kGong}}},
        {"a space in a backup word",
         "ab_" + kGong + " " + kGong,
         '_',
         {{"ab", kGong + " " + kGong}}},
    };
    for (const auto& c : cases) {
        const std::string sep(1, c.separator);
        const std::string bytes =
            "eyyy" + sep + kGong + "\r\n" + c.line + "\r\nwtyn" + sep + kGongRen + "\r\n";
        std::vector<Entry> expected{{"eyyy", kGong}};
        expected.insert(expected.end(), c.middle.begin(), c.middle.end());
        expected.push_back({"wtyn", kGongRen});
        std::size_t skipped = 0;
        EXPECT_EQ(Read(bytes, c.separator, LineRules::UserWords, 16, &skipped), expected) << c.name;
        const bool blank = c.line.find_first_not_of(' ') == std::string::npos;
        EXPECT_EQ(skipped, c.middle.empty() && !blank ? 1u : 0u) << c.name;
    }
}

TEST(LineReader, LongestLinesTheProductWritesReadBackWhole) {
    // A 6-key code and a 99-byte word: 49 characters and one ASCII byte.
    std::string word;
    for (int i = 0; i < 49; ++i) {
        word += kGong;
    }
    word += "x";
    ASSERT_EQ(word.size(), 99u);
    EXPECT_EQ(User("abcdef     " + word + "\r\nb        " + kGong + "\r\n"),
              (std::vector<Entry>{{"abcdef", word}, {"b", kGong}}));
    EXPECT_EQ(Main("abcdef_" + word + "\r\nb_" + kGong + "\r\n"),
              (std::vector<Entry>{{"abcdef", word}, {"b", kGong}}));
}

TEST(LineReader, LinesAroundTheOldNinetyEightByteLimit) {
    for (std::size_t length : {96u, 97u, 98u, 99u}) {
        const std::string code = "ab";
        std::string word(length - code.size() - 1, 'w');
        const auto entries = Main(code + "_" + word + "\r\nb_" + kGong + "\r\n");
        ASSERT_EQ(entries.size(), 2u) << length;
        EXPECT_EQ(entries[0].word, word) << length;
        EXPECT_EQ(entries[1], (Entry{"b", kGong}));
    }
}

TEST(LineReader, NeverWritesPastTheTable) {
    std::string lines;
    for (int i = 0; i < 10; ++i) {
        lines += "a_" + kGong + "\r\n";
    }
    EXPECT_EQ(Main(lines, 3).size(), 3u);
    EXPECT_EQ(Main(lines, 10).size(), 10u);
    // User words beyond the table are counted, not stored.
    std::size_t overflow = 0;
    EXPECT_EQ(Read("a " + kGong + "\r\nb " + kGong + "\r\nc " + kGong + "\r\n\r\nd " + kGong, ' ',
                   LineRules::UserWords, 2, nullptr, &overflow)
                  .size(),
              2u);
    EXPECT_EQ(overflow, 2u);
}

TEST(LineReader, GbkPrefixNeverSplitsACharacter) {
    const std::string text = "a" + kGongRen + "b";
    EXPECT_EQ(GbkPrefixLength(text.data(), text.size(), 6), 6u);
    EXPECT_EQ(GbkPrefixLength(text.data(), text.size(), 4), 3u);
    EXPECT_EQ(GbkPrefixLength(text.data(), text.size(), 2), 1u);
    // A lead byte without its trail byte is dropped.
    const std::string cut = "a" + kGong.substr(0, 1);
    EXPECT_EQ(GbkPrefixLength(cut.data(), cut.size(), 99), 1u);
    // A lead byte before a NUL is no character either: the word stored would read back empty.
    const std::string nul = "a" + kGong.substr(0, 1) + std::string(1, '\0') + "x";
    EXPECT_EQ(GbkPrefixLength(nul.data(), nul.size(), 99), 1u);
}

// Only whole characters of plain text reach a program: a control byte or a broken character is
// dropped, whatever the tables hold.
TEST(LineReader, PlainTextKeepsWholeCharactersOnly) {
    const struct {
        std::string text;
        std::size_t max;
        std::string kept;
    } cases[] = {
        {kGongRen + "ab", 99, kGongRen + "ab"},
        {Gbk("中") + "\x08\x08" + Gbk("词"), 99, Gbk("中词")},
        {"\r" + kGong + "\r\n", 99, kGong},
        {"a\x1B\x7F"
         "b",
         99, "ab"},
        {"\xB9"
         "0a",
         99, "0a"},  // a lead byte whose next byte is no trail
        {"\xB9"
         "a",
         99,
         "\xB9"
         "a"},  // 'a' is a trail byte: one character
        {"\x80\xFF" + kGong, 99, kGong},
        {kGongRen, 3, kGong},  // never half a character at the bound
        {"\xB9", 99, ""},
    };
    for (const auto& c : cases) {
        char out[128];
        const std::size_t kept = CopyPlainText(c.text.data(), c.text.size(), out, c.max);
        EXPECT_EQ(std::string(out, kept), c.kept) << static_cast<int>(&c - cases);
    }
}

}  // namespace
