#include "dict/online_word_state.h"

std::int32_t OnlineWordActive;
char OnlineWordBuffer[kOnlineWordBufferSize];
