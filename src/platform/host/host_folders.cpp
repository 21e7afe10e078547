// Stand-in for listing a folder: a directory stream, filtered by the pattern's last part.
#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/host/host_windows.h"

namespace {

struct Search {
    DIR* folder;
    std::string path;  // with its separator
    std::string pattern;
};

// Fills found from the next entry that matches; false at the end.
bool Next(Search& search, WIN32_FIND_DATAA* found) {
    while (dirent* entry = readdir(search.folder)) {
        if (fnmatch(search.pattern.c_str(), entry->d_name, 0) != 0 ||
            std::strlen(entry->d_name) >= sizeof found->cFileName) {
            continue;
        }
        *found = WIN32_FIND_DATAA{};
        std::snprintf(found->cFileName, sizeof found->cFileName, "%s", entry->d_name);
        found->dwFileAttributes = GetFileAttributesA((search.path + entry->d_name).c_str());
        struct stat status;
        if (lstat((search.path + entry->d_name).c_str(), &status) == 0) {
            const auto size = static_cast<std::uint64_t>(status.st_size);
            found->nFileSizeHigh = static_cast<DWORD>(size >> 32);
            found->nFileSizeLow = static_cast<DWORD>(size);
        }
        return true;
    }
    return false;
}

}  // namespace

HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* found) {
    const char* slash = std::strrchr(pattern, '/');
    const std::string path = slash != nullptr ? std::string(pattern, slash + 1) : std::string("./");
    auto* search = new Search{opendir(path.c_str()), path, slash != nullptr ? slash + 1 : pattern};
    if (search->folder == nullptr || !Next(*search, found)) {
        FindClose(search);
        return INVALID_HANDLE_VALUE;
    }
    return search;
}

BOOL FindNextFileA(HANDLE handle, WIN32_FIND_DATAA* found) {
    return Next(*static_cast<Search*>(handle), found) ? TRUE : FALSE;
}

BOOL FindClose(HANDLE handle) {
    auto* search = static_cast<Search*>(handle);
    if (search->folder != nullptr) {
        closedir(search->folder);
    }
    delete search;
    return TRUE;
}
