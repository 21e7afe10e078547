// The key entry driven as IMM32 drives it: every key a press and a release through ImeProcessKey
// and ImeToAsciiEx, the application a text box. One group of tests per row of the Chinese-mode
// key map, then the edge cases.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/online_word_state.h"
#include "dict/tables.h"
#include "engine/conversion_state.h"
#include "context/input_context.h"
#include "keys/key_entry.h"
#include "engine/mode_state.h"
#include "engine/symbol_conversion.h"
#include "settings/settings.h"
#include "support/key_session.h"
#include "context/message_queue.h"
#include "context/process_facts.h"

namespace {

using Texts = std::vector<std::string>;

const WordList kMain = {
    {"ab", "工"}, {"ab", "中"}, {"ab", "人"},   {"abc", "工人"}, {"b", "不"},
    {"bx", "吧"}, {"cd", "此"}, {"cx", "此外"}, {"g", "一"},     {"g", "二"},
    {"g", "三"},  {"g", "四"},  {"g", "五"},    {"g", "六"},     {"g", "七"},
    {"g", "八"},  {"g", "九"},  {"g", "十"},    {"g", "百"},     {"g", "千"},
};

class KeyEntryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Settings.WordAssociation = 0;
        keys.engine().UseWords(kMain);
    }
    Texts Candidates() { return keys.engine().Candidates(); }
    DWORD PageStart() { return keys.engine().List()->dwPageStart; }
    KeySession keys;
};

// --- Code keys --------------------------------------------------------------------------------

TEST_F(KeyEntryTest, CodeKeysStartAndExtendACode) {
    EXPECT_EQ(keys.Type("a"), "");
    EXPECT_TRUE(keys.Last().taken);
    EXPECT_STREQ(Conversion.CodeBuffer, "a");
    ASSERT_FALSE(keys.Last().messages.empty());
    EXPECT_EQ(keys.Last().messages.front(), "WM_IME_STARTCOMPOSITION");
    keys.Type("b");
    EXPECT_STREQ(Conversion.CodeBuffer, "ab");
    EXPECT_EQ(Candidates(), (Texts{"工", "中", "人", "工人c"}));
    EXPECT_EQ(keys.Last().messages,
              (Texts{"WM_IME_COMPOSITION 0x1BF", "WM_IME_NOTIFY IMN_OPENCANDIDATE",
                     "WM_IME_NOTIFY IMN_CHANGECANDIDATE"}));
    EXPECT_EQ(keys.Text(), "");
}

// --- Punctuation keys -------------------------------------------------------------------------

TEST_F(KeyEntryTest, PunctuationWithoutCodeCommitsTheConvertedSymbol) {
    EXPECT_EQ(keys.Type(","), "，");
    EXPECT_EQ(keys.Last().messages, (Texts{"WM_IME_STARTCOMPOSITION", "WM_IME_COMPOSITION 0x800",
                                           "WM_IME_ENDCOMPOSITION"}));
    EXPECT_EQ(keys.Type("\\"), "、");
    SetMode(ChinesePunctuation, false);
    EXPECT_EQ(keys.Type(","), ",");
    SetMode(FullWidth, true);
    EXPECT_EQ(keys.Type(","), "，");
    EXPECT_EQ(keys.Text(), "，、,，");
}

TEST_F(KeyEntryTest, PunctuationAfterACodeCommitsTheFirstCandidateAndTheSymbol) {
    EXPECT_EQ(keys.Type("ab,"), "工，");
    EXPECT_EQ(Conversion.CodeLength, 0);
    EXPECT_EQ(Conversion.CandidateCount, 2);
}

// --- '=' and '-' ------------------------------------------------------------------------------

TEST_F(KeyEntryTest, EqualsAndMinusCommitWithoutCandidatesAndPageWithThem) {
    EXPECT_EQ(keys.Type("=-"), "=-");
    keys.Type("g");
    ASSERT_EQ(Conversion.CandidateCount, 14);
    keys.Type("=");
    EXPECT_EQ(PageStart(), 12u);
    keys.Type("-");
    EXPECT_EQ(PageStart(), 2u);
    EXPECT_EQ(keys.Text(), "=-");
}

// --- ',' and '.' ------------------------------------------------------------------------------

