#include "engine/symbol_table.h"

// GBK texts as bytes; each row's comment shows them as characters, in column order.
const SymbolRow SymbolTable[kSymbolRowCount] = {
    {'!', "\xA3\xA1", "\xA3\xA1", "\xA3\xA1"},  // 0: ！ / ！ / ！
    {' ', "\xA1\xA1", "\xA1\xA1", " "},         // 1: ideographic space / ideographic space / space
    {'@', "\xA1\xA4", "\xA3\xC0", "\xA1\xA4"},  // 2: · / ＠ / ·
    {'#', "\xA3\xA3", "\xA3\xA3", "#"},         // 3: ＃ / ＃ / #
    {'$', "\xA3\xA4", "\xA1\xE7", "\xA3\xA4"},  // 4: ￥ / ＄ / ￥
    {'%', "\xA3\xA5", "\xA3\xA5", "%"},         // 5: ％ / ％ / %
    {'^', "\xA1\xAD\xA1\xAD", "\xA3\xDE", "\xA1\xAD\xA1\xAD"},  // 6: …… / ＾ / ……
    {'&', "\xA1\xAA", "\xA3\xA6", "\xA1\xAA"},                  // 7: — / ＆ / —
    {'*', "\xA3\xAA", "\xA3\xAA", "*"},                         // 8: ＊ / ＊ / *
    {'(', "\xA3\xA8", "\xA3\xA8", "\xA3\xA8"},                  // 9: （ / （ / （
    {')', "\xA3\xA9", "\xA3\xA9", "\xA3\xA9"},                  // 10: ） / ） / ）
    {'_', "\xA1\xAA", "\xA3\xDF", "\xA1\xAA\xA1\xAA"},          // 11: — / ＿ / ——
    {'+', "\xA3\xAB", "\xA3\xAB", "+"},                         // 12: ＋ / ＋ / +
    {'{', "\xA3\xFB", "\xA3\xFB", "{"},                         // 13: ｛ / ｛ / {
    {'}', "\xA3\xFD", "\xA3\xFD", "}"},                         // 14: ｝ / ｝ / }
    {'|', "\xA3\xFC", "\xA3\xFC", "|"},                         // 15: ｜ / ｜ / |
    {':', "\xA3\xBA", "\xA3\xBA", "\xA3\xBA"},                  // 16: ： / ： / ：
    {'"', "\xA1\xB1", "\xA3\xA2", "\xA1\xB1"},                  // 17: ” / ＂ / ”
    {'<', "\xA1\xB6", "\xA3\xBC", "\xA1\xB6"},                  // 18: 《 / ＜ / 《
    {'>', "\xA1\xB7", "\xA3\xBE", "\xA1\xB7"},                  // 19: 》 / ＞ / 》
    {'?', "\xA3\xBF", "\xA3\xBF", "\xA3\xBF"},                  // 20: ？ / ？ / ？
    {'~', "\xA1\xAB", "\xA1\xAB", "~"},                         // 21: ～ / ～ / ~
    {'-', "\xA3\xAD", "\xA3\xAD", "-"},                         // 22: － / － / -
    {'=', "\xA3\xBD", "\xA3\xBD", "="},                         // 23: ＝ / ＝ / =
    {'[', "\xA3\xDB", "\xA3\xDB", "["},                         // 24: ［ / ［ / [
    {']', "\xA3\xDD", "\xA3\xDD", "]"},                         // 25: ］ / ］ / ]
    {'\\', "\xA1\xA2", "\xA3\xDC", "\xA1\xA2"},                 // 26: 、 / ＼ / 、
    {';', "\xA3\xBB", "\xA3\xBB", "\xA3\xBB"},                  // 27: ； / ； / ；
    {'\'', "\xA1\xAF", "\xA3\xA7", "\xA1\xAF"},                 // 28: ’ / ＇ / ’
    {',', "\xA3\xAC", "\xA3\xAC", "\xA3\xAC"},                  // 29: ， / ， / ，
    {'.', "\xA1\xA3", "\xA3\xAE", "\xA1\xA3"},                  // 30: 。 / ． / 。
    {'/', "\xA3\xAF", "\xA3\xAF", "/"},                         // 31: ／ / ／ / /
    {'`', "\xA3\xE0", "\xA3\xE0", "`"},                         // 32: ｀ / ｀ / `
    {'0', "\xA3\xB0", "\xA3\xB0", "0"},                         // 33: ０ / ０ / 0
    {'1', "\xA3\xB1", "\xA3\xB1", "1"},                         // 34: １ / １ / 1
    {'2', "\xA3\xB2", "\xA3\xB2", "2"},                         // 35: ２ / ２ / 2
    {'3', "\xA3\xB3", "\xA3\xB3", "3"},                         // 36: ３ / ３ / 3
    {'4', "\xA3\xB4", "\xA3\xB4", "4"},                         // 37: ４ / ４ / 4
    {'5', "\xA3\xB5", "\xA3\xB5", "5"},                         // 38: ５ / ５ / 5
    {'6', "\xA3\xB6", "\xA3\xB6", "6"},                         // 39: ６ / ６ / 6
    {'7', "\xA3\xB7", "\xA3\xB7", "7"},                         // 40: ７ / ７ / 7
    {'8', "\xA3\xB8", "\xA3\xB8", "8"},                         // 41: ８ / ８ / 8
    {'9', "\xA3\xB9", "\xA3\xB9", "9"},                         // 42: ９ / ９ / 9
    {'a', "\xA3\xE1", "\xA3\xE1", "a"},                         // 43: ａ / ａ / a
    {'b', "\xA3\xE2", "\xA3\xE2", "b"},                         // 44: ｂ / ｂ / b
    {'c', "\xA3\xE3", "\xA3\xE3", "c"},                         // 45: ｃ / ｃ / c
    {'d', "\xA3\xE4", "\xA3\xE4", "d"},                         // 46: ｄ / ｄ / d
    {'e', "\xA3\xE5", "\xA3\xE5", "e"},                         // 47: ｅ / ｅ / e
    {'f', "\xA3\xE6", "\xA3\xE6", "f"},                         // 48: ｆ / ｆ / f
    {'g', "\xA3\xE7", "\xA3\xE7", "g"},                         // 49: ｇ / ｇ / g
    {'h', "\xA3\xE8", "\xA3\xE8", "h"},                         // 50: ｈ / ｈ / h
    {'i', "\xA3\xE9", "\xA3\xE9", "i"},                         // 51: ｉ / ｉ / i
    {'j', "\xA3\xEA", "\xA3\xEA", "j"},                         // 52: ｊ / ｊ / j
    {'k', "\xA3\xEB", "\xA3\xEB", "k"},                         // 53: ｋ / ｋ / k
    {'l', "\xA3\xEC", "\xA3\xEC", "l"},                         // 54: ｌ / ｌ / l
    {'m', "\xA3\xED", "\xA3\xED", "m"},                         // 55: ｍ / ｍ / m
    {'n', "\xA3\xEE", "\xA3\xEE", "n"},                         // 56: ｎ / ｎ / n
    {'o', "\xA3\xEF", "\xA3\xEF", "o"},                         // 57: ｏ / ｏ / o
    {'p', "\xA3\xF0", "\xA3\xF0", "p"},                         // 58: ｐ / ｐ / p
    {'q', "\xA3\xF1", "\xA3\xF1", "q"},                         // 59: ｑ / ｑ / q
    {'r', "\xA3\xF2", "\xA3\xF2", "r"},                         // 60: ｒ / ｒ / r
    {'s', "\xA3\xF3", "\xA3\xF3", "s"},                         // 61: ｓ / ｓ / s
    {'t', "\xA3\xF4", "\xA3\xF4", "t"},                         // 62: ｔ / ｔ / t
    {'u', "\xA3\xF5", "\xA3\xF5", "u"},                         // 63: ｕ / ｕ / u
    {'v', "\xA3\xF6", "\xA3\xF6", "v"},                         // 64: ｖ / ｖ / v
    {'w', "\xA3\xF7", "\xA3\xF7", "w"},                         // 65: ｗ / ｗ / w
    {'x', "\xA3\xF8", "\xA3\xF8", "x"},                         // 66: ｘ / ｘ / x
    {'y', "\xA3\xF9", "\xA3\xF9", "y"},                         // 67: ｙ / ｙ / y
    {'z', "\xA3\xFA", "\xA3\xFA", "z"},                         // 68: ｚ / ｚ / z
    {'A', "\xA3\xC1", "\xA3\xC1", "A"},                         // 69: Ａ / Ａ / A
    {'B', "\xA3\xC2", "\xA3\xC2", "B"},                         // 70: Ｂ / Ｂ / B
    {'C', "\xA3\xC3", "\xA3\xC3", "C"},                         // 71: Ｃ / Ｃ / C
    {'D', "\xA3\xC4", "\xA3\xC4", "D"},                         // 72: Ｄ / Ｄ / D
    {'E', "\xA3\xC5", "\xA3\xC5", "E"},                         // 73: Ｅ / Ｅ / E
    {'F', "\xA3\xC6", "\xA3\xC6", "F"},                         // 74: Ｆ / Ｆ / F
    {'G', "\xA3\xC7", "\xA3\xC7", "G"},                         // 75: Ｇ / Ｇ / G
    {'H', "\xA3\xC8", "\xA3\xC8", "H"},                         // 76: Ｈ / Ｈ / H
    {'I', "\xA3\xC9", "\xA3\xC9", "I"},                         // 77: Ｉ / Ｉ / I
    {'J', "\xA3\xCA", "\xA3\xCA", "J"},                         // 78: Ｊ / Ｊ / J
    {'K', "\xA3\xCB", "\xA3\xCB", "K"},                         // 79: Ｋ / Ｋ / K
    {'L', "\xA3\xCC", "\xA3\xCC", "L"},                         // 80: Ｌ / Ｌ / L
    {'M', "\xA3\xCD", "\xA3\xCD", "M"},                         // 81: Ｍ / Ｍ / M
    {'N', "\xA3\xCE", "\xA3\xCE", "N"},                         // 82: Ｎ / Ｎ / N
    {'O', "\xA3\xCF", "\xA3\xCF", "O"},                         // 83: Ｏ / Ｏ / O
    {'P', "\xA3\xD0", "\xA3\xD0", "P"},                         // 84: Ｐ / Ｐ / P
    {'Q', "\xA3\xD1", "\xA3\xD1", "Q"},                         // 85: Ｑ / Ｑ / Q
    {'R', "\xA3\xD2", "\xA3\xD2", "R"},                         // 86: Ｒ / Ｒ / R
    {'S', "\xA3\xD3", "\xA3\xD3", "S"},                         // 87: Ｓ / Ｓ / S
    {'T', "\xA3\xD4", "\xA3\xD4", "T"},                         // 88: Ｔ / Ｔ / T
    {'U', "\xA3\xD5", "\xA3\xD5", "U"},                         // 89: Ｕ / Ｕ / U
    {'V', "\xA3\xD6", "\xA3\xD6", "V"},                         // 90: Ｖ / Ｖ / V
    {'W', "\xA3\xD7", "\xA3\xD7", "W"},                         // 91: Ｗ / Ｗ / W
    {'X', "\xA3\xD8", "\xA3\xD8", "X"},                         // 92: Ｘ / Ｘ / X
    {'Y', "\xA3\xD9", "\xA3\xD9", "Y"},                         // 93: Ｙ / Ｙ / Y
    {'Z', "\xA3\xDA", "\xA3\xDA", "Z"},                         // 94: Ｚ / Ｚ / Z
};

const char kOpeningSingleQuote[] = "\xA1\xAE";  // ‘
const char kOpeningDoubleQuote[] = "\xA1\xB0";  // “

const SymbolRow* FindSymbolRow(std::uint16_t ch, int rowCount) {
    // Keys compare as signed bytes: only ASCII can match, whatever the high byte says.
    const signed char key = static_cast<signed char>(ch & 0xFF);
    for (int row = 0; row < rowCount && row < kSymbolRowCount; ++row) {
        if (static_cast<signed char>(SymbolTable[row].key) == key) {
            return &SymbolTable[row];
        }
    }
    return nullptr;
}

bool IsPunctuationKey(std::uint16_t ch) {
    return FindSymbolRow(ch, kPunctuationRowCount) != nullptr;
}

bool FindSymbol(std::uint16_t ch) {
    return FindSymbolRow(ch) != nullptr;
}
