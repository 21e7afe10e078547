#include "win/e2e/e2e_support.h"

#include <imm.h>

#include <cstdio>
#include <cstring>

#include "common/gbk_text.h"
#include "common/key_notation.h"
#include "common/setup_plan.h"
#include "settings/registry_access.h"
#include "settings/settings.h"
#include "support/test_platform.h"

namespace {

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

// The EDIT control's own procedure, and what the one in use was told of compositions.
WNDPROC editProcedure = nullptr;
int compositionStarts = 0;
int compositionEnds = 0;

LRESULT CALLBACK CountingEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    compositionStarts += message == WM_IME_STARTCOMPOSITION ? 1 : 0;
    compositionEnds += message == WM_IME_ENDCOMPOSITION ? 1 : 0;
    return CallWindowProcW(editProcedure, window, message, wParam, lParam);
}

void AddKey(std::vector<INPUT>& inputs, BYTE virtualKey, BYTE scan, bool extended, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scan;
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    inputs.push_back(input);
}

// The events of one token of the notation: modifiers down, the key down and up, modifiers up.
std::vector<INPUT> EventsOf(const KeyToken& token) {
    std::vector<INPUT> inputs;
    const BYTE shiftScan = token.rightShift ? 0x36 : 0x2A;
    if (token.kind == KeyTokenKind::ShiftTap) {
        AddKey(inputs, VK_SHIFT, shiftScan, false, false);
        AddKey(inputs, VK_SHIFT, shiftScan, false, true);
        return inputs;
    }
    if (token.ctrl) {
        AddKey(inputs, VK_CONTROL, 0x1D, false, false);
    }
    if (token.shift) {
        AddKey(inputs, VK_SHIFT, shiftScan, false, false);
    }
    AddKey(inputs, token.virtualKey, token.scan, token.extended, false);
    AddKey(inputs, token.virtualKey, token.scan, token.extended, true);
    if (token.shift) {
        AddKey(inputs, VK_SHIFT, shiftScan, false, true);
    }
    if (token.ctrl) {
        AddKey(inputs, VK_CONTROL, 0x1D, false, true);
    }
    return inputs;
}

// Ctrl+` as a person types it: the keys are still held while the input method handles the press
// (it sends Ctrl+C to the application and the press again), and released after.
void CtrlBackquote() {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_CONTROL;
    keys[1].ki.wVk = VK_OEM_3;
    SendInput(2, keys, sizeof(INPUT));
    TypingWindow::Pump();
    keys[0].ki.dwFlags = keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    std::swap(keys[0], keys[1]);
    SendInput(2, keys, sizeof(INPUT));
    TypingWindow::Pump();
}
}  // namespace

std::string Utf8Of(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

std::string PackageFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string SystemFolder() {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder, length) + "\\";
}

SetupRun RunSetup(const std::string& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + PackageFolder() + "zelk-setup.exe\" " + arguments;
    SetupRun run{~0u, std::string()};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process)) {
        run.output = "zelk-setup.exe could not be started";
        CloseHandle(readEnd);
        CloseHandle(writeEnd);
        return run;
    }
    CloseHandle(writeEnd);
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        run.output.append(buffer, got);
    }
    CloseHandle(readEnd);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return run;
}

HANDLE StartTestInAnotherProcess(const std::string& program, const char* variable,
                                 const char* testName, const char* value) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    SetEnvironmentVariableA(variable, value);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command =
        "\"" + (program.empty() ? std::string(self) : program) + "\" --gtest_filter=" + testName;
    const bool started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableA(variable, nullptr);
    if (!started) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

DWORD WaitForTestProcess(HANDLE process) {
    DWORD exitCode = ~0u;
    if (process != nullptr) {
        if (WaitForSingleObject(process, 120000) == WAIT_OBJECT_0) {
            GetExitCodeProcess(process, &exitCode);
        }
        CloseHandle(process);
    }
    return exitCode;
}

DWORD RunTestInAnotherProcess(const std::string& program, const char* variable,
                              const char* testName) {
    return WaitForTestProcess(StartTestInAnotherProcess(program, variable, testName, "1"));
}

void InstallWithDefaults() {
    DeleteSettingsKey();
    UseFreshDataFolders();
    const SetupRun run = RunSetup("install");
    if (run.exitCode != 0) {
        std::fprintf(stderr, "zelk-setup install failed (%lu): %s\n", run.exitCode,
                     run.output.c_str());
    }
}

std::vector<std::string> ZelkLayouts() {
    std::vector<std::string> found;
    HKEY layouts;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyboardLayoutsKey, 0, KEY_READ, &layouts) !=
        ERROR_SUCCESS) {
        return found;
    }
    char name[64];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(layouts, i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        char file[MAX_PATH] = {};
        DWORD fileSize = sizeof file - 1;
        if (RegGetValueA(layouts, name, "Ime File", RRF_RT_REG_SZ, nullptr, file, &fileSize) ==
                ERROR_SUCCESS &&
            lstrcmpiA(file, "zelk.ime") == 0) {
            found.push_back(name);
        }
    }
    RegCloseKey(layouts);
    return found;
}

