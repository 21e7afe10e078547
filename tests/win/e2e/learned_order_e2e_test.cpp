// The learned candidate order end to end: a program that ends without destroying its windows (as
// every program under Wine does, and a killed one on Windows) has kept it; two programs saving at
// once leave one whole file with what both learned.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "common/dictionary_check.h"
#include "dict/data_places.h"
#include "support/test_platform.h"
#include "win/e2e/e2e_support.h"

namespace {

const char kKeysVariable[] = "ZELK_LEARNED_ORDER_KEYS";

void UseAutomaticFrequency() {
    const DWORD autoFrequency = 3;  // the Primary code set, automatic frequency
    SetRawSettingsValue("IMESETZ", REG_DWORD, &autoFrequency, 4, SettingsScope::User);
}

std::string UserMainFile() {
    char path[kPathBufferSize];
    return UserFilePath("zelk2006.mb", path) ? std::string(path) : std::string();
}

TEST(LearnedOrderTest, AProgramKilledAfterAPromotionHasKeptIt) {
    InstallWithDefaults();
    UseAutomaticFrequency();
    ASSERT_EQ(WaitForTestProcess(StartTestInAnotherProcess(
                  "", kKeysVariable, "LearnedOrderTest.KilledProgram", "aaaa2")),
              0u);
    TypingWindow typing;
    ASSERT_TRUE(typing.ready());
    EXPECT_EQ(typing.Type("aaaa "), "恭恭敬敬") << "the order the other program learned";
}

TEST(LearnedOrderTest, TwoProgramsSavingAtOnceLeaveOneWholeFileWithBothOrders) {
    InstallWithDefaults();
    UseAutomaticFrequency();
    HANDLE first =
        StartTestInAnotherProcess("", kKeysVariable, "LearnedOrderTest.KilledProgram", "aaaa2");
    HANDLE second =
        StartTestInAnotherProcess("", kKeysVariable, "LearnedOrderTest.KilledProgram", "wwww2");
    EXPECT_EQ(WaitForTestProcess(first), 0u);
    EXPECT_EQ(WaitForTestProcess(second), 0u);
    const DictionaryCheckResult check = CheckMainDictionary(ReadWholeFile(UserMainFile()), 1);
    EXPECT_TRUE(check.usable()) << (check.problems.empty() ? "" : check.problems[0].message);
    TypingWindow typing;
    ASSERT_TRUE(typing.ready());
    EXPECT_EQ(typing.Type("aaaa wwww "), "恭恭敬敬偷偷");
}

// Started by the tests above: types its keys, waits long enough for the order to be saved, and
// ends the process at once, its windows left standing.
TEST(LearnedOrderTest, KilledProgram) {
    const char* keys = std::getenv(kKeysVariable);
    if (keys == nullptr) {
        GTEST_SKIP() << "the other program's half of the LearnedOrderTest tests";
    }
    TypingWindow typing;
    ASSERT_TRUE(typing.ready());
    typing.Type(keys);
    const DWORD until = GetTickCount() + 3000;
    while (GetTickCount() < until) {
        TypingWindow::Pump();
    }
    TerminateProcess(GetCurrentProcess(), ::testing::Test::HasFailure() ? 1 : 0);
}

}  // namespace
