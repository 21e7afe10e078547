#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "keys/soft_keyboard.h"

namespace {

// The layouts as the soft-keyboard menu documents them, in UTF-8, "--" for an empty cell.
struct LayoutRow {
    int layout;
    bool shifted;
    const char* cells;
};

const LayoutRow kRows[] = {
    {1, false,
     "　 ０ １ ２ ３ ４ ５ ６ ７ ８ ９ ａ ｂ ｃ ｄ ｅ ｆ ｇ ｈ ｉ ｊ ｋ ｌ ｍ ｎ ｏ ｐ ｑ ｒ ｓ ｔ "
     "ｕ ｖ ｗ ｘ ｙ ｚ ； ＝ ， － ． ／ ｀ ［ ＼ ］ ＇"},
    {1, true,
     "　 ） ！ ＠ ＃ ＄ ％ ＾ ＆ ＊ （ Ａ Ｂ Ｃ Ｄ Ｅ Ｆ Ｇ Ｈ Ｉ Ｊ Ｋ Ｌ Ｍ Ｎ Ｏ Ｐ Ｑ Ｒ Ｓ Ｔ "
     "Ｕ Ｖ Ｗ Ｘ Ｙ Ｚ ： ＋ ＜ ＿ ＞ ？ ～ ｛ ｜ ｝ ＂"},
    {2, false,
     "　 -- -- -- -- -- -- -- -- -- -- κ χ υ μ γ ν ξ ο θ π ρ -- ω ψ ι -- α δ λ ε η φ β τ ζ σ -- -- "
     "-- -- -- -- -- -- -- -- --"},
    {2, true,
     "-- -- -- -- -- -- -- -- -- -- -- Κ Χ Υ Μ Γ Ν Ξ Ο Θ Π Ρ -- Ω Ψ Ι -- Α Δ Λ Ε Η Φ Β Τ Ζ Σ -- -- "
     "-- -- -- -- -- -- -- -- --"},
    {3, false,
     "　 -- -- -- -- -- -- -- -- -- -- л ъ ш н в о п р ж с т у ь ы з и а г м д ё щ б ч е ц ф -- э "
     "-- ю я -- й -- к х"},
    {3, true,
     "-- -- -- -- -- -- -- -- -- -- -- Л Ъ Ш Н В О П Р Ж С Т У Ь Ы З И А Г М Д Ё Щ Б Ч Е Ц Ф -- Э "
     "-- Ю Я -- Й -- К Х"},
    {4, false,
     "　 ㄦ ㄉ -- -- ㄓ -- -- ㄚ ㄞ ㄢ ㄇ ㄖ ㄏ ㄎ ㄍ ㄑ ㄕ ㄘ ㄛ ㄨ ㄜ ㄠ ㄩ ㄙ ㄟ ㄣ ㄆ ㄐ ㄋ ㄔ "
     "ㄧ ㄒ ㄊ -- ㄗ ㄈ ㄤ -- ㄝ -- ㄡ ㄥ ㄅ -- -- -- --"},
    {4, true,
     "-- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- "
     "-- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- --"},
    {5, false,
     "　 -- -- -- -- -- -- -- -- -- -- ē -- ǔ ě ǎ è -- ī ǒ í ǐ ì ǘ ǖ ò -- ā à é -- ó ù á ú ō ū -- "
     "-- ǚ -- ǜ ü -- ê -- -- --"},
    {5, true,
     "-- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- "
     "-- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- --"},
    {6, false,
     "　 -- ぃ ぅ ぇ ぉ か き く け こ な も む ぬ す ね の は つ ひ ふ へ ゅ ゃ っ て さ せ に そ "
     "ち め し み た ま ほ -- ょ ん ゎ を ぁ と -- ゐ ゑ"},
    {6, true,
     "-- -- い う え お が ぎ ぐ げ ご ぱ ろ る ぷ ず ぺ ぽ ぼ づ び ぶ べ ゆ や -- で ざ ぜ ぴ ぞ "
     "ぢ れ じ り だ ら ぼ -- よ -- わ -- あ ど -- -- --"},
    {7, false,
     "　 ケ ィ ゥ ヴ ェ ォ カ ヵ キ ク ナ モ ム ヌ ス ネ ノ ハ ツ ヒ フ ヘ ュ ャ ッ テ サ セ ニ ソ "
     "チ メ シ ミ タ マ ホ コ ョ ヶ ヮ ヲ ァ ト ン ヰ ヱ"},
    {7, true,
     "-- ゲ イ ウ -- エ オ ガ -- ギ グ パ ロ ル プ ズ ペ ポ バ ヅ ビ ブ ベ ユ ヤ -- デ ザ ゼ ピ ゾ "
     "ヂ レ ジ リ ダ ラ ボ ゴ ヨ -- ワ -- ア ド -- -- --"},
    {8, false,
     "　 ˉ ， 、 ； ： ？ ！ … — · 〔 （ 【 〈 “ 〉 《 》 ∶ 「 」 『 ［ ） ＂ ＇ ‘ ” 〕 々 ‖ 】 ’ "
     "〗 ～ 〖 』 ¨ ］ ˇ ｛ ｝ 。 ｀ 〃 ｜ ．"},
    {8, true,
     "-- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- "
     "-- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- --"},
    {9, false,
     "　 Ⅺ Ⅱ Ⅲ Ⅳ Ⅴ Ⅵ Ⅶ Ⅷ Ⅸ Ⅹ ㈠ ⑸ ⑶ ㈢ ⒊ ㈣ ㈤ ㈥ ⒏ ㈦ ㈧ ㈨ ⑺ ⑹ ⒐ ⒑ ⒈ ⒋ ㈡ ⒌ ⒎ ⑷ ⒉ ⑵ ⒍ ⑴ ㈩ -- ⑻ "
     "Ⅻ ⑼ ⑽ Ⅰ -- -- -- --"},
    {9, true,
     "-- -- -- -- -- -- -- -- -- -- -- ① ⒂ ⒀ ③ ⒔ ④ ⑤ ⑥ ⒙ ⑦ ⑧ ⑨ ⒄ ⒃ ⒚ ⒛ ⒒ ⒕ ② ⒖ ⒘ ⒁ ⒓ ⑿ ⒗ ⑾ ⑩ -- ⒅ "
     "-- ⒆ ⒇ -- -- -- -- --"},
    {10, false,
     "　 -- ≡ ≠ ＝ ≤ ≥ ＜ ＞ ≮ ≯ ∧ ⊙ ∠ ∑ － ∏ ∪ ∩ ∫ ∈ -- ∵ ∽ ≌ ∮ ∝ ± × ∨ ÷ -- ⌒ ＋ ∥ ／ ⊥ ∴ -- -- "
     "∷ √ -- ≈ ∞ -- -- --"},
    {10, true,
     "-- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- "
     "-- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- --"},
    {11, false,
     "　 ¤ ° ′ ″ ＄ ￡ ￥ ‰ ％ ℃ 百 -- 毫 万 二 亿 兆 吉 七 太 拍 艾 -- -- 八 九 ○ 三 千 四 六 微 "
     "一 厘 五 分 -- -- -- ￠ -- -- -- 十 -- -- --"},
    {11, true,
     "-- -- -- -- -- -- -- -- -- -- -- 佰 -- -- -- 贰 -- -- -- 柒 -- -- -- -- -- 捌 玖 零 叁 仟 肆 "
     "陆 -- 壹 -- 伍 -- -- -- -- -- -- -- -- 拾 -- -- --"},
    {12, false,
     "　 ┄ ┍ ┎ ┏ ┐ ┑ ┒ ┓ -- ─ ┬ ╀ ┾ ┮ ┞ ┯ ┰ ┱ ┣ ┲ ┳ -- ╂ ╁ -- │ ├ ┟ ┭ ┠ ┢ ┿ ┝ ┽ ┡ ┼ -- -- ╃ ┈ -- "
     "-- ┌ ┆ -- ┊ --"},
    {12, true,
     "-- ┅ ┕ ┖ ┗ ┘ ┙ ┚ ┛ -- ━ ┴ ╈ ╆ ┶ ┦ ┷ ┸ ┹ ┫ ┺ ┻ -- ╊ ╉ -- ┃ ┤ ┧ ┵ ┨ ┪ ╇ ┥ ╅ ┩ ╄ -- -- ╋ ┉ -- "
     "-- └ ┇ -- ┋ --"},
    {13, false,
     "　 -- -- -- -- -- -- -- -- -- -- ■ ＾ ＠ ▲ ☆ ※ → ← ◇ ↑ ↓ 〓 ￣ ＿ ◆ □ § ★ △ ○ ◎ ＼ № ＆ ● ＃ "
     "-- -- -- -- -- -- -- -- -- -- --"},
    {13, true,
     "-- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- "
     "-- -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- --"},
};

std::vector<std::string> Cells(const char* text) {
    std::vector<std::string> cells;
    std::istringstream in(text);
    std::string cell;
    while (std::getline(in, cell, ' ')) {
        cells.push_back(cell);
    }
    return cells;
}

TEST(SoftKeyboardTest, EveryCellOfEveryLayoutIsItsCharacterInGbk) {
    int rowsChecked = 0;
    for (const LayoutRow& row : kRows) {
        const std::vector<std::string> cells = Cells(row.cells);
        ASSERT_EQ(cells.size(), 48u) << "layout " << row.layout;
        const SoftKeyboardLayout& layout = SoftKeyboardLayouts[row.layout - 1];
        const char* bytes = row.shifted ? layout.shifted : layout.normal;
        ASSERT_EQ(std::strlen(bytes), 96u) << "layout " << row.layout;
        for (int cell = 0; cell < 48; ++cell) {
            const std::string expected = cells[static_cast<std::size_t>(cell)] == "--"
                                             ? "  "
                                             : Gbk(cells[static_cast<std::size_t>(cell)]);
            ASSERT_EQ(expected.size(), 2u) << cells[static_cast<std::size_t>(cell)];
            EXPECT_EQ(std::string(bytes + 2 * cell, 2), expected)
                << "layout " << row.layout << (row.shifted ? " shifted" : " normal") << " cell "
                << cell << " " << cells[static_cast<std::size_t>(cell)];
            const WORD code = static_cast<WORD>(static_cast<unsigned char>(expected[0]) << 8 |
                                                static_cast<unsigned char>(expected[1]));
            EXPECT_EQ(SoftKeyboardCellCode(row.layout, row.shifted, cell), code);
        }
        ++rowsChecked;
    }
    EXPECT_EQ(rowsChecked, 2 * kSoftKeyboardLayoutCount);
}

TEST(SoftKeyboardTest, SpaceBarCellsAndKnownCharacters) {
    for (int layout = 1; layout <= kSoftKeyboardLayoutCount; ++layout) {
        EXPECT_EQ(SoftKeyboardCellCode(layout, false, 0), 0xA1A1) << "layout " << layout;
        EXPECT_EQ(SoftKeyboardCellCode(layout, true, 0),
                  layout == 1 ? 0xA1A1 : kEmptySoftKeyboardCell)
            << "layout " << layout;
    }
    // The Greek layout puts its letters by keyboard position, not by name: A is κ, Q is α.
    EXPECT_EQ(SoftKeyboardCellCode(2, false, SoftKeyboardCellOf('A')), 0xA6CA);  // κ
    EXPECT_EQ(SoftKeyboardCellCode(2, true, SoftKeyboardCellOf('A')), 0xA6AA);   // Κ
    EXPECT_EQ(SoftKeyboardCellCode(2, false, SoftKeyboardCellOf('Q')), 0xA6C1);  // α
    EXPECT_EQ(SoftKeyboardCellCode(2, true, SoftKeyboardCellOf('Q')), 0xA6A1);   // Α
    EXPECT_EQ(SoftKeyboardCellCode(2, false, SoftKeyboardCellOf('1')), kEmptySoftKeyboardCell);
    EXPECT_EQ(SoftKeyboardCellCode(1, false, SoftKeyboardCellOf('0')), 0xA3B0);  // ０
}

TEST(SoftKeyboardTest, CellCodeOutsideTheLayoutsIsZero) {
    EXPECT_EQ(SoftKeyboardCellCode(0, false, 1), 0);
    EXPECT_EQ(SoftKeyboardCellCode(14, false, 1), 0);
    EXPECT_EQ(SoftKeyboardCellCode(1, false, -1), 0);
    EXPECT_EQ(SoftKeyboardCellCode(1, false, 48), 0);
}

TEST(SoftKeyboardTest, KeyOrderGivesEachKeyItsCellAndOtherKeysTheSpaceBar) {
    EXPECT_EQ(SoftKeyboardCellOf(' '), 0);
    EXPECT_EQ(SoftKeyboardCellOf('0'), 1);
    EXPECT_EQ(SoftKeyboardCellOf('9'), 10);
    EXPECT_EQ(SoftKeyboardCellOf('A'), 11);
    EXPECT_EQ(SoftKeyboardCellOf('Z'), 36);
    EXPECT_EQ(SoftKeyboardCellOf(0xBA), 37);
    EXPECT_EQ(SoftKeyboardCellOf(0xBF), 42);
    EXPECT_EQ(SoftKeyboardCellOf(0xC0), 43);
    EXPECT_EQ(SoftKeyboardCellOf(0xDB), 44);
    EXPECT_EQ(SoftKeyboardCellOf(0xDE), 47);
    for (BYTE other : {BYTE{0x0D}, BYTE{0x60}, BYTE{0xDA}, BYTE{0xE2}, BYTE{'a'}}) {
        EXPECT_EQ(SoftKeyboardCellOf(other), 0) << int{other};
    }
    for (int cell = 0; cell < kSoftKeyboardCellCount; ++cell) {
        EXPECT_EQ(SoftKeyboardCellOf(SoftKeyboardKeyOrder[cell]), cell);
    }
}

}  // namespace
