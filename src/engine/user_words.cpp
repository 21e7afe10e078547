#include "engine/user_words.h"

#include "dict/user_texts.h"
#include "engine/ui_sink.h"
#include "platform/win32.h"
#include "settings/settings.h"

void ReloadUserWordsIfChanged() {
    ReloadUserFileIfChanged(Settings.CodeSet);
}

void TellPassedOverMainFile() {
    if (Tables.BadMainFileNotice) {
        Tables.BadMainFileNotice = false;
        ShowNotice(nullptr, kBadMainFileText, kNoticeCaption);
    }
}

OrderSaveResult SaveLearnedOrderOrTell(std::int32_t codeSet) {
    const OrderSaveResult result = SaveLearnedOrder(codeSet);
    switch (result) {
        case OrderSaveResult::Saved:
            Tables.OrderFailureTold = false;
            break;
        case OrderSaveResult::NoUserFolder:
            ShowNotice(nullptr, kUserFolderOrderText, kNoticeCaption);
            break;
        case OrderSaveResult::WriteFailed:
            if (!Tables.OrderFailureTold) {
                ShowNotice(nullptr, kFileErrorText, kNoticeCaption);
                Tables.OrderFailureTold = true;
            }
            break;
        case OrderSaveResult::NothingToSave:
        case OrderSaveResult::NotLoaded:
        case OrderSaveResult::Busy:
            break;
    }
    return result;
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
    ShowNotice(nullptr, text, kNoticeCaption);
}
