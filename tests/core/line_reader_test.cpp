#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/gbk_text.h"
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
                        std::size_t capacity = 16) {
    std::vector<DictEntry> whole(capacity + 1);
    std::vector<DictEntry> pieces(capacity + 1);
    const DictEntry guard = [] {
        DictEntry g;
        std::memset(&g, 0x5A, sizeof g);
        return g;
    }();
    whole[capacity] = guard;
    pieces[capacity] = guard;

    DictionaryLineReader a(separator, whole.data(), capacity, rules);
    a.Feed(bytes.data(), bytes.size());
    a.Finish();
    DictionaryLineReader b(separator, pieces.data(), capacity, rules);
    for (char c : bytes) {
        b.Feed(&c, 1);
    }
    b.Finish();

    EXPECT_EQ(a.EntriesRead(), b.EntriesRead());
    EXPECT_EQ(std::memcmp(whole.data(), pieces.data(), sizeof(DictEntry) * capacity), 0);
    EXPECT_EQ(std::memcmp(&whole[capacity], &guard, sizeof guard), 0) << "wrote past the table";
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
std::vector<Entry> User(const std::string& bytes, std::size_t capacity = 16) {
    return Read(bytes, ' ', LineRules::UserWords, capacity);
}

const std::string kGong = Gbk("工");
const std::string kGongRen = Gbk("工人");

TEST(LineReader, MainLinesSplitAtFirstAndLastSeparator) {
    EXPECT_EQ(Main("aaaa_" + kGong + "\r\n"), (std::vector<Entry>{{"aaaa", kGong}}));
    EXPECT_EQ(Main("ab_c_" + kGongRen + "\r\n"), (std::vector<Entry>{{"ab", kGongRen}}));
    EXPECT_EQ(Main("abc\r\n"), (std::vector<Entry>{{"abc", ""}}));
}

TEST(LineReader, UserLinesTakeTheWordAfterTheLastSpace) {
    EXPECT_EQ(User("ab       " + kGongRen + "\r\n"), (std::vector<Entry>{{"ab", kGongRen}}));
    EXPECT_EQ(User("abcd     " + kGong + " " + kGongRen + "\r\n"),
              (std::vector<Entry>{{"abcd", kGongRen}}));
    EXPECT_EQ(User("abcd     " + kGong + " \r\n"), (std::vector<Entry>{{"abcd", ""}}));
}

TEST(LineReader, LastLineWithoutLineEndIsTakenWhole) {
    EXPECT_EQ(Main("a_" + kGong + "\r\nb_" + kGongRen),
              (std::vector<Entry>{{"a", kGong}, {"b", kGongRen}}));
    // A final CR LF gives no extra entry.
    EXPECT_EQ(Main("a_" + kGong + "\r\n").size(), 1u);
    EXPECT_TRUE(Main("").empty());
}

TEST(LineReader, BareLineFeedEndsLinesWithoutLosingBytes) {
    EXPECT_EQ(Main("a_" + kGong + "\nb_" + kGongRen + "\n"),
              (std::vector<Entry>{{"a", kGong}, {"b", kGongRen}}));
    EXPECT_EQ(User("ab       " + kGongRen + "\n"), (std::vector<Entry>{{"ab", kGongRen}}));
}

TEST(LineReader, MainFileKeepsLinePositions) {
    // A blank line stays an empty entry at its place, so the lines after it keep their indices;
    // a line without any byte ends the file.
    EXPECT_EQ(Main("a_" + kGong + "\r\n\r\nb_" + kGong + "\r\n"),
              (std::vector<Entry>{{"a", kGong}, {"", ""}, {"b", kGong}}));
    EXPECT_EQ(Main("a_" + kGong + "\r\n\nb_" + kGong + "\r\n"), (std::vector<Entry>{{"a", kGong}}));
    EXPECT_TRUE(Main("\na_" + kGong + "\r\n").empty());
}

TEST(LineReader, BlankLinesInUserWordsHideNothing) {
    EXPECT_EQ(User("\r\na        " + kGong + "\r\n\n\r\nb        " + kGongRen + "\r\n"),
              (std::vector<Entry>{{"a", kGong}, {"b", kGongRen}}));
    EXPECT_EQ(Read("\na_" + kGong + "\r\n\r\nb_" + kGongRen + "\r\n", '_', LineRules::UserWords),
              (std::vector<Entry>{{"a", kGong}, {"b", kGongRen}}));
}

TEST(LineReader, UserLinesWithoutACodeAreSkippedAndHideNothing) {
    // Every shape of a line that gives no code, between two words: none may end the table or
    // leave an entry without a code.
    const std::string nul(1, '\0');
    const struct {
        const char* name;
        std::string line;
        char separator;
        std::vector<Entry> middle;  // what the line itself gives
    } cases[] = {
        {"only spaces", "     ", ' ', {}},
        {"one space", " ", ' ', {}},
        {"spaces then CR", "   \r", ' ', {}},
        {"led by a NUL", nul + "abc     " + kGong, ' ', {}},
        {"a NUL after spaces", "  " + nul + "abc " + kGong, ' ', {}},
        {"a lone NUL", nul, ' ', {}},
        {"backup led by its separator", "_" + kGong, '_', {}},
        {"backup of only spaces", "   ", '_', {}},
        // Spaces before a code are passed over: the word stays.
        {"led by a space", " tfyn " + kGongRen, ' ', {{"tfyn", kGongRen}}},
        {"led by spaces, padded", "   ab       " + kGong, ' ', {{"ab", kGong}}},
        {"backup led by spaces", "  ab_" + kGong, '_', {{"ab", kGong}}},
    };
    for (const auto& c : cases) {
        const std::string sep(1, c.separator);
        const std::string bytes =
            "eyyy" + sep + kGong + "\r\n" + c.line + "\r\nwtyn" + sep + kGongRen + "\r\n";
        std::vector<Entry> expected{{"eyyy", kGong}};
        expected.insert(expected.end(), c.middle.begin(), c.middle.end());
        expected.push_back({"wtyn", kGongRen});
        EXPECT_EQ(Read(bytes, c.separator, LineRules::UserWords), expected) << c.name;
    }
    // A main file keeps such a line in its place.
    EXPECT_EQ(Main("a_" + kGong + "\r\n _" + kGong + "\r\nb_" + kGong + "\r\n"),
              (std::vector<Entry>{{"a", kGong}, {" ", kGong}, {"b", kGong}}));
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
        EXPECT_EQ(entries[0].word, word.substr(0, 99)) << length;
        EXPECT_EQ(entries[1], (Entry{"b", kGong}));
    }
}