TEST_F(KeyEntryTest, CommaAndPeriodPageWithCommaPeriodPaging) {
    Settings.CommaPeriodPaging = 1;
    keys.Type("g.");
    EXPECT_EQ(PageStart(), 12u);
    keys.Type(",");
    EXPECT_EQ(PageStart(), 2u);
    EXPECT_EQ(keys.Text(), "");
}

TEST_F(KeyEntryTest, CommaAndPeriodChooseSecondAndThirdWithCommaPeriodKeys) {
    Settings.CommaPeriodKeys = 1;
    EXPECT_EQ(keys.Type("ab,"), "中");
    EXPECT_EQ(keys.Type("ab."), "人");
}

// --- ';' and the apostrophe -------------------------------------------------------------------

TEST_F(KeyEntryTest, SemicolonAndApostropheWithoutCode) {
    EXPECT_EQ(keys.Type(";"), "；");
    EXPECT_EQ(keys.Type("''"), "‘’");
}

TEST_F(KeyEntryTest, SemicolonAndApostropheChooseSecondAndThird) {
    Settings.SemicolonQuoteKeys = 1;
    EXPECT_EQ(keys.Type("ab;"), "中");
    EXPECT_EQ(keys.Type("ab'"), "人");
}

// --- Digits -----------------------------------------------------------------------------------

TEST_F(KeyEntryTest, DigitsCommitThemselvesOrSelect) {
    EXPECT_EQ(keys.Type("3"), "3");
    SetMode(FullWidth, true);
    EXPECT_EQ(keys.Type("3"), "３");
    SetMode(FullWidth, false);
    EXPECT_EQ(keys.Type("ab2"), "中");
    EXPECT_EQ(keys.Type("g0"), "十");
}

// --- Space ------------------------------------------------------------------------------------

TEST_F(KeyEntryTest, SpaceCommitsASpaceOrTheFirstCandidate) {
    EXPECT_EQ(keys.Type(" "), " ");
    SetMode(FullWidth, true);
    EXPECT_EQ(keys.Type(" "), "　");
    SetMode(FullWidth, false);
    EXPECT_EQ(keys.Type("ab "), "工");
    EXPECT_EQ(Conversion.CodeLength, 0);
}

// --- Enter and Esc ----------------------------------------------------------------------------

TEST_F(KeyEntryTest, EnterAndEscDiscardACodeAndCommitNothing) {
    for (const char* key : {"<Enter>", "<Esc>"}) {
        keys.Type("ab");
        EXPECT_EQ(keys.Type(key), "") << key;
        EXPECT_TRUE(keys.Last().taken);
        EXPECT_EQ(Conversion.CodeLength, 0);
        EXPECT_EQ(Conversion.CandidateCount, 2);
        EXPECT_EQ(Conversion.CandidatesOpen, 0);
        EXPECT_EQ(keys.Last().messages,
                  (Texts{"WM_IME_COMPOSITION 0x1BF", "WM_IME_NOTIFY IMN_OPENCANDIDATE",
                         "WM_IME_NOTIFY IMN_CHANGECANDIDATE", "WM_IME_ENDCOMPOSITION"}));
    }
    EXPECT_EQ(keys.Text(), "");
}

TEST_F(KeyEntryTest, EnterAndEscWithoutCodeReachTheApplication) {
    keys.Type("<Enter>");
    EXPECT_FALSE(keys.Last().taken);
    keys.Type("<Esc>");
    EXPECT_FALSE(keys.Last().taken);
    EXPECT_EQ(keys.Text(), "\n");
}

// --- Backspace --------------------------------------------------------------------------------

TEST_F(KeyEntryTest, BackspaceRemovesTheLastCodeKey) {
    keys.Type("ab<BS>");
    EXPECT_TRUE(keys.Last().taken);
    EXPECT_STREQ(Conversion.CodeBuffer, "a");
    keys.Type("<BS>");
    EXPECT_EQ(Conversion.CodeLength, 0);
    keys.Type("<BS>");
    EXPECT_FALSE(keys.Last().taken);
}

