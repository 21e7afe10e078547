#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/conversion_state.h"
#include "engine/dispatch.h"
#include "engine/paging.h"
#include "context/input_context.h"
#include "platform/host/host_control.h"
#include "support/engine_session.h"
#include "engine/window_state.h"
#include "settings/settings.h"

namespace {

using Texts = std::vector<std::string>;

// 25 candidates for the code "ab".
class PagingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WordList words;
        for (int i = 0; i < 25; ++i) {
            words.push_back({"ab", "工"});
        }
        words.push_back({"abc", "人"});  // keeps the code open
        session.UseWords(words);
        session.Type("ab");
        session.TakeBeeps();
        session.TakeMessages();
    }
    DWORD Start() { return session.List()->dwPageStart; }
    EngineSession session;
};

TEST_F(PagingTest, DownAndUpByTenWithBeepsAtTheEnds) {
    ASSERT_EQ(Conversion.CandidateCount, 28);
    EXPECT_EQ(PageDown(session.context()), 1);
    EXPECT_EQ(Start(), 12u);
    PageDown(session.context());
    EXPECT_EQ(Start(), 22u);
    EXPECT_EQ(session.TakeBeeps(), 0);
    PageDown(session.context());
    EXPECT_EQ(Start(), 22u);
    EXPECT_EQ(session.TakeBeeps(), 1);
    PageUp(session.context());
    EXPECT_EQ(Start(), 12u);
    PageUp(session.context());
    EXPECT_EQ(Start(), 2u);
    EXPECT_EQ(session.TakeBeeps(), 0);
    PageUp(session.context());
    EXPECT_EQ(Start(), 2u);
    EXPECT_EQ(session.TakeBeeps(), 1);
}

TEST_F(PagingTest, StepsFollowThePageSizeTheWindowDrew) {
    session.List()->dwPageSize = 6;
    PageDown(session.context());
    PageDown(session.context());
    EXPECT_EQ(Start(), 14u);
    // A smaller page now: the previous page starts where this size says.
    session.List()->dwPageSize = 4;
    PageUp(session.context());
    EXPECT_EQ(Start(), 10u);
    session.List()->dwPageSize = 9;
    PageUp(session.context());
    EXPECT_EQ(Start(), 2u);
}

TEST_F(PagingTest, FirstAndLastPages) {
    EXPECT_EQ(FirstPage(session.context()), 1);
    EXPECT_EQ(Start(), 2u);
    EXPECT_EQ(session.TakeBeeps(), 0);
    LastPage(session.context());
    EXPECT_EQ(Start(), 22u);
    // A page size of 0 must not hang the last-page walk.
    session.List()->dwPageSize = 0;
    EXPECT_EQ(LastPage(session.context()), 1);
}

TEST_F(PagingTest, PagingNotifiesAndRepaintsTheCandidateWindow) {
    Windows.CurrentCandWindow = HostCreateWindow();
    HostResetRepaintCounts();
    PageDown(session.context());
    EXPECT_EQ(HostRepaintCount(Windows.CurrentCandWindow), 1);
    EXPECT_EQ(session.TakeMessages(),
              (Texts{"WM_IME_COMPOSITION 0x8", "WM_IME_NOTIFY IMN_OPENCANDIDATE",
                     "WM_IME_NOTIFY IMN_CHANGECANDIDATE"}));
    HostDestroyWindow(Windows.CurrentCandWindow);
    Windows.CurrentCandWindow = nullptr;
}

TEST_F(PagingTest, KeysTurnPages) {
    session.Type("=");
    EXPECT_EQ(Start(), 12u);
    session.Key(0, kPageDownScan);
    EXPECT_EQ(Start(), 22u);
    session.Type("-");
    EXPECT_EQ(Start(), 12u);
    session.Key(0, kPageUpScan);
    EXPECT_EQ(Start(), 2u);
    // ',' and '.' page only with comma-period paging.
    Settings.CommaPeriodPaging = 1;
    Settings.CommaPeriodKeys = 1;
    session.Type(".");
    EXPECT_EQ(Start(), 12u);
    session.Type(",");
    EXPECT_EQ(Start(), 2u);
    EXPECT_STREQ(Conversion.CodeBuffer, "ab");
}

TEST_F(PagingTest, NothingToPageWithoutCandidates) {
    EngineSession empty;
    EXPECT_EQ(PageDown(empty.context()), 0);
    EXPECT_EQ(PageUp(empty.context()), 0);
    EXPECT_EQ(FirstPage(empty.context()), 0);
    EXPECT_EQ(LastPage(empty.context()), 0);
}

TEST_F(PagingTest, DigitsSelectOnTheCurrentPage) {
    Settings.WordAssociation = 0;
    PageDown(session.context());
    session.Type("0");
    EXPECT_EQ(session.TakeCommitted(), "工");
    EXPECT_EQ(Conversion.CodeLength, 0);
    EXPECT_EQ(Conversion.CandidateCount, 2);
}

}  // namespace
