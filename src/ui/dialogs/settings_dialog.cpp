#include "ui/dialogs/settings_dialog.h"

#include <initializer_list>

#include "dict/dictionary_files.h"
#include "dict/learned_order.h"
#include "dict/tables.h"
#include "engine/conversion_state.h"
#include "engine/lookup.h"
#include "engine/user_words.h"
#include "context/input_context.h"
#include "settings/settings.h"

const char kSettingsPageNames[kSettingsPageCount][kPageNameBytes + 1] = {
    "\xBD\xE7\xC3\xE6\xB8\xFC\xBB\xBB      ",                    // 界面更换
    "\xD6\xD0\xD3\xA2\xCE\xC4\xC7\xD0\xBB\xBB    ",              // 中英文切换
    "\xB7\xAD\xD2\xB3\xBC\xFC\xD1\xA1\xD4\xF1    ",              // 翻页键选择
    "\xB6\xFE\xC8\xFD\xD6\xD8\xC2\xEB\xBC\xFC\xD1\xA1\xD4\xF1",  // 二三重码键选择
    "\xD6\xD8\xC2\xEB\xB5\xF7\xD0\xF2\xB7\xBD\xCA\xBD  ",        // 重码调序方式
    "\xB3\xA3\xB9\xE6\xB9\xA6\xC4\xDC\xC9\xE8\xD6\xC3  ",        // 常规功能设置
    "\xD7\xD6\xB7\xFB\xBC\xAF\xD1\xA1\xD4\xF1    ",              // 字符集选择
    "\xCA\xE4\xC8\xEB\xC4\xA3\xCA\xBD\xD1\xA1\xD4\xF1  ",        // 输入模式选择
};

const int kOptionControls[kOptionControlCount] = {
    IDC_SEMICOLON_QUOTE,
    IDC_COMMA_PERIOD,
    IDC_DIGITS_ONLY,
    IDC_LEFT_SHIFT,
    IDC_RIGHT_SHIFT,
    IDC_SHIFT_OFF,
    IDC_WORD_ASSOCIATION,
    IDC_PROGRESSIVE_HINT,
    IDC_PHRASE_INPUT,
    IDC_CODE_HINT,
    IDC_PRIMARY_CODE_SET,
    IDC_SECONDARY_CODE_SET,
    IDC_AUTO_FREQUENCY,
    IDC_MANUAL_FREQUENCY,
    IDC_CURSOR_FOLLOW,
    IDC_GB2312,
    IDC_GBK,
    IDC_COMMA_PERIOD_PAGING,
    IDC_SKIN_BOX_FIRST,
    IDC_SKIN_BOX_FIRST + 1,
    IDC_SKIN_BOX_FIRST + 2,
    IDC_SKIN_BOX_FIRST + 3,
    IDC_SKIN_BOX_FIRST + 4,
    IDC_SKIN_BOX_FIRST + 5,
    IDC_SKIN_BOX_FIRST + 6,
};

