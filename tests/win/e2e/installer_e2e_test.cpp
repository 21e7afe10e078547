// zelk-setup as the user runs it, in the build's Wine prefix: what it installs, what a second
// install keeps, what uninstalling removes and keeps, and how it fails.
#include <gtest/gtest.h>

#include <windows.h>
#include <aclapi.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "common/gbk_text.h"
#include "common/setup_plan.h"
#include "dict/dictionary_files.h"
#include "dict/data_places.h"
#include "settings/registry_access.h"
#include "settings/settings.h"
#include "support/test_platform.h"
#include "win/e2e/e2e_support.h"

namespace {

void SetSetting(const char* name, DWORD value) {
    SetRawSettingsValue(name, REG_DWORD, &value, sizeof value, SettingsScope::Machine);
}

void DeleteSetting(const char* name) {
    HKEY key;
    ASSERT_EQ(OpenSettingsKey(SettingsScope::Machine, KEY_SET_VALUE, false, &key), ERROR_SUCCESS);
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

bool KeyExists(SettingsScope scope) {
    HKEY key;
    if (OpenSettingsKey(scope, KEY_READ, false, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsWritableFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

// What an earlier version did: Users may change the object, and whatever comes below it.
void GrantUsersAsAnOlderVersionDid(HANDLE object, SE_OBJECT_TYPE type, DWORD rights) {
    PACL oldList = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(GetSecurityInfo(object, type, DACL_SECURITY_INFORMATION, nullptr, nullptr, &oldList,
                              nullptr, &descriptor),
              static_cast<DWORD>(ERROR_SUCCESS));
    BYTE users[SECURITY_MAX_SID_SIZE];
    DWORD usersSize = sizeof users;
    CreateWellKnownSid(WinBuiltinUsersSid, nullptr, users, &usersSize);
    EXPLICIT_ACCESSA access{};
    access.grfAccessPermissions = rights;
    access.grfAccessMode = GRANT_ACCESS;
    access.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    access.Trustee.ptstrName = reinterpret_cast<LPSTR>(users);
    PACL newList = nullptr;
    ASSERT_EQ(SetEntriesInAclA(1, &access, oldList, &newList), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(SetSecurityInfo(object, type, DACL_SECURITY_INFORMATION, nullptr, nullptr, newList,
                              nullptr),
              static_cast<DWORD>(ERROR_SUCCESS));
    LocalFree(newList);
    LocalFree(descriptor);
}

// Whether an access list has an entry that lets one of the ordinary users' groups change the
// object.
bool LetsUsersChange(PACL list, InstalledPlace place) {
    const WELL_KNOWN_SID_TYPE ordinary[] = {WinBuiltinUsersSid, WinWorldSid,
                                            WinAuthenticatedUserSid, WinInteractiveSid};
    for (DWORD i = 0; list != nullptr && i < list->AceCount; ++i) {
        ACE_HEADER* entry = nullptr;
        if (!GetAce(list, i, reinterpret_cast<void**>(&entry)) ||
            entry->AceType != ACCESS_ALLOWED_ACE_TYPE ||
            (entry->AceFlags & INHERIT_ONLY_ACE) != 0) {
            continue;
        }
        auto* allowed = reinterpret_cast<ACCESS_ALLOWED_ACE*>(entry);
        for (const WELL_KNOWN_SID_TYPE kind : ordinary) {
            if (IsWellKnownSid(&allowed->SidStart, kind) &&
                LetsOrdinaryUsersChange(
                    AccessEntry{Trustee::OrdinaryUsers, true, false, allowed->Mask}, place)) {
                return true;
            }
        }
    }
    return list == nullptr;
}

bool UsersMayChangeSettings() {
    HKEY key;
    if (OpenSettingsKey(SettingsScope::Machine, READ_CONTROL | WRITE_DAC, false, &key) !=
        ERROR_SUCCESS) {
        return true;
    }
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    bool mayChange = true;
    if (GetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &list,
                        nullptr, &descriptor) == ERROR_SUCCESS) {
        mayChange = LetsUsersChange(list, InstalledPlace::RegistryKey);
        LocalFree(descriptor);
    }
    RegCloseKey(key);
    return mayChange;
}

bool UsersMayWrite(const std::string& path, InstalledPlace place) {
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &list, nullptr, &descriptor) != ERROR_SUCCESS) {
        return true;
    }
    const bool allowed = LetsUsersChange(list, place);
    LocalFree(descriptor);
    return allowed;
}

const wchar_t kUninstallEntry[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\zelk";

std::string UninstallText(const wchar_t* name) {
    wchar_t text[1024] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kUninstallEntry, name,
                     RRF_RT_REG_SZ | RRF_SUBKEY_WOW6464KEY, nullptr, text,
                     &size) != ERROR_SUCCESS) {
        return "(missing)";
    }
    return Utf8Of(text);
}

DWORD UninstallNumber(const wchar_t* name) {
    DWORD number = 0;
    DWORD size = sizeof number;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kUninstallEntry, name,
                     RRF_RT_REG_DWORD | RRF_SUBKEY_WOW6464KEY, nullptr, &number,
                     &size) != ERROR_SUCCESS) {
        return ~0u;
    }
    return number;
}

std::string UserFolder() {
    char path[kPathBufferSize];
    return UserDataDirectory(path) ? std::string(path) : std::string();
}

