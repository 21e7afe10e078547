#include "zelk-setup/access_win.h"

#include <aclapi.h>

#include <vector>

#include "common/setup_plan.h"
#include "zelk-setup/setup_output_win.h"

namespace {

Trustee TrusteeOf(PSID sid) {
    const WELL_KNOWN_SID_TYPE ordinary[] = {WinBuiltinUsersSid, WinWorldSid,
                                            WinAuthenticatedUserSid, WinInteractiveSid};
    for (const WELL_KNOWN_SID_TYPE kind : ordinary) {
        if (IsWellKnownSid(sid, kind)) {
            return Trustee::OrdinaryUsers;
        }
    }
    if (IsWellKnownSid(sid, WinBuiltinAdministratorsSid)) {
        return Trustee::Administrators;
    }
    return IsWellKnownSid(sid, WinLocalSystemSid) ? Trustee::System : Trustee::Other;
}

// The plain description of an entry; false for an entry that is no plain allow or deny.
bool Describe(ACE_HEADER* header, AccessEntry& entry) {
    if (header->AceType != ACCESS_ALLOWED_ACE_TYPE && header->AceType != ACCESS_DENIED_ACE_TYPE) {
        return false;
    }
    // Both kinds keep the mask and the trustee at the same places.
    auto* plain = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
    entry = AccessEntry{TrusteeOf(&plain->SidStart), header->AceType == ACCESS_ALLOWED_ACE_TYPE,
                        (header->AceFlags & INHERITED_ACE) != 0, plain->Mask};
    return true;
}

// The object's list without the entries an install takes back. Entries that apply only to what
// lies below count as the object's own: they are what passed the old grant on.
DWORD TakeBack(HANDLE object, SE_OBJECT_TYPE type, InstalledPlace place) {
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    DWORD status = GetSecurityInfo(object, type, DACL_SECURITY_INFORMATION, nullptr, nullptr, &list,
                                   nullptr, &descriptor);
    if (status != ERROR_SUCCESS || list == nullptr) {
        if (descriptor != nullptr) {
            LocalFree(descriptor);
        }
        return status;
    }
    std::vector<ACE_HEADER*> kept;
    DWORD keptSize = sizeof(ACL);
    for (DWORD i = 0; i < list->AceCount; ++i) {
        ACE_HEADER* header = nullptr;
        if (!GetAce(list, i, reinterpret_cast<void**>(&header))) {
            continue;
        }
        AccessEntry entry{};
        if (!Describe(header, entry) || KeptOnInstall(entry, place)) {
            kept.push_back(header);
            keptSize += header->AceSize;
        }
    }
    if (kept.size() != list->AceCount) {
        std::vector<BYTE> memory(keptSize);
        PACL newList = reinterpret_cast<PACL>(memory.data());
        if (!InitializeAcl(newList, keptSize, ACL_REVISION)) {
            status = GetLastError();
        }
        for (ACE_HEADER* header : kept) {
            if (status == ERROR_SUCCESS &&
                !AddAce(newList, ACL_REVISION, MAXDWORD, header, header->AceSize)) {
                status = GetLastError();
            }
        }
        if (status == ERROR_SUCCESS) {
            status = SetSecurityInfo(object, type, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                     newList, nullptr);
        }
    }
    LocalFree(descriptor);
    return status;
}

}  // namespace

bool TakeBackUsersRights(const std::wstring& folder) {
    HANDLE object =
        CreateFileW(folder.c_str(), READ_CONTROL | WRITE_DAC,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (object == INVALID_HANDLE_VALUE) {
        return Fail(GetLastError(), folder);
    }
    BY_HANDLE_FILE_INFORMATION information;
    DWORD status = ERROR_SUCCESS;
    if (!GetFileInformationByHandle(object, &information)) {
        status = GetLastError();
    } else if (StepForEntry(L"x", information.dwFileAttributes) != WalkStep::Descend) {
        status = ERROR_CANT_ACCESS_FILE;
    } else {
        status = TakeBack(object, SE_FILE_OBJECT, InstalledPlace::Folder);
    }
    CloseHandle(object);
    return status == ERROR_SUCCESS || Fail(status, folder);
}

bool TakeBackUsersRights(HKEY key, const std::wstring& name) {
    const DWORD status = TakeBack(key, SE_REGISTRY_KEY, InstalledPlace::RegistryKey);
    return status == ERROR_SUCCESS || Fail(status, name);
}

bool OrdinaryUsersMayChange(HKEY key) {
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &list,
                        nullptr, &descriptor) != ERROR_SUCCESS) {
        return true;
    }
    bool mayChange = list == nullptr;  // no list at all lets everybody do everything
    for (DWORD i = 0; list != nullptr && i < list->AceCount && !mayChange; ++i) {
        ACE_HEADER* header = nullptr;
        AccessEntry entry{};
        mayChange = GetAce(list, i, reinterpret_cast<void**>(&header)) &&
                    (header->AceFlags & INHERIT_ONLY_ACE) == 0 && Describe(header, entry) &&
                    LetsOrdinaryUsersChange(entry, InstalledPlace::RegistryKey);
    }
    LocalFree(descriptor);
    return mayChange;
}
