// The installer's decisions: its command line, the files it keeps and removes, how it recognises
// its keyboard layout, the settings it creates and the failures it reports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "common/setup_plan.h"
#include "settings/settings.h"

namespace {

using Args = std::vector<std::string>;

TEST(SetupArgumentsTest, CommandsAndTheDoubleClick) {
    EXPECT_EQ(ParseSetupArguments({}).command, SetupCommand::ConfirmAndInstall);
    EXPECT_EQ(ParseSetupArguments(Args{"install"}).command, SetupCommand::Install);
    EXPECT_EQ(ParseSetupArguments(Args{"INSTALL"}).command, SetupCommand::Install);
    const SetupRequest plain = ParseSetupArguments(Args{"uninstall"});
    EXPECT_EQ(plain.command, SetupCommand::Uninstall);
    EXPECT_FALSE(plain.purge);
    const SetupRequest purge = ParseSetupArguments(Args{"Uninstall", "--PURGE"});
    EXPECT_EQ(purge.command, SetupCommand::Uninstall);
    EXPECT_TRUE(purge.purge);
    for (const char* help : {"--help", "-h", "/?"}) {
        EXPECT_EQ(ParseSetupArguments(Args{help}).command, SetupCommand::Help) << help;
    }
    EXPECT_FALSE(ParseSetupArguments(Args{"install"}).resetDictionaries);
    const SetupRequest reset = ParseSetupArguments(Args{"Install", "--Reset-Dictionaries"});
    EXPECT_EQ(reset.command, SetupCommand::Install);
    EXPECT_TRUE(reset.resetDictionaries);
    EXPECT_FALSE(reset.purge);
}

TEST(SetupArgumentsTest, AnythingElseIsRefused) {
    const Args refused[] = {
        {"instal"},
        {"install", "--purge"},
        {"uninstall", "--purge", "x"},
        {"--purge"},
        {"uninstall", "purge"},
        {""},
        {"install", "install"},
        {"uninstall", "--reset-dictionaries"},
        {"install", "--reset-dictionaries", "--reset-dictionaries"},
        {"install", "--reset"},
        {"--reset-dictionaries"},
    };
    for (const Args& args : refused) {
        const SetupRequest request = ParseSetupArguments(args);
        EXPECT_EQ(request.command, SetupCommand::Invalid) << args[0] << " " << args.size();
        EXPECT_FALSE(request.purge);
        EXPECT_FALSE(request.resetDictionaries);
    }
}

TEST(SetupFilesTest, UserWordsAreKeptUnlessPurging) {
    EXPECT_TRUE(IsUserWordsFile("zelk\\zelk2006.emb"));
    EXPECT_TRUE(IsUserWordsFile("zelk\\SHM28.EMB"));
    EXPECT_FALSE(IsUserWordsFile("zelk\\zelk2006.mb"));
    EXPECT_FALSE(IsUserWordsFile("zelk\\skip\\skips.bmp"));
    EXPECT_FALSE(IsUserWordsFile("emb"));
    EXPECT_FALSE(RemovedOnUninstall("zelk\\shm28.emb", false));
    EXPECT_TRUE(RemovedOnUninstall("zelk\\shm28.emb", true));
    EXPECT_TRUE(RemovedOnUninstall("zelk\\shm28.mb", false));
    EXPECT_TRUE(RemovedOnUninstall("zelk\\skip\\skip1.bmp", false));
}

TEST(SetupFilesTest, AReinstallKeepsWhatTheUserMadeOfTheDictionaries) {
    using A = InstallFileAction;
    struct Case {
        const char* file;
        bool exists;
        bool reset;
        InstallFileAction action;
    };
    const Case cases[] = {
        {"zelk\\zelk2006.mb", false, false, A::Copy},
        {"zelk\\zelk2006.mb", false, true, A::Copy},
        {"zelk\\zelk2006.mb", true, false, A::Keep},
        {"zelk\\SHM28.MB", true, true, A::BackUpAndReplace},
        {"zelk\\shm28.emb", true, true, A::Keep},
        {"zelk\\shm28.emb", true, false, A::Keep},
        {"zelk\\shm28.emb", false, true, A::Copy},
        {"zelk\\skip\\skip0c.bmp", true, true, A::Copy},
        {"zelk\\skip\\skip0c.bmp", true, false, A::Copy},
        {"zelk\\zelk2006.mb.old", true, true, A::Copy},
        {"\xC7\xE0.txt", true, false, A::Copy},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ActionForPackageFile(c.file, c.exists, c.reset), c.action)
            << c.file << " exists " << c.exists << " reset " << c.reset;
    }
}

