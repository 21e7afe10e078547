// The five window classes of the user interface: names, class styles and window extra bytes. The
// Windows shell registers them with their window procedures at process attach.
#pragma once

#include <cstddef>

#include "platform/win32.h"

enum UiClassRole {
    UiWindowClass,  // "QMVUI", the window IMM32 creates per context
    CompClass,      // "QMVCOMP"
    CandClass,      // "QMVCAND"
    StatusClass,    // "QMVSTATUS"
    InfoClass,      // "QMVINFO"
};
constexpr int kUiClassCount = 5;

struct UiClassInfo {
    const char* name;
    UINT style;
    int windowExtraBytes;
};

// In registration order, indexed by UiClassRole. Every class has the arrow cursor, no icon, no
// background brush, no menu and no class extra bytes.
extern const UiClassInfo kUiClasses[kUiClassCount];

// Window extra bytes come in pointer-sized slots. A UI window has the two slots IMM32 defines
// (the input context, then the UI's private block); a child window adds a third that holds its
// owning UI window.
constexpr int kWindowSlotSize = static_cast<int>(sizeof(void*));
constexpr int kChildOwnerOffset = 2 * kWindowSlotSize;
