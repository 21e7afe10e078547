#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "engine/symbol_conversion.h"
#include "settings/settings.h"
#include "support/test_platform.h"
#include "engine/mode_state.h"
#include "ime/process_state.h"

namespace {

// The punctuation rows as the design table writes them, in UTF-8: key, then the both, full-width
// and Chinese columns, each a text followed by its GBK bytes in hex. Nothing here comes from the
// product's table; the bytes are checked against the platform's own UTF-8 to GBK conversion.
const char kPunctuationRowsText[] = R"(| 0 | ! 21 | ！ A3A1 | ！ A3A1 | ！ A3A1 |
| 1 | space 20 | 　 A1A1 | 　 A1A1 | space 20 |
| 2 | @ 40 | · A1A4 | ＠ A3C0 | · A1A4 |
| 3 | # 23 | ＃ A3A3 | ＃ A3A3 | # 23 |
| 4 | $ 24 | ￥ A3A4 | ＄ A1E7 | ￥ A3A4 |
| 5 | % 25 | ％ A3A5 | ％ A3A5 | % 25 |
| 6 | ^ 5E | …… A1AD A1AD | ＾ A3DE | …… A1AD A1AD |
| 7 | & 26 | — A1AA | ＆ A3A6 | — A1AA |
| 8 | * 2A | ＊ A3AA | ＊ A3AA | * 2A |
| 9 | ( 28 | （ A3A8 | （ A3A8 | （ A3A8 |
| 10 | ) 29 | ） A3A9 | ） A3A9 | ） A3A9 |
| 11 | _ 5F | — A1AA | ＿ A3DF | —— A1AA A1AA |
| 12 | + 2B | ＋ A3AB | ＋ A3AB | + 2B |
| 13 | { 7B | ｛ A3FB | ｛ A3FB | { 7B |
| 14 | } 7D | ｝ A3FD | ｝ A3FD | } 7D |
| 15 | vertical bar 7C | ｜ A3FC | ｜ A3FC | vertical bar 7C |
| 16 | : 3A | ： A3BA | ： A3BA | ： A3BA |
| 17 | double quote 22 | ” A1B1 | ＂ A3A2 | ” A1B1 |
| 18 | < 3C | 《 A1B6 | ＜ A3BC | 《 A1B6 |
| 19 | > 3E | 》 A1B7 | ＞ A3BE | 》 A1B7 |
| 20 | ? 3F | ？ A3BF | ？ A3BF | ？ A3BF |
| 21 | ~ 7E | ～ A1AB | ～ A1AB | ~ 7E |
| 22 | - 2D | － A3AD | － A3AD | - 2D |
| 23 | = 3D | ＝ A3BD | ＝ A3BD | = 3D |
| 24 | [ 5B | ［ A3DB | ［ A3DB | [ 5B |
| 25 | ] 5D | ］ A3DD | ］ A3DD | ] 5D |
| 26 | backslash 5C | 、 A1A2 | ＼ A3DC | 、 A1A2 |
| 27 | ; 3B | ； A3BB | ； A3BB | ； A3BB |
| 28 | single quote 27 | ’ A1AF | ＇ A3A7 | ’ A1AF |
| 29 | , 2C | ， A3AC | ， A3AC | ， A3AC |
| 30 | . 2E | 。 A1A3 | ． A3AE | 。 A1A3 |
| 31 | / 2F | ／ A3AF | ／ A3AF | / 2F |
| 32 | grave accent 60 | ｀ A3E0 | ｀ A3E0 | grave accent 60 |
)";

const char kLetterAndDigitKeys[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

// A cell: the text (UTF-8, or the name of an invisible or awkward character) and its bytes.
struct Cell {
    std::string utf8;
    std::string bytes;
};

bool IsHexGroup(const std::string& token) {
    if (token.size() != 2 && token.size() != 4) {
        return false;
    }
    for (char c : token) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) {
            return false;
        }
    }
    return true;
}

std::string NamedCharacter(const std::string& text) {
    if (text == "space")
        return " ";
    if (text == "vertical bar")
        return "|";
    if (text == "double quote")
        return "\"";
    if (text == "single quote")
        return "'";
    if (text == "backslash")
        return "\\";
    if (text == "grave accent")
        return "`";
    return text;
}