TEST_F(KeyEntryTest, BackspaceClosesAnAssociationListAndStillDeletes) {
    Settings.WordAssociation = 1;
    EXPECT_EQ(keys.Type("cd"), "此");
    ASSERT_EQ(Conversion.AssociationShown, 1);
    keys.Type("<BS>");
    EXPECT_FALSE(keys.Last().taken);
    EXPECT_EQ(Conversion.CandidateCount, 2);
    EXPECT_EQ(keys.Last().messages,
              (Texts{"WM_IME_NOTIFY IMN_CHANGECANDIDATE", "WM_IME_ENDCOMPOSITION"}));
    EXPECT_EQ(keys.Text(), "");
}

// --- Page Up, Page Down -----------------------------------------------------------------------

TEST_F(KeyEntryTest, PagingKeysPageCandidatesAndOtherwiseReachTheApplication) {
    keys.Type("<PgDn>");
    EXPECT_FALSE(keys.Last().taken);
    keys.Type("g<PgDn>");
    EXPECT_TRUE(keys.Last().taken);
    EXPECT_EQ(PageStart(), 12u);
    keys.Type("<PgDn>");
    EXPECT_EQ(keys.Last().beeps, 1);  // no page after the last
    keys.Type("<PgUp>");
    EXPECT_EQ(PageStart(), 2u);
    EXPECT_EQ(keys.Text(), "");
}

// --- Shift tap --------------------------------------------------------------------------------

TEST_F(KeyEntryTest, ShiftTapTogglesEnglishAndChinesePunctuation) {
    keys.Type("<LShift>");
    EXPECT_EQ(Modes.EnglishMode, 1);
    EXPECT_FALSE(IsModeOn(ChinesePunctuation));
    EXPECT_EQ(keys.Type("a,"), "");
    EXPECT_EQ(keys.Text(), "a,");
    keys.Type("<LShift>");
    EXPECT_EQ(Modes.EnglishMode, 0);
    EXPECT_TRUE(IsModeOn(ChinesePunctuation));
}

TEST_F(KeyEntryTest, ShiftTapWithCandidatesDiscardsThem) {
    keys.Type("ab<LShift>");
    EXPECT_EQ(Modes.EnglishMode, 1);
    EXPECT_EQ(Conversion.CodeLength, 0);
    EXPECT_EQ(Conversion.CandidateCount, 2);
    EXPECT_EQ(keys.Text(), "");
}

TEST_F(KeyEntryTest, ShiftWithAnotherKeyIsNoTap) {
    EXPECT_EQ(keys.Type("A"), "A");  // Shift down, A, Shift up
    EXPECT_EQ(Modes.EnglishMode, 0);
    EXPECT_EQ(Modes.ShiftTapPending, 0);
}

// --- Caps Lock --------------------------------------------------------------------------------

TEST_F(KeyEntryTest, CapsLockSetsEnglishFromTheLockState) {
    keys.Type("<Caps>");
    EXPECT_EQ(Modes.EnglishMode, 1);
    EXPECT_FALSE(IsModeOn(ChinesePunctuation));
    keys.Type("a");
    EXPECT_EQ(keys.Text(), "A");
    keys.Type("<Caps>");
    EXPECT_EQ(Modes.EnglishMode, 0);
    EXPECT_TRUE(IsModeOn(ChinesePunctuation));
}

TEST_F(KeyEntryTest, CapsLockDropsACodeFirst) {
    keys.Type("ab<Caps>");
    EXPECT_EQ(Conversion.CodeLength, 0);
    EXPECT_EQ(Conversion.CandidateCount, 2);
    EXPECT_EQ(Modes.EnglishMode, 1);
}

// --- Shift+Space ------------------------------------------------------------------------------

TEST_F(KeyEntryTest, ShiftSpaceTogglesFullWidthAndTypesASpaceInTheNewMode) {
    EXPECT_EQ(keys.Type("<S-Space>"), "　");
    EXPECT_TRUE(IsModeOn(FullWidth));
    EXPECT_EQ(keys.Type("<S-Space>"), " ");
    EXPECT_FALSE(IsModeOn(FullWidth));
}

