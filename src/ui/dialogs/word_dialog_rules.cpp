#include "ui/dialogs/word_dialog_rules.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "dict/line_reader.h"
#include "dict/word_text.h"
#include "settings/settings.h"

#ifdef _WIN32
#include <windows.h>
#include <commdlg.h>
static_assert(kOfnOverwritePrompt == OFN_OVERWRITEPROMPT, "OFN_OVERWRITEPROMPT");
static_assert(kOfnHideReadOnly == OFN_HIDEREADONLY, "OFN_HIDEREADONLY");
static_assert(kOfnPathMustExist == OFN_PATHMUSTEXIST, "OFN_PATHMUSTEXIST");
static_assert(kOfnFileMustExist == OFN_FILEMUSTEXIST, "OFN_FILEMUSTEXIST");
#endif

namespace {

// Edit-control notifications (the high word of WM_COMMAND's word parameter).
constexpr std::uintptr_t kEditSetFocus = 0x0100;
constexpr std::uintptr_t kEditKillFocus = 0x0200;
constexpr std::uintptr_t kEditChange = 0x0300;
constexpr std::uintptr_t kCancelId = 2;

constexpr std::size_t kPaddingSpaces = 5;
constexpr std::size_t kUnlimited = static_cast<std::size_t>(-1);

std::uintptr_t EditCommand(int control, std::uintptr_t notification) {
    return (notification << 16) | static_cast<std::uintptr_t>(control);
}

bool IsEditBox(int control) {
    return control == IDC_WORD_EDIT || control == IDC_WORD_CODE_EDIT || control == IDC_CHAR_EDIT ||
           control == IDC_CHAR_CODE;
}

std::string Prefix(std::string_view text, std::size_t maxBytes, std::size_t maxChars) {
    return std::string(
        text.substr(0, GbkPrefixBytes(text.data(), text.size(), maxBytes, maxChars)));
}

unsigned char FirstByte(std::string_view line) {
    return line.empty() ? 0 : static_cast<unsigned char>(line[0]);
}

bool IsCodeKey(char key, std::int32_t codeSet) {
    if (key >= 'a' && key <= 'z') {
        return true;
    }
    return codeSet == kCodeSetSecondary && (key == ';' || key == '/');
}

ConfirmResult Refused(ConfirmOutcome outcome, const char* message, bool emptyBoxes) {
    return {outcome, message, emptyBoxes, -1};
}

int InsertLine(WordListState& state, std::size_t position, std::string line) {
    state.lines.insert(state.lines.begin() + static_cast<std::ptrdiff_t>(position),
                       std::move(line));
    state.changed = true;
    return static_cast<int>(position);
}

// The end of the first run of lines that start with the same key as the new line, when another
// line follows that run; lines.size() when there is no such run or it ends the list.
std::size_t EndOfKeyRun(const std::vector<std::string>& lines, unsigned char key) {
    std::size_t i = 0;
    while (i < lines.size() && FirstByte(lines[i]) != key) {
        ++i;
    }
    if (i == lines.size()) {
        return i;
    }
    while (i < lines.size() && FirstByte(lines[i]) == key) {
        ++i;
    }
    return i;
}

}  // namespace

