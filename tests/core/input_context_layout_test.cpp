#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/conversion_state.h"
#include "context/input_context.h"

namespace {

// Component-sized blocks outside any input context, pre-filled so that untouched bytes show.
struct alignas(8) CompBlock {
    BYTE bytes[kCompStrSize];
    COMPOSITIONSTRING* comp() { return reinterpret_cast<COMPOSITIONSTRING*>(bytes); }
};
struct alignas(8) CandBlock {
    BYTE bytes[kCandInfoSize];
    CANDIDATEINFO* info() { return reinterpret_cast<CANDIDATEINFO*>(bytes); }
    CANDIDATELIST* list() { return CandidateListOf(info()); }
};

std::ptrdiff_t Distance(const void* from, const void* to) {
    return static_cast<const BYTE*>(to) - static_cast<const BYTE*>(from);
}

TEST(InputContextLayout, AccessorsPointAtTheAreasOfTheComponents) {
    CompBlock compBlock;
    COMPOSITIONSTRING* comp = compBlock.comp();
    EXPECT_EQ(Distance(comp, CompositionAttributes(comp)), 100);
    EXPECT_EQ(Distance(comp, CompositionText(comp)), 116);
    EXPECT_EQ(Distance(comp, ResultString(comp)), 164);
    // The result area runs to the end of the component.
    EXPECT_EQ(Distance(ResultString(comp), compBlock.bytes + sizeof compBlock.bytes), 202);

    CandBlock candBlock;
    CANDIDATEINFO* info = candBlock.info();
    EXPECT_EQ(Distance(info, CandidateListOf(info)), 144);
    EXPECT_EQ(Distance(info, CandidateSlot(info, 0)), 572);
    EXPECT_EQ(Distance(CandidateListOf(info), CandidateSlot(info, 2)), 628);
    EXPECT_EQ(Distance(info, CandidateSlot(info, 98)), 572 + 9800);
    // The last slot ends exactly at the end of the component.
    EXPECT_EQ(Distance(CandidateSlot(info, 99) + kCandidateSlotSize,
                       candBlock.bytes + sizeof candBlock.bytes),
              0);
    EXPECT_EQ(CandidateSlot(candBlock.list(), 7), CandidateSlot(info, 7));
}

TEST(InputContextLayout, InitCandidateInfoWritesHeadersAndOffsetsButKeepsSlotTexts) {
    CandBlock block;
    std::memset(block.bytes, 0xCC, sizeof block.bytes);
    std::strcpy(CandidateSlot(block.info(), 2), "kept");
    InitCandidateInfo(block.info());

    const CANDIDATEINFO* info = block.info();
    EXPECT_EQ(info->dwSize, 10572u);
    EXPECT_EQ(info->dwCount, 1u);
    EXPECT_EQ(info->dwOffset[0], 144u);
    for (int i = 1; i < 32; ++i) {
        EXPECT_EQ(info->dwOffset[i], 0u) << "offset " << i;
    }
    EXPECT_EQ(info->dwPrivateSize, 0u);
    EXPECT_EQ(info->dwPrivateOffset, 0u);

    CANDIDATELIST* list = block.list();
    EXPECT_EQ(list->dwSize, 10428u);
    EXPECT_EQ(list->dwStyle, DWORD{IME_CAND_READ});
    EXPECT_EQ(list->dwCount, 0u);
    EXPECT_EQ(list->dwSelection, 0u);
    EXPECT_EQ(list->dwPageStart, 2u);
    EXPECT_EQ(list->dwPageSize, 0u);
    const DWORD* offsets = list->dwOffset;
    for (int slot = 0; slot < kCandidateSlotCount; ++slot) {
        ASSERT_EQ(offsets[slot], 428u + 100u * slot) << "slot " << slot;
        // Each offset designates the slot the accessor gives.
        ASSERT_EQ(reinterpret_cast<char*>(list) + offsets[slot], CandidateSlot(list, slot));
    }
    // The 4 bytes between the offsets and the first slot, and the slot texts, are not touched.
    EXPECT_EQ(block.bytes[144 + 424], 0xCC);
    EXPECT_STREQ(CandidateSlot(list, 2), "kept");
    EXPECT_EQ(static_cast<BYTE>(CandidateSlot(list, 99)[99]), 0xCC);
}

TEST(InputContextLayout, ResetCompositionStringClearsLengthsButKeepsOffsets) {
    CompBlock block;
    std::memset(block.bytes, 0x11, sizeof block.bytes);
    ResetCompositionString(block.comp());

    const COMPOSITIONSTRING* comp = block.comp();
    for (DWORD length : {comp->dwCompReadAttrLen, comp->dwCompReadClauseLen, comp->dwCompReadStrLen,
                         comp->dwCompAttrLen, comp->dwCompClauseLen, comp->dwCompStrLen,
                         comp->dwCursorPos, comp->dwDeltaStart, comp->dwResultReadClauseLen,
                         comp->dwResultReadStrLen, comp->dwResultClauseLen, comp->dwResultStrLen}) {
        EXPECT_EQ(length, 0u);
    }
    for (DWORD unchanged : {comp->dwSize, comp->dwCompReadAttrOffset, comp->dwCompStrOffset,
                            comp->dwResultStrOffset, comp->dwPrivateSize, comp->dwPrivateOffset}) {
        EXPECT_EQ(unchanged, 0x11111111u);
    }
}

TEST(InputContextLayout, ClearingTheConversionBuffersEmptiesCodeAndResult) {
    std::strcpy(Conversion.CodeBuffer, "abc");
    std::strcpy(Conversion.ResultText, "abc");
    ClearConversionBuffers();
    EXPECT_STREQ(Conversion.CodeBuffer, "");
    EXPECT_STREQ(Conversion.ResultText, "");
}

TEST(InputContextLayout, ResetCandidateListGoesBackToTheFirstPageWithoutCandidates) {
    CandBlock block;
    InitCandidateInfo(block.info());
    CANDIDATELIST* list = block.list();
    list->dwCount = 12;
    list->dwSelection = 3;
    list->dwPageStart = 12;
    list->dwPageSize = 10;
    std::strcpy(CandidateSlot(list, 2), "stays");
    ResetCandidateList(block.info());
    EXPECT_EQ(list->dwCount, 0u);
    EXPECT_EQ(list->dwSelection, 0u);
    EXPECT_EQ(list->dwPageStart, 2u);
    EXPECT_EQ(list->dwPageSize, 0u);
    EXPECT_EQ(list->dwSize, 10428u);
    EXPECT_EQ(list->dwOffset[0], 428u);
    EXPECT_STREQ(CandidateSlot(list, 2), "stays");
}

TEST(InputContextLayout, SlotTextsAreBoundedAndNeverSplitADoubleByteCharacter) {
    CandBlock block;
    std::memset(block.bytes, 0x7E, sizeof block.bytes);
    CANDIDATELIST* list = block.list();

    const std::string fits(99, 'a');
    EXPECT_EQ(SetCandidateSlot(list, 2, fits.data(), fits.size()), 99u);
    EXPECT_EQ(std::string(CandidateSlot(list, 2)), fits);
    EXPECT_EQ(CandidateSlot(list, 3)[0], 0x7E);  // the next slot is untouched

    // 98 ASCII bytes and one GBK character (the trail byte would be byte 100): the character goes.
    const std::string split = std::string(98, 'b') + "\xC4\xE3";
    EXPECT_EQ(SetCandidateSlot(list, 3, split.data(), split.size()), 98u);
    EXPECT_EQ(std::string(CandidateSlot(list, 3)), std::string(98, 'b'));

    // A length shorter than the text stores only that much (the lookup passes item lengths).
    EXPECT_EQ(SetCandidateSlot(list, 98, "word|next", 4), 4u);
    EXPECT_STREQ(CandidateSlot(list, 98), "word");

    EXPECT_EQ(SetCandidateSlot(list, 99, "", 0), 0u);
    EXPECT_STREQ(CandidateSlot(list, 99), "");

    // Slots outside 0..99 are refused and nothing is written.
    std::string before(reinterpret_cast<char*>(block.bytes), sizeof block.bytes);
    EXPECT_EQ(SetCandidateSlot(list, 100, "x", 1), 0u);
    EXPECT_EQ(SetCandidateSlot(list, -1, "x", 1), 0u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(block.bytes), sizeof block.bytes), before);
}

