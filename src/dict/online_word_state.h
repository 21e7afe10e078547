// The word being made on line from committed text.
#pragma once

#include <cstdint>

constexpr int kOnlineWordBufferSize = 100;

// 1 while committed text is collected into OnlineWordBuffer.
extern std::int32_t OnlineWordActive;
// GBK text of the word being made; never more than 99 bytes.
extern char OnlineWordBuffer[kOnlineWordBufferSize];
