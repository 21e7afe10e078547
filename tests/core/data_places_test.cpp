// One machine data folder and one pair of settings keys for both bitnesses: which system
// directory and which registry view a module uses.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dict/data_places.h"
#include "settings/registry_access.h"

namespace {

TEST(SystemFolderTest, UnderWow64TheSharedDirectoryIsTheSysnativeSibling) {
    struct Case {
        const char* seen;
        bool underWow64;
        const char* shared;  // nullptr: refused
    };
    const Case cases[] = {
        {"C:\\Windows\\SysWOW64", true, "C:\\Windows\\Sysnative"},
        {"C:\\Windows\\SysWOW64\\", true, "C:\\Windows\\Sysnative"},
        {"D:\\W\\SYSWOW64\\\\", true, "D:\\W\\Sysnative"},
        {"C:\\Windows\\System32", false, "C:\\Windows\\System32"},
        {"C:\\Windows\\System32\\", false, "C:\\Windows\\System32"},
        {"/tmp/sys/", false, "/tmp/sys"},
        {"/tmp/sys", true, "/tmp/Sysnative"},
        {"SysWOW64", true, nullptr},
        {"C:\\", true, nullptr},
        {"", false, nullptr},
        {"\\", false, nullptr},
    };
    for (const Case& c : cases) {
        char out[260] = "untouched";
        const bool done = SharedSystemDirectory(c.seen, c.underWow64, out, sizeof out);
        EXPECT_EQ(done, c.shared != nullptr) << c.seen << " " << c.underWow64;
        EXPECT_STREQ(out, c.shared != nullptr ? c.shared : "") << c.seen << " " << c.underWow64;
    }
}

TEST(SystemFolderTest, AResultThatDoesNotFitIsRefused) {
    const char seen[] = "C:\\W\\SysWOW64";  // "C:\W\Sysnative" needs 15 bytes with the NUL
    char out[16];
    EXPECT_TRUE(SharedSystemDirectory(seen, true, out, 15));
    EXPECT_STREQ(out, "C:\\W\\Sysnative");
    EXPECT_FALSE(SharedSystemDirectory(seen, true, out, 14));
    EXPECT_STREQ(out, "");
    EXPECT_FALSE(SharedSystemDirectory(seen, false, out, 13));
    EXPECT_STREQ(out, "");
    EXPECT_FALSE(SharedSystemDirectory(seen, false, out, 0));
}

TEST(SettingsAccessTest, OnlyA32BitModuleOn64BitWindowsNamesThe64BitView) {
    EXPECT_EQ(SettingsRegistryView(true), static_cast<REGSAM>(KEY_WOW64_64KEY));
    EXPECT_EQ(SettingsRegistryView(false), 0u);
}

}  // namespace
