// Reading and writing the input method's files as data that anybody may have put there: nothing
// is opened through a link, reads are bounded, and a file is only ever replaced whole.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dict/data_places.h"

enum class FileReadStatus {
    Read,     // every byte was given to the sink (or the sink wanted no more)
    Missing,  // nothing stands at the path
    Refused,  // a link, a file of more than one name, a folder, or more than the bound allows
    Failed,   // it could not be opened or a read failed part-way
};

// Where a reader's bytes go, a chunk at a time. Take returns false once it wants no more.
class ByteSink {
  public:
    virtual bool Take(const char* bytes, std::size_t size) = 0;

  protected:
    ~ByteSink() = default;
};

// Reads the file at path into the sink, refusing it before the first byte when it is larger than
// maxBytes. writeTime (FILETIME ticks) is that of the file read, taken from the same open.
FileReadStatus ReadFileInto(const char* path, std::uint64_t maxBytes, ByteSink& sink,
                            std::uint64_t* writeTime = nullptr);

// The last-write time of the file at path (FILETIME ticks); 0 when nothing is there.
std::uint64_t FileWriteTime(const char* path);

// How a file is put in place. The user's data is flushed to the disk before it takes the old
// file's place, and a program holding the old file open is waited for. A file that is only ever
// built again from another (a table image) is neither flushed nor waited for: a torn one fails
// its checks and is built again, and the program that builds it is starting up.
enum class Replacement { Durable, Rebuildable };

// Writes a file whole and then puts it in place in one step. The bytes go to a temporary file of
// a name of this process's own beside the file, made new (so that nothing standing at that name,
// a link least of all, is ever opened), flushed to the disk, and moved over the file only then.
// A link standing at the file's place is never replaced; a replacement that another program
// holding the file open blocks is tried again for about half a second.
class ReplacingFile {
  public:
    explicit ReplacingFile(const char* path, Replacement kind = Replacement::Durable);
    // Removes the temporary file unless it was committed.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool Opened() const { return handle_ != nullptr; }
    bool Write(const char* bytes, std::size_t size);
    // True once the file holds exactly what was written.
    bool Commit();

  private:
    bool Flush();
    void Discard();

    static constexpr std::size_t kBufferSize = 16384;
    char path_[kPathBufferSize] = {};
    char temporary_[kPathBufferSize + 32] = {};
    void* handle_ = nullptr;
    Replacement kind_;
    bool failed_ = false;
    std::size_t used_ = 0;
    char buffer_[kBufferSize];
};

// The lock beside a data file (<file>.lock): held by one program at a time from the read of the
// file to its replacement, waited for a bounded time.
class FileLock {
  public:
    // Tries attempts times, a short sleep apart (the default waits about two seconds).
    explicit FileLock(const char* filePath, int attempts = kDefaultAttempts);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return handle_ != nullptr; }

    // The lock is held only while a file of a few megabytes is read and written: two seconds of
    // waiting means the other holder is stuck, not busy.
    static constexpr int kDefaultAttempts = 100;

  private:
    void* handle_ = nullptr;
};

enum class MapStatus { Mapped, Missing, Refused, Failed };

// A file mapped whole, copy-on-write: what this process writes to the view stays its own, and
// every page it never writes is shared with all the programs that map the file. The file is held
// open without write sharing for as long as it is mapped, so that nobody changes what was
// checked; on Windows a mapped file cannot be replaced or deleted either.
class MappedFile {
  public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    void Swap(MappedFile& other);

    // Maps the file at path when it is a plain file (as ReadFileInto reads) of exactly bytes
    // bytes; Refused otherwise. Any earlier view is unmapped first.
    MapStatus Map(const char* path, std::uint64_t bytes);
    void Unmap();
    void* View() const { return view_; }

  private:
    void* file_ = nullptr;
    void* view_ = nullptr;
};
