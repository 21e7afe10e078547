// GBK texts shown to the user by more than one part of the input method.
#pragma once

// "提示": the caption of every message box.
inline constexpr char kNoticeCaption[] = "\xCC\xE1\xCA\xBE";

// "打开文件错误!": a dictionary file could not be written.
inline constexpr char kFileErrorText[] = "\xB4\xF2\xBF\xAA\xCE\xC4\xBC\xFE\xB4\xED\xCE\xF3!";
