// Stand-in for files: opens, reads and writes through file descriptors, attributes and times from
// lstat, exclusive opens as flocks, links as the host's symbolic links, views as private
// mappings, and the replacements a test makes fail.
#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/host/host_control.h"

namespace {

// 100-nanosecond intervals between 1601-01-01 and 1970-01-01.
constexpr std::uint64_t kUnixEpochTicks = 116444736000000000ull;

thread_local DWORD lastError = 0;
int replaceFailuresLeft = 0;
// Bytes the reads may still give before one fails as a failing disk does; ~0: never.
std::size_t readableBytes = ~std::size_t{0};
int replaceAttempts = 0;

FILETIME ToFileTime(const timespec& time) {
    const std::uint64_t ticks = kUnixEpochTicks +
                                static_cast<std::uint64_t>(time.tv_sec) * 10000000ull +
                                static_cast<std::uint64_t>(time.tv_nsec) / 100;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

DWORD ErrorOf(int error) {
    switch (error) {
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
            return ERROR_PATH_NOT_FOUND;
        case EEXIST:
            return ERROR_FILE_EXISTS;
        case EWOULDBLOCK:
            return ERROR_SHARING_VIOLATION;
        case ELOOP:
            return ERROR_CANT_ACCESS_FILE;
        default:
            return ERROR_ACCESS_DENIED;
    }
}

template <typename Result>
Result Failed(Result result, DWORD error) {
    lastError = error;
    return result;
}

DWORD AttributesOf(const struct stat& status, bool link) {
    DWORD attributes = S_ISDIR(status.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    if (link) {
        attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    }
    if ((status.st_mode & S_IWUSR) == 0) {
        attributes |= FILE_ATTRIBUTE_READONLY;
    }
    return attributes;
}

// Handles are descriptors plus one, so that descriptor 0 is no null handle.
HANDLE HandleOf(int fd) {
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(fd) + 1);
}

int DescriptorOf(HANDLE handle) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(handle) - 1);
}

struct View {
    const void* address;
    std::size_t bytes;
    dev_t device;
    ino_t inode;
};
// Fixed, so that it outlives every view a static object unmaps at exit.
constexpr std::size_t kMaxViews = 16;
std::mutex viewsMutex;
View views[kMaxViews];
std::size_t viewCount = 0;

// Whether a view of this process shows the file at path (never through a link).
bool HasView(LPCSTR path) {
    struct stat status;
    if (lstat(path, &status) != 0) {
        return false;
    }
    const std::lock_guard<std::mutex> hold(viewsMutex);
    return std::any_of(views, views + viewCount, [&](const View& view) {
        return view.device == status.st_dev && view.inode == status.st_ino;
    });
}

}  // namespace

void HostSetReadFailureAfter(std::size_t bytes) {
    readableBytes = bytes;
}

void HostSetReplaceFailures(int count) {
    replaceFailuresLeft = count;
    replaceAttempts = 0;
}

int HostReplaceAttempts() {
    return replaceAttempts;
}

DWORD GetLastError() {
    return lastError;
}

DWORD GetFileAttributesA(LPCSTR path) {
    struct stat status;
    if (path == nullptr || lstat(path, &status) != 0) {
        return Failed(INVALID_FILE_ATTRIBUTES, ErrorOf(errno));
    }
    if (S_ISLNK(status.st_mode)) {
        struct stat target;
        const bool toFolder = stat(path, &target) == 0 && S_ISDIR(target.st_mode);
        return FILE_ATTRIBUTE_REPARSE_POINT | (toFolder ? FILE_ATTRIBUTE_DIRECTORY : 0);
    }
    return AttributesOf(status, false);
}