// The running installer's own copy can only go at the next restart.
bool RemovalIsPending(const std::string& path) {
    char pending[16384] = {};
    DWORD size = sizeof pending - 2;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                     "PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ, nullptr, pending,
                     &size) != ERROR_SUCCESS) {
        return false;
    }
    return std::string(pending, size).find(path.substr(2)) != std::string::npos;
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
        ASSERT_TRUE(MachineDataDirectory(data));
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
    EXPECT_EQ(ReadWholeFile(data_ + "zelk-setup.exe"),
              ReadWholeFile(PackageFolder() + "zelk-setup.exe"));
    ASSERT_EQ(ZelkLayouts().size(), 1u);
    // Listed under Settings → Apps, removed by the installed copy of the installer.
    EXPECT_EQ(UninstallText(L"DisplayName"), "青岚形码");
    EXPECT_EQ(UninstallText(L"DisplayVersion"), "1.5");
    EXPECT_EQ(UninstallText(L"Publisher"), "zelk");
    const std::string setup = data_ + "zelk-setup.exe";  // ASCII in the test prefix
    EXPECT_EQ(UninstallText(L"UninstallString"), "\"" + setup + "\" uninstall");
    EXPECT_EQ(UninstallText(L"DisplayIcon"), setup + ",0");
    EXPECT_EQ(ExtractIconExA(setup.c_str(), -1, nullptr, nullptr, 0), 1u) << "the icon named";
    EXPECT_GT(UninstallNumber(L"EstimatedSize"), 1000u) << "kilobytes of the files installed";
    EXPECT_LT(UninstallNumber(L"EstimatedSize"), 100000u);
    EXPECT_EQ(UninstallNumber(L"NoModify"), 1u);
    // One data folder for both bitnesses: none in the 32-bit system directory.
    char wow64[MAX_PATH];
    const UINT length = GetSystemWow64DirectoryA(wow64, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        EXPECT_FALSE(Exists(std::string(wow64) + "\\zelk\\zelk2006.mb"));
    }
}

// Installing over an older version takes back what it granted ordinary users.
TEST_F(InstallerTest, OrdinaryUsersMayChangeNeitherTheDataNorTheMachineSettings) {
    EXPECT_FALSE(UsersMayChangeSettings());
    HKEY key;
    ASSERT_EQ(OpenSettingsKey(SettingsScope::Machine, READ_CONTROL | WRITE_DAC, false, &key),
              ERROR_SUCCESS);
    GrantUsersAsAnOlderVersionDid(key, SE_REGISTRY_KEY, KEY_READ | KEY_SET_VALUE);
    RegCloseKey(key);
    HANDLE folder = CreateFileA(data_.c_str(), READ_CONTROL | WRITE_DAC, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(folder, INVALID_HANDLE_VALUE);
    GrantUsersAsAnOlderVersionDid(folder, SE_FILE_OBJECT,
                                  FILE_GENERIC_READ | FILE_GENERIC_WRITE | DELETE);
    CloseHandle(folder);
    ASSERT_TRUE(UsersMayChangeSettings()) << "the older version's grant is in place";

    const SetupRun again = RunSetup("install");
    EXPECT_EQ(again.exitCode, 0u) << again.output;
    EXPECT_FALSE(UsersMayChangeSettings());
    // Wine turns a folder's access list into Unix permissions and shows a made-up list: there the
    // folder's entry cannot be read back.
    if (!UnderWine()) {
        EXPECT_FALSE(UsersMayWrite(data_, InstalledPlace::Folder));
        EXPECT_FALSE(UsersMayWrite(data_ + "zelk2006.emb", InstalledPlace::File));
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
    EXPECT_FALSE(KeyExists(SettingsScope::User)) << "the installer sets no user's choices";
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
    const std::string own = UserFolder() + "zelk2006.emb";
    CreateDirectoryA(UserFolder().c_str(), nullptr);
    WriteWholeFile(own, Gbk("aaaa     工工\r\n"));
    WriteSettingsValue("IMESETQ", 2);
    const SetupRun run = RunSetup("uninstall");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(ZelkLayouts().empty());
    EXPECT_FALSE(Exists(system_ + "zelk.ime"));
    EXPECT_FALSE(Exists(data_ + "zelk2006.mb"));
    EXPECT_FALSE(Exists(data_ + "shm28.mb"));
    EXPECT_TRUE(Exists(data_ + "zelk2006.emb"));
    EXPECT_EQ(ReadWholeFile(data_ + "shm28.emb"), Gbk("iiii     人人\r\n"));
    EXPECT_FALSE(Exists(data_ + "zelk-setup.exe") && !RemovalIsPending(data_ + "zelk-setup.exe"));
    EXPECT_TRUE(KeyExists(SettingsScope::Machine));
    EXPECT_EQ(ReadWholeFile(own), Gbk("aaaa     工工\r\n")) << "the user's own words stay";
    EXPECT_EQ(ReadSetting("IMESETQ", SettingsScope::User), 2u);
    EXPECT_EQ(UninstallText(L"DisplayName"), "(missing)");

    // Installing again brings the user's words back into use.
    EXPECT_EQ(RunSetup("install").exitCode, 0u);
    EXPECT_EQ(ReadWholeFile(data_ + "shm28.emb"), Gbk("iiii     人人\r\n"));
    EXPECT_EQ(ZelkLayouts().size(), 1u);
}

TEST_F(InstallerTest, UninstallWithPurgeRemovesTheUserWordsAndTheSettingsToo) {
    CreateDirectoryA(UserFolder().c_str(), nullptr);
    WriteWholeFile(UserFolder() + "zelk2006.emb", Gbk("aaaa     工工\r\n"));
    WriteSettingsValue("IMESETQ", 2);
    const SetupRun run = RunSetup("uninstall --purge");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(ZelkLayouts().empty());
    EXPECT_FALSE(Exists(data_ + "zelk2006.emb")) << "the data folder goes";
    EXPECT_FALSE(Exists(UserFolder())) << "this user's own folder goes";
    EXPECT_FALSE(KeyExists(SettingsScope::Machine));
    EXPECT_FALSE(KeyExists(SettingsScope::User));
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