TEST_F(KeyEntryTest, ShiftSpaceInTheMiddleOfACodeCancelsTheComposition) {
    keys.Type("ab");
    EXPECT_EQ(keys.Type("<S-Space>"), "　");
    EXPECT_TRUE(IsModeOn(FullWidth));
    EXPECT_EQ(Conversion.CodeLength, 0);
    EXPECT_EQ(Conversion.CandidateCount, 2);
    EXPECT_EQ(keys.Last().messages, (Texts{"WM_IME_NOTIFY IMN_CHANGECANDIDATE",
                                           "WM_IME_ENDCOMPOSITION", "WM_IME_STARTCOMPOSITION",
                                           "WM_IME_COMPOSITION 0x800", "WM_IME_ENDCOMPOSITION"}));
    EXPECT_EQ(keys.Text(), "　");
}

// --- Ctrl+'.' ---------------------------------------------------------------------------------

TEST_F(KeyEntryTest, CtrlPeriodTogglesChinesePunctuationAndReachesTheApplication) {
    keys.Type("<C-.>");
    EXPECT_FALSE(keys.Last().taken);
    EXPECT_FALSE(IsModeOn(ChinesePunctuation));
    EXPECT_EQ(keys.Type("."), ".");
    keys.Type("ab<C-.>");
    EXPECT_TRUE(IsModeOn(ChinesePunctuation));
    EXPECT_EQ(Conversion.CodeLength, 0);
    EXPECT_EQ(Conversion.CandidateCount, 2);
    EXPECT_EQ(keys.Text(), ".");
}

// --- Ctrl+Space -------------------------------------------------------------------------------

TEST_F(KeyEntryTest, CtrlSpaceStopsWordCollectionAndReachesTheApplication) {
    OnlineWord.OnlineWordActive = 1;
    keys.Type("<C-Space>");
    EXPECT_FALSE(keys.Last().taken);
    EXPECT_EQ(OnlineWord.OnlineWordActive, 0);
    EXPECT_EQ(keys.Text(), " ");
}

// --- Ctrl+J, Ctrl+M ---------------------------------------------------------------------------

TEST_F(KeyEntryTest, CtrlMSwitchesGbkMode) {
    keys.Type("<C-m>");
    EXPECT_TRUE(keys.Last().taken);
    EXPECT_EQ(Settings.GbkMode, 1);
    keys.Type("<C-m>");
    EXPECT_EQ(Settings.GbkMode, 0);
    EXPECT_EQ(keys.Text(), "");
}

TEST_F(KeyEntryTest, CtrlJWithCandidatesShowingSwitchesTheCodeSetAndReloads) {
    keys.engine().UseShippedDictionaries(kCodeSetPrimary);
    keys.Type("khk");
    const Texts before = Candidates();
    ASSERT_FALSE(before.empty());
    keys.Type("<C-j>");
    EXPECT_TRUE(keys.Last().taken);
    EXPECT_EQ(Settings.CodeSet, kCodeSetSecondary);
    EXPECT_EQ(Tables.LetterStart[28], LetterStartSecondary[28]);
    // The list stays as it was until the next edit.
    EXPECT_EQ(Candidates(), before);
    EXPECT_STREQ(Conversion.CodeBuffer, "khk");
    keys.Type("<Esc>kez");
    EXPECT_EQ(Candidates().front(), "中");
    keys.Type("<Esc><C-j>");
    EXPECT_EQ(Settings.CodeSet, kCodeSetPrimary);
    EXPECT_EQ(Tables.LetterStart[28], LetterStartPrimary[28]);
}

// --- Shift+character --------------------------------------------------------------------------

TEST_F(KeyEntryTest, ShiftCharactersCommitAtOnceConverted) {
    EXPECT_EQ(keys.Type("!A"), "！A");
    keys.Type("ab");
    EXPECT_EQ(keys.Type("!"), "！");
    // The code stays.
    EXPECT_STREQ(Conversion.CodeBuffer, "ab");
    EXPECT_EQ(Candidates().size(), 4u);
}

TEST_F(KeyEntryTest, ShiftDigitSelectsInTheSecondRowOfTheTwoRowSkin) {
    Settings.SkinIndex = 3;
    Conversion.SecondRowStart = 5;
    keys.Type("g");
    // Shift+2: the second candidate of the second row, the seventh of the page.
    EXPECT_EQ(keys.Type("@"), "七");
    EXPECT_EQ(Conversion.CodeLength, 0);
    Conversion.SecondRowStart = 0;
}

