// Fake windows: a handle carries a serial number that is never reused, so a handle of a destroyed
// window stays invalid even after its slot holds a new window.
#include <cstdint>

#include "platform/host/host_control.h"

namespace {

constexpr int kWindowSlots = 64;

struct WindowSlot {
    std::uintptr_t serial;  // 0: never used
    bool alive;
    int repaints;
    UINT softKeyboardType;
    int shown;
};

WindowSlot windows[kWindowSlots];
std::uintptr_t nextSerial = 1;
int strayRepaints = 0;

// Handles are serial * 16: never null, never a real address the core could dereference.
std::uintptr_t SerialOf(HWND window) {
    return reinterpret_cast<std::uintptr_t>(window) >> 4;
}

WindowSlot* SlotOf(HWND window) {
    std::uintptr_t serial = SerialOf(window);
    if (serial == 0 || (reinterpret_cast<std::uintptr_t>(window) & 0xF) != 0) {
        return nullptr;
    }
    WindowSlot& slot = windows[serial % kWindowSlots];
    return slot.serial == serial ? &slot : nullptr;
}

WindowSlot* LiveSlotOf(HWND window) {
    WindowSlot* slot = SlotOf(window);
    return slot != nullptr && slot->alive ? slot : nullptr;
}

}  // namespace

HWND HostCreateWindow() {
    std::uintptr_t serial = nextSerial++;
    WindowSlot& slot = windows[serial % kWindowSlots];
    slot = WindowSlot{serial, true, 0, 0, 0};
    return reinterpret_cast<HWND>(serial << 4);
}

void HostDestroyWindow(HWND window) {
    if (WindowSlot* slot = LiveSlotOf(window)) {
        slot->alive = false;
    }
}

int HostRepaintCount(HWND window) {
    const WindowSlot* slot = SlotOf(window);
    return slot != nullptr ? slot->repaints : 0;
}

int HostStrayRepaintCount() {
    return strayRepaints;
}

void HostResetRepaintCounts() {
    for (WindowSlot& slot : windows) {
        slot.repaints = 0;
    }
    strayRepaints = 0;
}

UINT HostSoftKeyboardType(HWND window) {
    const WindowSlot* slot = SlotOf(window);
    return slot != nullptr ? slot->softKeyboardType : 0;
}

int HostWindowShown(HWND window) {
    const WindowSlot* slot = SlotOf(window);
    return slot != nullptr ? slot->shown : 0;
}

BOOL IsWindow(HWND window) {
    return LiveSlotOf(window) != nullptr ? TRUE : FALSE;
}

BOOL InvalidateRect(HWND window, const RECT*, BOOL) {
    WindowSlot* slot = LiveSlotOf(window);
    if (slot == nullptr) {
        ++strayRepaints;
        return FALSE;
    }
    ++slot->repaints;
    return TRUE;
}

// Soft keyboards are windows too: what the core asked for is readable through host_control.h.
HWND ImmCreateSoftKeyboard(UINT type, HWND, int, int) {
    HWND window = HostCreateWindow();
    SlotOf(window)->softKeyboardType = type;
    return window;
}

BOOL ImmShowSoftKeyboard(HWND window, int show) {
    WindowSlot* slot = LiveSlotOf(window);
    if (slot == nullptr) {
        return FALSE;
    }
    slot->shown = show;
    return TRUE;
}

BOOL ImmDestroySoftKeyboard(HWND window) {
    WindowSlot* slot = LiveSlotOf(window);
    if (slot == nullptr) {
        return FALSE;
    }
    slot->alive = false;
    return TRUE;
}
