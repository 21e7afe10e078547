// Registry stand-in: each key is a text file under the registry directory, one "name=value" line
// per REG_DWORD value. Only what the settings code and the installer defaults need.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/host/host_control.h"

struct HostRegistryKey {
    char path[MAX_PATH * 2];
    bool writable;
};

namespace {

char registryDirectory[MAX_PATH] = ".";
REGSAM grantedRights = ~REGSAM{0};
constexpr int kMaxOpenKeys = 8;
HostRegistryKey openKeys[kMaxOpenKeys];
bool keyInUse[kMaxOpenKeys];
constexpr int kMaxValues = 32;

struct StoredValue {
    char name[64];
    DWORD value;
};

// "SOFTWARE\zelk" under HKLM becomes REGISTRY_DIR/HKLM_SOFTWARE_zelk, "Software\zelk" under
// HKCU REGISTRY_DIR/HKCU_Software_zelk.
bool KeyFilePath(HKEY root, LPCSTR subKey, char* out, std::size_t size) {
    if ((root != HKEY_LOCAL_MACHINE && root != HKEY_CURRENT_USER) || subKey == nullptr) {
        return false;
    }
    const char* prefix = root == HKEY_LOCAL_MACHINE ? "HKLM" : "HKCU";
    int n = std::snprintf(out, size, "%s/%s_%s", registryDirectory, prefix, subKey);
    if (n < 0 || static_cast<std::size_t>(n) >= size) {
        return false;
    }
    for (char* p = out + std::strlen(registryDirectory) + 1; *p != '\0'; ++p) {
        if (*p == '\\' || *p == '/') {
            *p = '_';
        }
    }
    return true;
}

int ReadValues(const char* path, StoredValue* values) {
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr) {
        return -1;
    }
    int count = 0;
    char line[128];
    while (count < kMaxValues && std::fgets(line, sizeof line, file) != nullptr) {
        char* equals = std::strchr(line, '=');
        if (equals == nullptr || equals - line >= 64) {
            continue;
        }
        std::memcpy(values[count].name, line, static_cast<std::size_t>(equals - line));
        values[count].name[equals - line] = '\0';
        values[count].value = static_cast<DWORD>(std::strtoul(equals + 1, nullptr, 10));
        ++count;
    }
    std::fclose(file);
    return count;
}

bool WriteValues(const char* path, const StoredValue* values, int count) {
    std::FILE* file = std::fopen(path, "w");
    if (file == nullptr) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        std::fprintf(file, "%s=%u\n", values[i].name, values[i].value);
    }
    return std::fclose(file) == 0;
}

HKEY TakeKeySlot(const char* path, bool writable) {
    for (int i = 0; i < kMaxOpenKeys; ++i) {
        if (!keyInUse[i]) {
            keyInUse[i] = true;
            std::snprintf(openKeys[i].path, sizeof openKeys[i].path, "%s", path);
            openKeys[i].writable = writable;
            return &openKeys[i];
        }
    }
    return nullptr;
}

// The limit on rights is an ordinary user's under HKLM; the user's own keys allow everything.
bool Allowed(HKEY root, REGSAM access) {
    return root != HKEY_LOCAL_MACHINE ||
           (access & ~(KEY_WOW64_64KEY | KEY_WOW64_32KEY) & ~grantedRights) == 0;
}

bool SameName(const char* a, const char* b) {
    return std::strcmp(a, b) == 0;
}

}  // namespace

void HostSetRegistryDirectory(const char* path) {
    std::snprintf(registryDirectory, sizeof registryDirectory, "%s", path);
}

void HostSetRegistryRights(REGSAM rights) {
    grantedRights = rights;
}

LONG RegOpenKeyExA(HKEY root, LPCSTR subKey, DWORD, REGSAM access, PHKEY result) {
    char path[MAX_PATH * 2];
    if (!KeyFilePath(root, subKey, path, sizeof path)) {
        return ERROR_FILE_NOT_FOUND;
    }
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr) {
        return ERROR_FILE_NOT_FOUND;
    }
    std::fclose(file);
    if (!Allowed(root, access)) {
        return ERROR_ACCESS_DENIED;
    }
    HKEY key = TakeKeySlot(path, (access & KEY_SET_VALUE) != 0);
    if (key == nullptr) {
        return ERROR_ACCESS_DENIED;
    }
    *result = key;
    return ERROR_SUCCESS;
}

// Creating a key needs more than an ordinary user has under HKLM.
LONG RegCreateKeyExA(HKEY root, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM access, void*,
                     PHKEY result, LPDWORD) {
    char path[MAX_PATH * 2];
    if (!KeyFilePath(root, subKey, path, sizeof path)) {
        return ERROR_FILE_NOT_FOUND;
    }
    if (!Allowed(root, access | KEY_CREATE_SUB_KEY)) {
        return ERROR_ACCESS_DENIED;
    }
    std::FILE* file = std::fopen(path, "a");
    if (file == nullptr) {
        return ERROR_ACCESS_DENIED;
    }
    std::fclose(file);
    HKEY key = TakeKeySlot(path, (access & KEY_SET_VALUE) != 0);
    if (key == nullptr) {
        return ERROR_ACCESS_DENIED;
    }
    *result = key;
    return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
    StoredValue values[kMaxValues];
    int count = ReadValues(key->path, values);
    for (int i = 0; i < count; ++i) {
        if (SameName(values[i].name, name)) {
            if (type != nullptr) {
                *type = REG_DWORD;
            }
            if (size == nullptr || *size < sizeof(DWORD)) {
                if (size != nullptr) {
                    *size = sizeof(DWORD);
                }
                return ERROR_MORE_DATA;
            }
            std::memcpy(data, &values[i].value, sizeof(DWORD));
            *size = sizeof(DWORD);
            return ERROR_SUCCESS;
        }
    }
    return ERROR_FILE_NOT_FOUND;
}

LONG RegSetValueExA(HKEY key, LPCSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
    if (!key->writable) {
        return ERROR_ACCESS_DENIED;
    }
    if (type != REG_DWORD || size != sizeof(DWORD) || std::strlen(name) >= 64) {
        return ERROR_ACCESS_DENIED;
    }
    StoredValue values[kMaxValues];
    int count = ReadValues(key->path, values);
    if (count < 0) {
        count = 0;
    }
    int index = 0;
    while (index < count && !SameName(values[index].name, name)) {
        ++index;
    }
    if (index == count) {
        if (count == kMaxValues) {
            return ERROR_ACCESS_DENIED;
        }
        std::snprintf(values[count].name, sizeof values[count].name, "%s", name);
        ++count;
    }
    std::memcpy(&values[index].value, data, sizeof(DWORD));
    return WriteValues(key->path, values, count) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

LONG RegDeleteValueA(HKEY key, LPCSTR name) {
    StoredValue values[kMaxValues];
    int count = ReadValues(key->path, values);
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        if (!SameName(values[i].name, name)) {
            values[kept++] = values[i];
        }
    }
    if (kept == count) {
        return ERROR_FILE_NOT_FOUND;
    }
    return WriteValues(key->path, values, kept) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

LONG RegCloseKey(HKEY key) {
    for (int i = 0; i < kMaxOpenKeys; ++i) {
        if (key == &openKeys[i]) {
            keyInUse[i] = false;
            return ERROR_SUCCESS;
        }
    }
    return ERROR_FILE_NOT_FOUND;
}
