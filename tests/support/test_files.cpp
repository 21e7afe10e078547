#include <cstdio>

#include "support/test_platform.h"

std::string ReadWholeFile(const std::string& path) {
    std::string bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return bytes;
    }
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    std::fclose(file);
    return bytes;
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::perror(path.c_str());
        return;
    }
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

bool FileExists(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    return true;
}

DataFolders CopyShippedDictionaries() {
    const DataFolders folders = UseFreshDataFolders();
    for (const char* name : {"zelk2006.mb", "zelk2006.emb", "shm28.mb", "shm28.emb"}) {
        WriteWholeFile(folders.machine + name,
                       ReadWholeFile(ShippedDataDirectory() + "zelk/" + name));
    }
    return folders;
}
