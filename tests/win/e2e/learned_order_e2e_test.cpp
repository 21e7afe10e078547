// The learned candidate order end to end: a program that ends without destroying its windows (as
// every program under Wine does, and a killed one on Windows) has kept it; two programs saving at
// once leave one whole file with what both learned.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "common/dictionary_check.h"
#include "dict/data_places.h"
#include "dict/file_io.h"
#include "support/test_platform.h"
#include "win/e2e/e2e_support.h"

namespace {

const char kKeysVariable[] = "ZELK_LEARNED_ORDER_KEYS";
// Set by the other program once its keys are typed.
const char kTypedEvent[] = "zelk-learned-order-test-typed";

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
    ASSERT_EQ(LookAtUserDataDirectory(true), UserFolderState::Ready);
    HANDLE typed = CreateEventA(nullptr, FALSE, FALSE, kTypedEvent);
    ASSERT_NE(typed, nullptr);
    HANDLE first = nullptr;
    HANDLE second = nullptr;
    {
        // The lock is held here while the two type one after the other (the keys go to the window
        // in front): both find it taken, and both save as soon as it is let go.
        const FileLock held(UserMainFile().c_str());
        ASSERT_TRUE(held.Held());
        first =
            StartTestInAnotherProcess("", kKeysVariable, "LearnedOrderTest.KilledProgram", "aaaa2");
        EXPECT_EQ(WaitForSingleObject(typed, 30000), WAIT_OBJECT_0);
        second =
            StartTestInAnotherProcess("", kKeysVariable, "LearnedOrderTest.KilledProgram", "wwww2");
        EXPECT_EQ(WaitForSingleObject(typed, 30000), WAIT_OBJECT_0);
    }
    EXPECT_EQ(WaitForTestProcess(first), 0u);
    EXPECT_EQ(WaitForTestProcess(second), 0u);
    CloseHandle(typed);
    const DictionaryCheckResult check = CheckMainDictionary(ReadWholeFile(UserMainFile()), 1);
    EXPECT_TRUE(check.usable()) << (check.problems.empty() ? "" : check.problems[0].message);
    TypingWindow typing;
    ASSERT_TRUE(typing.ready());
    EXPECT_EQ(typing.Type("aaaa wwww "), "恭恭敬敬偷偷");
}

// The first word of a code in a main file ("" when the file has none).
std::string FirstWordOf(const std::string& file, const std::string& code) {
    const std::string start = code + "_";
    const std::size_t at = file.compare(0, start.size(), start) == 0 ? 0 : file.find("\n" + start);
    if (at == std::string::npos) {
        return "";
    }
    const std::size_t word = at + (at == 0 ? 0 : 1) + start.size();
    return file.substr(word, file.find_first_of("\r\n", word) - word);
}

// The file as it is now, opened so that a program replacing it is never kept from doing so.
std::string ReadWithoutHolding(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "";
    }
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

// Started by the tests above: types its keys ("<code>2": the second candidate is chosen and moves
// first), tells the test so, waits until the user's main file has that order (another program's
// save may hold the lock a while), and ends the process at once, its windows left standing.
TEST(LearnedOrderTest, KilledProgram) {
    const char* keys = std::getenv(kKeysVariable);
    if (keys == nullptr) {
        GTEST_SKIP() << "the other program's half of the LearnedOrderTest tests";
    }
    TypingWindow typing;
    ASSERT_TRUE(typing.ready());
    char machine[kPathBufferSize];
    ASSERT_TRUE(MachineFilePath("zelk2006.mb", machine));
    const std::string code(keys, std::strlen(keys) - 1);
    const std::string before = FirstWordOf(ReadWholeFile(machine), code);
    ASSERT_NE(before, "");
    typing.Type(keys);
    if (HANDLE typed = OpenEventA(EVENT_MODIFY_STATE, FALSE, kTypedEvent)) {
        SetEvent(typed);
        CloseHandle(typed);
    }
    const DWORD until = GetTickCount() + 20000;
    while (GetTickCount() < until) {
        TypingWindow::Pump();
        const std::string first = FirstWordOf(ReadWithoutHolding(UserMainFile()), code);
        if (first != "" && first != before) {
            break;
        }
    }
    TerminateProcess(GetCurrentProcess(), ::testing::Test::HasFailure() ? 1 : 0);
}

}  // namespace
