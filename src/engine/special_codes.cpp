#include "engine/special_codes.h"

#include <cstdio>
#include <cstring>

#include "platform/win32.h"

DictEntry SpecialEntry;

namespace {

// GBK units of the texts.
constexpr char kYear[] = "\xC4\xEA";          // 年
constexpr char kMonth[] = "\xD4\xC2";         // 月
constexpr char kDay[] = "\xC8\xD5";           // 日
constexpr char kHour[] = "\xCA\xB1";          // 时
constexpr char kMinute[] = "\xB7\xD6";        // 分
constexpr char kWeek[] = "\xD0\xC7\xC6\xDA";  // 星期
// 日 一 二 三 四 五 六, by day of week from Sunday.
constexpr const char* kWeekdayNames[7] = {
    "\xC8\xD5", "\xD2\xBB", "\xB6\xFE", "\xC8\xFD", "\xCB\xC4", "\xCE\xE5", "\xC1\xF9",
};

}  // namespace

int MakeSpecialEntry(const char* code) {
    std::memset(&SpecialEntry, 0, sizeof SpecialEntry);
    // Most first keys start no special code: they need no clock.
    if (std::strchr("dntwyz", code[0]) == nullptr || code[0] == '\0') {
        return 0;
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    char* text = SpecialEntry.word;
    const std::size_t size = sizeof SpecialEntry.word;
    const char* special;
    switch (code[0]) {
        case 'd':
            special = "date";
            std::snprintf(text, size, "%d%s%d%s", now.wMonth, kMonth, now.wDay, kDay);
            break;
        case 'n':
            special = "now";
            std::snprintf(text, size, "%d%s%d%s%d%s%d%s%d%s", now.wYear, kYear, now.wMonth, kMonth,
                          now.wDay, kDay, now.wHour, kHour, now.wMinute, kMinute);
            break;
        case 't':
            special = "time";
            std::snprintf(text, size, "%d%s%d%s", now.wHour, kHour, now.wMinute, kMinute);
            break;
        case 'w':
            special = "week";
            std::snprintf(text, size, "%s%s", kWeek,
                          now.wDayOfWeek < 7 ? kWeekdayNames[now.wDayOfWeek] : "");
            break;
        case 'y':
            special = "year";
            std::snprintf(text, size, "%d%s", now.wYear, kYear);
            break;
        case 'z':
            special = "znyr";
            std::snprintf(text, size, "%d%s%d%s%d%s", now.wYear, kYear, now.wMonth, kMonth,
                          now.wDay, kDay);
            break;
        default:
            return 0;
    }
    std::strcpy(SpecialEntry.code, special);
    return 1;
}
