#include "ui/dialogs/word_dialog_win.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/boundary.h"
#include "context/process_facts.h"
#include "dict/char_codes.h"
#include "dict/code_index.h"
#include "dict/dictionary_files.h"
#include "engine/conversion_state.h"
#include "engine/mode_state.h"
#include "engine/ui_sink.h"
#include "engine/user_words.h"
#include "settings/settings.h"
#include "ui/dialogs/dialog_state.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/dialogs/word_dialog_rules.h"

namespace {

// What one open dialog works on; it lives from WM_INITDIALOG to WM_DESTROY in the dialog's user
// data, so nothing of it outlasts the dialog.
struct WordDialogSession {
    WordListState list;
    std::string wordEditText;  // WordEditText
    // The user words as the dialog read them from the file: "关闭" merges the list over them, so
    // that words another program saved meanwhile survive (a restore reads no user file, so it
    // leaves them as they are).
    std::vector<DictEntry> base;
    // The window that had the focus when the dialog opened: its input context is the one whose
    // code the boxes clear and whose typing they switch.
    HWND typingWindow;
    // The code set whose words the dialog shows: what it stores goes to that set's file, whatever
    // code set is in use by then.
    std::int32_t codeSet;
};

WordDialogSession* SessionOf(HWND dialog) {
    return reinterpret_cast<WordDialogSession*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

std::string BoxText(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void Tell(HWND owner, const char* text) {
    MessageBoxA(owner, text, kNoticeCaption, MB_OK);
}

// The word box's own writes are not typing: WordEditText follows them first, so that the change
// notification they raise is accepted as it stands.
void SetWordBox(HWND dialog, WordDialogSession& session, const std::string& text) {
    session.wordEditText = text;
    SetDlgItemTextA(dialog, IDC_WORD_EDIT, text.c_str());
}

void EmptyWordBoxes(HWND dialog, WordDialogSession& session) {
    SetWordBox(dialog, session, std::string());
    SetDlgItemTextA(dialog, IDC_WORD_CODE_EDIT, "");
}

void ShowCodeSet(HWND dialog) {
    const CodeSetChecks checks = CodeSetBoxes(Settings.CodeSet);
    CheckDlgButton(dialog, IDC_WORD_PRIMARY, checks.primary ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_WORD_SECONDARY, checks.secondary ? BST_CHECKED : BST_UNCHECKED);
}

// The list box always holds WordListState::lines in their order: every line goes to the position
// the rules chose, never to the list control's own sorted place.
void InsertListLine(HWND dialog, int position, const std::string& line) {
    SendDlgItemMessageA(dialog, IDC_WORD_LIST, LB_INSERTSTRING, static_cast<WPARAM>(position),
                        reinterpret_cast<LPARAM>(line.c_str()));
}

// Up to 10,000 lines: drawn once at the end, not after each.
void FillList(HWND dialog, const WordListState& list) {
    HWND box = GetDlgItem(dialog, IDC_WORD_LIST);
    SendMessageA(box, WM_SETREDRAW, FALSE, 0);
    SendMessageA(box, LB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < list.lines.size(); ++i) {
        InsertListLine(dialog, static_cast<int>(i), list.lines[i]);
    }
    SendMessageA(box, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(box, nullptr, TRUE);
}

int SelectedLine(HWND dialog) {
    return static_cast<int>(SendDlgItemMessageA(dialog, IDC_WORD_LIST, LB_GETCURSEL, 0, 0));
}

std::size_t UsedUserEntries() {
    std::size_t count = 0;
    while (count < kUserTableCapacity && !IsEmptyEntry(Tables.UserTable[count])) {
        ++count;
    }
    return count;
}

DictEntry EntryOfLine(const std::string& line) {
    const LineParts parts = SplitDisplayLine(line);
    DictEntry entry{};
    std::strncpy(entry.code, parts.code.c_str(), kMaxCodeLength);
    std::strncpy(entry.word, parts.word.c_str(), kMaxWordBytes);
    return entry;
}

// The dialog's callbacks into the tables, in the active code set.
int WordInTables(const char* code, const char* word) {
    return WordExists(code, word, Settings.GbkMode != 0);
}

void DeriveActiveCode(const char* word, char* code) {
    DeriveWordCode(Settings.CodeSet, word, code);
}

// Clears the code being typed when a candidate list is open, switches English typing and Chinese
// punctuation, and shows the modes in the status window.
void ApplyModes(const WordDialogSession& session, const ModeChange& change) {
    if (change.clearCode && session.typingWindow != nullptr) {
        HIMC context = ImmGetContext(session.typingWindow);
        if (context != nullptr) {
            ClearCodeForDialog(context);
            ImmReleaseContext(session.typingWindow, context);
        }
    }
    Modes.EnglishMode = change.englishMode ? 1 : 0;
    SetMode(ChinesePunctuation, change.chinesePunctuation);
    TellUi(UiChange::Status);
}

// A box set back or cut keeps the caret at its end, where the typing goes on.
void ApplyBoxUpdate(HWND dialog, int id, const BoxUpdate& update) {
    if (update.setBox) {
        SetDlgItemTextA(dialog, id, update.text.c_str());
        const auto end = static_cast<WPARAM>(update.text.size());
        SendDlgItemMessageA(dialog, id, EM_SETSEL, end, static_cast<LPARAM>(end));
    }
}

BOOL OpenWordDialog(HWND dialog) {
    ReloadUserWordsIfChanged();
    auto* session = new WordDialogSession{
        OpenWordList(Tables.UserTable, kUserTableCapacity), std::string(),
        std::vector<DictEntry>(Tables.UserTable, Tables.UserTable + UsedUserEntries()), GetFocus(),
        Settings.CodeSet};
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(session));
    Dialogs.WordDialogOpen = 1;
    ShowCodeSet(dialog);
    FillList(dialog, session->list);
    SendDlgItemMessageA(dialog, IDC_WORD_EDIT, EM_LIMITTEXT, kWordBoxBytes, 0);
    SendDlgItemMessageA(dialog, IDC_WORD_CODE_EDIT, EM_LIMITTEXT, kCodeBoxChars, 0);
    SendDlgItemMessageA(dialog, IDC_CHAR_EDIT, EM_LIMITTEXT, kCharBoxChars, 0);
    SendDlgItemMessageA(dialog, IDC_WORD_LIST, LB_SETHORIZONTALEXTENT, kWordListExtent, 0);
    return TRUE;
}

void ConfirmTypedWord(HWND dialog, WordDialogSession& session) {
    const ConfirmResult result = ConfirmWord(session.list, BoxText(dialog, IDC_WORD_EDIT),
                                             BoxText(dialog, IDC_WORD_CODE_EDIT), WordInTables);
    if (result.position >= 0) {
        const auto position = static_cast<std::size_t>(result.position);
        if (result.outcome == ConfirmOutcome::Replaced) {
            SendDlgItemMessageA(dialog, IDC_WORD_LIST, LB_DELETESTRING, position, 0);
        }
        InsertListLine(dialog, result.position, session.list.lines[position]);
    }
    if (result.message != nullptr) {
        Tell(dialog, result.message);
    }
    if (result.emptyBoxes) {
        EmptyWordBoxes(dialog, session);
    }
}

void LookUpTypedChar(HWND dialog) {
    const CharLookup found = LookupSingleChar(BoxText(dialog, IDC_CHAR_EDIT), Settings.CodeSet,
                                              LookupCharCode25, LookupCharCode28);
    if (!found.found) {
        Tell(dialog, found.message);
        return;
    }
    SetDlgItemTextA(dialog, IDC_CHAR_CODE, found.code.c_str());
}

bool ChooseBackupFile(HWND dialog, bool save, char (&path)[kFileNameBufferSize]) {
    // The backups start out beside the user's own words.
    char userFolder[kPathBufferSize] = {};
    if (LookAtUserDataDirectory(false) != UserFolderState::Ready ||
        !UserDataDirectory(userFolder)) {
        userFolder[0] = '\0';
    }
    path[0] = '\0';
    OPENFILENAMEA chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = dialog;
    chooser.lpstrFilter = kBackupFilter;
    chooser.nFilterIndex = 1;
    chooser.lpstrFile = path;
    chooser.nMaxFile = kFileNameBufferSize;
    chooser.lpstrInitialDir = userFolder[0] != '\0' ? userFolder : nullptr;
    chooser.lpstrTitle = kBackupDialogTitle;
    if (save) {
        chooser.Flags = kBackupDialogFlags;
        chooser.lpstrDefExt = kBackupDefaultExtension;
        return GetSaveFileNameA(&chooser) != 0;
    }
    chooser.Flags = kRestoreDialogFlags;
    return GetOpenFileNameA(&chooser) != 0;
}

void BackUp(HWND dialog, const WordDialogSession& session) {
    char path[kFileNameBufferSize];
    if (!ChooseBackupFile(dialog, true, path)) {
        return;
    }
    const BackupResult result =
        SaveBackupFile(path, Tables.UserTable, UsedUserEntries(), session.codeSet);
    if (!result.written) {
        Tell(nullptr, kFileErrorText);
    } else if (!result.leftOut.empty()) {
        Tell(dialog, BackupLeftOutMessage(result.leftOut).c_str());
    }
}

// Collects a backup's bytes, up to the bound of a user file.
class BackupBytes final : public ByteSink {
  public:
    bool Take(const char* bytes, std::size_t size) override {
        bytes_.append(bytes, size);
        return true;
    }
    const std::string& bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

void Restore(HWND dialog, WordDialogSession& session) {
    char path[kFileNameBufferSize];
    if (!ChooseBackupFile(dialog, false, path)) {
        return;
    }
    // The backup is read whole before anything changes: a file that cannot be read, or is no
    // backup of ours by its size, leaves the words in use and the list as they are.
    BackupBytes read;
    switch (ReadFileInto(path, kMaxUserFileBytes, read)) {
        case FileReadStatus::Read:
            break;
        case FileReadStatus::Refused:
            Tell(dialog, kBackupTooLargeText);
            return;
        case FileReadStatus::Missing:
        case FileReadStatus::Failed:
            return;
    }
    const RestorePlan plan = PlanRestore(read.bytes(), session.codeSet);
    CopyRestoredEntries(plan, Tables.UserTable, kUserTableCapacity);
    RebuildIndex(UserIndex, Tables.UserTable, kUserTableCapacity);
    ApplyRestore(session.list, plan);
    FillList(dialog, session.list);
    const std::string leftOut = RestoreLeftOutMessage(plan.leftOut);
    if (!leftOut.empty()) {
        Tell(dialog, leftOut.c_str());
    }
}

void EndWordDialog(HWND dialog, const WordDialogSession& session, bool reloadUserFile) {
    // A switch of the code set meanwhile has loaded that set's words already.
    if (reloadUserFile && session.codeSet == Tables.CodeSet) {
        LoadDictionaries(session.codeSet, false, true);
    }
    Dialogs.WordDialogOpen = 0;
    EndDialog(dialog, 1);
}

// A failed save has told the user why and left the file and UserTable as they were; the dialog
// stays open with its list. A successful one leaves UserTable equal to the file, so nothing is
// read again.
void Close(HWND dialog, WordDialogSession& session) {
    ApplyModes(session, LeavingDialogModes(HasCandidates()));
    if (PlanClose(session.list).writeUserFile) {
        std::vector<DictEntry> entries;
        entries.reserve(session.list.lines.size());
        for (const std::string& line : session.list.lines) {
            entries.push_back(EntryOfLine(line));
        }
        if (!SaveDialogWords(session.codeSet, entries.data(), entries.size(), session.base.data(),
                             session.base.size())) {
            return;
        }
    }
    EndWordDialog(dialog, session, false);
}

BOOL RunCommand(HWND dialog, WPARAM wParam) {
    WordDialogSession* session = SessionOf(dialog);
    if (session == nullptr) {
        return FALSE;
    }
    const int control = LOWORD(wParam);
    switch (ClassifyWordDialogCommand(wParam)) {
        case WordDialogCommand::Modify: {
            const EditLoad load = LoadLineForEdit(session->list, SelectedLine(dialog));
            if (load.loaded) {
                SetWordBox(dialog, *session, load.word);
                SetDlgItemTextA(dialog, IDC_WORD_CODE_EDIT, load.code.c_str());
            }
            return TRUE;
        }
        case WordDialogCommand::Delete: {
            const int selected = SelectedLine(dialog);
            if (DeleteLine(session->list, selected)) {
                SendDlgItemMessageA(dialog, IDC_WORD_LIST, LB_DELETESTRING, selected, 0);
            }
            return TRUE;
        }
        case WordDialogCommand::Confirm:
            ConfirmTypedWord(dialog, *session);
            return TRUE;
        case WordDialogCommand::LookupChar:
            LookUpTypedChar(dialog);
            return TRUE;
        case WordDialogCommand::CodeSetBox:
            ShowCodeSet(dialog);
            return TRUE;
        case WordDialogCommand::Backup:
            BackUp(dialog, *session);
            return TRUE;
        case WordDialogCommand::Restore:
            Restore(dialog, *session);
            return TRUE;
        case WordDialogCommand::Close:
            Close(dialog, *session);
            return TRUE;
        case WordDialogCommand::Cancel:
            ApplyModes(*session, LeavingDialogModes(HasCandidates()));
            EndWordDialog(dialog, *session, PlanCancel(session->list).reloadUserFile);
            return TRUE;
        case WordDialogCommand::EditFocus:
            ApplyModes(*session, EditFocusModes(control, HasCandidates()));
            return TRUE;
        case WordDialogCommand::WordChanged:
            ApplyBoxUpdate(dialog, control,
                           WordTextChanged(BoxText(dialog, control), session->wordEditText));
            return TRUE;
        case WordDialogCommand::WordFocusLost:
            ApplyBoxUpdate(
                dialog, IDC_WORD_CODE_EDIT,
                WordFocusLost(BoxText(dialog, control), session->wordEditText, DeriveActiveCode));
            return TRUE;
        case WordDialogCommand::CodeChanged:
            ApplyBoxUpdate(dialog, control,
                           CodeTextChanged(BoxText(dialog, control), Settings.CodeSet));
            return TRUE;
        case WordDialogCommand::CharChanged:
            ApplyBoxUpdate(dialog, control, CharTextChanged(BoxText(dialog, control)));
            return TRUE;
        case WordDialogCommand::CharFocusLost:
            ApplyBoxUpdate(dialog, control, CharFocusLost(BoxText(dialog, control)));
            return TRUE;
        case WordDialogCommand::None:
            break;
    }
    return FALSE;
}

}  // namespace

namespace {

INT_PTR WordDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return OpenWordDialog(dialog);
        case WM_COMMAND:
            return RunCommand(dialog, wParam);
        case WM_DESTROY:
            delete SessionOf(dialog);
            SetWindowLongPtrA(dialog, DWLP_USER, 0);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK WordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return Guarded<INT_PTR>(FALSE, [&] { return WordDialogMessage(dialog, message, wParam, 0); });
}

void RunWordDialog() {
    Dialogs.WordDialogOpen = 1;
    DialogBoxParamA(Process.ModuleInstance, MAKEINTRESOURCEA(IDD_WORD_MAKING), nullptr,
                    WordDialogProc, 0);
    Dialogs.WordDialogOpen = 0;
}
