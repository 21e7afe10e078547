// The word being made on line from committed text.
#pragma once

#include <cstdint>

constexpr int kOnlineWordBufferSize = 100;

struct OnlineWordState {
    // 1 while committed text is collected into OnlineWordBuffer.
    std::int32_t OnlineWordActive;
    // GBK text of the word being made; never more than 99 bytes.
    char OnlineWordBuffer[kOnlineWordBufferSize];
};
extern OnlineWordState OnlineWord;

// Not collecting, nothing collected.
void ResetOnlineWordState();