BOOL GetFileAttributesExA(LPCSTR path, GET_FILEEX_INFO_LEVELS, void* info) {
    struct stat status;
    if (path == nullptr || info == nullptr || stat(path, &status) != 0) {
        return Failed(FALSE, ErrorOf(errno));
    }
    WIN32_FILE_ATTRIBUTE_DATA data{};
    data.dwFileAttributes = AttributesOf(status, false);
    data.ftCreationTime = ToFileTime(status.st_ctim);
    data.ftLastAccessTime = ToFileTime(status.st_atim);
    data.ftLastWriteTime = ToFileTime(status.st_mtim);
    const std::uint64_t size = static_cast<std::uint64_t>(status.st_size);
    data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(size);
    std::memcpy(info, &data, sizeof data);
    return TRUE;
}

HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, void*, DWORD disposition, DWORD flags,
                   HANDLE) {
    struct stat status;
    const bool exists = lstat(path, &status) == 0;
    if ((flags & FILE_FLAG_OPEN_REPARSE_POINT) != 0 && exists && S_ISLNK(status.st_mode)) {
        if (disposition == CREATE_NEW) {
            return Failed(INVALID_HANDLE_VALUE, ERROR_FILE_EXISTS);
        }
        const int fd = open(path, O_PATH | O_NOFOLLOW | O_CLOEXEC);
        return fd < 0 ? Failed(INVALID_HANDLE_VALUE, ErrorOf(errno)) : HandleOf(fd);
    }
    int mode = (access & GENERIC_WRITE) != 0 ? ((access & GENERIC_READ) != 0 ? O_RDWR : O_WRONLY)
                                             : O_RDONLY;
    switch (disposition) {
        case CREATE_NEW:
            mode |= O_CREAT | O_EXCL;
            break;
        case CREATE_ALWAYS:
            mode |= O_CREAT | O_TRUNC;
            break;
        case OPEN_ALWAYS:
            mode |= O_CREAT;
            break;
        default:
            break;
    }
    if ((flags & FILE_FLAG_OPEN_REPARSE_POINT) != 0) {
        mode |= O_NOFOLLOW;
    }
    const int fd = open(path, mode | O_CLOEXEC, 0600);
    if (fd < 0) {
        return Failed(INVALID_HANDLE_VALUE, ErrorOf(errno));
    }
    if (share == 0 && flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return Failed(INVALID_HANDLE_VALUE, ERROR_SHARING_VIOLATION);
    }
    return HandleOf(fd);
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read, OVERLAPPED*) {
    *read = 0;
    if (readableBytes == 0) {
        return Failed(FALSE, ERROR_CANT_ACCESS_FILE);
    }
    const std::size_t wanted = size < readableBytes ? size : readableBytes;
    const ssize_t got = ::read(DescriptorOf(file), buffer, wanted);
    if (got < 0) {
        return Failed(FALSE, ErrorOf(errno));
    }
    if (readableBytes != ~std::size_t{0}) {
        readableBytes -= static_cast<std::size_t>(got);
    }
    *read = static_cast<DWORD>(got);
    return TRUE;
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD size, DWORD* written, OVERLAPPED*) {
    *written = 0;
    const ssize_t put = ::write(DescriptorOf(file), buffer, size);
    if (put < 0) {
        return Failed(FALSE, ErrorOf(errno));
    }
    *written = static_cast<DWORD>(put);
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE file) {
    return fsync(DescriptorOf(file)) == 0 ? TRUE : Failed(FALSE, ErrorOf(errno));
}

BOOL GetFileInformationByHandle(HANDLE file, BY_HANDLE_FILE_INFORMATION* information) {
    struct stat status;
    if (fstat(DescriptorOf(file), &status) != 0) {
        return Failed(FALSE, ErrorOf(errno));
    }
    *information = BY_HANDLE_FILE_INFORMATION{};
    information->dwFileAttributes = AttributesOf(status, S_ISLNK(status.st_mode));
    information->ftCreationTime = ToFileTime(status.st_ctim);
    information->ftLastAccessTime = ToFileTime(status.st_atim);
    information->ftLastWriteTime = ToFileTime(status.st_mtim);
    const std::uint64_t size = static_cast<std::uint64_t>(status.st_size);
    information->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    information->nFileSizeLow = static_cast<DWORD>(size);
    information->nNumberOfLinks = static_cast<DWORD>(status.st_nlink);
    information->nFileIndexHigh =
        static_cast<DWORD>(static_cast<std::uint64_t>(status.st_ino) >> 32);
    information->nFileIndexLow = static_cast<DWORD>(status.st_ino);
    return TRUE;
}

