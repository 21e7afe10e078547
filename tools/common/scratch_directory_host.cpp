#include "common/scratch_directory.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

ScratchDirectory::~ScratchDirectory() {
    if (!root_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
}

bool ScratchDirectory::Create() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/zelk-type-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        return false;
    }
    root_ = pattern;
    return true;
}

std::string ScratchDirectory::Path(const std::string& name) const {
    const std::string path = root_ + "/" + name;
    mkdir(path.c_str(), 0700);
    return path;
}

bool CopyDictionaryFiles(const std::string& dataDirectory, const std::string& systemDirectory) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target = fs::path(systemDirectory) / "zelk";
    fs::create_directories(target, error);
    for (const char* name : {"zelk2006.mb", "zelk2006.emb", "shm28.mb", "shm28.emb"}) {
        const fs::path source = fs::path(dataDirectory) / "zelk" / name;
        fs::copy_file(source, target / name, fs::copy_options::overwrite_existing, error);
        if (error) {
            return false;
        }
        // The copy may be written; the shipped file's read-only bits must not come along.
        fs::permissions(target / name, fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::add, error);
    }
    return true;
}
