#include "engine/online_word_state.h"

OnlineWordState OnlineWord;

void ResetOnlineWordState() {
    OnlineWord = OnlineWordState{};
}
