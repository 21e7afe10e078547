// The rules of the settings dialog: its eight pages and their controls, what the boxes show at
// opening, what a click changes at once, and what OK stores. The dialog procedure (Windows only)
// reads and writes the boxes and applies these.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32.h"
#include "res/resource_ids.h"
#include "settings/settings.h"

constexpr int kSettingsPageCount = 8;

// "不能打开输入法设置：找不到当前程序的输入上下文!": the dialog cannot read the modes it would
// show, so it shows nothing it could store.
inline constexpr char kNoContextForSettingsText[] =
    "\xB2\xBB\xC4\xDC\xB4\xF2\xBF\xAA\xCA\xE4\xC8\xEB\xB7\xA8\xC9\xE8\xD6\xC3\xA3\xBA\xD5\xD2"
    "\xB2\xBB\xB5\xBD\xB5\xB1\xC7\xB0\xB3\xCC\xD0\xF2\xB5\xC4\xCA\xE4\xC8\xEB\xC9\xCF\xCF\xC2"
    "\xCE\xC4!";
constexpr std::size_t kPageNameBytes = 14;
// GBK, each padded with spaces to 14 bytes; page n (1 to 8) is name n - 1.
extern const char kSettingsPageNames[kSettingsPageCount][kPageNameBytes + 1];
// The page list's horizontal extent.
constexpr int kPageListExtent = 17;

// Every control a page can show, in the order ShowPage hides them. They are all the dialog's check
// boxes.
constexpr int kOptionControlCount = 25;
extern const int kOptionControls[kOptionControlCount];

struct ControlSpan {
    const int* ids;
    int count;
};
// The controls page 1 to 8 shows; none for any other number.
ControlSpan PageControls(int page);
// The page a selection in the list shows: position + 1; 0 when nothing is selected.
int PageOfSelection(long position);

// The check boxes of the dialog by control id (1033 to 1092); other ids read as unchecked and
// cannot be set.
class SettingsBoxes {
  public:
    bool Checked(int id) const;
    void Set(int id, bool checked);

  private:
    static constexpr int kFirstId = IDC_WORD_ASSOCIATION;
    static constexpr int kLastId = IDC_SKIN_BOX_LAST;
    bool checked_[kLastId - kFirstId + 1] = {};
};
// The boxes at opening.
void SetBoxesFromSettings(const SettingsRecord& settings, SettingsBoxes& boxes);

enum class SettingsCommand {
    None,        // changes nothing: self-toggling boxes, Esc, anything else
    SelectPage,  // the page list's selection changed
    Box,         // a box whose click acts at once (ApplyBoxClick)
    Ok,
};
// What a WM_COMMAND word parameter asks for. It is compared whole: a button click has
// notification code 0, the list's selection change is LBN_SELCHANGE.
SettingsCommand ClassifySettingsCommand(std::uintptr_t wParam);

// The effect at once of a click on a Box command's control: settings fields and boxes. False
// for a control that is not such a box.
bool ApplyBoxClick(int id, SettingsRecord& settings, SettingsBoxes& boxes);

// OK, first step: the boxes are what is stored.
void ReadBoxesIntoSettings(const SettingsBoxes& boxes, SettingsRecord& settings);
// OK, then: a changed code set saves the old main table (when reordered) and loads the new
// dictionaries; a skin without caret following turns it off; the options and the skin are stored.
void ConfirmSettings(std::int32_t openingCodeSet);

// Opening: a code being typed in the context is cleared, so that no candidate list stays open
// behind the dialog. False when the context cannot be locked.
bool ClearCodeForDialog(HIMC context);
