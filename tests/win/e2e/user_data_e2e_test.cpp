// Each user's own data, end to end: after an install, what a person's typing builds goes to their
// application-data folder and leaves the machine's files as the package has them; their own
// settings come before the machine's; the machine's user words are no condition for typing.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/gbk_text.h"
#include "dict/data_places.h"
#include "dict/table_image_files.h"
#include "support/test_platform.h"
#include "win/e2e/e2e_support.h"

namespace {

std::string MachineFolder() {
    char path[kPathBufferSize];
    return MachineDataDirectory(path) ? std::string(path) : std::string();
}

// The name of the installed image of a main file.
std::string ImageName(const std::string& folder, const char* mainFile) {
    SourceFacts facts;
    char path[kPathBufferSize];
    const std::string main = folder + mainFile;
    if (ReadSourceFacts(main.c_str(), facts) != FileReadStatus::Read ||
        !TableImagePath(main.c_str(), facts.checksum, path)) {
        return "";
    }
    return std::string(path).substr(folder.size());
}

std::string UserFolder() {
    char path[kPathBufferSize];
    return UserDataDirectory(path) ? std::string(path) : std::string();
}

TEST(UserDataTest, TypingChangesOnlyTheUsersFilesAndTheirSettingsComeFirst) {
    InstallWithDefaults();
    const std::string machine = MachineFolder();
    const std::string package = PackageFolder() + "data\\zelk\\";
    const std::string installed = "shm28.emb\nshm28.mb\n" + ImageName(machine, "shm28.mb") +
                                  "\nskip\nzelk-setup.exe\nzelk2006.emb\nzelk2006.mb\n" +
                                  ImageName(machine, "zelk2006.mb") + "\n";
    ASSERT_EQ(FolderListing(machine), installed);
    // The machine's defaults have no automatic frequency; this user's own choice has.
    ASSERT_EQ(ReadSetting("IMESETZ", SettingsScope::Machine), 1u);
    const DWORD autoFrequency = 3;
    SetRawSettingsValue("IMESETZ", REG_DWORD, &autoFrequency, 4, SettingsScope::User);
    {
        TypingWindow typing;
        ASSERT_TRUE(typing.ready());
        EXPECT_EQ(typing.Type("aaaa2aaaa "), "恭恭敬敬恭恭敬敬") << "the user's IMESETZ counts";
        typing.Clear();
        BoxAnswerer answerer;
        MakeWord(typing, "khk wwww ");
        EXPECT_GE(answerer.answered(), 1);
    }
    for (const std::string& line :
         {std::string("zelk2006.mb"), std::string("zelk2006.emb"), std::string("shm28.mb"),
          std::string("shm28.emb"), std::string("skip\\skip0c.bmp")}) {
        EXPECT_EQ(ReadWholeFile(machine + line), ReadWholeFile(package + line)) << line;
    }
    EXPECT_EQ(FolderListing(machine), installed);
    const std::string words = ReadWholeFile(UserFolder() + "zelk2006.emb");
    EXPECT_NE(words.find("khww     " + Gbk("中人") + "\r\n"), std::string::npos) << words;
    EXPECT_EQ(ReadSetting("IMESETZ", SettingsScope::Machine), 1u);
}

TEST(UserDataTest, WithoutTheMachinesUserWordsTheInputMethodStillTypes) {
    InstallWithDefaults();
    ASSERT_TRUE(DeleteFileA((MachineFolder() + "zelk2006.emb").c_str()));
    TypingWindow typing;
    ASSERT_TRUE(typing.ready());
    EXPECT_EQ(typing.Type("aaaa wwww "), "工人");
}

}  // namespace
