// The --trace line of one key token: a JSON object with the token, what the input method did for
// it and the state it left.
#pragma once

#include <string>

#include "common/key_notation.h"
#include "common/typing_session.h"

// Fields in this order: key, taken, commit, code, cands, page_start, page_size, count, complete,
// assoc, beeps, english, full_width, chinese_punct, code_set, gbk, messages, boxes, text.
std::string TraceLine(const KeyToken& token, const KeyOutcome& outcome, HIMC context,
                      const std::string& text);

// A JSON string literal of UTF-8 text.
std::string JsonString(const std::string& text);