TEST(LineReader, OverlongLineIsCutAndTheWordsAfterItSurvive) {
    std::string word;
    for (int i = 0; i < 300; ++i) {
        word += kGong;
    }
    const auto entries = User("abcdefghij     " + word + "\r\nb        " + kGongRen + "\r\n");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].code, "abcdef");
    // Cut at a character boundary: 49 whole characters, never half of one.
    EXPECT_EQ(entries[0].word.size(), 98u);
    EXPECT_EQ(entries[1], (Entry{"b", kGongRen}));
}

TEST(LineReader, NeverWritesPastTheTable) {
    std::string lines;
    for (int i = 0; i < 10; ++i) {
        lines += "a_" + kGong + "\r\n";
    }
    EXPECT_EQ(Main(lines, 3).size(), 3u);
    EXPECT_EQ(User("a " + kGong + "\r\nb " + kGong + "\r\nc " + kGong, 2).size(), 2u);
    EXPECT_EQ(Main(lines, 10).size(), 10u);
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

// Found by the line-reader fuzzer: a user line whose word is a lead byte, a NUL and more read as
// that lone lead byte, which the user-file writer then wrote as a line without a word.
TEST(LineReader, AUserWordNeverEndsInALoneLeadByte) {
    DictEntry table[2] = {};
    DictionaryLineReader reader(' ', table, 2, LineRules::UserWords);
    const std::string line = "ab " + kGong.substr(0, 1) + std::string(1, '\0') + "x\r\n";
    reader.Feed(line.data(), line.size());
    reader.Finish();
    EXPECT_EQ(std::string(table[0].word).find(kGong.substr(0, 1)), std::string::npos);
}

}  // namespace
