#include "dict/system_folder.h"

#include <cstdio>
#include <cstring>

const char kUserGuideFileName[] =
    "\xC7\xE0\xE1\xB0\xD0\xCE\xC2\xEB\xB2\xD9\xD7\xF7\xD6\xB8\xC4\xCF.txt";  // 青岚形码操作指南.txt

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

}  // namespace

bool SharedSystemDirectory(const char* seen, bool underWow64, char* out, std::size_t size) {
    if (size == 0) {
        return false;
    }
    out[0] = '\0';
    std::size_t length = seen == nullptr ? 0 : std::strlen(seen);
    while (length > 0 && IsSeparator(seen[length - 1])) {
        --length;
    }
    if (length == 0) {
        return false;
    }
    if (underWow64) {
        // The alias replaces the last part: "C:\Windows\SysWOW64" -> "C:\Windows\Sysnative".
        std::size_t parent = length;
        while (parent > 0 && !IsSeparator(seen[parent - 1])) {
            --parent;
        }
        if (parent == 0) {
            return false;
        }
        length = parent;
    }
    const int n = std::snprintf(out, size, "%.*s%s", static_cast<int>(length), seen,
                                underWow64 ? "Sysnative" : "");
    if (n < 0 || static_cast<std::size_t>(n) >= size) {
        out[0] = '\0';
        return false;
    }
    return true;
}
