// What the engine tells reaches the windows that show it, and nothing but the installed sink
// speaks to the user.
#include <gtest/gtest.h>

#include "engine/ui_sink.h"
#include "engine/window_state.h"
#include "platform/host/host_control.h"
#include "settings/settings.h"
#include "ui/common/window_sink.h"

namespace {

TEST(UiSinkTest, AChangeRepaintsTheWindowsThatShowIt) {
    const struct {
        std::int32_t skin;
        UiChange change;
        int status, comp, cand;
    } cases[] = {
        {0, UiChange::Status, 1, 0, 0},        {0, UiChange::Conversion, 0, 1, 1},
        {0, UiChange::CandidatePage, 0, 0, 1}, {0, UiChange::Everything, 1, 1, 1},
        {2, UiChange::Status, 1, 0, 0},        {2, UiChange::Conversion, 1, 0, 0},
        {2, UiChange::CandidatePage, 1, 0, 0}, {2, UiChange::Everything, 1, 1, 1},
    };
    InstallUiSink(WindowsUiSink());
    Windows.CurrentStatusWindow = HostCreateWindow();
    Windows.CurrentCompWindow = HostCreateWindow();
    Windows.CurrentCandWindow = HostCreateWindow();
    for (const auto& c : cases) {
        Settings.SkinIndex = c.skin;
        HostResetRepaintCounts();
        TellUi(c.change);
        EXPECT_EQ(HostRepaintCount(Windows.CurrentStatusWindow), c.status) << c.skin;
        EXPECT_EQ(HostRepaintCount(Windows.CurrentCompWindow), c.comp) << c.skin;
        EXPECT_EQ(HostRepaintCount(Windows.CurrentCandWindow), c.cand) << c.skin;
    }
    // A window already gone is left alone.
    HostDestroyWindow(Windows.CurrentCandWindow);
    HostResetRepaintCounts();
    TellUi(UiChange::Everything);
    EXPECT_EQ(HostStrayRepaintCount(), 0);
    HostDestroyWindow(Windows.CurrentStatusWindow);
    HostDestroyWindow(Windows.CurrentCompWindow);
    ResetWindowState();
    Settings = SettingsRecord{};
}

TEST(UiSinkTest, WithoutASinkNothingIsShownAndNothingIsAgreedTo) {
    InstallUiSink(nullptr);
    HostResetRecords();
    HostSetMessageBoxAnswer(IDOK);
    ShowNotice(nullptr, "text", "caption");
    EXPECT_FALSE(AskUser("question", "caption"));
    EXPECT_EQ(HostMessageBoxCount(), 0);
    InstallUiSink(WindowsUiSink());
    EXPECT_TRUE(AskUser("question", "caption"));
    EXPECT_EQ(HostMessageBoxCount(), 1);
    InstallUiSink(nullptr);
}

}  // namespace
