// The windows of the user interface that the rest of the input method reaches: process-wide
// handles of the most recently created UI window's children (none while not created).
#pragma once

#include <cstdint>

#include "platform/win32.h"

// The text of the long-candidate tip: 128 bytes, GBK.
constexpr int kLongCandidateTextSize = 128;

struct WindowState {
    HWND CurrentStatusWindow;
    HWND CurrentCompWindow;
    HWND CurrentCandWindow;
    HWND LongCandidateTip;
    // "Simsun", 16 pixels, made at the module's start; never made on the Windows 95 family, whose
    // windows draw in the system font.
    HFONT UiFont;
    // The soft keyboard created through IMM32 for the UI window, or none.
    HWND SoftKeyboardWindow;
    // Width and height of the character 谢 in the application's window at the last
    // IMN_SETCOMPOSITIONFONT; the height is the line height of caret following. 0 until then.
    std::int32_t CharExtentWidth;
    std::int32_t CharExtentHeight;
    // The remembered status window position; both 0 = none. Set when the status window is pushed
    // left and by dragging it.
    std::int32_t StatusPosX;
    std::int32_t StatusPosY;
    // The hit code of the last press or move on the candidate window (0xFFFF: outside).
    std::uint16_t CandidateHit;
    // The paging button (1 to 4) held down on the candidate window, 0 none.
    std::uint16_t PressedPageButton;
    char LongCandidateText[kLongCandidateTextSize];
};
extern WindowState Windows;

// No windows, no font (the font is made and deleted by the module's start and end).
void ResetWindowState();

// What the end of a UI window takes with it: the handles of its windows and the pressed button,
// the typed code and its candidates, the modes (ResetModesOfUiWindow) and a word being collected.
// The font and the soft keyboard are the module's and its own.
void ResetUiWindowState();
