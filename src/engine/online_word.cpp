#include "engine/online_word.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "dict/char_codes.h"
#include "dict/code_index.h"
#include "dict/dictionary_files.h"
#include "dict/tables.h"
#include "dict/word_text.h"
#include "engine/conversion_state.h"
#include "engine/lookup.h"
#include "dict/user_texts.h"
#include "context/input_context.h"
#include "engine/window_state.h"
#include "settings/settings.h"
#include "engine/online_word_state.h"
#include "engine/ui_sink.h"
#include "engine/user_words.h"

namespace {

// "在线造词，因为输入未知汉字，导致造词失败!"
constexpr char kUnknownCharacterText[] =
    "\xD4\xDA\xCF\xDF\xD4\xEC\xB4\xCA\xA3\xAC\xD2\xF2\xCE\xAA\xCA\xE4\xC8\xEB\xCE\xB4\xD6\xAA\xBA"
    "\xBA\xD7\xD6\xA3\xAC\xB5\xBC\xD6\xC2\xD4\xEC\xB4\xCA\xCA\xA7\xB0\xDC!";
// "是否将自定义词存入词库?"
constexpr char kSaveQuestionText[] =
    "\xCA\xC7\xB7\xF1\xBD\xAB\xD7\xD4\xB6\xA8\xD2\xE5\xB4\xCA\xB4\xE6\xC8\xEB\xB4\xCA\xBF\xE2?";
// "自定义词已经存在!"
constexpr char kDuplicateText[] =
    "\xD7\xD4\xB6\xA8\xD2\xE5\xB4\xCA\xD2\xD1\xBE\xAD\xB4\xE6\xD4\xDA!";
// "自定义词库已满，不能再存入新词!"
constexpr char kTableFullText[] =
    "\xD7\xD4\xB6\xA8\xD2\xE5\xB4\xCA\xBF\xE2\xD2\xD1\xC2\xFA\xA3\xAC\xB2\xBB\xC4\xDC\xD4\xD9\xB4"
    "\xE6\xC8\xEB\xD0\xC2\xB4\xCA!";
// "   青岚  28键松鹤 " and a line of 18 dashes, each with its line feed.
constexpr char kSelectionCodesHeader[] =
    "   \xC7\xE0\xE1\xB0  28\xBC\xFC\xCB\xC9\xBA\xD7 \n"
    "------------------\n";
// "编码查询"
constexpr char kSelectionCodesCaption[] = "\xB1\xE0\xC2\xEB\xB2\xE9\xD1\xAF";

constexpr std::size_t kMaxSelectionCharacters = 11;
constexpr std::size_t kQuestionSize =
    sizeof kSaveQuestionText + 1 + kOnlineWordBufferSize + 2 + kCharCodeBufferSize;

bool IsPrintableAscii(unsigned char c) {
    return c >= 0x20 && c <= 0x7E;
}

// Index of the first empty UserTable entry; kUserTableCapacity when the table is full.
std::size_t FirstFreeUserEntry() {
    std::size_t i = 0;
    while (i < kUserTableCapacity && !IsEmptyEntry(Tables.UserTable[i])) {
        ++i;
    }
    return i;
}

// The table with the word after its used entries, merged under the user file's lock with what
// other programs saved since this one last read the file.
UserSaveResult AppendUserWord(std::size_t used, const char* code, const char* word) {
    std::vector<DictEntry> mine(Tables.UserTable, Tables.UserTable + used);
    DictEntry entry{};
    std::memcpy(entry.code, code, strnlen(code, kMaxCodeLength));
    std::memcpy(entry.word, word, strnlen(word, kMaxWordBytes));
    mine.push_back(entry);
    return SaveUserWords(Settings.CodeSet, mine.data(), mine.size(), Tables.UserFile.Base,
                         Tables.UserFile.BaseCount);
}

}  // namespace

void ToggleOnlineWord(HIMC context) {
    TellUi(UiChange::Status);
    DiscardCode(context);
    char taken[kOnlineWordBufferSize] = {};
    if (TakeClipboardText(context, taken) == 1) {
        // Selected text is saved at once; a collection in progress is abandoned.
        std::memcpy(OnlineWord.OnlineWordBuffer, taken, sizeof OnlineWord.OnlineWordBuffer);
        SaveOnlineWord();
        OnlineWord.OnlineWordActive = 0;
        return;
    }
    const bool wasCollecting = OnlineWord.OnlineWordActive != 0;
    OnlineWord.OnlineWordActive = wasCollecting ? 0 : 1;
    if (wasCollecting) {
        SaveOnlineWord();
    } else {
        std::memset(OnlineWord.OnlineWordBuffer, 0, sizeof OnlineWord.OnlineWordBuffer);
    }
}

