#include "win/shell/screenshot_support.h"

#include <cstdlib>
#include <cstring>

#include "context/process_facts.h"
#include "dict/data_places.h"
#include "support/test_platform.h"
#include "ui/shell/ui_windows_win.h"

MemoryCanvas::MemoryCanvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<const DWORD*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
    // A colour no look uses, so that what was not painted shows.
    const RECT all{0, 0, width, height};
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc_, &all, magenta);
    DeleteObject(magenta);
}

MemoryCanvas::~MemoryCanvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF MemoryCanvas::Pixel(int x, int y) const {
    GdiFlush();
    const DWORD value = bits_[y * width_ + x];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

int MemoryCanvas::CountOtherThan(const RECT& area, COLORREF colour) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            count += Pixel(x, y) != colour ? 1 : 0;
        }
    }
    return count;
}

int MemoryCanvas::CountDark(const RECT& area) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = Pixel(x, y);
            count += GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 150 ? 1 : 0;
        }
    }
    return count;
}

void MemoryCanvas::SaveScreenshot(const char* name) const {
    const char* folder = std::getenv("ZELK_SCREENSHOT_DIR");
    if (folder == nullptr || folder[0] == '\0') {
        return;
    }
    GdiFlush();
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    const DWORD pixels = static_cast<DWORD>(width_ * height_ * 4);
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + pixels;
    header.biSize = sizeof header;
    header.biWidth = width_;
    header.biHeight = -height_;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(bits_), pixels);
    WriteWholeFile(std::string(folder) + "\\" + name + ".bmp", bytes);
}

void InstallSkinPictures() {
    const std::string skip = UseFreshDataFolders().machine + "skip\\";
    CreateDirectoryA(skip.c_str(), nullptr);
    const std::string shipped = ShippedDataDirectory() + "zelk\\skip\\";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((shipped + "*.bmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        CopyFileA((shipped + found.cFileName).c_str(), (skip + found.cFileName).c_str(), FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void RemoveSkinPicture(const char* name) {
    char path[kPathBufferSize];
    if (MachineFilePath((std::string("skip\\") + name).c_str(), path)) {
        DeleteFileA(path);
    }
}

HBITMAP ShippedPicture(const char* name) {
    const std::string path = ShippedDataDirectory() + "zelk\\skip\\" + name;
    return static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                           LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

HFONT CreateInterfaceFont() {
    return CreateFontA(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                       0x20, ANTIALIASED_QUALITY, 0, "Simsun");
}

void RegisterClassesOnce() {
    static const bool registered = [] {
        Process.ModuleInstance = GetModuleHandleA(nullptr);
        return RegisterUiClasses(Process.ModuleInstance);
    }();
    (void)registered;
}

unsigned long GdiObjectCount() {
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0) {
        return reported;
    }
    // A handle without its generation bits names the table entry whatever its generation.
    unsigned long count = 0;
    for (ULONG_PTR index = 1; index < 0x10000; ++index) {
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0 ? 1 : 0;
    }
    return count;
}

bool ShowsPicture(const MemoryCanvas& canvas, int x, int y, const char* name, int sourceX,
                  int sourceY, int width, int height) {
    MemoryCanvas expected(width, height);
    HBITMAP picture = ShippedPicture(name);
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(source, picture);
    BitBlt(expected.dc(), 0, 0, width, height, source, sourceX, sourceY, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(picture);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            if (canvas.Pixel(x + column, y + row) != expected.Pixel(column, row)) {
                return false;
            }
        }
    }
    return true;
}
