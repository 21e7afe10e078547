// The rules of the word-making and code-lookup dialog: the display lines of user words, what each
// box accepts, what "确定", "修改", "删除", restore and close do to the word list, which modes the
// boxes switch, and the texts and file-dialog options. The dialog procedure (Windows only) turns
// each message into one of these calls and applies the result to the controls; it keeps the list
// box equal to WordListState::lines by inserting every line at the position given here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dict/tables.h"
#include "dict/user_texts.h"
#include "res/resource_ids.h"

// --- Texts (GBK) --------------------------------------------------------------------------------

// "输入有误!": "确定" with an empty word or code.
inline constexpr char kInputErrorText[] = "\xCA\xE4\xC8\xEB\xD3\xD0\xCE\xF3!";
// "该词组已经存在，您不用添加!": the word is in the tables or the list already.
inline constexpr char kWordExistsText[] =
    "\xB8\xC3\xB4\xCA\xD7\xE9\xD2\xD1\xBE\xAD\xB4\xE6\xD4\xDA\xA3\xAC\xC4\xFA\xB2\xBB\xD3\xC3\xCC"
    "\xED\xBC\xD3!";
// "该汉字并未录入，没有外码!": the single character has no code.
inline constexpr char kCharWithoutCodeText[] =
    "\xB8\xC3\xBA\xBA\xD7\xD6\xB2\xA2\xCE\xB4\xC2\xBC\xC8\xEB\xA3\xAC\xC3\xBB\xD3\xD0\xCD\xE2\xC2"
    "\xEB!";
// "备份文件中有%d条词语超出词库容量，未能恢复。": a backup longer than the user table.
inline constexpr char kRestoreLeftOutFormat[] =
    "\xB1\xB8\xB7\xDD\xCE\xC4\xBC\xFE\xD6\xD0\xD3\xD0%d\xCC\xF5\xB4\xCA\xD3\xEF\xB3\xAC\xB3\xF6"
    "\xB4\xCA\xBF\xE2\xC8\xDD\xC1\xBF\xA3\xAC\xCE\xB4\xC4\xDC\xBB\xD6\xB8\xB4\xA1\xA3";
// "备份文件太大（超过2MB），未能恢复!": a file larger than any user file is no backup of ours.
inline constexpr char kBackupTooLargeText[] =
    "\xB1\xB8\xB7\xDD\xCE\xC4\xBC\xFE\xCC\xAB\xB4\xF3\xA3\xA8\xB3\xAC\xB9\xFD"
    "2MB\xA3\xA9\xA3\xAC\xCE\xB4\xC4\xDC\xBB\xD6\xB8\xB4!";
// "下列词语含有“_”，不能写入备份文件:": the head of the list of words a backup line cannot hold.
inline constexpr char kBackupLeftOutHead[] =
    "\xCF\xC2\xC1\xD0\xB4\xCA\xD3\xEF\xBA\xAC\xD3\xD0\xA1\xB0_\xA1\xB1\xA3\xAC\xB2\xBB"
    "\xC4\xDC\xD0\xB4\xC8\xEB\xB1\xB8\xB7\xDD\xCE\xC4\xBC\xFE:";

// --- Limits -------------------------------------------------------------------------------------

constexpr std::size_t kWordBoxBytes = 50;
constexpr std::size_t kCodeBoxChars = 4;
constexpr std::size_t kCharBoxChars = 4;
constexpr std::size_t kCodeColumns = 4;  // a display line pads its code to this width
constexpr std::size_t kWordListCapacity = kUserTableCapacity;  // what the reload can take back
constexpr int kWordListExtent = 800;                           // the list's horizontal extent

// --- Commands -----------------------------------------------------------------------------------

enum class WordDialogCommand {
    None,
    Modify,         // "修改"
    Delete,         // "删除"
    Confirm,        // "确定" of the word group
    LookupChar,     // "确定" of the single-character group
    CodeSetBox,     // a click on 1078 or 1079
    Backup,         // "备份词库"
    Restore,        // "恢复词库"
    Close,          // "关闭"
    Cancel,         // Esc
    EditFocus,      // any edit box gains the focus (the control is the low word)
    WordChanged,    // 1057's text changed
    WordFocusLost,  // 1057 lost the focus
    CodeChanged,    // 1058's text changed
    CharChanged,    // 1061's text changed
    CharFocusLost,  // 1061 lost the focus
};
// What a WM_COMMAND word parameter asks for. Buttons are matched on the whole parameter, so only
// plain clicks (notification 0) act; edit boxes by control id (low word) and notification (high).
WordDialogCommand ClassifyWordDialogCommand(std::uintptr_t wParam);

// --- Lines --------------------------------------------------------------------------------------

