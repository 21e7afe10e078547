// GBK texts shown to the user by more than one part of the input method.
#pragma once

// "提示": the caption of every message box.
inline constexpr char kNoticeCaption[] = "\xCC\xE1\xCA\xBE";

// "打开文件错误!": a dictionary file could not be written.
inline constexpr char kFileErrorText[] = "\xB4\xF2\xBF\xAA\xCE\xC4\xBC\xFE\xB4\xED\xCE\xF3!";

// "词语中不能含有空格或控制字符!": a word that would not survive the user file (the word-making
// dialog says the same).
inline constexpr char kWordNotPlainText[] =
    "\xB4\xCA\xD3\xEF\xD6\xD0\xB2\xBB\xC4\xDC\xBA\xAC\xD3\xD0\xBF\xD5\xB8\xF1\xBB\xF2\xBF\xD8\xD6"
    "\xC6\xD7\xD6\xB7\xFB!";

// "词库已满（最多10000条），不能再添加!": the user words fill the user table.
inline constexpr char kWordListFullText[] =
    "\xB4\xCA\xBF\xE2\xD2\xD1\xC2\xFA\xA3\xA8\xD7\xEE\xB6\xE0"
    "10000\xCC\xF5\xA3\xA9\xA3\xAC\xB2\xBB\xC4\xDC\xD4\xD9\xCC\xED\xBC\xD3!";

// "用户词库文件无法读取，词语未保存!": the user file could not be read at the last load, so
// saving would replace words this program never saw.
inline constexpr char kUserFileUnreadableText[] =
    "\xD3\xC3\xBB\xA7\xB4\xCA\xBF\xE2\xCE\xC4\xBC\xFE\xCE\xDE\xB7\xA8\xB6\xC1\xC8\xA1\xA3\xAC\xB4"
    "\xCA\xD3\xEF\xCE\xB4\xB1\xA3\xB4\xE6!";

// "用户数据文件夹不可用，词语未保存!": the user's data folder cannot be had or written (no
// profile, a link in its place), so a new word cannot be kept anywhere.
inline constexpr char kUserFolderWordsText[] =
    "\xD3\xC3\xBB\xA7\xCA\xFD\xBE\xDD\xCE\xC4\xBC\xFE\xBC\xD0\xB2\xBB\xBF\xC9\xD3\xC3\xA3\xAC\xB4"
    "\xCA\xD3\xEF\xCE\xB4\xB1\xA3\xB4\xE6!";

// "用户数据文件夹不可用，调整后的字词次序未保存!": the same, for the learned candidate order.
inline constexpr char kUserFolderOrderText[] =
    "\xD3\xC3\xBB\xA7\xCA\xFD\xBE\xDD\xCE\xC4\xBC\xFE\xBC\xD0\xB2\xBB\xBF\xC9\xD3\xC3\xA3\xAC\xB5"
    "\xF7\xD5\xFB\xBA\xF3\xB5\xC4\xD7\xD6\xB4\xCA\xB4\xCE\xD0\xF2\xCE\xB4\xB1\xA3\xB4\xE6!";

// "主词库文件有误，已改用本机的主词库!": the user's own main file does not pass the checks, so the
// machine's is used (and what is learned from now on replaces the broken file).
inline constexpr char kBadMainFileText[] =
    "\xD6\xF7\xB4\xCA\xBF\xE2\xCE\xC4\xBC\xFE\xD3\xD0\xCE\xF3\xA3\xAC\xD2\xD1\xB8\xC4\xD3\xC3\xB1"
    "\xBE\xBB\xFA\xB5\xC4\xD6\xF7\xB4\xCA\xBF\xE2!";
