#include "ui/common/skin_pictures_win.h"

#include <cstdio>
#include <cstring>

#include "dict/dictionary_files.h"

namespace {

constexpr COLORREF kPanelFace = RGB(246, 248, 251);
constexpr COLORREF kPanelBorder = RGB(128, 140, 156);
constexpr COLORREF kButtonOn = RGB(196, 212, 232);

void Fill(HDC target, const RECT& area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(target, &area, brush);
    DeleteObject(brush);
}

void Frame(HDC target, const RECT& area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FrameRect(target, &area, brush);
    DeleteObject(brush);
}

}  // namespace

HBITMAP LoadSkinPicture(const char* fileName) {
    char path[kPathBufferSize];
    char relative[64];
    std::snprintf(relative, sizeof relative, "skip%c%s", kPathSeparator, fileName);
    if (!MachineFilePath(relative, path)) {
        return nullptr;
    }
    return static_cast<HBITMAP>(
        LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

bool CopyPicture(HDC target, int x, int y, int width, int height, HBITMAP picture, int sourceX,
                 int sourceY) {
    if (picture == nullptr) {
        return false;
    }
    HDC source = CreateCompatibleDC(target);
    if (source == nullptr) {
        return false;
    }
    HGDIOBJ previous = SelectObject(source, picture);
    BitBlt(target, x, y, width, height, source, sourceX, sourceY, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    return true;
}

void DrawPlainPanel(HDC target, const RECT& area) {
    Fill(target, area, kPanelFace);
    Frame(target, area, kPanelBorder);
}

void DrawPlainButton(HDC target, const RECT& area, bool on, const char* text) {
    Fill(target, area, on ? kButtonOn : kPanelFace);
    Frame(target, area, kPanelBorder);
    if (text == nullptr) {
        return;
    }
    RECT inside = area;
    const int previousMode = SetBkMode(target, TRANSPARENT);
    const COLORREF previousColour = SetTextColor(target, RGB(0, 0, 0));
    DrawTextA(target, text, -1, &inside, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(target, previousColour);
    SetBkMode(target, previousMode);
}