// --- Ctrl+digit -------------------------------------------------------------------------------

TEST_F(KeyEntryTest, CtrlDigitPromotesWithManualFrequency) {
    Settings.AutoFrequency = 0;
    keys.Type("<C-3>");
    EXPECT_TRUE(keys.Last().taken);
    EXPECT_EQ(keys.Text(), "");
    keys.Type("ab<C-3>");
    EXPECT_EQ(Candidates(), (Texts{"人", "工", "中", "工人c"}));
    EXPECT_TRUE(Tables.MainTableModified);
}

TEST_F(KeyEntryTest, CtrlDigitDoesNothingWithAutomaticFrequency) {
    Settings.AutoFrequency = 1;
    keys.Type("ab<C-3>");
    EXPECT_EQ(Candidates(), (Texts{"工", "中", "人", "工人c"}));
    EXPECT_FALSE(Tables.MainTableModified);
}

// --- Edge cases -------------------------------------------------------------------------------

TEST_F(KeyEntryTest, ACodeWithoutCandidatesIsDiscardedByTheNextKey) {
    keys.Type("e");
    EXPECT_EQ(keys.Last().beeps, 1);
    ASSERT_EQ(Conversion.CandidateCount, 2);
    keys.Type("a");
    EXPECT_STREQ(Conversion.CodeBuffer, "a");
    EXPECT_EQ(keys.Text(), "");
    // A code that stops finding anything is shortened by Backspace, not dropped.
    keys.Type("<Esc>bq");
    ASSERT_STREQ(Conversion.CodeBuffer, "bq");
    ASSERT_EQ(Conversion.CandidateCount, 2);
    keys.Type("<BS>");
    EXPECT_STREQ(Conversion.CodeBuffer, "b");
    EXPECT_EQ(Candidates(), (Texts{"不", "吧x"}));
    keys.Type("qb");
    EXPECT_STREQ(Conversion.CodeBuffer, "b");
    EXPECT_EQ(keys.Text(), "");
}

TEST_F(KeyEntryTest, ADecimalPointAfterADigitStaysAscii) {
    EXPECT_EQ(keys.Type("3.1"), "31");
    EXPECT_EQ(keys.Text(), "3.1");
    EXPECT_EQ(keys.Type(" ."), " 。");
    EXPECT_EQ(keys.Text(), "3.1 。");
}

TEST_F(KeyEntryTest, SemicolonAndSlashInThePrimaryCodeSet) {
    EXPECT_EQ(keys.Type(";/"), "；/");
    EXPECT_EQ(Conversion.CodeLength, 0);
}

TEST_F(KeyEntryTest, SemicolonAndSlashStartCodesInTheSecondaryCodeSet) {
    Settings.CodeSet = kCodeSetSecondary;
    keys.engine().UseWords({{"/b", "丙"}, {"/b", "丁"}, {";a", "甲"}, {";a", "乙"}});
    EXPECT_EQ(keys.Type(";"), "");
    EXPECT_STREQ(Conversion.CodeBuffer, ";");
    keys.Type("a");
    EXPECT_EQ(Candidates(), (Texts{"甲", "乙"}));
    keys.Type("<Esc>/b");
    EXPECT_EQ(Candidates(), (Texts{"丙", "丁"}));
    // In English they are punctuation again.
    keys.Type("<Esc>");
    Modes.EnglishMode = 1;
    SetMode(ChinesePunctuation, true);
    EXPECT_EQ(keys.Type(";"), "；");
}

TEST_F(KeyEntryTest, ShiftTapSidesFollowTheirOptions) {
    Settings.LeftShiftSwitch = 0;
    Settings.RightShiftSwitch = 1;
    keys.Type("<LShift>");
    EXPECT_EQ(Modes.EnglishMode, 0);
    keys.Type("<RShift>");
    EXPECT_EQ(Modes.EnglishMode, 1);
    keys.Type("<RShift>");
    EXPECT_EQ(Modes.EnglishMode, 0);
}