namespace {

// LBN_SELCHANGE in the high word of the page list's command.
constexpr std::uintptr_t kPageSelectionChanged = IDC_PAGE_LIST | 1u << 16;

const int kPage1[] = {IDC_SKIN_BOX_FIRST,     IDC_SKIN_BOX_FIRST + 1, IDC_SKIN_BOX_FIRST + 2,
                      IDC_SKIN_BOX_FIRST + 3, IDC_SKIN_BOX_FIRST + 4, IDC_SKIN_BOX_FIRST + 5,
                      IDC_SKIN_BOX_FIRST + 6, IDC_CURSOR_FOLLOW};
const int kPage2[] = {IDC_LEFT_SHIFT, IDC_RIGHT_SHIFT, IDC_SHIFT_OFF};
const int kPage3[] = {IDC_COMMA_PERIOD_PAGING};
const int kPage4[] = {IDC_SEMICOLON_QUOTE, IDC_COMMA_PERIOD, IDC_DIGITS_ONLY};
const int kPage5[] = {IDC_AUTO_FREQUENCY, IDC_MANUAL_FREQUENCY};
const int kPage6[] = {IDC_WORD_ASSOCIATION, IDC_PROGRESSIVE_HINT, IDC_PHRASE_INPUT, IDC_CODE_HINT};
const int kPage7[] = {IDC_GB2312, IDC_GBK};
const int kPage8[] = {IDC_PRIMARY_CODE_SET, IDC_SECONDARY_CODE_SET};

template <std::size_t n>
constexpr ControlSpan Span(const int (&ids)[n]) {
    return ControlSpan{ids, static_cast<int>(n)};
}

const ControlSpan kPages[kSettingsPageCount] = {
    Span(kPage1), Span(kPage2), Span(kPage3), Span(kPage4),
    Span(kPage5), Span(kPage6), Span(kPage7), Span(kPage8),
};

// The boxes that act when clicked; the others (1033 to 1036) only toggle themselves, and OK reads
// them.
const int kActingBoxes[] = {
    IDC_SEMICOLON_QUOTE,
    IDC_COMMA_PERIOD,
    IDC_DIGITS_ONLY,
    IDC_PROGRESSIVE_HINT,
    IDC_LEFT_SHIFT,
    IDC_RIGHT_SHIFT,
    IDC_SHIFT_OFF,
    IDC_GB2312,
    IDC_GBK,
    IDC_PRIMARY_CODE_SET,
    IDC_SECONDARY_CODE_SET,
    IDC_AUTO_FREQUENCY,
    IDC_MANUAL_FREQUENCY,
    IDC_COMMA_PERIOD_PAGING,
    IDC_SKIN_BOX_FIRST,
    IDC_SKIN_BOX_FIRST + 1,
    IDC_SKIN_BOX_FIRST + 2,
    IDC_SKIN_BOX_FIRST + 3,
    IDC_SKIN_BOX_FIRST + 4,
    IDC_SKIN_BOX_FIRST + 5,
    IDC_SKIN_BOX_FIRST + 6,
};

bool IsActingBox(int id) {
    for (int box : kActingBoxes) {
        if (box == id) {
            return true;
        }
    }
    return false;
}

void SetShiftBoxes(const SettingsRecord& settings, SettingsBoxes& boxes) {
    boxes.Set(IDC_LEFT_SHIFT, settings.LeftShiftSwitch != 0);
    boxes.Set(IDC_RIGHT_SHIFT, settings.RightShiftSwitch != 0);
}

void SetPunctuationKeyBoxes(int chosen, SettingsBoxes& boxes) {
    for (int id : {IDC_SEMICOLON_QUOTE, IDC_COMMA_PERIOD, IDC_DIGITS_ONLY}) {
        boxes.Set(id, id == chosen);
    }
}

void SetSkinBoxes(std::int32_t skin, SettingsBoxes& boxes) {
    for (int n = 0; n <= kSkinCount; ++n) {
        boxes.Set(IDC_SKIN_BOX_FIRST + n, skin == n);
    }
}

std::int32_t Flag(bool on) {
    return on ? 1 : 0;
}

}  // namespace

ControlSpan PageControls(int page) {
    if (page < 1 || page > kSettingsPageCount) {
        return ControlSpan{nullptr, 0};
    }
    return kPages[page - 1];
}

int PageOfSelection(long position) {
    return position >= 0 ? static_cast<int>(position) + 1 : 0;
}

bool SettingsBoxes::Checked(int id) const {
    return id >= kFirstId && id <= kLastId && checked_[id - kFirstId];
}

void SettingsBoxes::Set(int id, bool checked) {
    if (id >= kFirstId && id <= kLastId) {
        checked_[id - kFirstId] = checked;
    }
}