void SaveOnlineWord() {
    const char* word = OnlineWord.OnlineWordBuffer;
    if (word[0] == '\0') {
        return;
    }
    // A space or a line end would split the word when the user file is read back.
    if (!IsPlainWord(word)) {
        ShowNotice(nullptr, kWordNotPlainText, kNoticeCaption);
        return;
    }
    char code[kCharCodeBufferSize];
    DeriveWordCode(Settings.CodeSet, word, code);
    if (code[0] == '\0') {
        ShowNotice(nullptr, kUnknownCharacterText, kNoticeCaption);
        return;
    }
    char question[kQuestionSize];
    std::snprintf(question, sizeof question, "%s\n%s  %s", kSaveQuestionText, word, code);
    if (!AskUser(question, kNoticeCaption)) {
        return;
    }
    if (WordExists(code, word, Settings.GbkMode != 0)) {
        ShowNotice(nullptr, kDuplicateText, kNoticeCaption);
        return;
    }
    const std::size_t index = FirstFreeUserEntry();
    if (index == kUserTableCapacity) {
        ShowNotice(nullptr, kTableFullText, kNoticeCaption);
        return;
    }
    ShowUserSaveFailure(AppendUserWord(index, code, word), kTableFullText);
}

int TakeClipboardText(HIMC context, char (&text)[kOnlineWordBufferSize]) {
    ContextLock ic(context);
    if (!ic) {
        return 0;
    }
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(ic->hWnd)) {
        return 0;
    }
    HANDLE block = GetClipboardData(CF_TEXT);
    const char* data = block != nullptr ? static_cast<const char*>(GlobalLock(block)) : nullptr;
    // Another program put the block there: its text ends at its first NUL or at the block's end,
    // whichever comes first.
    const std::size_t blockSize = data != nullptr ? GlobalSize(block) : 0;
    if (blockSize == 0 || data[0] == '\0') {
        if (data != nullptr) {
            GlobalUnlock(block);
        }
        CloseClipboard();
        return 0;
    }
    const std::size_t length =
        strnlen(data, blockSize < kOnlineWordBufferSize ? blockSize : kOnlineWordBufferSize);
    if (length < kOnlineWordBufferSize) {
        std::memcpy(text, data, length);
        text[length] = '\0';
    }
    GlobalUnlock(block);
    EmptyClipboard();
    CloseClipboard();
    return 1;
}

void BuildSelectionCodesText(const char* selection, char (&text)[kSelectionCodesTextSize]) {
    std::size_t used =
        static_cast<std::size_t>(std::snprintf(text, sizeof text, "%s", kSelectionCodesHeader));
    if (selection == nullptr) {
        return;
    }
    char character[2];
    std::size_t collected = 0;
    std::size_t formed = 0;
    for (const char* p = selection; *p != '\0' && formed < kMaxSelectionCharacters; ++p) {
        if (IsPrintableAscii(static_cast<unsigned char>(*p))) {
            continue;
        }
        character[collected++] = *p;
        if (collected < 2) {
            continue;
        }
        collected = 0;
        ++formed;
        char primary[kCharCodeBufferSize];
        char secondary[kCharCodeBufferSize];
        if (!LookupCharCode25(character, primary)) {
            continue;
        }
        LookupCharCode28(character, secondary);
        const int n =
            std::snprintf(text + used, sizeof text - used, "%c%c  %s%s    %s  \n", character[0],
                          character[1], primary, std::strlen(primary) < 4 ? " " : "", secondary);
        if (n > 0 && used + static_cast<std::size_t>(n) < sizeof text) {
            used += static_cast<std::size_t>(n);
        }
    }
}

void ShowSelectionCodes(HIMC context) {
    ContextLock ic(context);
    if (!ic) {
        return;
    }
    TellUi(UiChange::Status);
    DiscardCode(context);
    char taken[kOnlineWordBufferSize] = {};
    const bool hasText = TakeClipboardText(context, taken) == 1;
    char text[kSelectionCodesTextSize];
    BuildSelectionCodesText(hasText ? taken : nullptr, text);
    ShowNotice(ic->hWnd, text, kSelectionCodesCaption);
}
