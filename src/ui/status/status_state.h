// The state the status window's procedure, its menus and its painter share: the pictures of the
// chosen skin, the last hit code and the hover flag.
#pragma once

#include <cstdint>

#include "platform/win32.h"

struct StatusWindowState {
    // The skin the pictures were loaded for (0 = plain bar) and its two pictures: the background
    // and the button sheet ("skipsz.bmp", the on-line word indicator, for the plain bar). A
    // missing picture stays null and is drawn as the plain fallback. The pictures are the
    // process's: every thread's status window draws with them, and the last one destroyed
    // releases them.
    std::int32_t Skin;
    int LiveWindows;
    HBITMAP Background;
    HBITMAP Buttons;
    // `StatusHit`: the code at the last press or pointer move.
    int StatusHit;
    // `StatusHover`: set by a pointer move over a button until the window's next message.
    bool StatusHover;
};
extern StatusWindowState Status;

// No pictures (the caller deletes any it holds first), no gesture, nothing hovered.
void ResetStatusWindowState();
