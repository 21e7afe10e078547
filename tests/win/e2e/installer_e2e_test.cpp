// zelk-setup as the user runs it, in the build's Wine prefix: what it installs, what a second
// install keeps, what uninstalling removes and keeps, and how it fails.
#include <gtest/gtest.h>

#include <windows.h>
#include <aclapi.h>

#include <string>

#include "common/gbk_text.h"
#include "common/setup_plan.h"
#include "dict/dictionary_files.h"
#include "dict/system_folder.h"
#include "settings/registry_access.h"
#include "support/test_platform.h"
#include "win/e2e/e2e_support.h"

namespace {

// The view of the one settings key both bitnesses share.
REGSAM SharedView() {
    BOOL wow64 = FALSE;
    return SettingsRegistryView(IsWow64Process(GetCurrentProcess(), &wow64) && wow64);
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsWritableFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

void SetSetting(const char* name, DWORD value) {
    HKEY key;
    ASSERT_EQ(
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\zelk", 0, KEY_SET_VALUE | SharedView(), &key),
        ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

void DeleteSetting(const char* name) {
    HKEY key;
    ASSERT_EQ(
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\zelk", 0, KEY_SET_VALUE | SharedView(), &key),
        ERROR_SUCCESS);
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

bool SettingsKeyExists() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\zelk", 0, KEY_READ | SharedView(), &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

// Whether an access list has an entry that allows the built-in Users group all the rights.
bool AllowsUsers(PACL list, DWORD rights) {
    BYTE users[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof users;
    CreateWellKnownSid(WinBuiltinUsersSid, nullptr, users, &size);
    for (DWORD i = 0; list != nullptr && i < list->AceCount; ++i) {
        ACE_HEADER* entry = nullptr;
        if (!GetAce(list, i, reinterpret_cast<void**>(&entry)) ||
            entry->AceType != ACCESS_ALLOWED_ACE_TYPE ||
            (entry->AceFlags & INHERIT_ONLY_ACE) != 0) {
            continue;
        }
        auto* allowed = reinterpret_cast<ACCESS_ALLOWED_ACE*>(entry);
        if (EqualSid(&allowed->SidStart, users) && (allowed->Mask & rights) == rights) {
            return true;
        }
    }
    return false;
}

bool UsersMayWriteFolder(const std::string& folder) {
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoA(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &list, nullptr, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    const bool allowed = AllowsUsers(list, FILE_WRITE_DATA | FILE_ADD_FILE | DELETE);
    LocalFree(descriptor);
    return allowed;
}

bool UsersMaySetSettings() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\zelk", 0, READ_CONTROL | SharedView(), &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    bool allowed = false;
    if (GetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &list,
                        nullptr, &descriptor) == ERROR_SUCCESS) {
        // All the module asks for, so that no settings write of an ordinary user fails.
        allowed = AllowsUsers(list, kSettingsReadAccess | kSettingsWriteAccess);
        LocalFree(descriptor);
    }
    RegCloseKey(key);
    return allowed;
}

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

class InstallerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallWithDefaults();
        system_ = SystemFolder();
        char data[kPathBufferSize];
        ASSERT_TRUE(DictionaryDirectory(data));
        data_ = data;
        RemoveBackups();
    }
    // Every test leaves the input method installed with the package's dictionaries, as the other
    // programs expect.
    void TearDown() override {
        for (const char* file : {"zelk2006.mb", "shm28.mb"}) {
            CopyFileA((PackageFolder() + "data\\zelk\\" + file).c_str(), (data_ + file).c_str(),
                      FALSE);
        }
        RemoveBackups();
        InstallWithDefaults();
    }
    void RemoveBackups() {
        for (const char* file : {"zelk2006.mb", "shm28.mb"}) {
            for (int number = 1; number <= 3; ++number) {
                DeleteFileA(BackupFileName(data_ + file, number).c_str());
            }
        }
    }
    std::string system_;
    std::string data_;
};

TEST_F(InstallerTest, InstallPutsTheInputMethodItsDataAndItsSettingsInPlace) {
    EXPECT_TRUE(Exists(system_ + "zelk.ime"));
    for (const char* file : {"zelk2006.mb", "zelk2006.emb", "shm28.mb", "shm28.emb"}) {
        EXPECT_EQ(ReadWholeFile(data_ + file),
                  ReadWholeFile(PackageFolder() + "data\\zelk\\" + file))
            << file;
        EXPECT_TRUE(IsWritableFile(data_ + file)) << file << " must be writable";
    }
    EXPECT_EQ(ReadWholeFile(system_ + "zelk.ime"), ReadWholeFile(PackageFolder() + "zelk.ime"));
    ASSERT_EQ(ZelkLayouts().size(), 1u);
    // One data folder for both bitnesses: none in the 32-bit system directory.
    char wow64[MAX_PATH];
    const UINT length = GetSystemWow64DirectoryA(wow64, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        EXPECT_FALSE(Exists(std::string(wow64) + "\\zelk\\zelk2006.mb"));
    }
}

TEST_F(InstallerTest, OrdinaryUsersMayWriteTheDataAndTheSettings) {
    EXPECT_TRUE(UsersMaySetSettings());
    // Wine turns a folder's access list into Unix permissions and shows a made-up list: there the
    // folder's entry cannot be read back.
    if (!UnderWine()) {
        EXPECT_TRUE(UsersMayWriteFolder(data_));
        EXPECT_FALSE(UsersMayWriteFolder(system_)) << "only the data folder is opened to users";
    }
    EXPECT_EQ(ReadSetting("IMESET"), 0xCFu);
    EXPECT_EQ(ReadSetting("IMESETZ"), 1u);
    EXPECT_EQ(ReadSetting("IMESETQ"), 0u);
    ASSERT_EQ(ZelkLayouts().size(), 1u);
}

TEST_F(InstallerTest, InstallingTwiceKeepsOneLayoutTheSettingsAndTheUserWords) {
    const std::vector<std::string> first = ZelkLayouts();
    ASSERT_EQ(first.size(), 1u);
    SetSetting("IMESET", 0x3FF);
    DeleteSetting("IMESETQ");
    const std::string words = Gbk("aaaa     工工\r\n");
    WriteWholeFile(data_ + "zelk2006.emb", words);
    WriteWholeFile(data_ + "zelk2006.mb", "reordered");

    const SetupRun again = RunSetup("install");
    EXPECT_EQ(again.exitCode, 0u) << again.output;
    EXPECT_EQ(ZelkLayouts(), first);
    EXPECT_EQ(ReadSetting("IMESET"), 0x3FFu) << "the user's settings stay";
    EXPECT_EQ(ReadSetting("IMESETQ"), 0u) << "a missing value gets its default";
    EXPECT_EQ(ReadWholeFile(data_ + "zelk2006.emb"), words) << "user words are never replaced";
    EXPECT_EQ(ReadWholeFile(data_ + "zelk2006.mb"), "reordered") << "the learned order stays";
    EXPECT_FALSE(Exists(BackupFileName(data_ + "zelk2006.mb", 1)));
}

TEST_F(InstallerTest, ResettingTheDictionariesKeepsEveryEarlierOrderAsACopy) {
    const std::string packaged = ReadWholeFile(PackageFolder() + "data\\zelk\\zelk2006.mb");
    const std::string words = Gbk("aaaa     工工\r\n");
    WriteWholeFile(data_ + "zelk2006.emb", words);
    WriteWholeFile(data_ + "zelk2006.mb", "first order");
    const SetupRun reset = RunSetup("install --reset-dictionaries");
    EXPECT_EQ(reset.exitCode, 0u) << reset.output;
    EXPECT_EQ(ReadWholeFile(data_ + "zelk2006.mb"), packaged);
    EXPECT_EQ(ReadWholeFile(data_ + "zelk2006.mb.old"), "first order");
    EXPECT_EQ(ReadWholeFile(data_ + "shm28.mb.old"),
              ReadWholeFile(PackageFolder() + "data\\zelk\\shm28.mb"));
    EXPECT_NE(reset.output.find("zelk2006.mb.old"), std::string::npos) << reset.output;
    EXPECT_EQ(ReadWholeFile(data_ + "zelk2006.emb"), words);

    WriteWholeFile(data_ + "zelk2006.mb", "second order");
    EXPECT_EQ(RunSetup("INSTALL --Reset-Dictionaries").exitCode, 0u);
    EXPECT_EQ(ReadWholeFile(data_ + "zelk2006.mb.old"), "first order") << "never overwritten";
    EXPECT_EQ(ReadWholeFile(data_ + "zelk2006.mb.old2"), "second order");
    EXPECT_EQ(ReadWholeFile(data_ + "zelk2006.mb"), packaged);

    // The copies go with the dictionaries on uninstall.
    EXPECT_EQ(RunSetup("uninstall").exitCode, 0u);
    EXPECT_FALSE(Exists(data_ + "zelk2006.mb.old"));
    EXPECT_FALSE(Exists(data_ + "zelk2006.mb.old2"));
    EXPECT_EQ(ReadWholeFile(data_ + "zelk2006.emb"), words);
}

TEST_F(InstallerTest, UninstallRemovesTheInputMethodAndKeepsTheUserWords) {
    WriteWholeFile(data_ + "shm28.emb", Gbk("iiii     人人\r\n"));
    const SetupRun run = RunSetup("uninstall");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(ZelkLayouts().empty());
    EXPECT_FALSE(Exists(system_ + "zelk.ime"));
    EXPECT_FALSE(Exists(data_ + "zelk2006.mb"));
    EXPECT_FALSE(Exists(data_ + "shm28.mb"));
    EXPECT_TRUE(Exists(data_ + "zelk2006.emb"));
    EXPECT_EQ(ReadWholeFile(data_ + "shm28.emb"), Gbk("iiii     人人\r\n"));
    EXPECT_TRUE(SettingsKeyExists());

    // Installing again brings the user's words back into use.
    EXPECT_EQ(RunSetup("install").exitCode, 0u);
    EXPECT_EQ(ReadWholeFile(data_ + "shm28.emb"), Gbk("iiii     人人\r\n"));
    EXPECT_EQ(ZelkLayouts().size(), 1u);
}

TEST_F(InstallerTest, UninstallWithPurgeRemovesTheUserWordsAndTheSettingsToo) {
    const SetupRun run = RunSetup("uninstall --purge");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(ZelkLayouts().empty());
    EXPECT_FALSE(Exists(data_)) << "the data folder goes";
    EXPECT_FALSE(SettingsKeyExists());
    EXPECT_FALSE(Exists(system_ + "zelk.ime"));
    // Uninstalling what is not there is no failure.
    EXPECT_EQ(RunSetup("uninstall").exitCode, 0u);
}

TEST_F(InstallerTest, TheUserGuideGoesIntoTheSystemDirectoryAndOutAgain) {
    const std::string guide = Gbk("青岚形码操作指南.txt");
    const std::string packaged = PackageFolder() + "data\\" + guide;
    const bool shipped = Exists(packaged);
    const std::string before = ReadWholeFile(packaged);
    WriteWholeFile(packaged, "guide");
    const SetupRun install = RunSetup("install");
    if (shipped) {
        WriteWholeFile(packaged, before);
    } else {
        DeleteFileA(packaged.c_str());
    }
    EXPECT_EQ(install.exitCode, 0u) << install.output;
    // Where the status window's menu opens it.
    char installed[kPathBufferSize];
    ASSERT_TRUE(UserGuidePath(installed));
    EXPECT_EQ(ReadWholeFile(installed), "guide");
    EXPECT_EQ(RunSetup("uninstall").exitCode, 0u);
    EXPECT_FALSE(Exists(installed));
}

TEST_F(InstallerTest, AFileInUseIsReportedAndFailsTheInstall) {
    HANDLE held = CreateFileA((data_ + "zelk2006.mb").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    // Only a reset touches an installed main dictionary.
    const SetupRun run = RunSetup("install --reset-dictionaries");
    CloseHandle(held);
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_NE(run.output.find("文件正在使用"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("zelk2006.mb"), std::string::npos) << run.output;
}

TEST_F(InstallerTest, AnIncompletePackageIsReported) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string package = std::string(temp) + "zelk-incomplete\\";
    CreateDirectoryA(package.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((PackageFolder() + "zelk-setup.exe").c_str(),
                          (package + "zelk-setup.exe").c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileA((PackageFolder() + "zelk.ime").c_str(), (package + "zelk.ime").c_str(), FALSE));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + package + "zelk-setup.exe\" install";
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                               nullptr, nullptr, &startup, &process));
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    DeleteFileA((package + "zelk-setup.exe").c_str());
    DeleteFileA((package + "zelk.ime").c_str());
    RemoveDirectoryA(package.c_str());
    EXPECT_EQ(exitCode, 1u);
    EXPECT_EQ(ZelkLayouts().size(), 1u) << "nothing was changed";
}

TEST_F(InstallerTest, TheCommandLineIsChecked) {
    const SetupRun wrong = RunSetup("instal");
    EXPECT_EQ(wrong.exitCode, 2u);
    EXPECT_NE(wrong.output.find("zelk-setup uninstall --purge"), std::string::npos) << wrong.output;
    const SetupRun help = RunSetup("--help");
    EXPECT_EQ(help.exitCode, 0u);
    EXPECT_NE(help.output.find("zelk-setup install --reset-dictionaries"), std::string::npos);
}

}  // namespace