TEST_F(KeyEntryTest, OnlyTheExactShiftScanCodesMakeATap) {
    Settings.RightShiftSwitch = 1;
    TypingSession& typing = keys.typing();
    // With the extended bit the release scan is 0xC136: no tap.
    typing.KeyEvent(VK_SHIFT, true, 0x136);
    typing.KeyEvent(VK_SHIFT, false, 0x136);
    EXPECT_EQ(Modes.EnglishMode, 0);
    // An auto-repeated press (previous-state bit) does not start a tap either.
    typing.KeyEvent(VK_SHIFT, true, 0x36);
    Modes.ShiftTapPending = 0;
    typing.KeyEvent(VK_SHIFT, true, 0x36);
    EXPECT_EQ(Modes.ShiftTapPending, 0);
    typing.KeyEvent(VK_SHIFT, false, 0x36);
    EXPECT_EQ(Modes.EnglishMode, 0);
}

TEST_F(KeyEntryTest, CapsLockOnKeepsEnglishThroughShiftTaps) {
    keys.Type("<Caps>");
    ASSERT_EQ(Modes.EnglishMode, 1);
    keys.Type("<LShift>");
    EXPECT_EQ(Modes.EnglishMode, 1);
    keys.Type("<LShift>");
    EXPECT_EQ(Modes.EnglishMode, 1);
    keys.Type("<Caps>");
    EXPECT_EQ(Modes.EnglishMode, 0);
    EXPECT_TRUE(IsModeOn(ChinesePunctuation));
}

TEST_F(KeyEntryTest, SoftKeyboardLayoutTwoTypesGreek) {
    Modes.SoftKeyboardIndex = 2;
    EXPECT_EQ(keys.Type("q"), "α");
    EXPECT_EQ(keys.Last().messages, (Texts{"WM_CHAR 0xA6", "WM_CHAR 0xC1"}));
    EXPECT_EQ(keys.Type("Q"), "Α");
    EXPECT_EQ(keys.Type("a"), "κ");
    EXPECT_EQ(keys.Type("1"), "");
    EXPECT_EQ(keys.Last().beeps, 1);
    EXPECT_TRUE(keys.Last().messages.empty());
    // The space bar is the full-width space of cell 0.
    EXPECT_EQ(keys.Type(" "), "　");
    EXPECT_EQ(Conversion.CodeLength, 0);
    EXPECT_EQ(keys.Text(), "αΑκ　");
}

TEST_F(KeyEntryTest, SoftKeyboardShiftedCell) {
    Modes.SoftKeyboardIndex = 9;
    EXPECT_EQ(keys.Type("a"), "㈠");
    EXPECT_EQ(keys.Type("A"), "①");
    EXPECT_EQ(keys.Type("~"), "");  // shifted grave is empty
    EXPECT_EQ(keys.Last().beeps, 1);
}

TEST_F(KeyEntryTest, SoftKeyboardLayoutOneTypesTheOrdinaryWay) {
    Modes.SoftKeyboardIndex = 1;
    EXPECT_EQ(keys.Type("ab "), "工");
    EXPECT_EQ(keys.Type(","), "，");
}

TEST_F(KeyEntryTest, ClosedContextLeavesKeysToTheApplicationButToggles) {
    INPUTCONTEXT* ic = ImmLockIMC(keys.context());
    ic->fOpen = FALSE;
    ImmUnlockIMC(keys.context());
    keys.Type("a");
    EXPECT_FALSE(keys.Last().taken);
    keys.Type("<S-Space>");
    EXPECT_TRUE(IsModeOn(FullWidth));
    EXPECT_EQ(keys.Text(), "a ");
}

TEST_F(KeyEntryTest, AContextThatCannotBeLockedTakesNothing) {
    const BYTE state[256] = {};
    TRANSMSGLIST list{};
    list.uMsgCount = 1;
    HostSetContextLockFailure(keys.context(), true);
    EXPECT_EQ(ImeProcessKey(keys.context(), 'A', 0x001E0001, state), 0);
    EXPECT_EQ(ImeToAsciiEx(0x6141, 0x1E, state, &list, 0, keys.context()), 0u);
    HostSetContextLockFailure(keys.context(), false);
    EXPECT_EQ(Conversion.CodeLength, 0);
    EXPECT_EQ(Messages.CurrentMessageList, nullptr);
}

// --- Message delivery -------------------------------------------------------------------------