// The code padded with spaces to 4 columns, 5 spaces, the word: the user-file line without its end.
std::string DisplayLine(std::string_view code, std::string_view word);

struct LineParts {
    std::string code;  // the text before the first space (the whole line when it has none)
    std::string word;  // the text after the last space (empty when it has none)
};
// Splits a line as the user-file reader does.
LineParts SplitDisplayLine(std::string_view line);

// The bytes of a new user file: every line, top to bottom, followed by CR LF.
std::string UserFileBytes(const std::vector<std::string>& lines);

// Where a list box with the sorted style would put the line: a binary search over the lines as
// they are (byte order), after any equal line. The list as a whole is never re-sorted, so only
// the lines the search visits decide.
std::size_t SortedPosition(const std::vector<std::string>& lines, std::string_view line);

// --- The word list ------------------------------------------------------------------------------

struct WordListState {
    std::vector<std::string> lines;  // the list box, top to bottom
    int editIndex = -1;              // EditIndex: the line "修改" loaded, -1 for a new word
    bool changed = false;            // WordListChanged: "关闭" rewrites the user file
    bool restored = false;           // UserTable was replaced by a restore
};

// Opening: every used entry (up to the first empty one) at the top of the list in turn, so the
// list shows the table in reverse order.
WordListState OpenWordList(const DictEntry* table, std::size_t capacity);

// "修改": false when nothing (or no line) is selected; else the line's word and code for the boxes
// and EditIndex = selected.
struct EditLoad {
    bool loaded;
    std::string word;
    std::string code;
};
EditLoad LoadLineForEdit(WordListState& state, int selected);

// "删除": removes the selected line when there is one (returns whether it did); the list counts as
// changed either way. EditIndex keeps pointing at the line "修改" loaded, or becomes -1 when that
// line is the one deleted.
bool DeleteLine(WordListState& state, int selected);

enum class ConfirmOutcome {
    InputError,     // empty word or code
    NotPlain,       // the word holds a space or a control byte
    AlreadyExists,  // in the tables, or exactly this line is in the list
    ListFull,       // the list holds kWordListCapacity lines
    Replaced,       // the line at EditIndex was replaced
    Inserted,       // inserted after the run of lines with the same first key
    Added,          // inserted at its sorted position
};
struct ConfirmResult {
    ConfirmOutcome outcome;
    const char* message;  // shown with kWordDialogCaption; nullptr for none
    bool emptyBoxes;      // both boxes are emptied
    int position;         // the list position of the new line (delete there first when Replaced);
                          // -1 when the list did not change
};
// The caller's duplicate test over the tables (WordExists).
using WordExistsFn = int (*)(const char* code, const char* word);
// "确定" of the word group with the texts of the word and code boxes.
ConfirmResult ConfirmWord(WordListState& state, std::string_view word, std::string_view code,
                          WordExistsFn wordExists);

// --- Restore and close --------------------------------------------------------------------------

struct RestorePlan {
    std::vector<DictEntry> entries;  // the new UserTable contents, at most kUserTableCapacity
    std::vector<std::string> lines;  // the new list: every entry added in the sorted style
    std::size_t leftOut;             // used lines of the backup beyond the table's capacity
};
// A backup file's bytes (main-file lines, '_' separator, the words of the code set), read whole
// before anything is replaced; lines that break the rules, or hold a word the user file cannot
// (one with a space), are left out unseen.
RestorePlan PlanRestore(std::string_view backupBytes, std::int32_t codeSet);
// The plan's words from entries already read; only used entries count.
RestorePlan PlanRestoreFromEntries(const DictEntry* read, std::size_t count);
// Zeroes the table and copies the plan's entries to its start.
void CopyRestoredEntries(const RestorePlan& plan, DictEntry* table, std::size_t capacity);
// The list takes the restored lines; the restore counts as a change (and EditIndex is dropped,
// since its line is gone).
void ApplyRestore(WordListState& state, const RestorePlan& plan);
// The "提示" text about left-out lines; empty when none were left out.
std::string RestoreLeftOutMessage(std::size_t leftOut);
// The "提示" text naming each word a backup could not hold (the first kBackupLeftOutShown of them
// as display lines, then "……" for the rest).
std::string BackupLeftOutMessage(const std::vector<DictEntry>& leftOut);
constexpr std::size_t kBackupLeftOutShown = 20;

struct ExitPlan {
    bool writeUserFile;   // the list becomes the user file (UserFileBytes)
    bool reloadUserFile;  // UserTable is read again from the user file
};
// "关闭": write and reload when the list changed.
ExitPlan PlanClose(const WordListState& state);
// Esc: nothing is written; after a restore the user file is read again, so that the words in use
// are those on disk.
ExitPlan PlanCancel(const WordListState& state);