void SetBoxesFromSettings(const SettingsRecord& settings, SettingsBoxes& boxes) {
    boxes.Set(IDC_WORD_ASSOCIATION, settings.WordAssociation != 0);
    boxes.Set(IDC_PHRASE_INPUT, settings.PhraseInput != 0);
    boxes.Set(IDC_CODE_HINT, settings.CodeHint != 0);
    boxes.Set(IDC_CURSOR_FOLLOW, settings.CursorFollow != 0);
    boxes.Set(IDC_SEMICOLON_QUOTE, settings.SemicolonQuoteKeys != 0);
    boxes.Set(IDC_COMMA_PERIOD, settings.CommaPeriodKeys != 0);
    boxes.Set(IDC_PROGRESSIVE_HINT, settings.ProgressiveHint != 0);
    SetShiftBoxes(settings, boxes);
    boxes.Set(IDC_GBK, settings.GbkMode != 0);
    boxes.Set(IDC_GB2312, settings.GbkMode == 0);
    boxes.Set(IDC_PRIMARY_CODE_SET, settings.CodeSet == kCodeSetPrimary);
    boxes.Set(IDC_SECONDARY_CODE_SET, settings.CodeSet != kCodeSetPrimary);
    boxes.Set(IDC_AUTO_FREQUENCY, settings.AutoFrequency != 0);
    boxes.Set(IDC_MANUAL_FREQUENCY, settings.AutoFrequency == 0);
    boxes.Set(IDC_COMMA_PERIOD_PAGING, settings.CommaPeriodPaging != 0);
    boxes.Set(IDC_SHIFT_OFF, settings.LeftShiftSwitch == 0 && settings.RightShiftSwitch == 0);
    boxes.Set(IDC_DIGITS_ONLY, settings.SemicolonQuoteKeys == 0 && settings.CommaPeriodKeys == 0);
    SetSkinBoxes(settings.SkinIndex, boxes);
}

SettingsCommand ClassifySettingsCommand(std::uintptr_t wParam) {
    if (wParam == kPageSelectionChanged) {
        return SettingsCommand::SelectPage;
    }
    if (wParam == IDC_SETTINGS_OK) {
        return SettingsCommand::Ok;
    }
    if (wParam <= 0xFFFF && IsActingBox(static_cast<int>(wParam))) {
        return SettingsCommand::Box;
    }
    return SettingsCommand::None;
}

bool ApplyBoxClick(int id, SettingsRecord& settings, SettingsBoxes& boxes) {
    switch (id) {
        case IDC_SEMICOLON_QUOTE:
            settings.SemicolonQuoteKeys = 1;
            settings.CommaPeriodKeys = 0;
            SetPunctuationKeyBoxes(id, boxes);
            return true;
        case IDC_COMMA_PERIOD:
            settings.SemicolonQuoteKeys = 0;
            settings.CommaPeriodKeys = 1;
            SetPunctuationKeyBoxes(id, boxes);
            return true;
        case IDC_DIGITS_ONLY:
            settings.SemicolonQuoteKeys = 0;
            settings.CommaPeriodKeys = 0;
            SetPunctuationKeyBoxes(id, boxes);
            return true;
        case IDC_PROGRESSIVE_HINT:
            // Code hints show only with progressive hints.
            if (settings.ProgressiveHint != 0) {
                settings.ProgressiveHint = 0;
                settings.CodeHint = 0;
            } else {
                settings.ProgressiveHint = 1;
            }
            boxes.Set(IDC_PROGRESSIVE_HINT, settings.ProgressiveHint != 0);
            boxes.Set(IDC_CODE_HINT, settings.CodeHint != 0);
            return true;
        case IDC_LEFT_SHIFT:
        case IDC_RIGHT_SHIFT:
            // Either box flips the pair: one Shift key switches at a time.
            if (settings.LeftShiftSwitch != 0) {
                settings.LeftShiftSwitch = 0;
                settings.RightShiftSwitch = 1;
            } else {
                settings.RightShiftSwitch = 0;
                settings.LeftShiftSwitch = 1;
            }
            boxes.Set(IDC_SHIFT_OFF, false);
            SetShiftBoxes(settings, boxes);
            return true;
        case IDC_SHIFT_OFF:
            settings.LeftShiftSwitch = 0;
            settings.RightShiftSwitch = 0;
            SetShiftBoxes(settings, boxes);
            return true;
        case IDC_GB2312:
        case IDC_GBK:
            settings.GbkMode = Flag(id == IDC_GBK);
            boxes.Set(IDC_GBK, id == IDC_GBK);
            boxes.Set(IDC_GB2312, id == IDC_GB2312);
            return true;
        case IDC_PRIMARY_CODE_SET:
        case IDC_SECONDARY_CODE_SET:
            settings.CodeSet = id == IDC_PRIMARY_CODE_SET ? kCodeSetPrimary : kCodeSetSecondary;
            boxes.Set(IDC_PRIMARY_CODE_SET, id == IDC_PRIMARY_CODE_SET);
            boxes.Set(IDC_SECONDARY_CODE_SET, id == IDC_SECONDARY_CODE_SET);
            return true;
        case IDC_AUTO_FREQUENCY:
        case IDC_MANUAL_FREQUENCY:
            boxes.Set(IDC_AUTO_FREQUENCY, id == IDC_AUTO_FREQUENCY);
            boxes.Set(IDC_MANUAL_FREQUENCY, id == IDC_MANUAL_FREQUENCY);
            return true;
        case IDC_COMMA_PERIOD_PAGING:
            // The box does not toggle itself; the dialog does it, so that the option can change.
            boxes.Set(id, !boxes.Checked(id));
            return true;
        default:
            break;
    }
    // The skin boxes are one group: the one clicked is the skin.
    if (id >= IDC_SKIN_BOX_FIRST && id <= IDC_SKIN_BOX_LAST) {
        settings.SkinIndex = id - IDC_SKIN_BOX_FIRST;
        SetSkinBoxes(settings.SkinIndex, boxes);
        return true;
    }
    return false;
}