DWORD ReadSetting(const char* name, SettingsScope scope) {
    HKEY key;
    if (OpenSettingsKey(scope, KEY_READ, false, &key) != ERROR_SUCCESS) {
        return ~0u;
    }
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG status = RegGetValueA(key, nullptr, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? value : ~0u;
}

DWORD ReadSetting(const char* name) {
    const DWORD own = ReadSetting(name, SettingsScope::User);
    return own != ~0u ? own : ReadSetting(name, SettingsScope::Machine);
}

TypingWindow::TypingWindow() {
    WNDCLASSW frame{};
    frame.lpfnWndProc = FrameProc;
    frame.hInstance = GetModuleHandleW(nullptr);
    frame.lpszClassName = L"ZelkTypingFrame";
    RegisterClassW(&frame);
    window_ = CreateWindowExW(0, L"ZelkTypingFrame", L"zelk", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                              0, 400, 200, nullptr, nullptr, frame.hInstance, nullptr);
    edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10,
                            10, 360, 24, window_, nullptr, frame.hInstance, nullptr);
    compositionStarts = compositionEnds = 0;
    editProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingEditProc)));
    Focus();
    const std::vector<std::string> layouts = ZelkLayouts();
    if (!layouts.empty()) {
        layout_ = LoadKeyboardLayoutA(layouts.front().c_str(), KLF_ACTIVATE);
        if (layout_ != nullptr && HIWORD(reinterpret_cast<ULONG_PTR>(layout_)) >> 12 != 0xE) {
            layout_ = nullptr;  // the system fell back to another layout
        }
    }
    HIMC context = ImmGetContext(edit_);
    ImmSetOpenStatus(context, TRUE);
    ImmReleaseContext(edit_, context);
    Pump();
}

TypingWindow::~TypingWindow() {
    DestroyWindow(window_);
    Pump();
}

int TypingWindow::OpenCompositions() {
    return compositionStarts - compositionEnds;
}

void TypingWindow::Pump() {
    // Input sent to the system arrives a little later; stop once nothing came for 100 ms.
    for (int quiet = 0; quiet < 5;) {
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT) == WAIT_TIMEOUT) {
            ++quiet;
            continue;
        }
        quiet = 0;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

std::string TypingWindow::Type(std::string_view keys) {
    std::vector<KeyToken> tokens;
    std::string error;
    if (!ParseKeyNotation(keys, tokens, error)) {
        return "bad key notation: " + error;
    }
    for (const KeyToken& token : tokens) {
        std::vector<INPUT> inputs = EventsOf(token);
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        Pump();
    }
    return Text();
}

std::string TypingWindow::Text() const {
    wchar_t text[1024] = {};
    GetWindowTextW(edit_, text, 1024);
    return Utf8Of(text);
}

void TypingWindow::Focus() {
    SetForegroundWindow(window_);
    SetFocus(edit_);
}

void TypingWindow::Clear() {
    SetWindowTextW(edit_, L"");
}

BoxAnswerer::BoxAnswerer() : thread_([this] { Run(); }) {}

BoxAnswerer::~BoxAnswerer() {
    stop_ = true;
    thread_.join();
}

void BoxAnswerer::Run() {
    const std::string caption = Gbk("提示");
    while (!stop_) {
        HWND box = FindWindowA("#32770", caption.c_str());
        if (box == nullptr || !IsWindowVisible(box)) {
            Sleep(20);
            continue;
        }
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        ++answered_;
        for (int wait = 0; wait < 100 && IsWindow(box); ++wait) {
            Sleep(20);
        }
    }
}

bool Offers(const TypingWindow& typing, const std::string& word) {
    HIMC context = ImmGetContext(typing.edit());
    const DWORD size = ImmGetCandidateListA(context, 0, nullptr, 0);
    std::vector<BYTE> bytes(size);
    bool found = false;
    if (size != 0 &&
        ImmGetCandidateListA(context, 0, reinterpret_cast<CANDIDATELIST*>(bytes.data()), size)) {
        const auto* list = reinterpret_cast<const CANDIDATELIST*>(bytes.data());
        for (DWORD i = 0; i < list->dwCount && !found; ++i) {
            const char* text = reinterpret_cast<const char*>(bytes.data() + list->dwOffset[i]);
            if (std::strlen(text) < word.size() ||
                std::memcmp(text, word.data(), word.size()) != 0) {
                continue;
            }
            const char after = text[word.size()];
            found = after == '\0' || (after >= 'a' && after <= 'z');
        }
    }
    ImmReleaseContext(typing.edit(), context);
    return found;
}

void MakeWord(TypingWindow& typing, std::string_view codes) {
    CtrlBackquote();
    typing.Type(codes);
    CtrlBackquote();
}
