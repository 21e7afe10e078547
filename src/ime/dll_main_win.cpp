// Load and unload of the input method. A load that would leave it without its window classes or
// its dictionaries is refused, so that it never runs half set up.
#include "context/process_facts.h"
#include "dict/table_image_files.h"
#include "engine/window_state.h"
#include "ime/module_start.h"
#include "ime/module_win.h"
#include "platform/boundary.h"
#include "ui/shell/shown_page_win.h"
#include "ui/shell/ui_windows_win.h"

namespace {

// Clip precision 0x20: the value the interface font has always been made with (the headers call
// it CLIP_TT_ALWAYS; CLIP_EMBEDDED is 0x80).
constexpr BYTE kUiFontClipPrecision = 0x20;

HFONT CreateUiFont() {
    return CreateFontA(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                       kUiFontClipPrecision, ANTIALIASED_QUALITY, 0, "Simsun");
}

// The start-up order: the state reset, the settings and the tables (StartModule), then what only
// Windows can tell, the window classes and the interface font, and the sink through which the
// engine reaches the windows.
bool AttachProcess(HINSTANCE instance) {
    if (!StartModule()) {
        return false;
    }
    Process.ModuleInstance = instance;
    Process.RunningUnderWine = IsWineRunning();
    Process.TranslatedMessagesThroughBuffer =
        TranslatedMessagesNeedBuffer(Process.RunningUnderWine, sizeof(void*) == 8);
    Process.Win9xFamily = IsWin9xFamily() ? 1 : 0;
    if (!RegisterUiClasses(instance)) {
        return false;
    }
    if (Process.Win9xFamily == 0) {
        Windows.UiFont = CreateUiFont();
    }
    InstallUiSink(ViewingUiSink());
    return true;
}

// Nothing is saved here: the UI window's destruction and the settings dialog have written what
// changed. The images go with the module, which may be unloaded from a program that runs on.
void DetachProcess() {
    ReleaseTableImages();
    if (Windows.UiFont != nullptr) {
        DeleteObject(Windows.UiFont);
        Windows.UiFont = nullptr;
    }
    UnregisterUiClasses(Process.ModuleInstance);
}

}  // namespace

bool IsWin9xFamily() {
    OSVERSIONINFOEXA version{};
    version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&version))) {
        version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&version))) {
            return false;
        }
    }
    return IsWin9xPlatform(version.dwPlatformId);
}

bool IsWineRunning() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            return Guarded<BOOL>(FALSE, [&] { return AttachProcess(instance) ? TRUE : FALSE; });
        case DLL_PROCESS_DETACH:
            return Guarded<BOOL>(TRUE, [] {
                DetachProcess();
                return TRUE;
            });
        default:
            return TRUE;
    }
}