// Splits at ASCII spaces only: the ideographic space is a text of its own.
Cell ParseCell(const std::string& cell) {
    std::vector<std::string> tokens;
    std::istringstream in(cell);
    for (std::string token; std::getline(in, token, ' ');) {
        if (!token.empty()) {
            tokens.push_back(token);
        }
    }
    Cell parsed;
    std::size_t textTokens = tokens.size();
    while (textTokens > 1 && IsHexGroup(tokens[textTokens - 1])) {
        --textTokens;
    }
    for (std::size_t i = 0; i < textTokens; ++i) {
        parsed.utf8 += (i == 0 ? "" : " ") + tokens[i];
    }
    parsed.utf8 = NamedCharacter(parsed.utf8);
    for (std::size_t i = textTokens; i < tokens.size(); ++i) {
        for (std::size_t j = 0; j < tokens[i].size(); j += 2) {
            parsed.bytes += static_cast<char>(std::stoi(tokens[i].substr(j, 2), nullptr, 16));
        }
    }
    return parsed;
}

struct PunctuationRow {
    int number;
    Cell key;
    Cell columns[3];  // both, full width, Chinese
};

std::vector<PunctuationRow> ParsePunctuationRows() {
    std::vector<PunctuationRow> rows;
    std::istringstream lines(kPunctuationRowsText);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> cells;
        std::istringstream parts(line);
        for (std::string part; std::getline(parts, part, '|');) {
            cells.push_back(part);
        }
        // "", row, key, both, full width, Chinese
        if (cells.size() != 6) {
            ADD_FAILURE() << "malformed row: " << line;
            continue;
        }
        PunctuationRow row;
        row.number = std::stoi(cells[1]);
        row.key = ParseCell(cells[2]);
        for (int c = 0; c < 3; ++c) {
            row.columns[c] = ParseCell(cells[3 + c]);
        }
        rows.push_back(row);
    }
    return rows;
}

std::string Column(const SymbolRow& row, int c) {
    const char* text = c == 0 ? row.both : c == 1 ? row.fullWidth : row.chinese;
    return text != nullptr ? std::string(text) : std::string("(null)");
}

std::string Text(const char* text) {
    return text != nullptr ? std::string(text) : std::string("(none)");
}

// The UTF-8 form of the full-width character of a printable ASCII character (U+FF01 onwards).
std::string FullWidthUtf8(char ascii) {
    const unsigned code = 0xFF00u + static_cast<unsigned char>(ascii) - 0x20u;
    std::string utf8;
    utf8 += static_cast<char>(0xE0 | (code >> 12));
    utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (code & 0x3F));
    return utf8;
}

bool IsDigitOrLetter(int byte) {
    return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') ||
           (byte >= 'A' && byte <= 'Z');
}

class SymbolTableTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetProcessState(); }
    void TearDown() override { ResetProcessState(); }
};

TEST_F(SymbolTableTest, PunctuationRowsMatchTheirUtf8TextConvertedToGbk) {
    const std::vector<PunctuationRow> rows = ParsePunctuationRows();
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(kPunctuationRowCount));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const PunctuationRow& expected = rows[i];
        const SymbolRow& actual = SymbolTable[i];
        ASSERT_EQ(expected.number, static_cast<int>(i));
        ASSERT_EQ(expected.key.utf8.size(), 1u) << i;
        EXPECT_EQ(expected.key.bytes, expected.key.utf8) << "row " << i;
        EXPECT_EQ(actual.key, expected.key.utf8[0]) << "row " << i;
        for (int c = 0; c < 3; ++c) {
            std::string converted;
            ASSERT_TRUE(Utf8ToGbk(expected.columns[c].utf8, converted)) << i << "/" << c;
            EXPECT_EQ(converted, expected.columns[c].bytes) << "row " << i << " column " << c;
            EXPECT_EQ(Column(actual, c), converted) << "row " << i << " column " << c;
        }
    }
}

TEST_F(SymbolTableTest, DigitAndLetterRowsHoldTheFullWidthFormAndTheCharacterItself) {
    ASSERT_EQ(std::strlen(kLetterAndDigitKeys),
              static_cast<std::size_t>(kSymbolRowCount - kPunctuationRowCount));
    for (int i = kPunctuationRowCount; i < kSymbolRowCount; ++i) {
        const char key = kLetterAndDigitKeys[i - kPunctuationRowCount];
        const SymbolRow& row = SymbolTable[i];
        EXPECT_EQ(row.key, key) << "row " << i;

        std::string converted;
        ASSERT_TRUE(Utf8ToGbk(FullWidthUtf8(key), converted)) << key;
        const char formula[] = {'\xA3', static_cast<char>(key + 0x80), '\0'};
        EXPECT_EQ(converted, formula) << key;
        EXPECT_EQ(Column(row, 0), converted) << "row " << i;
        EXPECT_EQ(Column(row, 1), converted) << "row " << i;
        EXPECT_EQ(Column(row, 2), std::string(1, key)) << "row " << i;
    }
}