TEST(SetupFilesTest, CopiesOfReplacedDictionariesAreNumbered) {
    EXPECT_EQ(BackupFileName("C:\\W\\zelk\\zelk2006.mb", 1), "C:\\W\\zelk\\zelk2006.mb.old");
    EXPECT_EQ(BackupFileName("shm28.mb", 2), "shm28.mb.old2");
    EXPECT_EQ(BackupFileName("shm28.mb", kMaxBackupCopies), "shm28.mb.old99");
    // A copy is no main dictionary: uninstalling removes it with the tables.
    EXPECT_FALSE(IsMainDictionaryFile(BackupFileName("zelk\\shm28.mb", 3)));
    EXPECT_TRUE(RemovedOnUninstall(BackupFileName("zelk\\shm28.mb", 1), false));
}

TEST(SetupFilesTest, ThePackageMustHoldBothCodeSets) {
    int mainFiles = 0;
    int userFiles = 0;
    for (const char* file : kRequiredDataFiles) {
        EXPECT_EQ(std::string(file).rfind("zelk\\", 0), 0u) << file;
        (IsUserWordsFile(file) ? userFiles : mainFiles) += 1;
    }
    EXPECT_EQ(mainFiles, 2);
    EXPECT_EQ(userFiles, 2);
    EXPECT_EQ(Utf8(kUserGuideFileName), "青岚形码操作指南.txt");
}

// A walk never follows a link (a junction to C:\Windows, say): it removes the link itself.
TEST(SetupWalkTest, LinksAreNeverDescendedInto) {
    const struct {
        const wchar_t* name;
        std::uint32_t attributes;
        WalkStep step;
    } cases[] = {
        {L".", kAttributeDirectory, WalkStep::Skip},
        {L"..", kAttributeDirectory, WalkStep::Skip},
        {L"skip", kAttributeDirectory, WalkStep::Descend},
        {L"skip", kAttributeDirectory | 0x1 | 0x20, WalkStep::Descend},  // read-only, archive
        {L"x", kAttributeDirectory | kAttributeReparsePoint, WalkStep::Link},
        {L"zelk2006.mb", kAttributeReparsePoint, WalkStep::Link},
        {L"zelk2006.mb", 0x80, WalkStep::File},
        {L"zelk2006.mb", 0x20, WalkStep::File},
        {L"...", kAttributeDirectory, WalkStep::Descend},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StepForEntry(c.name, c.attributes), c.step) << static_cast<int>(&c - cases);
    }
}

// An install takes back exactly what an older version granted ordinary users.
TEST(SetupAccessTest, OnlyExplicitGrantsThatLetOrdinaryUsersChangeAPlaceAreTakenBack) {
    using P = InstalledPlace;
    using T = Trustee;
    constexpr std::uint32_t kRead = 0x00120089u;  // FILE_GENERIC_READ
    constexpr std::uint32_t kOldGrant = 0x00120089u | 0x00120116u | 0x00010000u;
    constexpr std::uint32_t kKeyRead = 0x20019u;
    const struct {
        AccessEntry entry;
        InstalledPlace place;
        bool changes;
        bool kept;
    } cases[] = {
        {{T::OrdinaryUsers, true, false, kOldGrant}, P::Folder, true, false},
        {{T::OrdinaryUsers, true, true, kOldGrant}, P::File, true, true},  // inherited
        {{T::OrdinaryUsers, true, false, kRead}, P::Folder, false, true},
        {{T::OrdinaryUsers, true, false, 0x0040u}, P::Folder, true, false},     // delete children
        {{T::OrdinaryUsers, true, false, 0x0040u}, P::File, false, true},       // no such right
        {{T::OrdinaryUsers, false, false, kOldGrant}, P::Folder, false, true},  // a denial
        {{T::OrdinaryUsers, true, false, 0x10000000u}, P::File, true, false},   // GENERIC_ALL
        {{T::OrdinaryUsers, true, false, 0x00040000u}, P::File, true, false},   // WRITE_DAC
        {{T::OrdinaryUsers, true, false, kKeyRead | 0x0002u}, P::RegistryKey, true, false},
        {{T::OrdinaryUsers, true, false, kKeyRead}, P::RegistryKey, false, true},
        {{T::OrdinaryUsers, true, false, 0x0020u}, P::RegistryKey, true, false},  // create link
        {{T::Administrators, true, false, 0x001F01FFu}, P::Folder, false, true},
        {{T::System, true, false, 0xF003Fu}, P::RegistryKey, false, true},
        {{T::Other, true, false, 0x001F01FFu}, P::File, false, true},
    };
    for (const auto& c : cases) {
        const int row = static_cast<int>(&c - cases);
        EXPECT_EQ(LetsOrdinaryUsersChange(c.entry, c.place), c.changes) << row;
        EXPECT_EQ(KeptOnInstall(c.entry, c.place), c.kept) << row;
    }
}

