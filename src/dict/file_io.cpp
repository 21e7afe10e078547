#include "dict/file_io.h"

#include <atomic>
#include <utility>
#include <cstdio>
#include <cstring>

#include "platform/win32.h"

namespace {

constexpr std::size_t kReadChunkSize = 16384;
constexpr int kTemporaryNameAttempts = 16;
constexpr int kReplaceAttempts = 10;
constexpr DWORD kReplaceRetryMilliseconds = 50;
constexpr DWORD kLockRetryMilliseconds = 20;

// What no reader of ours takes from another program: the right to replace the file meanwhile.
constexpr DWORD kShareEverything = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::uint64_t Ticks(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// A link, a folder or a file with a second name is nothing this module reads or replaces: each
// can lead to a file the user chose for an elevated program to read or write.
bool IsPlainFile(const BY_HANDLE_FILE_INFORMATION& information) {
    return (information.dwFileAttributes &
            (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) == 0 &&
           information.nNumberOfLinks <= 1;
}

std::uint64_t FileBytes(const BY_HANDLE_FILE_INFORMATION& information) {
    return (static_cast<std::uint64_t>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
}

bool StandsThere(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES;
}

std::atomic<unsigned> temporaryCounter{0};

// Opens a file to be read, when it is a plain file of at most maxBytes.
FileReadStatus OpenToRead(const char* path, std::uint64_t maxBytes, DWORD share, HANDLE& file,
                          BY_HANDLE_FILE_INFORMATION& information) {
    file = CreateFileA(path, GENERIC_READ, share, nullptr, OPEN_EXISTING,
                       FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                   ? FileReadStatus::Missing
                   : FileReadStatus::Failed;
    }
    if (!GetFileInformationByHandle(file, &information)) {
        return FileReadStatus::Failed;
    }
    if (!IsPlainFile(information) || FileBytes(information) > maxBytes) {
        return FileReadStatus::Refused;
    }
    return FileReadStatus::Read;
}

}  // namespace

FileReadStatus ReadFileInto(const char* path, std::uint64_t maxBytes, ByteSink& sink,
                            std::uint64_t* writeTime) {
    if (writeTime != nullptr) {
        *writeTime = 0;
    }
    HANDLE file;
    BY_HANDLE_FILE_INFORMATION information;
    FileReadStatus status = OpenToRead(path, maxBytes, kShareEverything, file, information);
    if (file == INVALID_HANDLE_VALUE) {
        return status;
    }
    char buffer[kReadChunkSize];
    std::uint64_t total = 0;
    while (status == FileReadStatus::Read) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            status = FileReadStatus::Failed;
        } else if (got == 0) {
            break;
        } else if ((total += got) > maxBytes) {
            // It grew while being read.
            status = FileReadStatus::Refused;
        } else if (!sink.Take(buffer, got)) {
            break;
        }
    }
    CloseHandle(file);
    if (status == FileReadStatus::Read && writeTime != nullptr) {
        *writeTime = Ticks(information.ftLastWriteTime);
    }
    return status;
}

std::uint64_t FileWriteTime(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path == nullptr || !GetFileAttributesExA(path, GetFileExInfoStandard, &data)) {
        return 0;
    }
    return Ticks(data.ftLastWriteTime);
}

ReplacingFile::ReplacingFile(const char* path, Replacement kind) : kind_(kind) {
    const int n = std::snprintf(path_, sizeof path_, "%s", path);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof path_) {
        return;
    }
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        std::snprintf(temporary_, sizeof temporary_, "%s.%lu-%u.tmp", path_,
                      static_cast<unsigned long>(GetCurrentProcessId()), ++temporaryCounter);
        HANDLE handle = CreateFileA(temporary_, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            handle_ = handle;
            return;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    temporary_[0] = '\0';
}

ReplacingFile::~ReplacingFile() {
    Discard();
}

bool ReplacingFile::Write(const char* bytes, std::size_t size) {
    while (!failed_ && handle_ != nullptr && size > 0) {
        if (used_ == kBufferSize && !Flush()) {
            break;
        }
        const std::size_t part = size < kBufferSize - used_ ? size : kBufferSize - used_;
        std::memcpy(buffer_ + used_, bytes, part);
        used_ += part;
        bytes += part;
        size -= part;
    }
    return !failed_ && handle_ != nullptr;
}

