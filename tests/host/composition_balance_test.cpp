// Every composition the application sees is balanced: no composition message outside a start and
// its end, no second start, no end without a start, whatever the keys do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/conversion_state.h"
#include "settings/settings.h"
#include "support/key_session.h"

namespace {

using Texts = std::vector<std::string>;

// Follows the messages of one key after another; fails on the first unbalanced one.
class CompositionTracker {
  public:
    void Follow(const Texts& messages, const std::string& key) {
        for (const std::string& message : messages) {
            if (message == "WM_IME_STARTCOMPOSITION") {
                EXPECT_FALSE(open_) << "a second start at key " << key;
                open_ = true;
            } else if (message == "WM_IME_ENDCOMPOSITION") {
                EXPECT_TRUE(open_) << "an end without a start at key " << key;
                open_ = false;
            } else if (message.rfind("WM_IME_COMPOSITION", 0) == 0) {
                EXPECT_TRUE(open_) << message << " outside a composition at key " << key;
            }
        }
    }
    bool open() const { return open_; }

  private:
    bool open_ = false;
};

TEST(CompositionBalance, EveryKeyOfAMixedSessionKeepsTheCompositionBalanced) {
    KeySession keys;
    keys.engine().UseShippedDictionaries(kCodeSetPrimary);
    CompositionTracker tracker;
    // Codes committed by space, digits, the next code key, punctuation and paging; association
    // lists; Backspace to nothing; Enter and Esc discarding; symbols on their own; Shift+Space.
    const char* const script[] = {
        "w", "q", "v", "b", "a", "n",    "l",    "w", ",", "a",         "a", "a", "a",     "k",
        "h", "k", " ", "1", "x", "<BS>", "<BS>", "a", "b", "<Enter>",   "k", "h", "<Esc>", ".",
        "3", ".", "1", "w", "q", "=",    "-",    "2", "k", "<S-Space>", "a", "a", "<BS>",  " "};
    for (const char* key : script) {
        keys.Type(key);
        tracker.Follow(keys.Last().messages, key);
    }
}

// A code key after a complete code commits it and begins the next composition within the same
// key call: the new composition starts with its own WM_IME_STARTCOMPOSITION.
TEST(CompositionBalance, ACodeStartedAfterACommitInTheSameKeyBeginsWithAStart) {
    KeySession keys;
    keys.engine().UseShippedDictionaries(kCodeSetPrimary);
    keys.Type("wqvb");
    ASSERT_EQ(keys.Type("a"), "你好");
    const Texts& messages = keys.Last().messages;
    std::size_t end = 0;
    while (end < messages.size() && messages[end] != "WM_IME_ENDCOMPOSITION") {
        ++end;
    }
    ASSERT_LT(end + 2, messages.size());
    EXPECT_EQ(messages[end + 1], "WM_IME_STARTCOMPOSITION");
    EXPECT_EQ(messages[end + 2], "WM_IME_COMPOSITION 0x1BF");
}

TEST(CompositionBalance, EnterAndEscThatDiscardTheCodeEndTheComposition) {
    for (const char* key : {"<Enter>", "<Esc>"}) {
        KeySession keys;
        keys.engine().UseShippedDictionaries(kCodeSetPrimary);
        keys.Type("wq");
        EXPECT_EQ(keys.Type(key), "") << key;
        const Texts& messages = keys.Last().messages;
        ASSERT_FALSE(messages.empty()) << key;
        EXPECT_EQ(messages.back(), "WM_IME_ENDCOMPOSITION") << key;
        EXPECT_EQ(Conversion.CodeLength, 0) << key;
    }
}

// The automatic commit of a unique complete code commits whatever the windows showed of the list
// (the page they laid out sets VisibleCandidates; with none showing it may be 0).
TEST(CompositionBalance, AUniqueCompleteCodeIsCommittedWhateverWasPainted) {
    KeySession keys;
    keys.engine().UseWords({{"ab", "工"}, {"ab", "中"}, {"cd", "此"}});
    Settings.ProgressiveHint = 1;
    keys.Type("c");
    Conversion.VisibleCandidates = 0;
    EXPECT_EQ(keys.Type("d"), "此");
    // A digit still picks only what was shown.
    keys.Type("ab");
    Conversion.VisibleCandidates = 1;
    EXPECT_EQ(keys.Type("2"), "");
}

}  // namespace