TEST(SetupUninstallEntryTest, SettingsAppsRunsTheInstalledCopyToUninstall) {
    const auto values = UninstallValues(L"C:\\Windows\\System32\\zelk\\zelk-setup.exe", 1025);
    std::vector<std::wstring> names;
    for (const UninstallValue& value : values) {
        names.push_back(value.name);
    }
    ASSERT_EQ(names, (std::vector<std::wstring>{L"DisplayName", L"DisplayVersion", L"Publisher",
                                                L"UninstallString", L"DisplayIcon",
                                                L"EstimatedSize", L"NoModify", L"NoRepair"}));
    EXPECT_EQ(values[0].text, L"青岚形码");
    EXPECT_EQ(values[3].text, L"\"C:\\Windows\\System32\\zelk\\zelk-setup.exe\" uninstall")
        << "quoted: the path may hold spaces";
    EXPECT_EQ(values[4].text, L"C:\\Windows\\System32\\zelk\\zelk-setup.exe,0");
    EXPECT_TRUE(values[5].isNumber);
    EXPECT_EQ(values[5].number, 2u) << "kilobytes, rounded up";
    EXPECT_EQ(UninstallValues(L"s", 0)[5].number, 0u);
    EXPECT_EQ(UninstallValues(L"s", 1024)[5].number, 1u);
    EXPECT_EQ(UninstallValues(L"s", ~std::uint64_t{0})[5].number, 0xFFFFFFFFu);
}

TEST(SetupLayoutTest, TheOwnLayoutIsFoundByItsImeFile) {
    EXPECT_TRUE(IsOwnImeFile("zelk.ime"));
    EXPECT_TRUE(IsOwnImeFile("ZELK.IME"));
    EXPECT_TRUE(IsOwnImeFile("C:\\windows\\system32\\zelk.ime"));
    EXPECT_FALSE(IsOwnImeFile("xzelk.ime"));
    EXPECT_FALSE(IsOwnImeFile("zelk.ime.old"));
    EXPECT_FALSE(IsOwnImeFile("winpy.ime"));
    EXPECT_FALSE(IsOwnImeFile(""));
    EXPECT_EQ(Utf8(kLayoutText), "青岚形码");
}

TEST(SetupLayoutTest, KeyNamesAreLayoutIds) {
    EXPECT_EQ(LayoutIdFromKeyName("e0020804"), 0xE0020804u);
    EXPECT_EQ(LayoutIdFromKeyName("E0200804"), 0xE0200804u);
    EXPECT_EQ(LayoutIdFromKeyName("00000409"), 0x409u);
    EXPECT_EQ(LayoutIdFromKeyName(""), 0u);
    EXPECT_EQ(LayoutIdFromKeyName("e00208041"), 0u);
    EXPECT_EQ(LayoutIdFromKeyName("e002080g"), 0u);
    EXPECT_EQ(LayoutIdFromKeyName("-1"), 0u);
}

TEST(SetupSettingsTest, AnInstallCreatesTheThreeValuesWithTheInstalledDefaults) {
    ASSERT_EQ(kSettingsDefaultCount, 3);
    EXPECT_STREQ(kSettingsDefaults[0].name, "IMESET");
    EXPECT_EQ(kSettingsDefaults[0].value, kInstalledDefaults.imeset);
    EXPECT_STREQ(kSettingsDefaults[1].name, "IMESETZ");
    EXPECT_EQ(kSettingsDefaults[1].value, kInstalledDefaults.imesetz);
    EXPECT_STREQ(kSettingsDefaults[2].name, "IMESETQ");
    EXPECT_EQ(kSettingsDefaults[2].value, 0u);
}

TEST(SetupFailureTest, SystemErrorsNameTheFailure) {
    EXPECT_EQ(ClassifySystemError(0), SetupFailure::None);
    EXPECT_EQ(ClassifySystemError(2), SetupFailure::MissingFile);
    EXPECT_EQ(ClassifySystemError(3), SetupFailure::MissingFile);
    EXPECT_EQ(ClassifySystemError(5), SetupFailure::AccessDenied);
    EXPECT_EQ(ClassifySystemError(32), SetupFailure::FileInUse);
    EXPECT_EQ(ClassifySystemError(33), SetupFailure::FileInUse);
    EXPECT_EQ(ClassifySystemError(1224), SetupFailure::FileInUse);
    EXPECT_EQ(ClassifySystemError(112), SetupFailure::DiskFull);
    EXPECT_EQ(ClassifySystemError(39), SetupFailure::DiskFull);
    EXPECT_EQ(ClassifySystemError(1314), SetupFailure::NotAdministrator);
    EXPECT_EQ(ClassifySystemError(87), SetupFailure::Other);
}

}  // namespace
