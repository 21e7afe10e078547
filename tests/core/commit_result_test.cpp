#include <gtest/gtest.h>

#include <string>

#include "common/gbk_text.h"
#include "engine/commit_result.h"

namespace {

TEST(CommitResultTest, SelectionPicksASlotOnlyWithinTheListAndWhatWasShown) {
    struct Row {
        const char* what;
        CandidateChoice choice;
        int expected;
    };
    const CommitSource shown = CommitSource::Shown;
    const Row rows[] = {
        {"'1' is the page's first", {'1', 0, shown, 10, true, 2, 12}, 2},
        {"'0' is the tenth", {'0', 0, shown, 10, true, 2, 12}, 11},
        {"tenth beyond the count", {'0', 0, shown, 10, true, 2, 11}, kNoCandidateSlot},
        {"last shown", {'3', 0, shown, 3, true, 2, 12}, 4},
        {"one past the shown", {'4', 0, shown, 3, true, 2, 12}, kNoCandidateSlot},
        {"unshown without progressive hints", {'4', 0, shown, 3, false, 2, 12}, 5},
        {"unshown, automatic", {'4', 0, CommitSource::Automatic, 0, true, 2, 12}, 5},
        {"offset's high bits ignored", {'1', 0x10005, shown, 10, false, 2, 12}, 7},
        {"empty list", {'1', 0, shown, 10, true, 2, 0}, kNoCandidateSlot},
        {"last slot", {'0', 0, shown, 10, true, 90, 200}, 99},
        {"past the last slot", {'0', 0, shown, 10, true, 91, 200}, kNoCandidateSlot},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ChooseCandidateSlot(row.choice), row.expected) << row.what;
    }
}

TEST(CommitResultTest, NewWordsAndAssociationCandidates) {
    struct Row {
        const char* what;
        std::string chosen, previous, follow;
        bool codeHint, gbkMode;
        std::string text, key, savedOrWhole;  // saved code of a new word, whole word otherwise
        bool continuation;
    };
    const std::string zhong = Gbk("中"), guo = Gbk("国"), comma = Gbk("，");
    const std::string trailA = "\x81\x61";  // a trail byte that reads as 'a'
    const std::string fortyNine = [&] {
        std::string s;
        for (int i = 0; i < 49; ++i)
            s += zhong;
        return s;
    }();
    const Row rows[] = {
        {"hint cut", zhong + "cd", "ab", "", true, false, zhong, zhong, "ab", false},
        {"hint kept when off", zhong + "cd", "ab", "", false, false, zhong + "cd", zhong, "ab",
         false},
        {"trail byte is no letter", trailA + "bc", "ab", "", true, false, trailA, trailA, "ab",
         false},
        {"punctuation follows", zhong, "ab", comma, true, false, zhong + comma, zhong, "ab", false},
        {"GBK mode: one character, no key", trailA + "xy", "x", "", true, true, trailA, "", "x",
         false},
        {"saved code is six keys", zhong, "abcdefgh", "", true, false, zhong, zhong, "abcdef",
         false},
        {"follow cut at 99 bytes", fortyNine, "a", comma, false, false,
         fortyNine + comma.substr(0, 1), fortyNine, "a", false},
        {"association: only the rest", zhong + guo, zhong, comma, true, false, guo, zhong + guo,
         zhong + guo, true},
        {"nothing typed continues", zhong + "cd", "", comma, true, false, zhong + "cd", zhong,
         zhong + "cd", true},
    };
    for (const Row& row : rows) {
        const CommitResult result =
            BuildCommitResult({row.chosen.c_str(), row.previous.c_str(), row.follow.c_str(),
                               row.follow.size(), row.codeHint, row.gbkMode});
        EXPECT_EQ(std::string(result.text, result.textLength), row.text) << row.what;
        EXPECT_EQ(result.associationKey, row.key) << row.what;
        EXPECT_EQ(result.continuation, row.continuation) << row.what;
        EXPECT_EQ(row.continuation ? std::string(result.wholeWord, result.wholeWordLength)
                                   : std::string(result.savedCode),
                  row.savedOrWhole)
            << row.what;
    }
}

}  // namespace
