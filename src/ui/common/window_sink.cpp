#include "ui/common/window_sink.h"

#include "engine/window_state.h"
#include "settings/settings.h"

namespace {

void Repaint(HWND window) {
    if (window != nullptr && IsWindow(window)) {
        InvalidateRect(window, nullptr, FALSE);
    }
}

void Changed(UiChange change) {
    // A skin shows the code and the candidates in the status window itself.
    const bool skinShowsConversion = Settings.SkinIndex != 0;
    switch (change) {
        case UiChange::Status:
            Repaint(Windows.CurrentStatusWindow);
            break;
        case UiChange::Conversion:
            if (skinShowsConversion) {
                Repaint(Windows.CurrentStatusWindow);
            } else {
                Repaint(Windows.CurrentCompWindow);
                Repaint(Windows.CurrentCandWindow);
            }
            break;
        case UiChange::CandidatePage:
            Repaint(skinShowsConversion ? Windows.CurrentStatusWindow : Windows.CurrentCandWindow);
            break;
        case UiChange::Everything:
            Repaint(Windows.CurrentStatusWindow);
            Repaint(Windows.CurrentCompWindow);
            Repaint(Windows.CurrentCandWindow);
            break;
    }
}

void Notice(HWND owner, const char* text, const char* caption) {
    MessageBoxA(owner, text, caption, MB_OK);
}

bool Ask(const char* question, const char* caption) {
    return MessageBoxA(nullptr, question, caption, MB_OKCANCEL) == IDOK;
}

constexpr UiSink kWindowsSink{Changed, Notice, Ask};

}  // namespace

const UiSink* WindowsUiSink() {
    return &kWindowsSink;
}
