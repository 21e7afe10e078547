// The word-making dialog's rules: lines, "确定", edits of the list, restore and close, the boxes,
// the modes, the commands, the texts and the file dialogs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "dict/tables.h"
#include "settings/settings.h"
#include "ui/dialogs/word_dialog_rules.h"

namespace {

using Lines = std::vector<std::string>;

// The lines of space-separated codes, each with the word "w".
Lines Codes(const std::string& codes) {
    Lines lines;
    for (std::size_t at = 0; at < codes.size();) {
        const std::size_t end = std::min(codes.find(' ', at), codes.size());
        lines.push_back(DisplayLine(codes.substr(at, end - at), "w"));
        at = end + 1;
    }
    return lines;
}

int NeverExists(const char*, const char*) {
    return 0;
}
int AlwaysExists(const char*, const char*) {
    return 1;
}
void DeriveForTwoChars(const char* word, char* code) {
    std::strcpy(code, std::strlen(word) == 4 ? "aaii" : "");
}
int PrimaryLookup(const char* character, char* code) {
    std::strcpy(code, character[0] != '\0' ? "aaaa" : "");
    return character[0] != '\0';
}
int SecondaryLookup(const char*, char* code) {
    std::strcpy(code, "dses");
    return 1;
}

TEST(WordDialogLinesTest, DisplayLinesPadTheCodeAndSplitLikeTheReader) {
    EXPECT_EQ(DisplayLine("ab", Gbk("工人")), "ab       " + Gbk("工人"));
    EXPECT_EQ(DisplayLine("abcd", "w"), "abcd     w");
    // clang-format off
    const struct { std::string line, code, word; } rows[] = {
        {"ab       w", "ab", "w"}, {"ab  x y", "ab", "y"}, {"abc", "abc", ""}, {"ab ", "ab", ""}};
    // clang-format on
    for (const auto& row : rows) {
        const LineParts parts = SplitDisplayLine(row.line);
        EXPECT_EQ(parts.code + "|" + parts.word, row.code + "|" + row.word) << row.line;
    }
}

TEST(WordDialogListTest, OpeningReversesTheTableAndClosingWritesTheListOrder) {
    DictEntry table[5] = {{"aa", "w"}, {"bb", "w"}, {"cc", "w"}, {}, {"dd", "w"}};
    WordListState state = OpenWordList(table, 5);
    EXPECT_EQ(state.lines, Codes("cc bb aa"));
    EXPECT_FALSE(PlanClose(state).writeUserFile);
    EXPECT_TRUE(DeleteLine(state, 1));
    EXPECT_TRUE(PlanClose(state).writeUserFile && PlanClose(state).reloadUserFile);
    EXPECT_EQ(UserFileBytes(state.lines), "cc       w\r\naa       w\r\n");
    EXPECT_FALSE(AfterUserFileWrite(false).endDialog);
    EXPECT_EQ(AfterUserFileWrite(false).message, kFileErrorText);
    EXPECT_TRUE(AfterUserFileWrite(true).endDialog);
}

TEST(WordDialogListTest, DeleteAndModifyKeepEditIndexOnItsLine) {
    // clang-format off
    const struct { int editIndex, selected; bool removed; int editIndexAfter; } rows[] = {
        {2, 0, true, 1}, {0, 2, true, 0}, {1, 1, true, -1}, {1, -1, false, 1}, {-1, 3, false, -1}};
    // clang-format on
    for (const auto& row : rows) {
        WordListState state{{"a", "b", "c"}, row.editIndex, false, false};
        EXPECT_EQ(DeleteLine(state, row.selected), row.removed) << row.selected;
        EXPECT_EQ(state.editIndex, row.editIndexAfter) << row.selected;
        EXPECT_TRUE(state.changed) << "a delete counts as a change even with nothing selected";
    }
    WordListState state{Codes("aa ab"), -1, false, false};
    EXPECT_FALSE(LoadLineForEdit(state, -1).loaded || LoadLineForEdit(state, 2).loaded);
    const EditLoad load = LoadLineForEdit(state, 1);
    EXPECT_TRUE(load.loaded);
    EXPECT_EQ(load.code + "|" + load.word, "ab|w");
    EXPECT_EQ(state.editIndex, 1);
}

TEST(WordDialogConfirmTest, ConfirmFollowsTheInsertionRules) {
    using O = ConfirmOutcome;
    const char* const input = kInputErrorText;
    const char* const exists = kWordExistsText;
    // clang-format off
    const struct {
        const char* lines; int editIndex; const char* word; const char* code; bool inTables;
        O outcome; const char* message; bool emptyBoxes; int position; const char* after;
    } rows[] = {
        {"aa", -1, "", "ab", false, O::InputError, input, true, -1, "aa"},
        {"aa", 0, "w", "", false, O::InputError, input, true, -1, "aa"},
        {"aa", -1, "w x", "ab", false, O::NotPlain, kWordNotPlainText, false, -1, "aa"},
        {"aa", 0, "w", "ac", true, O::AlreadyExists, exists, true, -1, "aa"},
        {"aa ba", 1, "w", "bb", false, O::Replaced, nullptr, true, 1, "aa bb"},
        {"ba", 4, "w", "ca", false, O::Added, nullptr, true, 1, "ba ca"},  // a stale EditIndex
        {"aa ba", -1, "w", "ba", false, O::AlreadyExists, exists, true, -1, "aa ba"},
        {"ba aa ab da", -1, "w", "ac", false, O::Inserted, nullptr, false, 3, "ba aa ab ac da"},
        {"ba aa", -1, "w", "ac", false, O::Added, nullptr, true, 2, "ba aa ac"},  // run ends list
        {"aa da", -1, "w", "ca", false, O::Added, nullptr, true, 1, "aa ca da"},
        {"", -1, "w", "cabcd", false, O::Added, nullptr, true, 0, "cabc"},  // a pasted code
    };
    // clang-format on
    for (const auto& row : rows) {
        WordListState state{Codes(row.lines), row.editIndex, false, false};
        const ConfirmResult result =
            ConfirmWord(state, row.word, row.code, row.inTables ? AlwaysExists : NeverExists);
        const std::string name = std::string(row.lines) + " + " + row.code;
        EXPECT_EQ(result.outcome, row.outcome) << name;
        EXPECT_EQ(result.message, row.message) << name;
        EXPECT_EQ(result.emptyBoxes, row.emptyBoxes) << name;
        EXPECT_EQ(result.position, row.position) << name;
        EXPECT_EQ(state.lines, Codes(row.after)) << name;
        EXPECT_EQ(state.changed, row.position >= 0) << name;
        EXPECT_EQ(state.editIndex, row.position >= 0 ? -1 : row.editIndex) << name;
    }
}

TEST(WordDialogConfirmTest, AFullListTakesNoMoreWordsButStillReplaces) {
    WordListState state;
    for (std::size_t i = 0; i < kWordListCapacity; ++i) {
        state.lines.push_back(DisplayLine("a", std::to_string(i)));
    }
    ConfirmResult result = ConfirmWord(state, "w", "b", NeverExists);
    EXPECT_EQ(result.outcome, ConfirmOutcome::ListFull);
    EXPECT_EQ(result.message, kWordListFullText);
    EXPECT_EQ(state.lines.size(), kWordListCapacity);
    state.editIndex = 7;
    EXPECT_EQ(ConfirmWord(state, "w", "b", NeverExists).outcome, ConfirmOutcome::Replaced);
    EXPECT_EQ(state.lines[7], DisplayLine("b", "w"));
}

TEST(WordDialogRestoreTest, RestoreSortsKeepsTheFirstTenThousandAndCountsAsAChange) {
    const RestorePlan small =
        PlanRestore("zz_" + Gbk("工") + "\r\n\r\nab_c_w\r\nAB_" + Gbk("人"), kCodeSetPrimary);
    ASSERT_EQ(small.entries.size(), 2u);
    EXPECT_STREQ(small.entries[0].word, Gbk("工").c_str());
    EXPECT_EQ(small.lines, (Lines{DisplayLine("ab", "w"), DisplayLine("zz", Gbk("工"))}));
    EXPECT_EQ(small.leftOut, 0u);
    EXPECT_EQ(RestoreLeftOutMessage(0), "");

    std::string bytes;
    for (std::size_t i = 0; i < kUserTableCapacity + 3; ++i) {
        bytes += (i % 2 == 0 ? "b_" : "a_") + std::to_string(i) + "\r\n";
    }
    const RestorePlan big = PlanRestore(bytes, kCodeSetPrimary);
    ASSERT_EQ(big.entries.size(), kUserTableCapacity);
    EXPECT_STREQ(big.entries.back().word, std::to_string(kUserTableCapacity - 1).c_str());
    EXPECT_EQ(big.leftOut, 3u);
    EXPECT_EQ(RestoreLeftOutMessage(3), Gbk("备份文件中有3条词语超出词库容量，未能恢复。"));
    EXPECT_TRUE(std::is_sorted(big.lines.begin(), big.lines.end()));
    // However many lines a backup has, no more than a table's worth is kept in memory: the
    // same plan from a hundred times the lines.
    std::string huge;
    for (int copy = 0; copy < 100; ++copy) {
        huge += bytes;
    }
    EXPECT_EQ(PlanRestore(huge, kCodeSetPrimary).leftOut,
              100 * (kUserTableCapacity + 3) - kUserTableCapacity);

    static DictEntry table[kUserTableCapacity];
    std::memset(table, 'x', sizeof table);
    CopyRestoredEntries(small, table, kUserTableCapacity);
    EXPECT_STREQ(table[0].code, "zz");
    EXPECT_TRUE(IsEmptyEntry(table[2]));
    EXPECT_EQ(table[kUserTableCapacity - 1].word[5], '\0');

    WordListState state{{"x"}, 0, false, false};
    EXPECT_FALSE(PlanCancel(state).reloadUserFile);
    ApplyRestore(state, small);
    EXPECT_EQ(state.lines, small.lines);
    EXPECT_EQ(state.editIndex, -1);
    EXPECT_TRUE(PlanClose(state).writeUserFile);
    EXPECT_FALSE(PlanCancel(state).writeUserFile);
    EXPECT_TRUE(PlanCancel(state).reloadUserFile);
}

TEST(WordDialogBoxesTest, WordBoxTakesWholeCharactersOnly) {
    std::string long60;
    for (int i = 0; i < 30; ++i) {
        long60 += Gbk("工");
    }
    const std::string cut = long60.substr(0, 50), zhong = Gbk("中");
    // clang-format off
    const struct { std::string before, typed; bool setBox; std::string box, after; } rows[] = {
        {"", "a", true, "", ""}, {"", zhong, false, zhong, zhong},
        {zhong, zhong + "a", true, zhong, zhong}, {"", "a" + zhong, true, "", ""},
        {"", long60, true, cut, cut}, {zhong + zhong, zhong, false, zhong, zhong}};
    // clang-format on
    for (const auto& row : rows) {
        std::string wordEditText = row.before;
        const BoxUpdate update = WordTextChanged(row.typed, wordEditText);
        EXPECT_EQ(update.setBox, row.setBox) << Utf8(row.typed);
        EXPECT_EQ(update.text, row.box) << Utf8(row.typed);
        EXPECT_EQ(wordEditText, row.after) << Utf8(row.typed);
    }
    // clang-format off
    const struct { std::string box; bool setBox; std::string code; } leaving[] = {
        {Gbk("工人"), true, "aaii"}, {"", false, ""}, {"abc", false, ""}, {Gbk("工人民"), false, ""}};
    // clang-format on
    for (const auto& row : leaving) {
        std::string wordEditText;
        const BoxUpdate update = WordFocusLost(row.box, wordEditText, DeriveForTwoChars);
        EXPECT_EQ(update.setBox, row.setBox) << Utf8(row.box);
        EXPECT_EQ(update.text, row.code) << Utf8(row.box);
        EXPECT_EQ(wordEditText, row.box);
    }
}

TEST(WordDialogBoxesTest, CodeAndCharacterBoxesKeepWhatTheyMayHold) {
    const std::int32_t p = kCodeSetPrimary, s = kCodeSetSecondary;
    // clang-format off
    const struct { const char* box; std::int32_t set; bool setBox; const char* kept; } codes[] = {
        {"ab;/", p, true, "ab"}, {"ab;/", s, false, "ab;/"}, {"aB1c", p, true, "ac"},
        {"abcdef", s, true, "abcd"}, {"", p, false, ""},
        {"\x81\x61z", p, true, "z"}};  // a trail byte that looks like 'a'
    // clang-format on
    for (const auto& row : codes) {
        const BoxUpdate update = CodeTextChanged(row.box, row.set);
        EXPECT_EQ(update.setBox, row.setBox) << row.box << " " << row.set;
        EXPECT_EQ(update.text, row.kept) << row.box << " " << row.set;
    }
    const std::string zhong = Gbk("中");
    // clang-format off
    const struct { std::string box; bool setBox; std::string kept; } chars[] = {
        {zhong + zhong, true, zhong}, {"ab", false, "ab"}, {"a" + zhong, true, "a"},
        {zhong, false, zhong}};
    // clang-format on
    for (const auto& row : chars) {
        const BoxUpdate update = CharFocusLost(row.box);
        EXPECT_EQ(update.setBox, row.setBox) << Utf8(row.box);
        EXPECT_EQ(update.text, row.kept) << Utf8(row.box);
    }
    EXPECT_EQ(CharTextChanged(Gbk("一二三四五")).text, Gbk("一二三四"));
    EXPECT_FALSE(CharTextChanged(Gbk("一二三四")).setBox);

    EXPECT_EQ(LookupSingleChar(zhong, p, PrimaryLookup, SecondaryLookup).code, "aaaa");
    EXPECT_EQ(LookupSingleChar(zhong, s, PrimaryLookup, SecondaryLookup).code, "dses");
    const CharLookup missing = LookupSingleChar("", p, PrimaryLookup, nullptr);
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.message, kCharWithoutCodeText);
}

