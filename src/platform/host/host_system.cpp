// Stand-in for the system directory, the user's folders, the clock, message boxes and beeps.
#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/host/host_control.h"

namespace {

char systemDirectory[MAX_PATH] = ".";
enum class ApplicationData { SystemDirectory, Own, None };
ApplicationData applicationData = ApplicationData::SystemDirectory;
char applicationDataDirectory[MAX_PATH] = "";
bool fixedTimeSet = false;
SYSTEMTIME fixedTime;
int messageBoxAnswer = IDOK;
HostMessageBox messageBoxLog[kHostMessageBoxLogSize];
int messageBoxCount = 0;
int beepCount = 0;

}  // namespace

void HostSetSystemDirectory(const char* path) {
    std::snprintf(systemDirectory, sizeof systemDirectory, "%s", path);
}

void HostSetApplicationDataDirectory(const char* path) {
    applicationData = path != nullptr ? ApplicationData::Own : ApplicationData::None;
    std::snprintf(applicationDataDirectory, sizeof applicationDataDirectory, "%s",
                  path != nullptr ? path : "");
}

void HostUseSystemDirectoryAsApplicationData() {
    applicationData = ApplicationData::SystemDirectory;
}

void HostSetLocalTime(const SYSTEMTIME* time) {
    fixedTimeSet = time != nullptr;
    if (time != nullptr) {
        fixedTime = *time;
    }
}

void HostSetMessageBoxAnswer(int answer) {
    messageBoxAnswer = answer;
}

int HostMessageBoxCount() {
    return messageBoxCount;
}

const HostMessageBox& HostMessageBoxAt(int index) {
    return messageBoxLog[index % kHostMessageBoxLogSize];
}

int HostBeepCount() {
    return beepCount;
}

void HostResetRecords() {
    messageBoxCount = 0;
    beepCount = 0;
}

void GetLocalTime(SYSTEMTIME* out) {
    if (fixedTimeSet) {
        *out = fixedTime;
        return;
    }
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    out->wYear = static_cast<WORD>(local.tm_year + 1900);
    out->wMonth = static_cast<WORD>(local.tm_mon + 1);
    out->wDayOfWeek = static_cast<WORD>(local.tm_wday);
    out->wDay = static_cast<WORD>(local.tm_mday);
    out->wHour = static_cast<WORD>(local.tm_hour);
    out->wMinute = static_cast<WORD>(local.tm_min);
    out->wSecond = static_cast<WORD>(local.tm_sec);
    out->wMilliseconds = 0;
}

// Like Windows: the length copied without the NUL, or the size needed when the buffer is short.
UINT GetSystemDirectoryA(LPSTR buffer, UINT size) {
    UINT length = static_cast<UINT>(std::strlen(systemDirectory));
    if (buffer == nullptr || size <= length) {
        return length + 1;
    }
    std::memcpy(buffer, systemDirectory, length + 1);
    return length;
}

HRESULT SHGetFolderPathA(HWND, int folder, HANDLE, DWORD, LPSTR path) {
    path[0] = '\0';
    if ((folder & 0xFF) != CSIDL_APPDATA || applicationData == ApplicationData::None) {
        return E_FAIL;
    }
    const char* source =
        applicationData == ApplicationData::Own ? applicationDataDirectory : systemDirectory;
    std::snprintf(path, MAX_PATH, "%s", source);
    return S_OK;
}

HANDLE GetCurrentProcess() {
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));
}

BOOL IsWow64Process(HANDLE, BOOL* underWow64) {
    *underWow64 = FALSE;
    return TRUE;
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
    HostMessageBox& record = messageBoxLog[messageBoxCount % kHostMessageBoxLogSize];
    std::snprintf(record.caption, sizeof record.caption, "%s", caption != nullptr ? caption : "");
    std::snprintf(record.text, sizeof record.text, "%s", text != nullptr ? text : "");
    record.type = type;
    ++messageBoxCount;
    if ((type & 0xF) == MB_OK) {
        return IDOK;
    }
    return messageBoxAnswer;
}

BOOL MessageBeep(UINT) {
    ++beepCount;
    return TRUE;
}
