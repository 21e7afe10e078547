#include "ui/composition/comp_paint_win.h"

#include <cstring>

#include "context/input_context.h"
#include "engine/conversion_state.h"
#include "engine/window_state.h"
#include "settings/settings.h"
#include "ui/common/skin_pictures_win.h"
#include "ui/layout/ui_geometry.h"
#include "ui/common/ui_private_win.h"
#include "ui/common/ui_support_win.h"

void DrawCompositionSurface(HDC target, HBITMAP background, const char* code, HFONT font) {
    HGDIOBJ oldFont = font != nullptr ? SelectObject(target, font) : nullptr;
    if (!CopyPicture(target, 0, 0, kCompWindowWidth, kCompWindowHeight, background, 0, 0)) {
        DrawPlainPanel(target, RECT{0, 0, kCompWindowWidth, kCompWindowHeight});
    }
    if (code != nullptr && code[0] != '\0') {
        const int oldMode = SetBkMode(target, TRANSPARENT);
        const COLORREF oldColour = SetTextColor(target, RGB(0, 0, 0));
        TextOutA(target, 5, 4, code, static_cast<int>(std::strlen(code)));
        SetTextColor(target, oldColour);
        SetBkMode(target, oldMode);
    }
    if (oldFont != nullptr) {
        SelectObject(target, oldFont);
    }
}

void PaintCompositionWindow(HWND compWindow) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(compWindow, &paint);
    if (Conversion.CodeLength == 0 || Settings.SkinIndex != 0) {
        EndPaint(compWindow, &paint);
        ShowWindow(compWindow, SW_HIDE);
        return;
    }
    UiContext context(OwningUiWindow(compWindow));
    ContextLock data(context.get());
    if (dc != nullptr && data) {
        ComponentLock<COMPOSITIONSTRING> comp(data->hCompStr);
        const bool codeShown = comp && comp->dwSize > kCompStrIdleSize &&
                               Conversion.CodeLength > 0 && Conversion.CodeBuffer[0] != '\0';
        auto background =
            reinterpret_cast<HBITMAP>(GetWindowLongPtrA(compWindow, kChildPicturesOffset));
        DrawCompositionSurface(dc, background, codeShown ? Conversion.CodeBuffer : nullptr,
                               Windows.UiFont);
    }
    EndPaint(compWindow, &paint);
}