WordDialogCommand ClassifyWordDialogCommand(std::uintptr_t wParam) {
    switch (wParam) {
        case IDC_WORD_MODIFY:
            return WordDialogCommand::Modify;
        case IDC_WORD_DELETE:
            return WordDialogCommand::Delete;
        case IDC_WORD_CONFIRM:
            return WordDialogCommand::Confirm;
        case IDC_CHAR_LOOKUP:
            return WordDialogCommand::LookupChar;
        case IDC_WORD_PRIMARY:
        case IDC_WORD_SECONDARY:
            return WordDialogCommand::CodeSetBox;
        case IDC_BACKUP:
            return WordDialogCommand::Backup;
        case IDC_RESTORE:
            return WordDialogCommand::Restore;
        case IDC_WORD_CLOSE:
            return WordDialogCommand::Close;
        case kCancelId:
            return WordDialogCommand::Cancel;
        default:
            break;
    }
    const int control = static_cast<int>(wParam & 0xFFFF);
    const std::uintptr_t notification = (wParam >> 16) & 0xFFFF;
    if (notification == kEditSetFocus && IsEditBox(control)) {
        return WordDialogCommand::EditFocus;
    }
    if (wParam == EditCommand(IDC_WORD_EDIT, kEditChange)) {
        return WordDialogCommand::WordChanged;
    }
    if (wParam == EditCommand(IDC_WORD_EDIT, kEditKillFocus)) {
        return WordDialogCommand::WordFocusLost;
    }
    if (wParam == EditCommand(IDC_WORD_CODE_EDIT, kEditChange)) {
        return WordDialogCommand::CodeChanged;
    }
    if (wParam == EditCommand(IDC_CHAR_EDIT, kEditChange)) {
        return WordDialogCommand::CharChanged;
    }
    if (wParam == EditCommand(IDC_CHAR_EDIT, kEditKillFocus)) {
        return WordDialogCommand::CharFocusLost;
    }
    return WordDialogCommand::None;
}

std::string DisplayLine(std::string_view code, std::string_view word) {
    std::string line(code);
    if (line.size() < kCodeColumns) {
        line.resize(kCodeColumns, ' ');
    }
    line.append(kPaddingSpaces, ' ');
    line.append(word);
    return line;
}

LineParts SplitDisplayLine(std::string_view line) {
    const std::size_t first = line.find(' ');
    if (first == std::string_view::npos) {
        return {std::string(line), std::string()};
    }
    const std::size_t last = line.rfind(' ');
    return {std::string(line.substr(0, first)), std::string(line.substr(last + 1))};
}