bool ReplacingFile::Flush() {
    std::size_t done = 0;
    while (!failed_ && done < used_) {
        DWORD written = 0;
        if (!WriteFile(static_cast<HANDLE>(handle_), buffer_ + done,
                       static_cast<DWORD>(used_ - done), &written, nullptr) ||
            written == 0) {
            failed_ = true;
        }
        done += written;
    }
    used_ = 0;
    return !failed_;
}

bool ReplacingFile::Commit() {
    if (handle_ == nullptr || failed_ || !Flush() ||
        (kind_ == Replacement::Durable && !FlushFileBuffers(static_cast<HANDLE>(handle_)))) {
        Discard();
        return false;
    }
    const BOOL closed = CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
    const DWORD standing = GetFileAttributesA(path_);
    if (!closed || (StandsThere(standing) &&
                    (standing & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0)) {
        Discard();
        return false;
    }
    const int attempts = kind_ == Replacement::Durable ? kReplaceAttempts : 1;
    const DWORD through = kind_ == Replacement::Durable ? MOVEFILE_WRITE_THROUGH : 0;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (MoveFileExA(temporary_, path_, MOVEFILE_REPLACE_EXISTING | through)) {
            temporary_[0] = '\0';
            return true;
        }
        if (attempt + 1 < attempts) {
            Sleep(kReplaceRetryMilliseconds);
        }
    }
    Discard();
    return false;
}

void ReplacingFile::Discard() {
    if (handle_ != nullptr) {
        CloseHandle(static_cast<HANDLE>(handle_));
        handle_ = nullptr;
    }
    if (temporary_[0] != '\0') {
        DeleteFileA(temporary_);
        temporary_[0] = '\0';
    }
}

FileLock::FileLock(const char* filePath, int attempts) {
    char path[kPathBufferSize + 8];
    const int n = std::snprintf(path, sizeof path, "%s.lock", filePath);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof path) {
        return;
    }
    for (int attempt = 0; attempt < attempts; ++attempt) {
        HANDLE handle = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            BY_HANDLE_FILE_INFORMATION information;
            if (GetFileInformationByHandle(handle, &information) && IsPlainFile(information)) {
                handle_ = handle;
                return;
            }
            // A link in the lock's place locks nothing.
            CloseHandle(handle);
            return;
        }
        if (attempt + 1 < attempts) {
            Sleep(kLockRetryMilliseconds);
        }
    }
}

FileLock::~FileLock() {
    if (handle_ != nullptr) {
        CloseHandle(static_cast<HANDLE>(handle_));
    }
}

MappedFile::~MappedFile() {
    Unmap();
}

void MappedFile::Swap(MappedFile& other) {
    std::swap(file_, other.file_);
    std::swap(view_, other.view_);
}

MapStatus MappedFile::Map(const char* path, std::uint64_t bytes) {
    Unmap();
    HANDLE file;
    BY_HANDLE_FILE_INFORMATION information;
    // Others may read the file meanwhile, nobody may write it.
    const FileReadStatus opened = OpenToRead(path, bytes, FILE_SHARE_READ, file, information);
    if (file == INVALID_HANDLE_VALUE) {
        return opened == FileReadStatus::Missing ? MapStatus::Missing : MapStatus::Failed;
    }
    if (opened != FileReadStatus::Read || FileBytes(information) != bytes) {
        CloseHandle(file);
        return opened == FileReadStatus::Failed ? MapStatus::Failed : MapStatus::Refused;
    }
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_WRITECOPY, 0, 0, nullptr);
    void* view = mapping != nullptr ? MapViewOfFile(mapping, FILE_MAP_COPY, 0, 0, 0) : nullptr;
    if (mapping != nullptr) {
        // The view keeps what it needs of the mapping.
        CloseHandle(mapping);
    }
    if (view == nullptr) {
        CloseHandle(file);
        return MapStatus::Failed;
    }
    file_ = file;
    view_ = view;
    return MapStatus::Mapped;
}

void MappedFile::Unmap() {
    if (view_ != nullptr) {
        UnmapViewOfFile(view_);
        view_ = nullptr;
    }
    if (file_ != nullptr) {
        CloseHandle(static_cast<HANDLE>(file_));
        file_ = nullptr;
    }
}
