#include "ime/key_modes.h"

std::int32_t EnglishMode;
std::int32_t DigitBeforePeriod;
std::int32_t ShiftTapPending;
std::int32_t ClipboardCapturePending;
std::int32_t SoftKeyboardIndex;
