// The settings dialog's rules: pages, the boxes at opening, the clicks that act at once, and OK.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <utility>

#include "common/gbk_text.h"
#include "dict/dictionary_files.h"
#include "dict/tables.h"
#include "settings/settings.h"
#include "ui/dialogs/settings_dialog.h"
#include "support/test_platform.h"

namespace {

SettingsRecord InstalledDefaults() {
    SettingsRecord settings{};
    DecodeSettings(kInstalledDefaults, settings);
    return settings;
}

std::set<int> CheckedBoxes(const SettingsBoxes& boxes) {
    std::set<int> checked;
    for (int id : kOptionControls) {
        if (boxes.Checked(id)) {
            checked.insert(id);
        }
    }
    return checked;
}

// --- Pages ------------------------------------------------------------------------------------

TEST(SettingsPagesTest, PageNamesAreTheListedTextsPaddedToFourteenBytes) {
    const char* const names[] = {"界面更换",     "中英文切换",   "翻页键选择", "二三重码键选择",
                                 "重码调序方式", "常规功能设置", "字符集选择", "输入模式选择"};
    for (int page = 0; page < kSettingsPageCount; ++page) {
        std::string expected = Gbk(names[page]);
        ASSERT_FALSE(expected.empty());
        expected.resize(kPageNameBytes, ' ');
        EXPECT_EQ(std::string(kSettingsPageNames[page]), expected) << page + 1;
        EXPECT_EQ(std::strlen(kSettingsPageNames[page]), kPageNameBytes);
    }
}

TEST(SettingsPagesTest, EveryOptionControlIsOnExactlyOnePage) {
    std::set<int> hidden(kOptionControls, kOptionControls + kOptionControlCount);
    EXPECT_EQ(hidden.size(), static_cast<std::size_t>(kOptionControlCount));
    std::multiset<int> shown;
    for (int page = 1; page <= kSettingsPageCount; ++page) {
        const ControlSpan span = PageControls(page);
        EXPECT_GT(span.count, 0) << page;
        shown.insert(span.ids, span.ids + span.count);
    }
    EXPECT_EQ(std::set<int>(shown.begin(), shown.end()), hidden);
    EXPECT_EQ(shown.size(), hidden.size()) << "a control on two pages";
    EXPECT_EQ(PageControls(0).count, 0);
    EXPECT_EQ(PageControls(9).count, 0);
    EXPECT_EQ(PageControls(-1).count, 0);
}

TEST(SettingsPagesTest, PagesShowTheirOwnControls) {
    const std::pair<int, std::set<int>> pages[] = {
        {1, {1086, 1087, 1088, 1089, 1090, 1091, 1092, 1036}},
        {2, {1045, 1046, 1074}},
        {3, {1077}},
        {4, {1037, 1040, 1047}},
        {5, {1071, 1073}},
        {6, {1033, 1044, 1034, 1035}},
        {7, {1052, 1053}},
        {8, {1069, 1070}},
    };
    for (const auto& [page, ids] : pages) {
        const ControlSpan span = PageControls(page);
        EXPECT_EQ(std::set<int>(span.ids, span.ids + span.count), ids) << page;
    }
}

TEST(SettingsPagesTest, SelectionPositionGivesThePage) {
    EXPECT_EQ(PageOfSelection(-1), 0);  // LB_ERR: nothing selected
    EXPECT_EQ(PageOfSelection(0), 1);
    EXPECT_EQ(PageOfSelection(7), 8);
}

// --- Commands ---------------------------------------------------------------------------------

TEST(SettingsCommandTest, TheWordParameterIsComparedWhole) {
    EXPECT_EQ(ClassifySettingsCommand(1085 | 1u << 16), SettingsCommand::SelectPage);
    EXPECT_EQ(ClassifySettingsCommand(1085), SettingsCommand::None);
    EXPECT_EQ(ClassifySettingsCommand(1085 | 2u << 16), SettingsCommand::None);  // double click
    EXPECT_EQ(ClassifySettingsCommand(1042), SettingsCommand::Ok);
    EXPECT_EQ(ClassifySettingsCommand(1042 | 5u << 16), SettingsCommand::None);
    EXPECT_EQ(ClassifySettingsCommand(1037 | 5u << 16), SettingsCommand::None);
    EXPECT_EQ(ClassifySettingsCommand(2), SettingsCommand::None) << "Esc cannot leave";
    EXPECT_EQ(ClassifySettingsCommand(1), SettingsCommand::None);
    for (int id : {1037, 1040, 1047, 1044, 1045, 1046, 1074, 1052, 1053, 1069, 1070, 1071, 1073,
                   1077, 1086, 1089, 1092}) {
        EXPECT_EQ(ClassifySettingsCommand(id), SettingsCommand::Box) << id;
    }
    // These toggle themselves and OK reads them; 1085 and 1093 border the skin group.
    for (int id : {1033, 1034, 1035, 1036, 1093}) {
        EXPECT_EQ(ClassifySettingsCommand(id), SettingsCommand::None) << id;
    }
}

// --- Opening ----------------------------------------------------------------------------------

TEST(SettingsBoxesTest, InstalledDefaultsCheckTheirBoxes) {
    SettingsBoxes boxes;
    SetBoxesFromSettings(InstalledDefaults(), boxes);
    EXPECT_EQ(CheckedBoxes(boxes),
              (std::set<int>{1033, 1034, 1035, 1036, 1044, 1045, 1047, 1052, 1069, 1073, 1086}));
}

TEST(SettingsBoxesTest, EveryOptionOnChecksTheOtherHalfOfEachPair) {
    SettingsRecord all{};
    all.WordAssociation = all.PhraseInput = all.CodeHint = all.CursorFollow = 1;
    all.SemicolonQuoteKeys = all.CommaPeriodKeys = all.ProgressiveHint = 1;
    all.LeftShiftSwitch = all.RightShiftSwitch = all.GbkMode = all.AutoFrequency = 1;
    all.CommaPeriodPaging = 1;
    all.CodeSet = kCodeSetSecondary;
    all.SkinIndex = 6;
    SettingsBoxes boxes;
    SetBoxesFromSettings(all, boxes);
    EXPECT_EQ(CheckedBoxes(boxes), (std::set<int>{1033, 1034, 1035, 1036, 1037, 1040, 1044, 1045,
                                                  1046, 1053, 1070, 1071, 1077, 1092}));
}

TEST(SettingsBoxesTest, BothShiftSwitchesOffChecksTemporaryOff) {
    SettingsRecord settings = InstalledDefaults();
    settings.LeftShiftSwitch = 0;
    SettingsBoxes boxes;
    SetBoxesFromSettings(settings, boxes);
    EXPECT_TRUE(boxes.Checked(1074));
    EXPECT_FALSE(boxes.Checked(1045));
    EXPECT_FALSE(boxes.Checked(1046));
}

TEST(SettingsBoxesTest, OnlyDialogBoxesCanBeSet) {
    SettingsBoxes boxes;
    boxes.Set(1032, true);
    boxes.Set(1093, true);
    boxes.Set(1042, true);  // OK is a button, but inside the range: harmless
    EXPECT_FALSE(boxes.Checked(1032));
    EXPECT_FALSE(boxes.Checked(1093));
    EXPECT_TRUE(boxes.Checked(1042));
    boxes.Set(1092, true);
    EXPECT_TRUE(boxes.Checked(1092));
}

// --- Clicks -----------------------------------------------------------------------------------

class SettingsClickTest : public ::testing::Test {
  protected:
    void SetUp() override { Open(InstalledDefaults()); }
    void Open(const SettingsRecord& opened) {
        settings = opened;
        boxes = SettingsBoxes{};
        SetBoxesFromSettings(settings, boxes);
    }
    void Click(int id) { EXPECT_TRUE(ApplyBoxClick(id, settings, boxes)) << id; }
    SettingsRecord settings;
    SettingsBoxes boxes;
};

TEST_F(SettingsClickTest, ShiftBoxesSwitchOneSideAtATime) {
    SettingsRecord off = InstalledDefaults();
    off.LeftShiftSwitch = 0;
    Open(off);
    Click(1045);
    EXPECT_EQ(settings.LeftShiftSwitch, 1);
    EXPECT_EQ(settings.RightShiftSwitch, 0);
    EXPECT_TRUE(boxes.Checked(1045));
    EXPECT_FALSE(boxes.Checked(1046));
    EXPECT_FALSE(boxes.Checked(1074));
    // Either box flips the pair.
    Click(1045);
    EXPECT_EQ(settings.LeftShiftSwitch, 0);
    EXPECT_EQ(settings.RightShiftSwitch, 1);
    EXPECT_FALSE(boxes.Checked(1045));
    EXPECT_TRUE(boxes.Checked(1046));
    Click(1046);
    EXPECT_EQ(settings.LeftShiftSwitch, 1);
    EXPECT_EQ(settings.RightShiftSwitch, 0);
    Click(1074);
    EXPECT_EQ(settings.LeftShiftSwitch + settings.RightShiftSwitch, 0);
    EXPECT_FALSE(boxes.Checked(1045));
    EXPECT_FALSE(boxes.Checked(1046));
}

TEST_F(SettingsClickTest, BothShiftSwitchesOnFlipToRight) {
    SettingsRecord both = InstalledDefaults();
    both.RightShiftSwitch = 1;
    Open(both);
    Click(1046);
    EXPECT_EQ(settings.LeftShiftSwitch, 0);
    EXPECT_EQ(settings.RightShiftSwitch, 1);
}

TEST_F(SettingsClickTest, ProgressiveHintOffAlsoClearsCodeHint) {
    Click(1044);
    EXPECT_EQ(settings.ProgressiveHint, 0);
    EXPECT_EQ(settings.CodeHint, 0);
    EXPECT_FALSE(boxes.Checked(1044));
    EXPECT_FALSE(boxes.Checked(1035));
    Click(1044);
    EXPECT_EQ(settings.ProgressiveHint, 1);
    EXPECT_EQ(settings.CodeHint, 0) << "turning it on does not bring code hints back";
    EXPECT_TRUE(boxes.Checked(1044));
    EXPECT_FALSE(boxes.Checked(1035));
}

TEST_F(SettingsClickTest, PunctuationKeyBoxesAreExclusive) {
    Click(1037);
    EXPECT_EQ(settings.SemicolonQuoteKeys, 1);
    EXPECT_EQ(settings.CommaPeriodKeys, 0);
    EXPECT_EQ(CheckedBoxes(boxes).count(1037) + CheckedBoxes(boxes).count(1040) +
                  CheckedBoxes(boxes).count(1047),
              1u);
    EXPECT_TRUE(boxes.Checked(1037));
    Click(1040);
    EXPECT_EQ(settings.SemicolonQuoteKeys, 0);
    EXPECT_EQ(settings.CommaPeriodKeys, 1);
    EXPECT_TRUE(boxes.Checked(1040));
    EXPECT_FALSE(boxes.Checked(1037));
    EXPECT_FALSE(boxes.Checked(1047));
    Click(1047);
    EXPECT_EQ(settings.SemicolonQuoteKeys + settings.CommaPeriodKeys, 0);
    EXPECT_TRUE(boxes.Checked(1047));
    EXPECT_FALSE(boxes.Checked(1040));
    // Clicking the checked one keeps it checked (it toggled itself off first).
    boxes.Set(1047, false);
    Click(1047);
    EXPECT_TRUE(boxes.Checked(1047));
}

TEST_F(SettingsClickTest, CharacterSetAndCodeSetChangeAtOnce) {
    Click(1053);
    EXPECT_EQ(settings.GbkMode, 1);
    EXPECT_TRUE(boxes.Checked(1053));
    EXPECT_FALSE(boxes.Checked(1052));
    Click(1052);
    EXPECT_EQ(settings.GbkMode, 0);
    EXPECT_TRUE(boxes.Checked(1052));
    EXPECT_FALSE(boxes.Checked(1053));
    Click(1070);
    EXPECT_EQ(settings.CodeSet, kCodeSetSecondary);
    EXPECT_FALSE(boxes.Checked(1069));
    EXPECT_TRUE(boxes.Checked(1070));
    Click(1069);
    EXPECT_EQ(settings.CodeSet, kCodeSetPrimary);
    EXPECT_TRUE(boxes.Checked(1069));
    EXPECT_FALSE(boxes.Checked(1070));
}

TEST_F(SettingsClickTest, FrequencyBoxesWaitForOk) {
    Click(1071);
    EXPECT_EQ(settings.AutoFrequency, 0);
    EXPECT_TRUE(boxes.Checked(1071));
    EXPECT_FALSE(boxes.Checked(1073));
    Click(1073);
    EXPECT_FALSE(boxes.Checked(1071));
    EXPECT_TRUE(boxes.Checked(1073));
}

TEST_F(SettingsClickTest, PagingBoxTogglesOnEachClick) {
    EXPECT_FALSE(boxes.Checked(1077));
    Click(1077);
    EXPECT_TRUE(boxes.Checked(1077));
    EXPECT_EQ(settings.CommaPeriodPaging, 0) << "stored only by OK";
    Click(1077);
    EXPECT_FALSE(boxes.Checked(1077));
}

TEST_F(SettingsClickTest, SkinBoxesAreOneGroupThatChoosesTheSkin) {
    // Each click leaves exactly the clicked box of the seven checked, whatever was checked.
    for (int skin : {6, 0, 3, 3, 1}) {
        Click(1086 + skin);
        EXPECT_EQ(settings.SkinIndex, skin);
        for (int n = 0; n <= 6; ++n) {
            EXPECT_EQ(boxes.Checked(1086 + n), n == skin) << skin << " " << n;
        }
    }
    EXPECT_EQ(settings.CursorFollow, 1) << "caret following is judged by OK";
}

TEST_F(SettingsClickTest, OtherControlsAreNoClickOfTheDialog) {
    const SettingsRecord before = settings;
    for (int id : {1033, 1034, 1035, 1036, 1042, 1085, 1093, 2, 0}) {
        EXPECT_FALSE(ApplyBoxClick(id, settings, boxes)) << id;
    }
    EXPECT_EQ(std::memcmp(&settings, &before, sizeof before), 0);
}

// --- OK ---------------------------------------------------------------------------------------

TEST(SettingsOkTest, TheBoxesAreWhatIsStored) {
    SettingsBoxes boxes;
    for (int id : kOptionControls) {
        boxes.Set(id, true);
    }
    boxes.Set(1053, false);  // 1052 is checked but only 1053 is read
    boxes.Set(1069, false);  // 1070 is checked but only 1069 is read
    SettingsRecord settings{};
    settings.SkinIndex = 4;
    ReadBoxesIntoSettings(boxes, settings);
    EXPECT_EQ(settings.WordAssociation + settings.PhraseInput + settings.CodeHint +
                  settings.CursorFollow + settings.SemicolonQuoteKeys + settings.CommaPeriodKeys +
                  settings.ProgressiveHint + settings.LeftShiftSwitch + settings.RightShiftSwitch +
                  settings.AutoFrequency + settings.CommaPeriodPaging,
              11);
    EXPECT_EQ(settings.GbkMode, 0);
    EXPECT_EQ(settings.CodeSet, kCodeSetSecondary);
    EXPECT_EQ(settings.SkinIndex, 0) << "the first checked skin box is the skin";

    SettingsBoxes onlySix;
    onlySix.Set(1092, true);
    ReadBoxesIntoSettings(onlySix, settings);
    EXPECT_EQ(settings.SkinIndex, 6);
    // No skin box checked keeps the skin.
    ReadBoxesIntoSettings(SettingsBoxes{}, settings);
    SettingsRecord none{};
    none.SkinIndex = 6;
    EXPECT_EQ(std::memcmp(&settings, &none, sizeof none), 0);
}

TEST(SettingsOkTest, OpeningAndOkWithoutClicksKeepsEveryOption) {
    for (std::uint32_t imeset : {0x000u, 0x3FFu, 0x0CFu, 0x155u, 0x2AAu}) {
        for (std::uint32_t imesetz : {0u, 7u, 5u, 2u}) {
            SettingsRecord opened{};
            DecodeSettings(StoredSettings{imeset, imesetz, 3}, opened);
            SettingsBoxes boxes;
            SetBoxesFromSettings(opened, boxes);
            SettingsRecord stored = opened;
            ReadBoxesIntoSettings(boxes, stored);
            EXPECT_EQ(std::memcmp(&stored, &opened, sizeof opened), 0) << imeset << " " << imesetz;
        }
    }
}

class SettingsConfirmTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folders_ = CopyShippedDictionaries();
        CreateSettingsKey();
        Settings = InstalledDefaults();
        InitSkinLayout();
        ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
        Tables.MainTableModified = false;
        shipped_ = ReadWholeFile(folders_.machine + "zelk2006.mb");
    }
    // Nothing the dialog saves goes to the machine's folder.
    void ExpectMachineFilesAsShipped() {
        for (const char* name : {"zelk2006.mb", "zelk2006.emb", "shm28.mb", "shm28.emb"}) {
            EXPECT_EQ(ReadWholeFile(folders_.machine + name),
                      ReadWholeFile(ShippedDataDirectory() + "zelk/" + name))
                << name;
        }
    }
    void TearDown() override {
        DeleteSettingsKey();
        Tables.MainTableModified = false;
    }
    DataFolders folders_;
    std::string shipped_;
};

