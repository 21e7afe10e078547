#include <gtest/gtest.h>

#include "keys/key_decisions.h"

namespace {

constexpr BYTE kPeriod = 0xBE;
constexpr BYTE kSlash = 0xBF;
constexpr BYTE kGrave = 0xC0;

KeyEventFacts Press(BYTE vk, bool ctrl = false, bool shift = false) {
    return KeyEventFacts{vk, true, ctrl, shift};
}

TEST(ShortcutTest, CtrlLettersReachTheApplicationExceptJAndM) {
    for (BYTE vk = 'A'; vk <= 'Z'; ++vk) {
        const ShortcutAction action = DecideShortcut(Press(vk, true), 0);
        EXPECT_EQ(action,
                  vk == 'J' || vk == 'M' ? ShortcutAction::None : ShortcutAction::ToApplication)
            << vk;
    }
    EXPECT_EQ(DecideShortcut(Press('A'), 0), ShortcutAction::None);
}

TEST(ShortcutTest, CtrlShiftAndASoftKeyboardsModifiersReachTheApplication) {
    EXPECT_EQ(DecideShortcut(Press('1', true, true), 0), ShortcutAction::ToApplication);
    EXPECT_EQ(DecideShortcut(Press(VK_SHIFT, false, true), 2), ShortcutAction::ToApplication);
    EXPECT_EQ(DecideShortcut(Press(VK_CONTROL, true), 1), ShortcutAction::ToApplication);
    EXPECT_EQ(DecideShortcut(Press(VK_CONTROL, true), 0), ShortcutAction::None);
}

TEST(ShortcutTest, CtrlSpaceAndCtrlPeriodActOnPressOnly) {
    EXPECT_EQ(DecideShortcut(Press(VK_SPACE, true), 0), ShortcutAction::StopWordCollection);
    EXPECT_EQ(DecideShortcut(Press(kPeriod, true), 0), ShortcutAction::FlipPunctuation);
    EXPECT_EQ(DecideShortcut(KeyEventFacts{kPeriod, false, true, false}, 0), ShortcutAction::None);
    EXPECT_EQ(DecideShortcut(Press('1', true), 0), ShortcutAction::None);
}

TEST(ShortcutTest, ShiftSpaceFlipsFullWidthAndOtherShiftedKeysEndTheTap) {
    EXPECT_EQ(DecideShortcut(Press(VK_SPACE, false, true), 0), ShortcutAction::FlipFullWidth);
    EXPECT_EQ(DecideShortcut(Press('A', false, true), 0), ShortcutAction::EndShiftTap);
    EXPECT_EQ(DecideShortcut(Press(VK_SHIFT, false, true), 0), ShortcutAction::None);
    EXPECT_EQ(DecideShortcut(KeyEventFacts{'A', false, false, true}, 0), ShortcutAction::None);
}

TakeFacts Idle(BYTE vk, bool press = true) {
    return TakeFacts{vk, press, false, 2, 0, false, false, false, false};
}

TakeFacts Composing(BYTE vk, std::uint16_t candidateCount, bool press = true) {
    return TakeFacts{vk, press, true, candidateCount, 2, false, false, false, false};
}

TEST(TakeTest, IdleAndComposingFollowTheirTables) {
    EXPECT_EQ(DecideTaken(Idle('A')).taken, 1);
    EXPECT_EQ(DecideTaken(Idle(VK_RETURN)).taken, 0);
    EXPECT_EQ(DecideTaken(Idle(VK_PRIOR)).taken, 0);
    EXPECT_EQ(DecideTaken(Composing(VK_RETURN, 5)).taken, 1);
    EXPECT_EQ(DecideTaken(Composing(VK_PRIOR, 5)).taken, 1);
    EXPECT_EQ(DecideTaken(Composing(VK_CONTROL, 5)).taken, 0);
}

TEST(TakeTest, ACodeWithoutCandidatesIsDroppedByTheNextPressButNotByBackspace) {
    const TakeDecision letter = DecideTaken(Composing('A', 2));
    EXPECT_TRUE(letter.discardCode);
    EXPECT_EQ(letter.taken, 1);
    EXPECT_FALSE(DecideTaken(Composing(VK_BACK, 2)).discardCode);
    EXPECT_EQ(DecideTaken(Composing(VK_BACK, 2)).taken, 1);
    // A release drops nothing.
    EXPECT_FALSE(DecideTaken(Composing('A', 2, false)).discardCode);
    // Even a key the table does not take (Ctrl) is taken to drop the code.
    EXPECT_TRUE(DecideTaken(Composing(VK_CONTROL, 2)).discardCode);
}

TEST(TakeTest, CapsLockDropsACodeWithCandidates) {
    EXPECT_TRUE(DecideTaken(Composing(VK_CAPITAL, 5)).discardCode);
    EXPECT_FALSE(DecideTaken(Composing('A', 5)).discardCode);
}

TEST(TakeTest, ListKeysAreTakenWhileAssociationCandidatesShow) {
    for (BYTE vk : {VK_SPACE, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT}) {
        TakeFacts facts = Idle(vk);
        EXPECT_EQ(DecideTaken(facts).taken, vk == VK_SPACE ? 1 : 0) << int{vk};
        facts.candidateCount = 8;
        EXPECT_EQ(DecideTaken(facts).taken, 1) << int{vk};
    }
}

TEST(TakeTest, BackspaceClosesAnAssociationListAndReachesTheApplication) {
    TakeFacts facts = Idle(VK_BACK);
    facts.candidateCount = 8;
    const TakeDecision decision = DecideTaken(facts);
    EXPECT_TRUE(decision.closeAssociation);
    EXPECT_EQ(decision.taken, 0);
    EXPECT_FALSE(DecideTaken(Idle(VK_BACK)).closeAssociation);
}

TEST(TakeTest, DigitBeforePeriodKeepsTheDecimalPoint) {
    TakeFacts digit = Idle('3');
    digit.chinesePunctuation = true;
    const TakeDecision afterDigit = DecideTaken(digit);
    EXPECT_EQ(afterDigit.taken, 1);
    EXPECT_TRUE(afterDigit.digitBeforePeriod);

    TakeFacts period = Idle(kPeriod);
    period.chinesePunctuation = true;
    period.digitBeforePeriod = true;
    const TakeDecision point = DecideTaken(period);
    EXPECT_EQ(point.taken, 0);
    EXPECT_FALSE(point.digitBeforePeriod);

    period.digitBeforePeriod = false;
    EXPECT_EQ(DecideTaken(period).taken, 1);

    // A digit that selects a candidate is no number.
    digit.candidateCount = 5;
    EXPECT_FALSE(DecideTaken(digit).digitBeforePeriod);
    // Any other key forgets the digit; a release changes nothing.
    TakeFacts letter = Idle('A');
    letter.digitBeforePeriod = true;
    EXPECT_FALSE(DecideTaken(letter).digitBeforePeriod);
    TakeFacts release = Idle('A', false);
    release.digitBeforePeriod = true;
    EXPECT_TRUE(DecideTaken(release).digitBeforePeriod);
}

TEST(TakeTest, EnglishTakesOnlyShiftAndCapsLockUnlessTheModesClaimAKey) {
    TakeFacts facts = Idle('A');
    facts.english = true;
    EXPECT_EQ(DecideTaken(facts).taken, 0);
    facts.virtualKey = VK_SHIFT;
    EXPECT_EQ(DecideTaken(facts).taken, 1);
    facts.virtualKey = VK_CAPITAL;
    EXPECT_EQ(DecideTaken(facts).taken, 1);
    facts.virtualKey = 'A';
    facts.fullWidth = true;
    EXPECT_EQ(DecideTaken(facts).taken, 1);
    facts.fullWidth = false;
    facts.virtualKey = kSlash;
    facts.chinesePunctuation = true;
    EXPECT_EQ(DecideTaken(facts).taken, 1);
}

TEST(TranslateRouteTest, SoftKeyboardAboveLayoutOneTakesPrintableCharacters) {
    TranslateFacts facts{'A', 'a', false, false, 2, true, false, false, 2, false};
    EXPECT_EQ(DecideTranslateRoute(facts), TranslateRoute::SoftKeyboard);
    facts.softKeyboardIndex = 1;
    EXPECT_EQ(DecideTranslateRoute(facts), TranslateRoute::Press);
    facts.softKeyboardIndex = 2;
    facts.virtualKey = VK_PRIOR;
    facts.character = 0;
    EXPECT_EQ(DecideTranslateRoute(facts), TranslateRoute::Press);
}

TEST(TranslateRouteTest, PunctuationIsCommittedOnlyWithoutCandidates) {
    TranslateFacts facts{0xBC, ',', false, false, 0, true, false, false, 2, false};
    EXPECT_EQ(DecideTranslateRoute(facts), TranslateRoute::Symbol);
    facts.candidateCount = 5;
    EXPECT_EQ(DecideTranslateRoute(facts), TranslateRoute::Press);
    facts.candidateCount = 2;
    facts.release = true;
    EXPECT_EQ(DecideTranslateRoute(facts), TranslateRoute::Release);
}

TEST(TranslateRouteTest, SemicolonAndSlashAreCodeKeysOfTheSecondaryCodeSet) {
    for (char ch : {';', '/'}) {
        TranslateFacts facts{0xBA, static_cast<BYTE>(ch), false, false, 0, true, true, false, 2,
                             true};
        // Even with full width on they are not converted.
        EXPECT_EQ(DecideTranslateRoute(facts), TranslateRoute::Press) << ch;
        facts.english = true;
        EXPECT_EQ(DecideTranslateRoute(facts), TranslateRoute::Symbol) << ch;
        facts.english = false;
        facts.secondaryCodeSet = false;
        EXPECT_EQ(DecideTranslateRoute(facts), TranslateRoute::Symbol) << ch;
    }
}

TEST(TranslateRouteTest, FullWidthConvertsAllButLowerCaseCodeLetters) {
    TranslateFacts facts{'A', 'a', false, false, 0, false, true, false, 2, false};
    EXPECT_EQ(DecideTranslateRoute(facts), TranslateRoute::Press);
    facts.english = true;
    EXPECT_EQ(DecideTranslateRoute(facts), TranslateRoute::Symbol);
    facts.english = false;
    facts.character = 'A';
    EXPECT_EQ(DecideTranslateRoute(facts), TranslateRoute::Symbol);
    facts.character = '5';
    EXPECT_EQ(DecideTranslateRoute(facts), TranslateRoute::Symbol);
    facts.candidateCount = 4;
    EXPECT_EQ(DecideTranslateRoute(facts), TranslateRoute::Press);
}

TEST(PressRouteTest, ShiftShiftedKeysAndTheTwoRowSkin) {
    EXPECT_EQ(DecidePressRoute(VK_SHIFT, false, true, 0), PressRoute::ShiftDown);
    EXPECT_EQ(DecidePressRoute(0x2131, false, true, 0), PressRoute::CommitShifted);
    EXPECT_EQ(DecidePressRoute(0x2131, false, true, 3), PressRoute::SelectInSecondRow);
    EXPECT_EQ(DecidePressRoute(0x4141, false, true, 3), PressRoute::Control);
}

TEST(PressRouteTest, CtrlKeysByTheirWholeValue) {
    EXPECT_EQ(DecidePressRoute(0x0A4A, true, false, 0), PressRoute::SwitchCodeSet);
    EXPECT_EQ(DecidePressRoute(0x0D4D, true, false, 0), PressRoute::SwitchGbkMode);
    EXPECT_EQ(DecidePressRoute('0', true, false, 0), PressRoute::PromoteCandidate);
    EXPECT_EQ(DecidePressRoute('9', true, false, 0), PressRoute::PromoteCandidate);
    EXPECT_EQ(DecidePressRoute(kSlash, true, false, 0), PressRoute::ClipboardCommand);
    EXPECT_EQ(DecidePressRoute(kGrave, true, false, 0), PressRoute::ClipboardCommand);
    // Without its control character J is no switch; without Ctrl a digit is a digit.
    EXPECT_EQ(DecidePressRoute('J', true, false, 0), PressRoute::Control);
    EXPECT_EQ(DecidePressRoute(0x3131, false, false, 0), PressRoute::Control);
    EXPECT_EQ(DecidePressRoute(0x0A4A, false, false, 0), PressRoute::Control);
}

TEST(ShiftTapTest, OnlyAFirstPressStartsATapAndOnlyExactReleasesSwitch) {
    EXPECT_TRUE(StartsShiftTap(0x2A));
    EXPECT_TRUE(StartsShiftTap(0x36));
    EXPECT_FALSE(StartsShiftTap(0x402A));  // auto-repeat
    EXPECT_FALSE(StartsShiftTap(0x12A));   // extended
    EXPECT_TRUE(ShiftReleaseSwitches(0xC02A, true, false));
    EXPECT_FALSE(ShiftReleaseSwitches(0xC02A, false, true));
    EXPECT_TRUE(ShiftReleaseSwitches(0xC036, false, true));
    EXPECT_FALSE(ShiftReleaseSwitches(0xC036, true, false));
    EXPECT_FALSE(ShiftReleaseSwitches(0xC136, true, true));
    EXPECT_FALSE(ShiftReleaseSwitches(0x802A, true, true));
    EXPECT_FALSE(ShiftReleaseSwitches(0x2A, true, true));
}

TEST(EnglishModeTest, CapsLockOnForcesEnglishOtherwiseItFlips) {
    EXPECT_TRUE(NextEnglishMode(1, false));
    EXPECT_TRUE(NextEnglishMode(1, true));
    EXPECT_TRUE(NextEnglishMode(-127, false));
    EXPECT_TRUE(NextEnglishMode(0, false));
    EXPECT_FALSE(NextEnglishMode(0, true));
    EXPECT_FALSE(NextEnglishMode(-128, true));  // lock just turned off, key still down
}

TEST(ControlKeyTest, CharacterKeysGoOnToTheEngine) {
    for (int vk = 0; vk < 256; ++vk) {
        const bool engine = (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z') ||
                            (vk >= 0x60 && vk <= 0x6F) || (vk >= 0xBA && vk <= 0xE0) ||
                            vk == 0x21 || vk == 0x22;
        EXPECT_EQ(IsEngineCharacterKey(static_cast<BYTE>(vk)), engine) << vk;
    }
}

}  // namespace