std::string UserFileBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::size_t SortedPosition(const std::vector<std::string>& lines, std::string_view line) {
    std::size_t low = 0;
    std::size_t high = lines.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (std::string_view(lines[middle]).compare(line) <= 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

WordListState OpenWordList(const DictEntry* table, std::size_t capacity) {
    WordListState state;
    for (std::size_t i = 0; i < capacity && !IsEmptyEntry(table[i]); ++i) {
        state.lines.push_back(DisplayLine(table[i].code, table[i].word));
    }
    // Each line went to position 0 in turn: the table's last word is on top.
    std::reverse(state.lines.begin(), state.lines.end());
    return state;
}

EditLoad LoadLineForEdit(WordListState& state, int selected) {
    if (selected < 0 || static_cast<std::size_t>(selected) >= state.lines.size()) {
        return {false, std::string(), std::string()};
    }
    LineParts parts = SplitDisplayLine(state.lines[static_cast<std::size_t>(selected)]);
    state.editIndex = selected;
    return {true, std::move(parts.word), std::move(parts.code)};
}

bool DeleteLine(WordListState& state, int selected) {
    state.changed = true;
    if (selected < 0 || static_cast<std::size_t>(selected) >= state.lines.size()) {
        return false;
    }
    state.lines.erase(state.lines.begin() + selected);
    if (state.editIndex == selected) {
        state.editIndex = -1;
    } else if (state.editIndex > selected) {
        --state.editIndex;
    }
    return true;
}

ConfirmResult ConfirmWord(WordListState& state, std::string_view wordText,
                          std::string_view codeText, WordExistsFn wordExists) {
    const std::string word = BoundBoxText(WordBox::Word, wordText);
    const std::string code = BoundBoxText(WordBox::Code, codeText);
    if (word.empty() || code.empty()) {
        return Refused(ConfirmOutcome::InputError, kInputErrorText, true);
    }
    if (!IsPlainWord(word.c_str())) {
        return Refused(ConfirmOutcome::NotPlain, kWordNotPlainText, false);
    }
    if (wordExists(code.c_str(), word.c_str()) != 0) {
        return Refused(ConfirmOutcome::AlreadyExists, kWordExistsText, true);
    }
    std::string line = DisplayLine(code, word);

    // A stale EditIndex (its line gone) makes this a new word.
    if (state.editIndex >= 0 && static_cast<std::size_t>(state.editIndex) < state.lines.size()) {
        const int position = state.editIndex;
        state.lines[static_cast<std::size_t>(position)] = std::move(line);
        state.changed = true;
        state.editIndex = -1;
        return {ConfirmOutcome::Replaced, nullptr, true, position};
    }
    state.editIndex = -1;

    for (const std::string& existing : state.lines) {
        if (existing == line) {
            return Refused(ConfirmOutcome::AlreadyExists, kWordExistsText, true);
        }
    }
    if (state.lines.size() >= kWordListCapacity) {
        return Refused(ConfirmOutcome::ListFull, kWordListFullText, false);
    }
    const std::size_t runEnd = EndOfKeyRun(state.lines, FirstByte(line));
    if (runEnd < state.lines.size()) {
        return {ConfirmOutcome::Inserted, nullptr, false, InsertLine(state, runEnd, line)};
    }
    const std::size_t sorted = SortedPosition(state.lines, line);
    return {ConfirmOutcome::Added, nullptr, true, InsertLine(state, sorted, line)};
}

RestorePlan PlanRestoreFromEntries(const DictEntry* read, std::size_t count) {
    RestorePlan plan{{}, {}, 0};
    for (std::size_t i = 0; i < count; ++i) {
        if (IsEmptyEntry(read[i])) {
            continue;
        }
        if (plan.entries.size() == kUserTableCapacity) {
            ++plan.leftOut;
            continue;
        }
        plan.entries.push_back(read[i]);
        std::string line = DisplayLine(read[i].code, read[i].word);
        const std::size_t position = SortedPosition(plan.lines, line);
        plan.lines.insert(plan.lines.begin() + static_cast<std::ptrdiff_t>(position),
                          std::move(line));
    }
    return plan;
}

RestorePlan PlanRestore(std::string_view backupBytes, std::int32_t codeSet) {
    // A table's worth of words, however many lines the file has: those beyond are only counted.
    std::vector<DictEntry> read(kUserTableCapacity);
    DictionaryLineReader reader('_', read.data(), read.size(), LineRules::UserWords, codeSet);
    reader.Feed(backupBytes.data(), backupBytes.size());
    reader.Finish();
    // The words go to the user file next: one it cannot hold (a space in it) would be lost there.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < reader.EntriesRead(); ++i) {
        if (IsUsableEntry(read[i], ' ', codeSet)) {
            read[kept++] = read[i];
        }
    }
    RestorePlan plan = PlanRestoreFromEntries(read.data(), kept);
    plan.leftOut += reader.Overflow();
    return plan;
}

void CopyRestoredEntries(const RestorePlan& plan, DictEntry* table, std::size_t capacity) {
    std::memset(table, 0, capacity * sizeof(DictEntry));
    const std::size_t count = plan.entries.size() < capacity ? plan.entries.size() : capacity;
    if (count > 0) {
        std::memcpy(table, plan.entries.data(), count * sizeof(DictEntry));
    }
}

void ApplyRestore(WordListState& state, const RestorePlan& plan) {
    state.lines = plan.lines;
    state.editIndex = -1;
    state.changed = true;
    state.restored = true;
}

std::string RestoreLeftOutMessage(std::size_t leftOut) {
    if (leftOut == 0) {
        return std::string();
    }
    char text[sizeof kRestoreLeftOutFormat + 24];
    std::snprintf(text, sizeof text, kRestoreLeftOutFormat, static_cast<int>(leftOut));
    return text;
}

std::string BackupLeftOutMessage(const std::vector<DictEntry>& leftOut) {
    std::string text = kBackupLeftOutHead;
    for (std::size_t i = 0; i < leftOut.size() && i < kBackupLeftOutShown; ++i) {
        text += "\n" + DisplayLine(leftOut[i].code, leftOut[i].word);
    }
    if (leftOut.size() > kBackupLeftOutShown) {
        text += "\n\xA1\xAD\xA1\xAD";  // ……
    }
    return text;
}

ExitPlan PlanClose(const WordListState& state) {
    return {state.changed, state.changed};
}

ExitPlan PlanCancel(const WordListState& state) {
    return {false, state.restored};
}

CloseOutcome AfterUserFileWrite(bool written) {
    return written ? CloseOutcome{true, nullptr} : CloseOutcome{false, kFileErrorText};
}

std::string BoundBoxText(WordBox box, std::string_view text) {
    switch (box) {
        case WordBox::Word:
            return Prefix(text, kWordBoxBytes, kUnlimited);
        case WordBox::Code:
            return Prefix(text, kUnlimited, kCodeBoxChars);
        case WordBox::SingleChar:
            return Prefix(text, kUnlimited, kCharBoxChars);
    }
    return std::string();
}

BoxUpdate WordTextChanged(std::string_view boxText, std::string& wordEditText) {
    std::string bounded = BoundBoxText(WordBox::Word, boxText);
    const std::size_t difference = bounded.size() > wordEditText.size()
                                       ? bounded.size() - wordEditText.size()
                                       : wordEditText.size() - bounded.size();
    if (difference % 2 != 0) {
        return {true, wordEditText};
    }
    wordEditText = bounded;
    return {bounded.size() != boxText.size(), std::move(bounded)};
}

BoxUpdate WordFocusLost(std::string_view boxText, std::string& wordEditText, DeriveCodeFn derive) {
    wordEditText = BoundBoxText(WordBox::Word, boxText);
    if (wordEditText.empty() || wordEditText.size() % 2 != 0) {
        return {false, std::string()};
    }
    char code[8] = {};
    derive(wordEditText.c_str(), code);
    code[sizeof code - 1] = '\0';
    return {code[0] != '\0', code};
}

BoxUpdate CodeTextChanged(std::string_view boxText, std::int32_t codeSet) {
    // Stepping by characters: a double-byte character's trail byte may look like a letter.
    std::string kept;
    for (std::size_t i = 0; i < boxText.size();) {
        const std::size_t step = GbkCharBytes(boxText.data() + i, boxText.size() - i);
        if (step == 1 && IsCodeKey(boxText[i], codeSet) && kept.size() < kCodeBoxChars) {
            kept += boxText[i];
        }
        i += step;
    }
    return {kept.size() != boxText.size(), std::move(kept)};
}

BoxUpdate CharTextChanged(std::string_view boxText) {
    std::string bounded = BoundBoxText(WordBox::SingleChar, boxText);
    return {bounded.size() != boxText.size(), std::move(bounded)};
}

BoxUpdate CharFocusLost(std::string_view boxText) {
    std::string first = Prefix(BoundBoxText(WordBox::SingleChar, boxText), 2, kUnlimited);
    return {first.size() != boxText.size(), std::move(first)};
}

CharLookup LookupSingleChar(std::string_view boxText, std::int32_t codeSet, LookupCharFn primary,
                            LookupCharFn secondary) {
    // The lookup compares two bytes: a shorter text is padded with NULs, which match nothing.
    char character[3] = {};
    std::memcpy(character, boxText.data(), boxText.size() < 2 ? boxText.size() : 2);
    char code[8] = {};
    const LookupCharFn lookup = codeSet == kCodeSetPrimary ? primary : secondary;
    if (lookup(character, code) == 0) {
        return {false, std::string(), kCharWithoutCodeText};
    }
    code[sizeof code - 1] = '\0';
    return {true, code, nullptr};
}

ModeChange EditFocusModes(int control, bool candidatesOpen) {
    const bool english = control == IDC_WORD_CODE_EDIT;
    return {candidatesOpen, english, !english};
}

ModeChange LeavingDialogModes(bool candidatesOpen) {
    return {candidatesOpen, false, true};
}

CodeSetChecks CodeSetBoxes(std::int32_t codeSet) {
    const bool primary = codeSet == kCodeSetPrimary;
    return {primary, !primary};
}
