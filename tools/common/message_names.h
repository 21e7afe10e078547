// Readable names of the messages the input method sends to the application, e.g.
// "WM_IME_COMPOSITION 0x1BF" or "WM_IME_NOTIFY IMN_OPENCANDIDATE".
#pragma once

#include <string>

#include "platform/win32.h"

std::string MessageName(UINT message, WPARAM wParam, LPARAM lParam);
