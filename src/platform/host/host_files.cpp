// Stand-in for file times, exclusive opens and sleeping.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

#include "platform/host/host_windows.h"

namespace {

// 100-nanosecond intervals between 1601-01-01 and 1970-01-01.
constexpr std::uint64_t kUnixEpochTicks = 116444736000000000ull;

FILETIME ToFileTime(const timespec& time) {
    const std::uint64_t ticks = kUnixEpochTicks +
                                static_cast<std::uint64_t>(time.tv_sec) * 10000000ull +
                                static_cast<std::uint64_t>(time.tv_nsec) / 100;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace

BOOL GetFileAttributesExA(LPCSTR path, GET_FILEEX_INFO_LEVELS, void* info) {
    struct stat status;
    if (path == nullptr || info == nullptr || stat(path, &status) != 0) {
        return FALSE;
    }
    WIN32_FILE_ATTRIBUTE_DATA data{};
    data.dwFileAttributes = FILE_ATTRIBUTE_NORMAL;
    data.ftCreationTime = ToFileTime(status.st_ctim);
    data.ftLastAccessTime = ToFileTime(status.st_atim);
    data.ftLastWriteTime = ToFileTime(status.st_mtim);
    const std::uint64_t size = static_cast<std::uint64_t>(status.st_size);
    data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(size);
    std::memcpy(info, &data, sizeof data);
    return TRUE;
}

// Only what the core asks for: open or create for reading and writing; share mode 0 takes an
// exclusive lock or fails at once, as a sharing violation does.
HANDLE CreateFileA(LPCSTR path, DWORD, DWORD share, void*, DWORD, DWORD, HANDLE) {
    const int fd = open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return INVALID_HANDLE_VALUE;
    }
    if (share == 0 && flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return INVALID_HANDLE_VALUE;
    }
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(fd) + 1);
}

BOOL CloseHandle(HANDLE handle) {
    const std::intptr_t fd = reinterpret_cast<std::intptr_t>(handle) - 1;
    return fd >= 0 && close(static_cast<int>(fd)) == 0 ? TRUE : FALSE;
}

void Sleep(DWORD milliseconds) {
    usleep(static_cast<useconds_t>(milliseconds) * 1000);
}
