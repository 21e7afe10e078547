// Key-event sequences the key-event fuzzer found, kept as they were found.
#include <gtest/gtest.h>

#include "engine/conversion_state.h"
#include "context/input_context.h"
#include "engine/symbol_conversion.h"
#include "support/key_session.h"
#include "settings/settings.h"
#include "engine/mode_state.h"

namespace {

DWORD ListCount(HIMC context) {
    CandidateListAccess access(context);
    return access ? access.list()->dwCount : 0;
}

// Backspace closes an association list: the list is then no longer on offer, and the next digit
// reaches the application instead of selecting from nothing.
TEST(KeyEventRegression, BackspaceClosesTheAssociationListForGood) {
    KeySession keys;
    keys.engine().UseShippedDictionaries(kCodeSetPrimary);
    Settings.WordAssociation = 1;
    Settings.CodeHint = 0;
    Settings.SemicolonQuoteKeys = 1;
    Settings.CommaPeriodKeys = 1;
    Settings.ProgressiveHint = 0;
    Settings.LeftShiftSwitch = 0;
    Settings.RightShiftSwitch = 1;
    Settings.AutoFrequency = 1;
    Settings.CommaPeriodPaging = 1;
    Settings.SkinIndex = 4;
    SetMode(FullWidth, true);
    keys.typing().UseWineKeyArgument(true);
    const struct {
        BYTE key;
        bool press;
    } events[] = {{'J', true}, {'W', true},  {'0', true},   {'J', true},
                  {'0', true}, {'0', false}, {0x08, false}, {'0', false}};
    int n = 0;
    for (const auto& event : events) {
        keys.typing().KeyEvent(event.key, event.press);
        if (Conversion.CandidatesOpen != 0) {
            EXPECT_EQ(ListCount(keys.context()), Conversion.CandidateCount) << "after event " << n;
        }
        ++n;
    }
    EXPECT_EQ(Conversion.CandidatesOpen, 0);
    EXPECT_EQ(Conversion.AssociationShown, 0);
    keys.typing().ClearOutcome();
    keys.typing().KeyEvent('1', true);
    keys.typing().KeyEvent('1', false);
    EXPECT_EQ(keys.typing().Outcome().commit, "１");
}

}  // namespace
