#include "common/message_names.h"

#include <cstdio>

namespace {

const char* NotifyName(WPARAM command) {
    switch (command) {
        case IMN_CLOSESTATUSWINDOW:
            return "IMN_CLOSESTATUSWINDOW";
        case IMN_OPENSTATUSWINDOW:
            return "IMN_OPENSTATUSWINDOW";
        case IMN_CHANGECANDIDATE:
            return "IMN_CHANGECANDIDATE";
        case IMN_CLOSECANDIDATE:
            return "IMN_CLOSECANDIDATE";
        case IMN_OPENCANDIDATE:
            return "IMN_OPENCANDIDATE";
        case IMN_SETCONVERSIONMODE:
            return "IMN_SETCONVERSIONMODE";
        case IMN_SETSENTENCEMODE:
            return "IMN_SETSENTENCEMODE";
        case IMN_SETOPENSTATUS:
            return "IMN_SETOPENSTATUS";
        case IMN_SETCANDIDATEPOS:
            return "IMN_SETCANDIDATEPOS";
        case IMN_SETCOMPOSITIONFONT:
            return "IMN_SETCOMPOSITIONFONT";
        case IMN_SETCOMPOSITIONWINDOW:
            return "IMN_SETCOMPOSITIONWINDOW";
        case IMN_SETSTATUSWINDOWPOS:
            return "IMN_SETSTATUSWINDOWPOS";
        case IMN_GUIDELINE:
            return "IMN_GUIDELINE";
        case IMN_PRIVATE:
            return "IMN_PRIVATE";
        default:
            return nullptr;
    }
}

std::string Hex(unsigned long value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%lX", value);
    return text;
}

}  // namespace

std::string MessageName(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_IME_STARTCOMPOSITION:
            return "WM_IME_STARTCOMPOSITION";
        case WM_IME_ENDCOMPOSITION:
            return "WM_IME_ENDCOMPOSITION";
        case WM_IME_COMPOSITION:
            return "WM_IME_COMPOSITION " + Hex(static_cast<unsigned long>(lParam));
        case WM_IME_NOTIFY: {
            const char* name = NotifyName(wParam);
            return std::string("WM_IME_NOTIFY ") +
                   (name != nullptr ? name : Hex(static_cast<unsigned long>(wParam)));
        }
        case WM_CHAR:
            return "WM_CHAR " + Hex(static_cast<unsigned long>(wParam));
        default:
            return Hex(message) + " " + Hex(static_cast<unsigned long>(wParam)) + " " +
                   Hex(static_cast<unsigned long>(lParam));
    }
}
