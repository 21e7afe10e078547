#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/gbk_text.h"
#include "engine/special_codes.h"
#include "platform/host/host_control.h"

namespace {

// Sunday, 6 December 2026, 21:08.
SYSTEMTIME At(WORD year, WORD month, WORD day, WORD dayOfWeek, WORD hour, WORD minute) {
    SYSTEMTIME t{};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wDayOfWeek = dayOfWeek;
    t.wHour = hour;
    t.wMinute = minute;
    return t;
}

class SpecialCodesTest : public ::testing::Test {
  protected:
    void SetUp() override { Use(At(2026, 12, 6, 0, 21, 8)); }
    void TearDown() override { HostSetLocalTime(nullptr); }
    void Use(const SYSTEMTIME& t) { HostSetLocalTime(&t); }
    // The special text for a typed code, in UTF-8; "-" when the code has none.
    std::string Text(const char* code) {
        if (MakeSpecialEntry(code) == 0) {
            return "-";
        }
        return Utf8(SpecialEntry.word);
    }
};

TEST_F(SpecialCodesTest, EachFirstKeyGivesItsCodeAndText) {
    EXPECT_EQ(Text("z"), "2026年12月6日");
    EXPECT_STREQ(SpecialEntry.code, "znyr");
    EXPECT_EQ(Text("d"), "12月6日");
    EXPECT_STREQ(SpecialEntry.code, "date");
    EXPECT_EQ(Text("y"), "2026年");
    EXPECT_STREQ(SpecialEntry.code, "year");
    EXPECT_EQ(Text("t"), "21时8分");
    EXPECT_STREQ(SpecialEntry.code, "time");
    EXPECT_EQ(Text("n"), "2026年12月6日21时8分");
    EXPECT_STREQ(SpecialEntry.code, "now");
    EXPECT_EQ(Text("w"), "星期日");
    EXPECT_STREQ(SpecialEntry.code, "week");
}

TEST_F(SpecialCodesTest, OnlyTheFirstByteIsRead) {
    EXPECT_EQ(Text("dx"), "12月6日");
    EXPECT_EQ(Text("tq"), "21时8分");
}

TEST_F(SpecialCodesTest, OtherKeysGiveNothingAndLeaveTheEntryEmpty) {
    ASSERT_EQ(MakeSpecialEntry("d"), 1);
    for (const char* code : {"a", "x", ";", "", "D"}) {
        EXPECT_EQ(MakeSpecialEntry(code), 0) << code;
        const DictEntry empty{};
        EXPECT_EQ(std::memcmp(&SpecialEntry, &empty, sizeof empty), 0) << code;
    }
}

TEST_F(SpecialCodesTest, NumbersHaveNoLeadingZeros) {
    Use(At(2027, 1, 2, 6, 9, 5));
    EXPECT_EQ(Text("t"), "9时5分");
    EXPECT_EQ(Text("n"), "2027年1月2日9时5分");
    Use(At(2027, 1, 2, 6, 0, 0));
    EXPECT_EQ(Text("t"), "0时0分");
}

TEST_F(SpecialCodesTest, EveryWeekdayHasItsName) {
    const char* names[7] = {"日", "一", "二", "三", "四", "五", "六"};
    for (WORD day = 0; day < 7; ++day) {
        Use(At(2026, 12, 6 + day, day, 12, 0));
        EXPECT_EQ(Text("w"), std::string("星期") + names[day]) << day;
    }
    Use(At(2026, 12, 6, 7, 12, 0));
    EXPECT_EQ(Text("w"), "星期");
}

TEST_F(SpecialCodesTest, TextFollowsTheClockAtEachCall) {
    EXPECT_EQ(Text("t"), "21时8分");
    Use(At(2026, 12, 6, 0, 21, 9));
    EXPECT_EQ(Text("t"), "21时9分");
}

}  // namespace
