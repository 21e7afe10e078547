// zelk-setup: installs or uninstalls the input method. A double click (no arguments) asks first
// and answers in message boxes.
#include <windows.h>

#include <string>
#include <vector>

#include "common/setup_plan.h"
#include "zelk-setup/install_win.h"
#include "zelk-setup/setup_output_win.h"

namespace {

const wchar_t kUsage[] =
    L"用法：\r\n"
    L"  zelk-setup install            "
    L"安装青岚形码输入法（保留用户词库、设置和主词库的字词次序）\r\n"
    L"  zelk-setup install --reset-dictionaries\r\n"
    L"                                安装，并换上安装包中的主词库（旧的另存为 *.mb.old）\r\n"
    L"  zelk-setup uninstall          卸载输入法，保留用户词库和设置\r\n"
    L"  zelk-setup uninstall --purge  卸载输入法，连同本机的词库和设置，\r\n"
    L"                                以及当前用户的用户词库和设置\r\n"
    L"不带参数运行（例如双击）时，确认后安装。安装和卸载都需要管理员权限。";

std::wstring PackageFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return std::wstring();
    }
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

}  // namespace

int main(int argc, char** argv) {
    const SetupRequest request =
        ParseSetupArguments(std::vector<std::string>(argv + 1, argv + argc));
    switch (request.command) {
        case SetupCommand::Help:
            Say(kUsage);
            return 0;
        case SetupCommand::Invalid:
            Complain(kUsage);
            return 2;
        case SetupCommand::ConfirmAndInstall:
            UseMessageBoxes();
            if (!Confirm(L"安装青岚形码输入法？")) {
                return 0;
            }
            break;
        case SetupCommand::Install:
        case SetupCommand::Uninstall:
            break;
    }
    if (!IsAdministrator()) {
        Complain(L"需要管理员权限：请以管理员身份运行 zelk-setup.exe。");
        return 1;
    }
    if (request.command == SetupCommand::Uninstall) {
        return UninstallInputMethod(request.purge);
    }
    return InstallInputMethod(PackageFolder(), request.resetDictionaries);
}