struct CloseOutcome {
    bool endDialog;
    const char* message;  // nullptr for none
};
// After "关闭" tried to write the user file: a failed write keeps the old file and the dialog.
CloseOutcome AfterUserFileWrite(bool written);

// --- Boxes --------------------------------------------------------------------------------------

enum class WordBox { Word, Code, SingleChar };
// Any text entering a box (typed or pasted), cut at a character boundary to the box's limit:
// the word to 50 bytes, the code and the single character to 4 characters.
std::string BoundBoxText(WordBox box, std::string_view text);

struct BoxUpdate {
    bool setBox;       // write text into the box
    std::string text;  // the box's text from now on
};
// 1057 changed: a text that differs from WordEditText by an odd number of bytes is refused (the
// box goes back to WordEditText); else WordEditText takes it.
BoxUpdate WordTextChanged(std::string_view boxText, std::string& wordEditText);
// The caller's code derivation (DeriveWordCode: at least 5 bytes out, empty for none).
using DeriveCodeFn = void (*)(const char* word, char* code);
// 1057 lost the focus: WordEditText takes the text; a word of even, non-zero length gets its
// derived code written into the code box (setBox false when there is none).
BoxUpdate WordFocusLost(std::string_view boxText, std::string& wordEditText, DeriveCodeFn derive);
// 1058 changed: only the keys of the active code set stay ('a' to 'z'; ';' and '/' too for the
// Secondary set).
BoxUpdate CodeTextChanged(std::string_view boxText, std::int32_t codeSet);
// 1061 changed: bounded only.
BoxUpdate CharTextChanged(std::string_view boxText);
// 1061 lost the focus: more than 2 bytes are cut to the first character.
BoxUpdate CharFocusLost(std::string_view boxText);

// The caller's single-character lookup (LookupCharCode25 / LookupCharCode28).
using LookupCharFn = int (*)(const char* character, char* code);
struct CharLookup {
    bool found;
    std::string code;     // for 1062 when found
    const char* message;  // kCharWithoutCodeText when not found
};
// "确定" of the single-character group: the first character of the box in the active code set.
CharLookup LookupSingleChar(std::string_view boxText, std::int32_t codeSet, LookupCharFn primary,
                            LookupCharFn secondary);

// --- Modes --------------------------------------------------------------------------------------

struct ModeChange {
    bool clearCode;           // a candidate list is open: clear the code being typed
    bool englishMode;         // EnglishMode
    bool chinesePunctuation;  // the ChinesePunctuation bit of ModeFlags
};
// An edit box gained the focus: code keys, ';' and '/' included, reach the code box untranslated.
ModeChange EditFocusModes(int control, bool candidatesOpen);
// The dialog ends ("关闭" or Esc): English typing off, Chinese punctuation back on.
ModeChange LeavingDialogModes(bool candidatesOpen);

struct CodeSetChecks {
    bool primary;    // 1078
    bool secondary;  // 1079
};
// At opening and after any click on either box: the active code set's box only.
CodeSetChecks CodeSetBoxes(std::int32_t codeSet);

// --- File dialogs -------------------------------------------------------------------------------

// The OFN_* values of the common dialogs (commdlg.h, which the lean Windows headers leave out).
constexpr std::uint32_t kOfnOverwritePrompt = 0x2;
constexpr std::uint32_t kOfnHideReadOnly = 0x4;
constexpr std::uint32_t kOfnPathMustExist = 0x800;
constexpr std::uint32_t kOfnFileMustExist = 0x1000;

// Restore reads an existing file; backup may create one and asks before replacing one.
// Neither offers the read-only box, which means nothing here.
constexpr std::uint32_t kRestoreDialogFlags =
    kOfnPathMustExist | kOfnFileMustExist | kOfnHideReadOnly;
constexpr std::uint32_t kBackupDialogFlags =
    kOfnPathMustExist | kOfnOverwritePrompt | kOfnHideReadOnly;
// The backup's default extension (the save dialog appends it to a name without one).
inline constexpr char kBackupDefaultExtension[] = "mbk";
// The dialogs' title.
inline constexpr char kBackupDialogTitle[] = "File";
// "所有文件(*.*)", "*.*", "编码词条备份文件(.mbk)", "*.mbk", each NUL-terminated, then the final
// NUL.
inline constexpr char kBackupFilter[] =
    "\xCB\xF9\xD3\xD0\xCE\xC4\xBC\xFE(*.*)\0*.*\0"
    "\xB1\xE0\xC2\xEB\xB4\xCA\xCC\xF5\xB1\xB8\xB7\xDD\xCE\xC4\xBC\xFE(.mbk)\0*.mbk\0";
constexpr std::size_t kFileNameBufferSize = 260;