TEST(InputContextLayout, ResultStringIsBoundedToItsArea) {
    CompBlock block;
    std::memset(block.bytes, 0x7E, sizeof block.bytes);
    COMPOSITIONSTRING* comp = block.comp();

    // "你好" in GBK.
    EXPECT_EQ(SetResultString(comp, "\xC4\xE3\xBA\xC3"), 4u);
    EXPECT_EQ(comp->dwResultStrLen, 4u);
    EXPECT_STREQ(ResultString(comp), "\xC4\xE3\xBA\xC3");

    const std::string longest(201, 'r');
    EXPECT_EQ(SetResultString(comp, longest.c_str()), 201u);
    EXPECT_EQ(std::string(ResultString(comp)), longest);
    EXPECT_EQ(block.bytes[kCompStrSize - 1], 0);

    // 200 ASCII bytes then GBK characters: the cut falls before the character that would not fit.
    std::string tooLong = std::string(200, 's');
    for (int i = 0; i < 10; ++i) {
        tooLong += "\xC4\xE3";
    }
    EXPECT_EQ(SetResultString(comp, tooLong.c_str()), 200u);
    EXPECT_EQ(comp->dwResultStrLen, 200u);
    EXPECT_EQ(std::string(ResultString(comp)), std::string(200, 's'));

    EXPECT_EQ(SetResultString(comp, ""), 0u);
    EXPECT_EQ(comp->dwResultStrLen, 0u);
    EXPECT_STREQ(ResultString(comp), "");
}

TEST(InputContextLayout, ImeUiMessagesAreTheCompositionAndImeRanges) {
    for (UINT message : {0x10Du, 0x10Eu, 0x10Fu, 0x281u, 0x282u, 0x283u, 0x284u, 0x285u, 0x286u}) {
        EXPECT_TRUE(IsImeUiMessage(message)) << std::hex << message;
    }
    // Just outside both ranges, the IME request and key messages, and ordinary messages.
    for (UINT message : {0x10Cu, 0x110u, 0x280u, 0x287u, 0x288u, 0x290u, 0x291u, 0x0u, 0x102u,
                         0x10D0000u + 0x10Du}) {
        EXPECT_FALSE(IsImeUiMessage(message)) << std::hex << message;
    }
}

}  // namespace