// Types the keys on a fresh session with association on; prepare adjusts the typing first.
template <typename Prepare>
KeyOutcome TypeFresh(const char* notation, std::string* text, Prepare prepare) {
    KeySession fresh;
    Settings.WordAssociation = 1;
    fresh.engine().UseWords(kMain);
    prepare(fresh.typing());
    const KeyOutcome outcome = fresh.typing().TypeKeys(notation);
    if (text != nullptr) {
        *text = fresh.Text();
    }
    return outcome;
}

KeyOutcome TypeFresh(const char* notation, std::string* text = nullptr) {
    return TypeFresh(notation, text, [](TypingSession&) {});
}

TEST(KeyDeliveryTest, WineKeyArgumentTypesTheSame) {
    std::string windowsText;
    const KeyOutcome windows = TypeFresh("ab,cd  3.1!", &windowsText);
    EXPECT_EQ(windowsText, "工，此外 3.1！");
    std::string wineText;
    const KeyOutcome wine = TypeFresh(
        "ab,cd  3.1!", &wineText, [](TypingSession& typing) { typing.UseWineKeyArgument(true); });
    EXPECT_EQ(wine.commit, windows.commit);
    EXPECT_EQ(wine.messages, windows.messages);
    EXPECT_EQ(wineText, windowsText);
}

TEST(KeyDeliveryTest, ASmallMessageListDeliversEverythingThroughTheBuffer) {
    const KeyOutcome large = TypeFresh("cdab ");
    const KeyOutcome small = TypeFresh(
        "cdab ", nullptr, [](TypingSession& typing) { typing.SetMessageListCapacity(3); });
    EXPECT_EQ(small.messages, large.messages);
    EXPECT_EQ(small.commit, "此工");
}

TEST(KeyDeliveryTest, MessagesGoThroughTheBufferWhereTheListCannotBeRead) {
    const KeyOutcome list = TypeFresh("cdab ");
    Process.TranslatedMessagesThroughBuffer = 1;
    const KeyOutcome buffered = TypeFresh("cdab ");
    Modes.SoftKeyboardIndex = 2;
    const KeyOutcome greek =
        TypeFresh("q", nullptr, [](TypingSession&) { Modes.SoftKeyboardIndex = 2; });
    Process.TranslatedMessagesThroughBuffer = 0;
    EXPECT_EQ(buffered.messages, list.messages);
    EXPECT_EQ(buffered.commit, "此工");
    EXPECT_EQ(greek.commit, "α");
}

// The application reads the result string when the commit message reaches it, which for the
// messages of an ImeToAsciiEx call is after the call. A key that commits twice in one call (a
// code key after a complete code, whose new one-key code is itself complete) must still deliver
// both texts.
TEST(KeyDeliveryTest, TwoCommitsOfOneKeyBothReachTheApplication) {
    KeySession keys;
    Settings.WordAssociation = 0;
    keys.engine().UseWords({{"ab", "工"}, {"ab", "中"}, {"c", "从"}});
    keys.Type("abc");
    EXPECT_EQ(keys.Text(), "工从");
}

TEST(PutCharMessagesTest, WritesWholePairsThatFit) {
    unsigned char memory[sizeof(TRANSMSGLIST) + 4 * sizeof(TRANSMSG)] = {};
    auto* list = reinterpret_cast<TRANSMSGLIST*>(memory);
    list->uMsgCount = 5;
    EXPECT_EQ(PutCharMessages(list, 0xA6C1, false), 2u);
    EXPECT_EQ(PutCharMessages(list, 0xA6C1, true), 4u);
    const TRANSMSG* entries = list->TransMsg;
    EXPECT_EQ(entries[0].message, WM_CHAR);
    EXPECT_EQ(entries[0].wParam, 0xA6u);
    EXPECT_EQ(entries[1].wParam, 0xC1u);
    EXPECT_EQ(entries[3].wParam, 0xC1u);
    EXPECT_EQ(entries[3].lParam, 1);
    list->uMsgCount = 3;
    EXPECT_EQ(PutCharMessages(list, 0xA6C1, true), 2u);
    list->uMsgCount = 1;
    EXPECT_EQ(PutCharMessages(list, 0xA6C1, false), 0u);
    EXPECT_EQ(PutCharMessages(nullptr, 0xA6C1, false), 0u);
}

}  // namespace
