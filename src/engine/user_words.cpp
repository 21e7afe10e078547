#include "engine/user_words.h"

#include "dict/user_texts.h"
#include "platform/win32.h"
#include "settings/settings.h"

void ReloadUserWordsIfChanged() {
    ReloadUserFileIfChanged(Settings.CodeSet);
}

void TellPassedOverMainFile() {
    if (Tables.BadMainFileNotice) {
        Tables.BadMainFileNotice = false;
        MessageBoxA(nullptr, kBadMainFileText, kNoticeCaption, MB_OK);
    }
}

bool SaveDialogWords(std::int32_t codeSet, const DictEntry* entries, std::size_t count,
                     const DictEntry* base, std::size_t baseCount) {
    const UserSaveResult result = SaveUserWords(codeSet, entries, count, base, baseCount);
    ShowUserSaveFailure(result, kWordListFullText);
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
        case UserSaveResult::NoUserFolder:
            text = kUserFolderWordsText;
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
