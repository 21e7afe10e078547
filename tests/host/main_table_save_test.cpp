// Writing the learned order: the user's copy of the main file is replaced whole or not at all,
// never through a link, after retries while another program holds it open, and never from a table
// no file filled.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "common/gbk_text.h"
#include "dict/dictionary_files.h"
#include "platform/host/host_control.h"
#include "settings/settings.h"
#include "support/test_platform.h"
#include "dict/tables.h"

namespace {

TEST(MainTableSaveTest, TheUsersCopyIsReplacedWholeOrNotAtAll) {
    enum class Standing { OldCopy, LinkToElsewhere };
    const struct {
        const char* name;
        Standing standing;
        int replaceFailures;
        bool loaded;
        MainSaveResult result;
        int attempts;
        bool told;
    } cases[] = {
        {"replaced", Standing::OldCopy, 0, true, MainSaveResult::Saved, 1, false},
        {"held open a while", Standing::OldCopy, 3, true, MainSaveResult::Saved, 4, false},
        {"held open too long", Standing::OldCopy, 1000, true, MainSaveResult::WriteFailed, 10,
         true},
        {"a link in its place", Standing::LinkToElsewhere, 0, true, MainSaveResult::WriteFailed, 0,
         true},
        {"loaded from no file", Standing::OldCopy, 0, false, MainSaveResult::NotLoaded, 0, false},
    };
    for (const auto& c : cases) {
        Settings = SettingsRecord{};
        Settings.CodeSet = kCodeSetPrimary;
        const DataFolders folders = CopyShippedDictionaries();
        ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
        ASSERT_EQ(LookAtUserDataDirectory(true), UserFolderState::Ready);
        const std::string file = folders.user + "zelk2006.mb";
        const std::string elsewhere = folders.machine + "elsewhere.txt";
        WriteWholeFile(elsewhere, "not a dictionary");
        if (c.standing == Standing::OldCopy) {
            WriteWholeFile(file, "old order");
        } else {
            ASSERT_EQ(symlink(elsewhere.c_str(), file.c_str()), 0);
        }
        if (!c.loaded) {
            Tables.MainSource = TableSource::None;
        }
        const std::string before = ReadWholeFile(file);
        HostResetRecords();
        HostSetReplaceFailures(c.replaceFailures);
        Tables.MainTable[0].word[0] = 'x';
        EXPECT_EQ(SaveMainTable(Settings.CodeSet), c.result) << c.name;
        EXPECT_EQ(HostReplaceAttempts(), c.attempts) << c.name;
        HostSetReplaceFailures(0);
        const bool saved = c.result == MainSaveResult::Saved;
        EXPECT_EQ(ReadWholeFile(file).substr(0, 5), saved ? "aqi_x" : before.substr(0, 5))
            << c.name;
        EXPECT_EQ(ReadWholeFile(elsewhere), "not a dictionary") << c.name;
        EXPECT_EQ(FolderListing(folders.user), "zelk2006.mb\n") << c.name << ": nothing else";
        ASSERT_EQ(HostMessageBoxCount(), c.told ? 1 : 0) << c.name;
        if (c.told) {
            EXPECT_EQ(Utf8(HostMessageBoxAt(0).caption), "提示");
            EXPECT_EQ(Utf8(HostMessageBoxAt(0).text), "打开文件错误!");
            EXPECT_EQ(HostMessageBoxAt(0).type, MB_OK);
        }
    }
}

// An elevated program reads nothing the user's links lead to.
TEST(MainTableSaveTest, LinksInTheUsersFolderAreNeverRead) {
    Settings = SettingsRecord{};
    Settings.CodeSet = kCodeSetPrimary;
    const DataFolders folders = CopyShippedDictionaries();
    ASSERT_EQ(LookAtUserDataDirectory(true), UserFolderState::Ready);
    const std::string secret = folders.machine + "secret.txt";
    WriteWholeFile(secret, "aaaa_" + Gbk("秘") + "\r\n");
    ASSERT_EQ(symlink(secret.c_str(), (folders.user + "zelk2006.mb").c_str()), 0);
    ASSERT_EQ(symlink(secret.c_str(), (folders.user + "zelk2006.emb").c_str()), 0);
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    EXPECT_EQ(Tables.MainSource, TableSource::Machine);
    EXPECT_STREQ(Tables.MainTable[0].code, "aqi");
    EXPECT_TRUE(IsEmptyEntry(Tables.UserTable[0]));
    EXPECT_TRUE(Tables.UserFile.Unreadable);
}

}  // namespace
