#include "dict/group_index.h"

#include <algorithm>

#include "dict/code_index.h"
#include "dict/tables.h"

namespace {

// The used part of group g (0-based): up to its first empty entry.
void UsedRange(int g, std::int32_t& first, std::int32_t& end) {
    first = Tables.LetterStart[g] > 0 ? Tables.LetterStart[g] : 0;
    end = Tables.LetterStart[g + 1] < static_cast<std::int32_t>(kMainTableCapacity)
              ? Tables.LetterStart[g + 1]
              : static_cast<std::int32_t>(kMainTableCapacity);
    for (std::int32_t i = first; i < end; ++i) {
        if (MainIndex.codes[i] == 0) {
            end = i;
            return;
        }
    }
}

int SecondKeyOf(std::int32_t i) {
    const PackedCode packed = MainIndex.codes[i];
    return PackedCodeLength(packed) < 2 ? -1 : GroupOrdinal((packed >> 8) & 0xFF);
}

void BuildSecondKeyOrder() {
    std::int32_t next = 0;
    for (int g = 0; g < kGroupCount; ++g) {
        std::int32_t first;
        std::int32_t end;
        UsedRange(g, first, end);
        // A counting sort: how many entries each second key has, where each run begins, then
        // every entry into its run in table order.
        std::int32_t counts[kSecondKeyCount] = {};
        for (std::int32_t i = first; i < end; ++i) {
            const int k = SecondKeyOf(i);
            if (k >= 0 && k < kSecondKeyCount) {
                ++counts[k];
            }
        }
        std::int32_t place[kSecondKeyCount];
        for (int k = 0; k < kSecondKeyCount; ++k) {
            MainGroupOrders.bySecondKeyStart[g][k] = next;
            place[k] = next;
            next += counts[k];
        }
        MainGroupOrders.bySecondKeyStart[g][kSecondKeyCount] = next;
        for (std::int32_t i = first; i < end; ++i) {
            const int k = SecondKeyOf(i);
            if (k >= 0 && k < kSecondKeyCount) {
                MainGroupOrders.bySecondKey[place[k]++] = i;
            }
        }
    }
    MainGroupOrders.secondKeyStale = false;
}

std::uint16_t HeadKey(std::int32_t i) {
    return static_cast<std::uint16_t>(HeadFirstBytes(MainIndex.heads[i]));
}

void SortGroup(int g) {
    std::int32_t* first = MainGroupOrders.byWordHead + MainGroupOrders.groupStart[g];
    std::int32_t* last = MainGroupOrders.byWordHead + MainGroupOrders.groupStart[g + 1];
    std::sort(first, last, [](std::int32_t a, std::int32_t b) {
        const std::uint16_t ka = HeadKey(a);
        const std::uint16_t kb = HeadKey(b);
        return ka != kb ? ka < kb : a < b;
    });
    for (std::int32_t* p = first; p < last; ++p) {
        MainGroupOrders.wordHeadKey[p - MainGroupOrders.byWordHead] = HeadKey(*p);
    }
    MainGroupOrders.groupSorted[g] = true;
}

void BuildWordHeadOrder() {
    std::int32_t next = 0;
    for (int g = 0; g < kGroupCount; ++g) {
        std::int32_t first;
        std::int32_t end;
        UsedRange(g, first, end);
        MainGroupOrders.groupStart[g] = next;
        for (std::int32_t i = first; i < end; ++i) {
            MainGroupOrders.byWordHead[next++] = i;
        }
        MainGroupOrders.groupSorted[g] = false;
    }
    MainGroupOrders.groupStart[kGroupCount] = next;
    MainGroupOrders.wordHeadStale = false;
}

}  // namespace

PositionRange MainEntriesBySecondKey(int ordinal, unsigned char secondKey) {
    const int k = GroupOrdinal(secondKey);
    if (ordinal < 1 || ordinal > kGroupCount || k == 0) {
        return {MainGroupOrders.bySecondKey, MainGroupOrders.bySecondKey};
    }
    if (MainGroupOrders.secondKeyStale) {
        BuildSecondKeyOrder();
    }
    const std::int32_t* row = MainGroupOrders.bySecondKeyStart[ordinal - 1];
    return {MainGroupOrders.bySecondKey + row[k], MainGroupOrders.bySecondKey + row[k + 1]};
}

PositionRange MainEntriesByWordHead(int ordinal, unsigned firstTwoBytes) {
    if (ordinal < 1 || ordinal > kGroupCount) {
        return {MainGroupOrders.byWordHead, MainGroupOrders.byWordHead};
    }
    if (MainGroupOrders.wordHeadStale) {
        BuildWordHeadOrder();
    }
    const int g = ordinal - 1;
    if (!MainGroupOrders.groupSorted[g]) {
        SortGroup(g);
    }
    const std::uint16_t* first = MainGroupOrders.wordHeadKey + MainGroupOrders.groupStart[g];
    const std::uint16_t* last = MainGroupOrders.wordHeadKey + MainGroupOrders.groupStart[g + 1];
    const std::uint16_t key = static_cast<std::uint16_t>(firstTwoBytes);
    const std::uint16_t* low = std::lower_bound(first, last, key);
    const std::uint16_t* high = std::upper_bound(low, last, key);
    return {MainGroupOrders.byWordHead + (low - MainGroupOrders.wordHeadKey),
            MainGroupOrders.byWordHead + (high - MainGroupOrders.wordHeadKey)};
}
