#include "zelk-setup/setup_output_win.h"

#include <windows.h>

#include <cwchar>

#include "common/setup_plan.h"

namespace {

bool MessageBoxes = false;

const wchar_t kCaption[] = L"青岚形码输入法安装";

void WriteLine(DWORD stream, const std::wstring& text) {
    const std::wstring line = text + L"\r\n";
    HANDLE output = GetStdHandle(stream);
    if (output == nullptr || output == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    DWORD mode = 0;
    if (GetConsoleMode(output, &mode)) {
        WriteConsoleW(output, line.c_str(), static_cast<DWORD>(line.size()), &written, nullptr);
        return;
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), bytes.data(), size,
                        nullptr, nullptr);
    WriteFile(output, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

void UseMessageBoxes() {
    MessageBoxes = true;
}

void Say(const std::wstring& text) {
    if (MessageBoxes) {
        MessageBoxW(nullptr, text.c_str(), kCaption, MB_OK | MB_ICONINFORMATION);
    } else {
        WriteLine(STD_OUTPUT_HANDLE, text);
    }
}

void Complain(const std::wstring& text) {
    if (MessageBoxes) {
        MessageBoxW(nullptr, text.c_str(), kCaption, MB_OK | MB_ICONERROR);
    } else {
        WriteLine(STD_ERROR_HANDLE, text);
    }
}

bool Confirm(const std::wstring& question) {
    if (!MessageBoxes) {
        return true;
    }
    return MessageBoxW(nullptr, question.c_str(), kCaption, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

std::wstring Wide(const std::string& text) {
    const int size =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

namespace {

std::wstring Format(const wchar_t* pattern, const std::wstring& text, unsigned long number = 0) {
    wchar_t buffer[1024];
    std::swprintf(buffer, sizeof buffer / sizeof buffer[0], pattern, text.c_str(), number);
    return buffer;
}

}  // namespace

bool Fail(unsigned long error, const std::wstring& where) {
    switch (ClassifySystemError(error)) {
        case SetupFailure::NotAdministrator:
            Complain(L"需要管理员权限：请以管理员身份运行 zelk-setup.exe。");
            break;
        case SetupFailure::FileInUse:
            Complain(Format(
                L"文件正在使用：%ls\r\n请关闭所有正在使用青岚形码输入法的程序，然后再试。", where));
            break;
        case SetupFailure::AccessDenied:
            Complain(Format(L"不能写入：%ls\r\n需要管理员权限，或者文件正在被使用。", where));
            break;
        case SetupFailure::MissingFile:
            Complain(Format(L"找不到：%ls", where));
            break;
        case SetupFailure::DiskFull:
            Complain(Format(L"磁盘空间不足，不能写入：%ls", where));
            break;
        case SetupFailure::None:
        case SetupFailure::Other:
            Complain(Format(L"不能完成：%ls（错误 %lu）", where, error));
            break;
    }
    return false;
}
