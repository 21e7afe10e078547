#include "ui/shell/shown_page_win.h"

#include "engine/window_state.h"
#include "settings/settings.h"
#include "ui/candidate/cand_paint_win.h"
#include "ui/status/status_paint_win.h"
#include "ui/common/window_sink.h"

namespace {

void Changed(UiChange change) {
    if (change != UiChange::Status) {
        if (Settings.SkinIndex != 0) {
            ShowSkinPage(Windows.CurrentStatusWindow);
        } else {
            ShowCandidatePage(Windows.CurrentCandWindow);
        }
    }
    WindowsUiSink()->changed(change);
}

void Notice(HWND owner, const char* text, const char* caption) {
    WindowsUiSink()->notice(owner, text, caption);
}

bool Ask(const char* question, const char* caption) {
    return WindowsUiSink()->ask(question, caption);
}

constexpr UiSink kViewingSink{Changed, Notice, Ask};

}  // namespace

const UiSink* ViewingUiSink() {
    return &kViewingSink;
}
