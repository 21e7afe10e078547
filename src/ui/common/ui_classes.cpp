#include "ui/common/ui_classes.h"

namespace {

// Class styles: CS_IME marks the UI class and the windows it owns as the input method's; the
// status window also wants double clicks.
constexpr UINT kVRedraw = 0x0001;
constexpr UINT kHRedraw = 0x0002;
constexpr UINT kDoubleClicks = 0x0008;
constexpr UINT kImeClass = 0x00010000;

constexpr UINT kPlainStyle = kImeClass | kHRedraw | kVRedraw;  // 0x10003
constexpr int kUiExtraBytes = 2 * kWindowSlotSize;
constexpr int kChildExtraBytes = 3 * kWindowSlotSize;

}  // namespace

const UiClassInfo kUiClasses[kUiClassCount] = {
    {"QMVUI", kPlainStyle, kUiExtraBytes},
    {"QMVCOMP", kPlainStyle, kChildExtraBytes},
    {"QMVCAND", kPlainStyle, kChildExtraBytes},
    {"QMVSTATUS", kPlainStyle | kDoubleClicks, kChildExtraBytes},  // 0x1000B
    {"QMVINFO", kPlainStyle, kChildExtraBytes},
};
