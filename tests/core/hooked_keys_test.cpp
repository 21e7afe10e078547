// The Shift releases a keyboard hook sees become the scan-code argument of a release.
#include <gtest/gtest.h>

#include "keys/hooked_keys.h"
#include "keys/key_decisions.h"

namespace {

// Key data of a key message: scan code in bits 16-23, extended bit 24, previous state bit 30,
// transition bit 31.
LPARAM KeyData(unsigned scan, bool release, bool extended = false) {
    unsigned data = 1u | scan << 16 | (extended ? 1u << 24 : 0u);
    if (release) {
        data |= 1u << 30 | 1u << 31;
    }
    return static_cast<LPARAM>(data);
}

TEST(HookedKeysTest, ShiftReleasesGiveTheReleaseScanCode) {
    UINT scan = 0;
    ASSERT_TRUE(HookedShiftRelease(VK_SHIFT, KeyData(0x2A, true), scan));
    EXPECT_EQ(scan, 0xC02Au);
    EXPECT_TRUE(ShiftReleaseSwitches(scan, true, false));
    ASSERT_TRUE(HookedShiftRelease(VK_SHIFT, KeyData(0x36, true), scan));
    EXPECT_EQ(scan, 0xC036u);
    EXPECT_TRUE(ShiftReleaseSwitches(scan, false, true));
    // An extended Shift keeps its extended bit and is no tap.
    ASSERT_TRUE(HookedShiftRelease(VK_SHIFT, KeyData(0x36, true, true), scan));
    EXPECT_EQ(scan, 0xC136u);
    EXPECT_FALSE(ShiftReleaseSwitches(scan, true, true));
}

TEST(HookedKeysTest, PressesAndOtherKeysAreNotReleasesOfShift) {
    UINT scan = 0x1234;
    EXPECT_FALSE(HookedShiftRelease(VK_SHIFT, KeyData(0x2A, false), scan));
    EXPECT_FALSE(HookedShiftRelease(VK_CONTROL, KeyData(0x1D, true), scan));
    EXPECT_FALSE(HookedShiftRelease('A', KeyData(0x1E, true), scan));
    EXPECT_FALSE(HookedShiftRelease(VK_LSHIFT, KeyData(0x2A, true), scan));
    EXPECT_EQ(scan, 0x1234u) << "untouched when false";
}

}  // namespace
