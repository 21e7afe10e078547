// GBK texts shown to the user by more than one part of the input method.
#pragma once

// "提示": the caption of every message box.
inline constexpr char kNoticeCaption[] = "\xCC\xE1\xCA\xBE";
