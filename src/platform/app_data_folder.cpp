#include "platform/app_data_folder.h"

#include <cstdio>
#include <cstring>

#include "platform/win32.h"

namespace {

#ifdef _WIN32

// The path in the ANSI code page, only when every character converts as it is.
bool ExactAnsi(const wchar_t* wide, char* out, std::size_t size) {
    BOOL substituted = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, out,
                                           static_cast<int>(size), nullptr, &substituted);
    return length > 0 && !substituted;
}

// The folder as the user's profile names it: the value SHGetFolderPath(CSIDL_APPDATA) reads too,
// with its environment strings expanded. Asked of the registry, not of the shell: the first
// question comes at process attach, under the loader lock, where the shell's folder functions
// may load libraries or start COM.
bool FetchFolder(char* out, std::size_t size) {
    wchar_t wide[MAX_PATH];
    DWORD bytes = sizeof wide;
    if (RegGetValueW(HKEY_CURRENT_USER,
                     L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                     L"AppData", RRF_RT_REG_SZ, nullptr, wide, &bytes) != ERROR_SUCCESS ||
        wide[0] == L'\0') {
        return false;
    }
    if (ExactAnsi(wide, out, size)) {
        return true;
    }
    wchar_t shortName[MAX_PATH];
    const DWORD length = GetShortPathNameW(wide, shortName, MAX_PATH);
    return length > 0 && length < MAX_PATH && ExactAnsi(shortName, out, size);
}

#else

bool FetchFolder(char* out, std::size_t size) {
    char path[MAX_PATH];
    if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, path) != S_OK) {
        return false;
    }
    const int n = std::snprintf(out, size, "%s", path);
    return n >= 0 && static_cast<std::size_t>(n) < size;
}

#endif

}  // namespace

bool RoamingAppDataFolder(char* out, std::size_t size) {
    if (size == 0) {
        return false;
    }
    if (!FetchFolder(out, size)) {
        out[0] = '\0';
        return false;
    }
    std::size_t length = std::strlen(out);
    // A root folder keeps its one separator.
    while (length > 1 && (out[length - 1] == '\\' || out[length - 1] == '/')) {
        out[--length] = '\0';
    }
    return length > 0;
}