BOOL CloseHandle(HANDLE handle) {
    const int fd = DescriptorOf(handle);
    return fd >= 0 && close(fd) == 0 ? TRUE : FALSE;
}

BOOL MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags) {
    ++replaceAttempts;
    if (replaceFailuresLeft > 0) {
        --replaceFailuresLeft;
        return Failed(FALSE, ERROR_SHARING_VIOLATION);
    }
    struct stat status;
    if ((flags & MOVEFILE_REPLACE_EXISTING) == 0 && lstat(to, &status) == 0) {
        return Failed(FALSE, ERROR_ALREADY_EXISTS);
    }
    if (HasView(to) || HasView(from)) {
        return Failed(FALSE, ERROR_ACCESS_DENIED);
    }
    return std::rename(from, to) == 0 ? TRUE : Failed(FALSE, ErrorOf(errno));
}

BOOL DeleteFileA(LPCSTR path) {
    if (HasView(path)) {
        return Failed(FALSE, ERROR_ACCESS_DENIED);
    }
    return unlink(path) == 0 ? TRUE : Failed(FALSE, ErrorOf(errno));
}

HANDLE CreateFileMappingA(HANDLE file, void*, DWORD protect, DWORD, DWORD, LPCSTR) {
    if (protect != PAGE_WRITECOPY) {
        return Failed(nullptr, ERROR_ACCESS_DENIED);
    }
    const int fd = dup(DescriptorOf(file));
    return fd < 0 ? Failed(nullptr, ErrorOf(errno)) : HandleOf(fd);
}

void* MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow,
                    std::size_t bytes) {
    const int fd = DescriptorOf(mapping);
    struct stat status;
    if (access != FILE_MAP_COPY || offsetHigh != 0 || offsetLow != 0 || fstat(fd, &status) != 0 ||
        status.st_size <= 0) {
        return Failed(nullptr, ERROR_ACCESS_DENIED);
    }
    const std::size_t size = bytes != 0 ? bytes : static_cast<std::size_t>(status.st_size);
    const std::lock_guard<std::mutex> hold(viewsMutex);
    if (viewCount == kMaxViews) {
        return Failed(nullptr, ERROR_ACCESS_DENIED);
    }
    void* address = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE, fd, 0);
    if (address == MAP_FAILED) {
        return Failed(nullptr, ErrorOf(errno));
    }
    views[viewCount++] = View{address, size, status.st_dev, status.st_ino};
    return address;
}

BOOL UnmapViewOfFile(const void* address) {
    const std::lock_guard<std::mutex> hold(viewsMutex);
    View* const end = views + viewCount;
    View* const view =
        std::find_if(views, end, [&](const View& v) { return v.address == address; });
    if (view == end) {
        return Failed(FALSE, ERROR_ACCESS_DENIED);
    }
    munmap(const_cast<void*>(view->address), view->bytes);
    *view = views[--viewCount];
    return TRUE;
}

BOOL CreateDirectoryA(LPCSTR path, void*) {
    if (mkdir(path, 0700) == 0) {
        return TRUE;
    }
    return Failed(FALSE, errno == EEXIST ? ERROR_ALREADY_EXISTS : ErrorOf(errno));
}

DWORD GetCurrentProcessId() {
    return static_cast<DWORD>(getpid());
}

void Sleep(DWORD milliseconds) {
    usleep(static_cast<useconds_t>(milliseconds) * 1000);
}