TEST(WordDialogModesTest, OnlyTheCodeBoxTypesEnglish) {
    for (int control : {IDC_WORD_EDIT, IDC_WORD_CODE_EDIT, IDC_CHAR_EDIT, IDC_CHAR_CODE}) {
        for (bool open : {false, true}) {
            const ModeChange change = EditFocusModes(control, open);
            EXPECT_EQ(change.clearCode, open);
            EXPECT_EQ(change.englishMode, control == IDC_WORD_CODE_EDIT) << control;
            EXPECT_NE(change.chinesePunctuation, change.englishMode) << control;
        }
    }
    const ModeChange leaving = LeavingDialogModes(true);
    EXPECT_TRUE(leaving.clearCode && !leaving.englishMode && leaving.chinesePunctuation);
    for (std::int32_t codeSet : {kCodeSetPrimary, kCodeSetSecondary}) {
        EXPECT_EQ(CodeSetBoxes(codeSet).primary, codeSet == kCodeSetPrimary);
        EXPECT_NE(CodeSetBoxes(codeSet).secondary, CodeSetBoxes(codeSet).primary);
    }
}

TEST(WordDialogCommandsTest, ButtonsActOnPlainClicksOnly) {
    auto edit = [](int id, std::uintptr_t code) { return (code << 16) | std::uintptr_t(id); };
    using C = WordDialogCommand;
    // clang-format off
    const struct { std::uintptr_t wParam; C command; } rows[] = {
        {IDC_WORD_MODIFY, C::Modify}, {IDC_WORD_DELETE, C::Delete}, {IDC_WORD_CONFIRM, C::Confirm},
        {edit(IDC_WORD_CONFIRM, 5), C::None},  // a double click
        {IDC_CHAR_LOOKUP, C::LookupChar}, {IDC_WORD_PRIMARY, C::CodeSetBox},
        {IDC_WORD_SECONDARY, C::CodeSetBox}, {IDC_BACKUP, C::Backup}, {IDC_RESTORE, C::Restore},
        {IDC_WORD_CLOSE, C::Close}, {2, C::Cancel}, {1, C::None},
        {edit(IDC_CHAR_CODE, 0x100), C::EditFocus},
        {edit(IDC_WORD_CODE_EDIT, 0x100), C::EditFocus},
        {edit(IDC_WORD_LIST, 0x100), C::None}, {edit(IDC_WORD_CODE_EDIT, 0x200), C::None},
        {edit(IDC_WORD_EDIT, 0x300), C::WordChanged},
        {edit(IDC_WORD_EDIT, 0x200), C::WordFocusLost},
        {edit(IDC_WORD_CODE_EDIT, 0x300), C::CodeChanged},
        {edit(IDC_CHAR_EDIT, 0x300), C::CharChanged}, {edit(IDC_CHAR_EDIT, 0x200), C::CharFocusLost},
    };
    // clang-format on
    for (const auto& row : rows) {
        EXPECT_EQ(ClassifyWordDialogCommand(row.wParam), row.command) << std::hex << row.wParam;
    }
}

