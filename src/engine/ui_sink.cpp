#include "engine/ui_sink.h"

namespace {

void ChangedQuietly(UiChange) {}
void NoticeQuietly(HWND, const char*, const char*) {}
bool Decline(const char*, const char*) {
    return false;
}

constexpr UiSink kSilentSink{ChangedQuietly, NoticeQuietly, Decline};
const UiSink* installed = &kSilentSink;

}  // namespace

void InstallUiSink(const UiSink* sink) {
    installed = sink != nullptr ? sink : &kSilentSink;
}

void TellUi(UiChange change) {
    installed->changed(change);
}

void ShowNotice(HWND owner, const char* text, const char* caption) {
    installed->notice(owner, text, caption);
}

bool AskUser(const char* question, const char* caption) {
    return installed->ask(question, caption);
}
