// The clipboard commands (Ctrl+grave: on-line word creation, Ctrl+/: code lookup) work on the text
// selected in the application, fetched in two passes: the first empties the clipboard and sends
// the application a copy command followed by the same hot key again; that re-sent key, arriving
// after the application has copied, runs the command.
#pragma once

#include "platform/win32.h"

struct CaptureKeystroke {
    BYTE virtualKey;  // 0: the command's own key
    bool up;
};
constexpr int kCaptureKeystrokeCount = 6;
// Ctrl down, C down, C up, Ctrl up, Ctrl down, the key down.
extern const CaptureKeystroke kCaptureKeystrokes[kCaptureKeystrokeCount];
// When Ctrl is no longer held as the press is handled (a quick tap, a busy application), the key
// and Ctrl are released after it too, or Ctrl would stay down for the application's next keys.
constexpr int kCaptureReleaseCount = 2;
extern const CaptureKeystroke kCaptureRelease[kCaptureReleaseCount];

// Runs the pass that is due for the key (VK_OEM_3 grave, VK_OEM_2 slash).
void CaptureSelection(HIMC context, BYTE virtualKey);