TEST_F(SettingsConfirmTest, OkStoresBothOptionValues) {
    Settings.GbkMode = 1;
    Settings.AutoFrequency = 1;
    ConfirmSettings(kCodeSetPrimary);
    EXPECT_EQ(ReadSettingsValue("IMESET"), kInstalledDefaults.imeset | 1u << 9);
    EXPECT_EQ(ReadSettingsValue("IMESETZ"), 0x3u);
    EXPECT_EQ(FolderListing(folders_.user), "");
}

TEST_F(SettingsConfirmTest, ASkinWithoutCaretFollowingStoresItOff) {
    Settings.SkinIndex = 2;
    Settings.CursorFollow = 1;
    ConfirmSettings(kCodeSetPrimary);
    EXPECT_EQ(Settings.CursorFollow, 0);
    EXPECT_EQ(ReadSettingsValue("IMESET") & 1u << 3, 0u);
    EXPECT_EQ(ReadSettingsValue("IMESETQ"), 2u) << "OK stores the skin at once";

    Settings.SkinIndex = 4;
    Settings.CursorFollow = 1;
    ConfirmSettings(kCodeSetPrimary);
    EXPECT_EQ(ReadSettingsValue("IMESET") & 1u << 3, 1u << 3);
    EXPECT_EQ(ReadSettingsValue("IMESETQ"), 4u);
}