void ReadBoxesIntoSettings(const SettingsBoxes& boxes, SettingsRecord& settings) {
    settings.WordAssociation = Flag(boxes.Checked(IDC_WORD_ASSOCIATION));
    settings.PhraseInput = Flag(boxes.Checked(IDC_PHRASE_INPUT));
    settings.CodeHint = Flag(boxes.Checked(IDC_CODE_HINT));
    settings.CursorFollow = Flag(boxes.Checked(IDC_CURSOR_FOLLOW));
    settings.SemicolonQuoteKeys = Flag(boxes.Checked(IDC_SEMICOLON_QUOTE));
    settings.CommaPeriodKeys = Flag(boxes.Checked(IDC_COMMA_PERIOD));
    settings.ProgressiveHint = Flag(boxes.Checked(IDC_PROGRESSIVE_HINT));
    settings.LeftShiftSwitch = Flag(boxes.Checked(IDC_LEFT_SHIFT));
    settings.RightShiftSwitch = Flag(boxes.Checked(IDC_RIGHT_SHIFT));
    settings.GbkMode = Flag(boxes.Checked(IDC_GBK));
    settings.CodeSet = boxes.Checked(IDC_PRIMARY_CODE_SET) ? kCodeSetPrimary : kCodeSetSecondary;
    settings.AutoFrequency = Flag(boxes.Checked(IDC_AUTO_FREQUENCY));
    settings.CommaPeriodPaging = Flag(boxes.Checked(IDC_COMMA_PERIOD_PAGING));
    // No skin box checked (a dialog that never showed them) keeps the skin.
    for (int n = 0; n <= kSkinCount; ++n) {
        if (boxes.Checked(IDC_SKIN_BOX_FIRST + n)) {
            settings.SkinIndex = n;
            break;
        }
    }
}

void ConfirmSettings(std::int32_t openingCodeSet) {
    if (Settings.CodeSet != openingCodeSet) {
        // The reordered main table belongs to the code set the dialog found: it is written to
        // that set's file before the other set's files replace it.
        SaveLearnedOrderOrTell(openingCodeSet);
        LoadDictionaries(Settings.CodeSet, true, true);
    }
    ApplyCursorFollowRule(Settings);
    StoreSettings();
    // The skin is stored at once, so that a status window created from now on, in any program,
    // takes it.
    WriteSettingsValue(kImesetqValue, static_cast<std::uint32_t>(Settings.SkinIndex));
}

bool ClearCodeForDialog(HIMC context) {
    ContextLock ic(context);
    if (!ic) {
        return false;
    }
    if (ListHasCandidates(ic.get())) {
        DiscardCode(context);
    }
    return true;
}
