#include "engine/user_words.h"

#include "dict/user_texts.h"
#include "platform/win32.h"
#include "settings/settings.h"

namespace {

// "词库已满（最多10000条），不能再添加!"
constexpr char kDialogListFullText[] =
    "\xB4\xCA\xBF\xE2\xD2\xD1\xC2\xFA\xA3\xA8\xD7\xEE\xB6\xE0"
    "10000\xCC\xF5\xA3\xA9\xA3\xAC\xB2\xBB\xC4\xDC\xD4\xD9\xCC\xED\xBC\xD3!";

}  // namespace

void ReloadUserWordsIfChanged() {
    ReloadUserFileIfChanged(Settings.CodeSet);
}

bool SaveDialogWords(const DictEntry* entries, std::size_t count, const DictEntry* base,
                     std::size_t baseCount) {
    const UserSaveResult result = SaveUserWords(Settings.CodeSet, entries, count, base, baseCount);
    ShowUserSaveFailure(result, kDialogListFullText);
    return result == UserSaveResult::Saved;
}

void ShowUserSaveFailure(UserSaveResult result, const char* fullText) {
    const char* text = nullptr;
    switch (result) {
        case UserSaveResult::Saved:
            return;
        case UserSaveResult::Unreadable:
            text = kUserFileUnreadableText;
            break;
        case UserSaveResult::TooMany:
            text = fullText;
            break;
        case UserSaveResult::Busy:
        case UserSaveResult::WriteFailed:
            text = kFileErrorText;
            break;
    }
    MessageBoxA(nullptr, text, kNoticeCaption, MB_OK);
}