TEST_F(SettingsConfirmTest, SwitchingCodeSetSavesTheReorderedOldTableThenLoadsTheNew) {
    std::swap(Tables.MainTable[0], Tables.MainTable[1]);
    const std::string moved = Tables.MainTable[0].code;
    Tables.MainTableModified = true;
    Settings.CodeSet = kCodeSetSecondary;
    ConfirmSettings(kCodeSetPrimary);

    const std::string saved = ReadWholeFile(folders_.user + "zelk2006.mb");
    EXPECT_EQ(saved.size(), shipped_.size());
    EXPECT_EQ(saved.substr(0, moved.size() + 1), moved + "_");
    ExpectMachineFilesAsShipped();
    EXPECT_STREQ(Tables.MainTable[0].code, "amvs");  // the first line of shm28.mb
    EXPECT_EQ(std::memcmp(Tables.LetterStart, LetterStartSecondary, sizeof Tables.LetterStart), 0);
    EXPECT_EQ(ReadSettingsValue("IMESETZ") & 1u, 0u);
}

TEST_F(SettingsConfirmTest, SwitchingCodeSetWithoutReorderingWritesNoTable) {
    std::swap(Tables.MainTable[0], Tables.MainTable[1]);  // changed in memory, but not by promotion
    Settings.CodeSet = kCodeSetSecondary;
    ConfirmSettings(kCodeSetPrimary);
    EXPECT_STREQ(Tables.MainTable[0].code, "amvs");

    // And back: the Secondary table was not reordered either.
    Settings.CodeSet = kCodeSetPrimary;
    ConfirmSettings(kCodeSetSecondary);
    EXPECT_EQ(std::memcmp(Tables.LetterStart, LetterStartPrimary, sizeof Tables.LetterStart), 0);
    EXPECT_EQ(FolderListing(folders_.user), "");
    ExpectMachineFilesAsShipped();
}

TEST_F(SettingsConfirmTest, AMissingFileOfTheNewCodeSetLeavesItsTableEmptyAndStillStores) {
    std::remove((folders_.machine + "shm28.emb").c_str());
    std::remove((folders_.machine + "shm28.mb").c_str());
    Settings.CodeSet = kCodeSetSecondary;
    ConfirmSettings(kCodeSetPrimary);
    EXPECT_TRUE(IsEmptyEntry(Tables.MainTable[0]));
    EXPECT_EQ(ReadSettingsValue("IMESETZ") & 1u, 0u);
}

}  // namespace