TEST_F(SymbolTableTest, OpeningQuotesAreTheGbkLeftQuotationMarks) {
    std::string single, dual;
    ASSERT_TRUE(Utf8ToGbk("‘", single));
    ASSERT_TRUE(Utf8ToGbk("“", dual));
    EXPECT_EQ(single, "\xA1\xAE");
    EXPECT_EQ(dual, "\xA1\xB0");
    EXPECT_EQ(std::string(kOpeningSingleQuote), single);
    EXPECT_EQ(std::string(kOpeningDoubleQuote), dual);
}

TEST_F(SymbolTableTest, EveryPrintableAsciiCharacterHasExactlyOneRow) {
    int rowsOfKey[256] = {};
    for (const SymbolRow& row : SymbolTable) {
        ++rowsOfKey[static_cast<unsigned char>(row.key)];
    }
    for (int byte = 0; byte < 256; ++byte) {
        EXPECT_EQ(rowsOfKey[byte], byte >= 0x20 && byte <= 0x7E ? 1 : 0) << byte;
    }
    // The punctuation rows are the printable characters that are neither digits nor letters.
    for (int i = 0; i < kSymbolRowCount; ++i) {
        EXPECT_EQ(i < kPunctuationRowCount, !IsDigitOrLetter(SymbolTable[i].key)) << i;
    }
}

TEST_F(SymbolTableTest, KeyTestsLookAtTheLowByteAsAsciiOnly) {
    for (std::uint32_t value = 0; value <= 0xFFFF; ++value) {
        const auto ch = static_cast<std::uint16_t>(value);
        const int low = value & 0xFF;
        const bool printable = low >= 0x20 && low <= 0x7E;
        ASSERT_EQ(FindSymbol(ch), printable) << value;
        ASSERT_EQ(IsPunctuationKey(ch), printable && !IsDigitOrLetter(low)) << value;
    }
    // The callers' character is a byte that may be negative as char.
    EXPECT_FALSE(FindSymbol(static_cast<std::uint16_t>(static_cast<char>('\xA3'))));
    EXPECT_TRUE(IsPunctuationKey(static_cast<std::uint16_t>(static_cast<char>(';'))));
}