TEST(WordDialogTextsTest, TextsFiltersAndFlags) {
    // clang-format off
    const struct { const char* text; const char* utf8; } rows[] = {
        {kNoticeCaption, "提示"}, {kInputErrorText, "输入有误!"},
        {kWordExistsText, "该词组已经存在，您不用添加!"}, {kFileErrorText, "打开文件错误!"},
        {kCharWithoutCodeText, "该汉字并未录入，没有外码!"},
        {kWordListFullText, "词库已满（最多10000条），不能再添加!"},
        {kWordNotPlainText, "词语中不能含有空格或控制字符!"}};
    // clang-format on
    for (const auto& row : rows) {
        EXPECT_EQ(std::string(row.text), Gbk(row.utf8)) << row.utf8;
    }
    const std::string filter(kBackupFilter, sizeof kBackupFilter);
    EXPECT_EQ(filter, Gbk("所有文件(*.*)") + '\0' + "*.*" + '\0' + Gbk("编码词条备份文件(.mbk)") +
                          '\0' + "*.mbk" + '\0' + '\0');
    EXPECT_TRUE(kRestoreDialogFlags & kOfnFileMustExist);
    EXPECT_FALSE(kBackupDialogFlags & kOfnFileMustExist);
    EXPECT_TRUE(kBackupDialogFlags & kOfnOverwritePrompt);
    EXPECT_TRUE(kBackupDialogFlags & kRestoreDialogFlags & kOfnPathMustExist);
}

}  // namespace
