#include "dict/table_image_files.h"

#include <cstdio>
#include <cstring>

#include "platform/win32.h"

namespace {

constexpr std::size_t kChecksumDigits = 16;
constexpr char kImageSuffix[] = ".img";

// The image in use and the one it replaced (see LeaveTableImage).
MappedFile current;
MappedFile retired;
char currentPath[kPathBufferSize];
// An image found bad in this process: not used again unless this process writes it anew.
char refusedPath[kPathBufferSize];

class ChecksumSink final : public ByteSink {
  public:
    bool Take(const char* bytes, std::size_t size) override {
        checksum.Add(bytes, size);
        return true;
    }
    SourceChecksum checksum;
};

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

// Where a path's last part begins.
const char* FileNameOf(const char* path) {
    const char* name = path;
    for (const char* p = path; *p != '\0'; ++p) {
        if (*p == kPathSeparator || *p == '/') {
            name = p + 1;
        }
    }
    return name;
}

// Removes the other images of the main file, leaving the one just written. Windows refuses to
// delete one that a program maps: it goes at a later build.
void RemoveOtherImages(const char* mainPath, const char* kept) {
    char pattern[kPathBufferSize + 8];
    if (std::snprintf(pattern, sizeof pattern, "%s.*%s", mainPath, kImageSuffix) >=
        static_cast<int>(sizeof pattern)) {
        return;
    }
    const std::size_t folderLength = static_cast<std::size_t>(FileNameOf(mainPath) - mainPath);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        char path[kPathBufferSize];
        const bool fits = std::snprintf(path, sizeof path, "%.*s%s", static_cast<int>(folderLength),
                                        mainPath, found.cFileName) < static_cast<int>(sizeof path);
        if (fits && IsTableImageName(found.cFileName, FileNameOf(mainPath)) &&
            (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
                0 &&
            std::strcmp(path, kept) != 0) {
            DeleteFileA(path);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

bool TableImagePath(const char* mainPath, std::uint64_t checksum, char (&path)[kPathBufferSize]) {
    const int n = std::snprintf(path, sizeof path, "%s.%016llx%s", mainPath,
                                static_cast<unsigned long long>(checksum), kImageSuffix);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof path) {
        path[0] = '\0';
        return false;
    }
    return true;
}

bool IsTableImageName(const char* fileName, const char* mainFileName) {
    const std::size_t mainLength = std::strlen(mainFileName);
    if (std::strncmp(fileName, mainFileName, mainLength) != 0 || fileName[mainLength] != '.') {
        return false;
    }
    const char* digits = fileName + mainLength + 1;
    for (std::size_t i = 0; i < kChecksumDigits; ++i) {
        if (!IsHexDigit(digits[i])) {
            return false;
        }
    }
    return std::strcmp(digits + kChecksumDigits, kImageSuffix) == 0;
}

FileReadStatus ReadSourceFacts(const char* mainPath, SourceFacts& facts) {
    ChecksumSink sink;
    facts = SourceFacts{};
    const FileReadStatus status = ReadFileInto(mainPath, kMaxMainFileBytes, sink, &facts.writeTime);
    facts.bytes = sink.checksum.Bytes();
    facts.checksum = sink.checksum.Value();
    return status;
}

ImageFault CheckTableImageFile(const char* mainPath, std::int32_t codeSet) {
    SourceFacts facts;
    char path[kPathBufferSize];
    MappedFile image;
    if (ReadSourceFacts(mainPath, facts) != FileReadStatus::Read ||
        !TableImagePath(mainPath, facts.checksum, path) ||
        image.Map(path, sizeof(TableImage)) != MapStatus::Mapped) {
        return ImageFault::Size;
    }
    return CheckTableImage(image.View(), sizeof(TableImage), facts, codeSet);
}

bool UseTableImage(const char* mainPath, const SourceFacts& facts, std::int32_t codeSet) {
    char path[kPathBufferSize];
    if (!TableImagePath(mainPath, facts.checksum, path) || std::strcmp(path, refusedPath) == 0) {
        return false;
    }
    MappedFile candidate;
    if (candidate.Map(path, sizeof(TableImage)) != MapStatus::Mapped ||
        CheckTableImage(candidate.View(), sizeof(TableImage), facts, codeSet) != ImageFault::None) {
        return false;
    }
    retired.Unmap();
    retired.Swap(current);
    current.Swap(candidate);
    std::memcpy(currentPath, path, sizeof path);
    UseMainBlock(static_cast<TableImage*>(current.View())->block, true, false);
    return true;
}

void RefuseImageInUse() {
    std::memcpy(refusedPath, currentPath, sizeof refusedPath);
}

void LeaveTableImage() {
    if (current.View() != nullptr) {
        retired.Unmap();
        retired.Swap(current);
        currentPath[0] = '\0';
    }
    if (!MainBlockIsOwn()) {
        UseMainBlock(OwnMainBlock(), false, true);
    }
}

void ReleaseTableImages() {
    LeaveTableImage();
    retired.Unmap();
    refusedPath[0] = '\0';
}

bool WriteTableImage(const char* mainPath, const SourceFacts& facts, std::int32_t codeSet) {
    char path[kPathBufferSize];
    if (!MainBlockIsOwn() || !TableImagePath(mainPath, facts.checksum, path)) {
        return false;
    }
    BuildEveryMainOrder();
    const TableImageHeader header = MakeImageHeader(facts, codeSet);
    bool written;
    {
        ReplacingFile file(path, Replacement::Rebuildable);
        written =
            file.Write(reinterpret_cast<const char*>(&header), sizeof header) &&
            file.Write(reinterpret_cast<const char*>(&OwnMainBlock()), sizeof(MainTableBlock)) &&
            file.Commit();
    }
    if (written) {
        if (std::strcmp(path, refusedPath) == 0) {
            refusedPath[0] = '\0';
        }
        RemoveOtherImages(mainPath, path);
    }
    return written;
}