TEST_F(SymbolTableTest, FindSymbolRowGivesTheRowOfTheKeyWithinTheRowsAsked) {
    EXPECT_EQ(FindSymbolRow('!'), &SymbolTable[0]);
    EXPECT_EQ(FindSymbolRow('`'), &SymbolTable[32]);
    EXPECT_EQ(FindSymbolRow('Z'), &SymbolTable[94]);
    EXPECT_EQ(FindSymbolRow(0x0100 | '0'), &SymbolTable[33]);
    EXPECT_EQ(FindSymbolRow('`', kPunctuationRowCount), &SymbolTable[32]);
    EXPECT_EQ(FindSymbolRow('0', kPunctuationRowCount), nullptr);
    EXPECT_EQ(FindSymbolRow('!', 0), nullptr);
    EXPECT_EQ(FindSymbolRow(0), nullptr);
    EXPECT_EQ(FindSymbolRow(0x7F), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Conversion of one character by the modes.

TEST_F(SymbolTableTest, NeitherModeConvertsNothingAndLeavesTheQuotesAlone) {
    for (std::uint32_t value = 0; value <= 0xFFFF; ++value) {
        ASSERT_EQ(ConvertSymbol(static_cast<std::uint16_t>(value), false, false), nullptr) << value;
    }
    EXPECT_EQ(Modes.SingleQuoteToggle, 1);
    EXPECT_EQ(Modes.DoubleQuoteToggle, 1);
}

TEST_F(SymbolTableTest, KeysWithoutARowConvertInNoMode) {
    const std::uint16_t noRow[] = {0x00, 0x0A, 0x1F, 0x7F, 0x80, 0xA1, 0xA3, 0xFF, 0x1000, 0xFF00};
    for (std::uint16_t ch : noRow) {
        for (int modes = 0; modes < 4; ++modes) {
            EXPECT_EQ(ConvertSymbol(ch, (modes & 1) != 0, (modes & 2) != 0), nullptr)
                << ch << " modes " << modes;
        }
    }
}

TEST_F(SymbolTableTest, EachModeCombinationTakesItsColumnForEveryKey) {
    for (int i = 0; i < kSymbolRowCount; ++i) {
        const SymbolRow& row = SymbolTable[i];
        if (row.key == '\'' || row.key == '"') {
            continue;  // the quotes alternate; see below
        }
        const auto ch = static_cast<std::uint16_t>(row.key);
        EXPECT_EQ(Text(ConvertSymbol(ch, true, true)), Column(row, 0)) << row.key;
        EXPECT_EQ(Text(ConvertSymbol(ch, true, false)), Column(row, 1)) << row.key;
        EXPECT_EQ(Text(ConvertSymbol(ch, false, true)), Column(row, 2)) << row.key;
    }
    // Only the low byte of the character counts.
    EXPECT_EQ(Text(ConvertSymbol(0x0100 | '$', false, true)), "\xA3\xA4");  // ￥
}

TEST_F(SymbolTableTest, FullWidthAndChinesePunctuationGiveDifferentTexts) {
    EXPECT_EQ(Text(ConvertSymbol('$', true, false)), "\xA1\xE7");          // ＄
    EXPECT_EQ(Text(ConvertSymbol('$', true, true)), "\xA3\xA4");           // ￥
    EXPECT_EQ(Text(ConvertSymbol('$', false, true)), "\xA3\xA4");          // ￥
    EXPECT_EQ(Text(ConvertSymbol('_', true, true)), "\xA1\xAA");           // —
    EXPECT_EQ(Text(ConvertSymbol('_', false, true)), "\xA1\xAA\xA1\xAA");  // ——
    EXPECT_EQ(Text(ConvertSymbol('_', true, false)), "\xA3\xDF");          // ＿
    EXPECT_EQ(Text(ConvertSymbol('^', false, true)), "\xA1\xAD\xA1\xAD");  // ……
    EXPECT_EQ(Text(ConvertSymbol('@', true, true)), "\xA1\xA4");           // ·
    EXPECT_EQ(Text(ConvertSymbol('@', true, false)), "\xA3\xC0");          // ＠
    EXPECT_EQ(Text(ConvertSymbol('.', true, true)), "\xA1\xA3");           // 。
    EXPECT_EQ(Text(ConvertSymbol('.', true, false)), "\xA3\xAE");          // ．
    EXPECT_EQ(Text(ConvertSymbol('.', false, true)), "\xA1\xA3");          // 。
    EXPECT_EQ(Text(ConvertSymbol(' ', false, true)), " ");
    EXPECT_EQ(Text(ConvertSymbol(' ', true, false)), "\xA1\xA1");  // ideographic space
}

TEST_F(SymbolTableTest, KeysThatChinesePunctuationAloneLeavesAsAscii) {
    // Converted in full width, their own character in Chinese punctuation alone.
    const char asAscii[] = "#%*+{}|~-=[]/` 0a9zAZ";
    for (const char* p = asAscii; *p != '\0'; ++p) {
        EXPECT_EQ(Text(ConvertSymbol(static_cast<std::uint16_t>(*p), false, true)),
                  std::string(1, *p))
            << *p;
        const std::string fullWidth =
            Text(ConvertSymbol(static_cast<std::uint16_t>(*p), true, false));
        EXPECT_EQ(fullWidth.size(), 2u) << *p;
        EXPECT_EQ(static_cast<unsigned char>(fullWidth[0]) & 0x80, 0x80) << *p;
    }
    EXPECT_EQ(Text(ConvertSymbol(';', false, true)), "\xA3\xBB");  // ；
    EXPECT_EQ(Text(ConvertSymbol('/', false, true)), "/");
    EXPECT_EQ(Text(ConvertSymbol('/', true, true)), "\xA3\xAF");  // ／
}

TEST_F(SymbolTableTest, DoubleQuotesAlternateOpeningAndClosing) {
    EXPECT_EQ(Text(ConvertSymbol('"', false, true)), "\xA1\xB0");  // “
    EXPECT_EQ(Modes.DoubleQuoteToggle, 0);
    EXPECT_EQ(Text(ConvertSymbol('"', false, true)), "\xA1\xB1");  // ”
    EXPECT_EQ(Modes.DoubleQuoteToggle, 1);
    EXPECT_EQ(Text(ConvertSymbol('"', false, true)), "\xA1\xB0");  // “
    EXPECT_EQ(Text(ConvertSymbol('"', false, true)), "\xA1\xB1");  // ”
    EXPECT_EQ(Modes.SingleQuoteToggle, 1);
}

TEST_F(SymbolTableTest, SingleAndDoubleQuotesAlternateIndependently) {
    EXPECT_EQ(Text(ConvertSymbol('\'', false, true)), "\xA1\xAE");  // ‘
    EXPECT_EQ(Text(ConvertSymbol('"', false, true)), "\xA1\xB0");   // “
    EXPECT_EQ(Text(ConvertSymbol('\'', false, true)), "\xA1\xAF");  // ’
    EXPECT_EQ(Text(ConvertSymbol('\'', false, true)), "\xA1\xAE");  // ‘
    EXPECT_EQ(Text(ConvertSymbol('"', false, true)), "\xA1\xB1");   // ”
    EXPECT_EQ(Text(ConvertSymbol('\'', false, true)), "\xA1\xAF");  // ’
    EXPECT_EQ(Modes.SingleQuoteToggle, 1);
    EXPECT_EQ(Modes.DoubleQuoteToggle, 1);
}

TEST_F(SymbolTableTest, QuoteTogglesAreSharedByBothColumnsAndSkippedByFullWidthAlone) {
    EXPECT_EQ(Text(ConvertSymbol('"', true, true)), "\xA1\xB0");   // “ (both on)
    EXPECT_EQ(Text(ConvertSymbol('"', true, false)), "\xA3\xA2");  // ＂ (full width alone)
    EXPECT_EQ(Modes.DoubleQuoteToggle, 0);
    EXPECT_EQ(Text(ConvertSymbol('"', false, true)), "\xA1\xB1");   // ” (Chinese alone)
    EXPECT_EQ(Text(ConvertSymbol('\'', true, false)), "\xA3\xA7");  // ＇
    EXPECT_EQ(Modes.SingleQuoteToggle, 1);
    EXPECT_EQ(Text(ConvertSymbol('\'', true, true)), "\xA1\xAE");  // ‘
    EXPECT_EQ(Text(ConvertSymbol('\'', true, true)), "\xA1\xAF");  // ’
    // The quote's byte with the top bit set is no quote and flips nothing; a high byte is ignored.
    EXPECT_EQ(ConvertSymbol(0xA2, false, true), nullptr);
    EXPECT_EQ(Modes.DoubleQuoteToggle, 1);
    EXPECT_EQ(Text(ConvertSymbol(0x0100 | '"', false, true)), "\xA1\xB0");  // “
    EXPECT_EQ(Modes.SingleQuoteToggle, 1);
    EXPECT_EQ(Modes.DoubleQuoteToggle, 0);
}

// ---------------------------------------------------------------------------------------------
// The mode word.

TEST_F(SymbolTableTest, ModeChangesTouchOnlyTheirOwnBit) {
    Modes.ModeFlags = 0;
    SetMode(FullWidth, true);
    EXPECT_EQ(Modes.ModeFlags, FullWidth);
    SetMode(FullWidth, true);
    EXPECT_EQ(Modes.ModeFlags, FullWidth);
    FlipMode(ChinesePunctuation);
    EXPECT_EQ(Modes.ModeFlags, FullWidth | ChinesePunctuation);
    EXPECT_TRUE(IsModeOn(ChinesePunctuation));
    SetMode(FullWidth, false);
    EXPECT_EQ(Modes.ModeFlags, ChinesePunctuation);
    EXPECT_FALSE(IsModeOn(FullWidth));
    FlipMode(ChinesePunctuation);
    EXPECT_EQ(Modes.ModeFlags, 0);
    FlipMode(FullWidth);
    FlipMode(FullWidth);
    EXPECT_EQ(Modes.ModeFlags, 0);
    EXPECT_EQ(kStartModeFlags, ChinesePunctuation);
}

TEST_F(SymbolTableTest, TheInputMethodStartsWithChinesePunctuationAndASettingsLoadKeepsTheModes) {
    Modes.ModeFlags = FullWidth;
    ConvertSymbol('"', false, true);
    ResetProcessState();
    EXPECT_EQ(Modes.ModeFlags, ChinesePunctuation);
    EXPECT_EQ(Modes.DoubleQuoteToggle, 1);

    // The settings are not the modes' owner: a load changes neither the flags nor the toggles.
    DeleteSettingsKey();
    Modes.ModeFlags = FullWidth;
    ConvertSymbol('"', false, true);
    LoadSettings();
    EXPECT_EQ(Modes.ModeFlags, FullWidth);
    EXPECT_EQ(Modes.DoubleQuoteToggle, 0);
}

}  // namespace
