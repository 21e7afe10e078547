// Opening the settings dialog clears a code being typed in the dialog's input context.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/conversion_state.h"
#include "platform/host/host_control.h"
#include "ui/dialogs/settings_dialog.h"
#include "support/engine_session.h"

namespace {

using Texts = std::vector<std::string>;

class SettingsDialogOpenTest : public ::testing::Test {
  protected:
    void SetUp() override { session.UseWords({{"ab", "工"}, {"ab", "中"}, {"abc", "工人"}}); }
    EngineSession session;
};

TEST_F(SettingsDialogOpenTest, ACodeWithCandidatesIsClearedWithItsNotifications) {
    session.Type("ab");
    ASSERT_EQ(session.Candidates().size(), 3u);
    session.TakeMessages();
    EXPECT_TRUE(ClearCodeForDialog(session.context()));
    EXPECT_EQ(Conversion.CodeLength, 0);
    EXPECT_STREQ(Conversion.CodeBuffer, "");
    EXPECT_EQ(Conversion.CandidateCount, kFirstCandidateSlot);
    EXPECT_EQ(Conversion.CandidatesOpen, 0);
    const Texts messages = session.TakeMessages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.front().rfind("WM_IME_COMPOSITION", 0), 0u) << messages.front();
    EXPECT_EQ(session.TakeCommitted(), "") << "nothing is committed";
}

TEST_F(SettingsDialogOpenTest, ACodeWithoutCandidatesStillCountsAsAList) {
    // A code that matches nothing leaves dwCount 2: the list is in use and the code goes.
    session.Type("zz");
    ASSERT_EQ(Conversion.CodeLength, 2);
    session.TakeMessages();
    EXPECT_TRUE(ClearCodeForDialog(session.context()));
    EXPECT_EQ(Conversion.CodeLength, 0);
    EXPECT_FALSE(session.TakeMessages().empty());
}

TEST_F(SettingsDialogOpenTest, NothingTypedSendsNothing) {
    session.TakeMessages();
    EXPECT_TRUE(ClearCodeForDialog(session.context()));
    EXPECT_TRUE(session.TakeMessages().empty());
}

TEST_F(SettingsDialogOpenTest, AContextThatCannotBeLockedStopsTheOpening) {
    session.Type("ab");
    session.TakeMessages();
    HostSetContextLockFailure(session.context(), true);
    EXPECT_FALSE(ClearCodeForDialog(session.context()));
    HostSetContextLockFailure(session.context(), false);
    EXPECT_EQ(Conversion.CodeLength, 2);
    EXPECT_TRUE(session.TakeMessages().empty());
    EXPECT_FALSE(ClearCodeForDialog(nullptr));
}

}  // namespace
