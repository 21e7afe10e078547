// The system's language indicator shows the input method's own icon and tooltip while a context
// is open, and the default ones while it is closed.
#include "context/input_context.h"
#include "ime/module_start.h"
#include "ime/module_win.h"
#include "ui/common/ui_classes.h"

HKL OwnKeyboardLayout;

namespace {

// Messages of the indicator window ("Indicator").
constexpr UINT kSetImeIcon = 0x464;
constexpr UINT kSetImeTooltips = 0x465;
constexpr UINT kRemoveDefaultMenuItems = 0x466;
// The default icon and tooltip (0xFFFFFFFF in 32 bits).
constexpr WPARAM kIndicatorDefault = static_cast<WPARAM>(-1);

constexpr char kIndicatorTooltip[] = "\xCB\xC9\xBA\xD7\xC2\xEB";  // 松鹤码
constexpr int kImeFileNameBuffer = 32;

}  // namespace

HKL FindOwnKeyboardLayout() {
    const int count = GetKeyboardLayoutList(0, nullptr);
    if (count <= 0) {
        return nullptr;
    }
    // One handle per layout (4 bytes each in 32 bits, 8 in 64).
    HKL* layouts = static_cast<HKL*>(LocalAlloc(LMEM_FIXED, sizeof(HKL) * count));
    if (layouts == nullptr) {
        return nullptr;
    }
    const int listed = GetKeyboardLayoutList(count, layouts);
    HKL found = nullptr;
    for (int i = 0; i < listed && found == nullptr; ++i) {
        char file[kImeFileNameBuffer] = {};
        if (ImmGetIMEFileNameA(layouts[i], file, sizeof file) != 0 &&
            lstrcmpiA(file, kImeFileName) == 0) {
            found = layouts[i];
        }
    }
    LocalFree(layouts);
    return found;
}

void UpdateIndicator(HIMC context, bool repaint) {
    if (OwnKeyboardLayout == nullptr) {
        OwnKeyboardLayout = FindOwnKeyboardLayout();
        if (OwnKeyboardLayout == nullptr) {
            return;
        }
    }
    HWND indicator = FindWindowA("Indicator", nullptr);
    const bool open = context != nullptr && IsContextOpen(context);
    if (indicator != nullptr) {
        const ATOM tooltip = GlobalAddAtomA(kIndicatorTooltip);
        const LPARAM layout = reinterpret_cast<LPARAM>(OwnKeyboardLayout);
        PostMessageA(indicator, kSetImeIcon, open ? 1 : kIndicatorDefault, layout);
        PostMessageA(indicator, kSetImeTooltips, open ? tooltip : kIndicatorDefault, layout);
        PostMessageA(indicator, kRemoveDefaultMenuItems, open ? 1 : 0, layout);
    }
    if (repaint) {
        HWND status = FindWindowA(kUiClasses[StatusClass].name, nullptr);
        if (status != nullptr) {
            InvalidateRect(status, nullptr, FALSE);
        }
    }
}
