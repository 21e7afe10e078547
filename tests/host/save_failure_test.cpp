#include <gtest/gtest.h>

#include <string>

#include "common/gbk_text.h"
#include "dict/dictionary_files.h"
#include "platform/host/host_control.h"
#include "settings/settings.h"
#include "support/test_platform.h"
#include "dict/tables.h"

namespace {

TEST(SaveMainTable, FailedWriteTellsTheUserAndKeepsTheOldFile) {
    Settings = SettingsRecord{};
    Settings.CodeSet = kCodeSetPrimary;
    CopyShippedDictionaries();
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    char directory[kPathBufferSize];
    ASSERT_TRUE(DictionaryDirectory(directory));
    const std::string file = std::string(directory) + "zelk2006.mb";
    const std::string before = ReadWholeFile(file);
    ASSERT_TRUE(CreateBlockingFolder(file + ".new"));

    HostResetRecords();
    Tables.MainTable[0].word[0] = 'x';
    SaveMainTable(Settings.CodeSet);
    ASSERT_EQ(HostMessageBoxCount(), 1);
    EXPECT_EQ(Utf8(HostMessageBoxAt(0).caption), "提示");
    EXPECT_EQ(Utf8(HostMessageBoxAt(0).text), "打开文件错误!");
    EXPECT_EQ(HostMessageBoxAt(0).type, MB_OK);
    EXPECT_EQ(ReadWholeFile(file), before);
}

}  // namespace
