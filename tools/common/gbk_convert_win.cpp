// UTF-8 and GBK through the platform's code page 936, for the Windows programs.
#include <windows.h>

#include "common/gbk_text.h"

namespace {

bool Convert(UINT fromPage, UINT toPage, std::string_view in, std::string& out) {
    out.clear();
    if (in.empty()) {
        return true;
    }
    const DWORD strict = MB_ERR_INVALID_CHARS;
    int wide =
        MultiByteToWideChar(fromPage, strict, in.data(), static_cast<int>(in.size()), nullptr, 0);
    if (wide <= 0) {
        return false;
    }
    std::wstring utf16(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(fromPage, strict, in.data(), static_cast<int>(in.size()), utf16.data(),
                        wide);
    BOOL lossy = FALSE;
    int bytes = WideCharToMultiByte(toPage, 0, utf16.data(), wide, nullptr, 0, nullptr,
                                    toPage == CP_UTF8 ? nullptr : &lossy);
    if (bytes <= 0) {
        return false;
    }
    out.resize(static_cast<std::size_t>(bytes));
    WideCharToMultiByte(toPage, 0, utf16.data(), wide, out.data(), bytes, nullptr,
                        toPage == CP_UTF8 ? nullptr : &lossy);
    return !lossy;
}

}  // namespace

bool Utf8ToGbk(std::string_view utf8, std::string& gbk) {
    return Convert(CP_UTF8, 936, utf8, gbk);
}

bool GbkToUtf8(std::string_view gbk, std::string& utf8) {
    return Convert(936, CP_UTF8, gbk, utf8);
}
