// On 64-bit Windows the 64-bit and the 32-bit module share the user's data folder and settings
// key: a word saved by one is offered by the other, and a setting changed in one is seen by the
// other.
// The other bitness is the other build's test program, named by ZELK_OTHER_BITNESS_E2E, which this
// one starts for its half; without it (or where the other bitness cannot run) the test is
// skipped.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "dict/dictionary_files.h"
#include "dict/tables.h"
#include "settings/settings.h"
#include "support/test_platform.h"
#include "win/e2e/e2e_support.h"

namespace {

const char kOtherProgramVariable[] = "ZELK_OTHER_BITNESS_E2E";
const char kHalfVariable[] = "ZELK_SHARED_DATA_HALF";

// What one half leaves for the other: a word of the Secondary code set's user file and a skin.
struct Mark {
    const char* code;
    const char* word;
    DWORD skin;
};
const Mark kFromThisSide = {"zzzy", "\xB9\xA4\xC8\xCB", 3};   // 工人
const Mark kFromOtherSide = {"zzzx", "\xC8\xCB\xB9\xA4", 5};  // 人工

void Leave(const Mark& mark) {
    DictEntry entry{};
    std::strncpy(entry.code, mark.code, sizeof entry.code - 1);
    std::strncpy(entry.word, mark.word, sizeof entry.word - 1);
    ASSERT_EQ(LookAtUserDataDirectory(true), UserFolderState::Ready);
    ASSERT_TRUE(SaveUserTable(kCodeSetSecondary, &entry, 1));
    WriteSettingsValue("IMESETQ", mark.skin);
}

// The word is in the user file as the module loads it, and the skin is the stored one.
bool Sees(const Mark& mark) {
    if (LoadDictionaries(kCodeSetSecondary, false, true) != 1 ||
        ReadSettingsValue("IMESETQ") != mark.skin) {
        return false;
    }
    for (const DictEntry& entry : Tables.UserTable) {
        if (std::strcmp(entry.code, mark.code) == 0 && std::strcmp(entry.word, mark.word) == 0) {
            return true;
        }
    }
    return false;
}

TEST(SharedDataTest, AWordAndASettingCrossTheBitnessesBothWays) {
    const char* other = std::getenv(kOtherProgramVariable);
    if (other == nullptr || GetFileAttributesA(other) == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "set " << kOtherProgramVariable
                     << " to the other bitness's zelk_e2e_tests.exe (a 64-bit Windows or Wine "
                        "prefix that runs 32-bit programs) to run this";
    }
    char wow64[MAX_PATH];
    if (GetSystemWow64DirectoryA(wow64, MAX_PATH) == 0) {
        GTEST_SKIP() << "not 64-bit Windows: there is only one bitness";
    }
    InstallWithDefaults();
    char path[kPathBufferSize];
    ASSERT_TRUE(UserFilePath(UserFileName(kCodeSetSecondary), path));
    const std::string userFile = path;
    const std::string words = ReadWholeFile(userFile);
    const DWORD skin = ReadSettingsValue("IMESETQ");

    Leave(kFromThisSide);
    const DWORD exitCode =
        RunTestInAnotherProcess(other, kHalfVariable, "SharedDataTest.OtherBitnessHalf");
    const bool seen = Sees(kFromOtherSide);

    if (words.empty()) {
        DeleteFileA(userFile.c_str());
    } else {
        WriteWholeFile(userFile, words);
    }
    WriteSettingsValue("IMESETQ", skin);
    EXPECT_EQ(exitCode, 0u) << "the other bitness did not see this side's word and skin";
    EXPECT_TRUE(seen) << "this side does not see the other bitness's word and skin";
}

// Started by the test above from the other bitness's program.
TEST(SharedDataTest, OtherBitnessHalf) {
    if (std::getenv(kHalfVariable) == nullptr) {
        GTEST_SKIP() << "the other bitness's half of AWordAndASettingCrossTheBitnessesBothWays";
    }
    ASSERT_TRUE(Sees(kFromThisSide));
    Leave(kFromOtherSide);
}

}  // namespace
