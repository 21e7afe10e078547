// On-line word creation and the code lookup of a selection, typed through the key entry: the hot
// keys fetch the selection through the clipboard in two passes, and the new word goes into the
// user table and the user file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "engine/online_word.h"
#include "dict/data_places.h"
#include "dict/tables.h"
#include "engine/conversion_state.h"
#include "keys/clipboard_capture.h"
#include "keys/key_entry.h"
#include "engine/mode_state.h"
#include "settings/settings.h"
#include "support/key_session.h"
#include "support/test_platform.h"
#include "engine/online_word_state.h"
#include "platform/host/host_control.h"

namespace {

const std::string kCaption = "提示";
const std::string kQuestion = "是否将自定义词存入词库?\n";

struct Box {
    std::string caption;
    std::string text;
    bool operator==(const Box& other) const {
        return caption == other.caption && text == other.text;
    }
};
std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << "[" << box.caption << "] " << box.text;
}

class OnlineWordTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Settings.WordAssociation = 0;
        userFile_ = UseFreshDataFolders().user + "zelk2006.emb";
        LookAtUserDataDirectory(true);
        keys.engine().UseWords({{"aaaa", "工"}, {"khk", "中"}, {"wwww", "人"}, {"yygy", "文"}},
                               {{"ynyc", "词序"}});
        WriteWholeFile(userFile_, Gbk("ynyc     词序\r\n"));
        HostSetMessageBoxAnswer(IDOK);
    }
    void TearDown() override { HostSetMessageBoxAnswer(IDOK); }

    std::vector<Box> Boxes() const {
        std::vector<Box> boxes;
        for (const MessageBoxRecord& box : keys.Last().boxes) {
            boxes.push_back(Box{box.caption, box.text});
        }
        return boxes;
    }
    std::string UserFile() const { return Utf8(ReadWholeFile(userFile_)); }
    void Select(const std::string& utf8) {
        selection_ = Gbk(utf8);
        keys.typing().SetSelection(selection_);
    }

    KeySession keys;
    std::string userFile_;
    std::string selection_;
};

TEST_F(OnlineWordTest, CollectedWordIsOfferedAndSaved) {
    keys.Type("<C-`>");
    EXPECT_EQ(OnlineWord.OnlineWordActive, 1);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(keys.Type("aaaa"), "工");
    EXPECT_EQ(keys.Type("wwww"), "人");
    keys.Type("<C-`>");
    EXPECT_EQ(Boxes(), (std::vector<Box>{{kCaption, kQuestion + "工人  aaww"}}));
    EXPECT_EQ(OnlineWord.OnlineWordActive, 0);
    // The other lines are written again unchanged, the new word after them.
    EXPECT_EQ(UserFile(), "ynyc     词序\r\naaww     工人\r\n");
    EXPECT_STREQ(Tables.UserTable[1].code, "aaww");
    // The next lookup finds it.
    EXPECT_EQ(keys.Type("aaww"), "工人");
}

TEST_F(OnlineWordTest, SelectedTextIsOfferedAtOnce) {
    Select("中文");
    keys.Type("<C-`>");
    EXPECT_EQ(Boxes(), (std::vector<Box>{{kCaption, kQuestion + "中文  khyy"}}));
    EXPECT_EQ(UserFile(), "ynyc     词序\r\nkhyy     中文\r\n");
    EXPECT_EQ(OnlineWord.OnlineWordActive, 0);
    EXPECT_EQ(HostClipboardText(), nullptr);
    EXPECT_FALSE(HostClipboardIsOpen());
    EXPECT_EQ(HostClipboardLockCount(), 0);
}

TEST_F(OnlineWordTest, SelectionAbandonsACollectionInProgress) {
    keys.Type("<C-`>aaaa");
    ASSERT_EQ(OnlineWord.OnlineWordActive, 1);
    Select("中文");
    keys.Type("<C-`>");
    EXPECT_EQ(Boxes(), (std::vector<Box>{{kCaption, kQuestion + "中文  khyy"}}));
    EXPECT_EQ(OnlineWord.OnlineWordActive, 0);
}

TEST_F(OnlineWordTest, DuplicatesAreRefused) {
    Select("词序");
    keys.Type("<C-`>");
    EXPECT_EQ(Boxes(), (std::vector<Box>{{kCaption, kQuestion + "词序  ynyc"},
                                         {kCaption, "自定义词已经存在!"}}));
    Select("工");
    keys.Type("<C-`>");
    EXPECT_EQ(Boxes(), (std::vector<Box>{{kCaption, kQuestion + "工  aaaa"},
                                         {kCaption, "自定义词已经存在!"}}));
    EXPECT_EQ(UserFile(), "ynyc     词序\r\n");
}

TEST_F(OnlineWordTest, UnknownFirstCharacterMakesNoCode) {
    Select("Ａ中");
    keys.Type("<C-`>");
    EXPECT_EQ(Boxes(), (std::vector<Box>{{kCaption, "在线造词，因为输入未知汉字，导致造词失败!"}}));
    EXPECT_EQ(UserFile(), "ynyc     词序\r\n");
}

TEST_F(OnlineWordTest, UnknownLaterCharacterOnlyShortensTheCode) {
    Select("中Ａ");
    keys.Type("<C-`>");
    EXPECT_EQ(Boxes(), (std::vector<Box>{{kCaption, kQuestion + "中Ａ  kh"}}));
    EXPECT_EQ(UserFile(), "ynyc     词序\r\nkh       中Ａ\r\n");
}

TEST_F(OnlineWordTest, CancelStoresNothing) {
    HostSetMessageBoxAnswer(IDCANCEL);
    Select("中文");
    keys.Type("<C-`>");
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(UserFile(), "ynyc     词序\r\n");
    EXPECT_TRUE(IsEmptyEntry(Tables.UserTable[1]));
}

TEST_F(OnlineWordTest, TriggerTwiceWithoutCommittingStoresNothingSilently) {
    keys.Type("<C-`><C-`>");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(OnlineWord.OnlineWordActive, 0);
    EXPECT_EQ(UserFile(), "ynyc     词序\r\n");
}

TEST_F(OnlineWordTest, CtrlSpaceAbandonsTheCollection) {
    keys.Type("<C-`>aaaa<C-Space>");
    EXPECT_EQ(OnlineWord.OnlineWordActive, 0);
    keys.Type("<C-`>");
    EXPECT_EQ(OnlineWord.OnlineWordActive, 1);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(OnlineWordTest, LongSelectionIsTakenButMakesNoWord) {
    Select(std::string(50, 'x') + std::string(25, 'y') +
           "中文中文中文中文中文中文中文中文中文中文中文中文");
    ASSERT_GE(selection_.size(), 100u);
    keys.Type("<C-`>");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(OnlineWord.OnlineWordActive, 0);
    EXPECT_EQ(HostClipboardText(), nullptr);
}

TEST_F(OnlineWordTest, FullUserTableRefusesTheWordAndWritesNothing) {
    WordList full;
    for (std::size_t i = 0; i < kUserTableCapacity; ++i) {
        full.push_back({"zz" + std::to_string(i % 10), "词"});
    }
    keys.engine().UseWords({{"khk", "中"}}, full);
    Select("中文");
    keys.Type("<C-`>");
    EXPECT_EQ(Boxes(), (std::vector<Box>{{kCaption, kQuestion + "中文  khyy"},
                                         {kCaption, "自定义词库已满，不能再存入新词!"}}));
    EXPECT_EQ(UserFile(), "ynyc     词序\r\n");
    EXPECT_STREQ(Tables.UserTable[kUserTableCapacity - 1].code, "zz9");
}

TEST_F(OnlineWordTest, UnwritableUserFileKeepsTableAndFile) {
    // Another program keeps the file open for longer than the replacement waits.
    HostSetReplaceFailures(1000);
    Select("中文");
    keys.Type("<C-`>");
    HostSetReplaceFailures(0);
    EXPECT_EQ(Boxes(), (std::vector<Box>{{kCaption, kQuestion + "中文  khyy"},
                                         {kCaption, "打开文件错误!"}}));
    EXPECT_EQ(UserFile(), "ynyc     词序\r\n");
    EXPECT_EQ(FolderListing(userFile_.substr(0, userFile_.size() - 12)),
              "zelk2006.emb\nzelk2006.emb.lock\n")
        << "no temporary file stays";
    EXPECT_TRUE(IsEmptyEntry(Tables.UserTable[1]));
    EXPECT_EQ(keys.Type("khyy"), "");
}

TEST_F(OnlineWordTest, StatusButtonTakesClipboardTextWithoutTheHandshake) {
    // Another program's block may end without a NUL: its text ends with the block.
    const std::string text = Gbk("中文");
    HostSetClipboardBytes(text.data(), text.size());
    const int keystrokes = HostKeystrokeCount();
    ToggleOnlineWord(keys.context());
    EXPECT_EQ(HostKeystrokeCount(), keystrokes);
    EXPECT_EQ(HostClipboardText(), nullptr);
    EXPECT_EQ(UserFile(), "ynyc     词序\r\nkhyy     中文\r\n");
    // A block of no bytes holds no text.
    HostSetClipboardBytes("", 0);
    ToggleOnlineWord(keys.context());
    EXPECT_EQ(HostClipboardLockCount(), 0);
    EXPECT_EQ(UserFile(), "ynyc     词序\r\nkhyy     中文\r\n");
}

TEST_F(OnlineWordTest, SelectionCodesAreShownInABox) {
    Select("中a文");
    keys.Type("<C-/>");
    EXPECT_EQ(Boxes(), (std::vector<Box>{{"编码查询",
                                          "   青岚  28键松鹤 \n------------------\n"
                                          "中  khk     kez  \n文  yygy    yk  \n"}}));
    EXPECT_EQ(HostClipboardText(), nullptr);
    Select("");
    keys.Type("<C-/>");  // nothing selected: only the header
    EXPECT_EQ(Boxes(),
              (std::vector<Box>{{"编码查询", "   青岚  28键松鹤 \n------------------\n"}}));
}

// --- The two passes of the clipboard capture ----------------------------------------------------

class ClipboardCaptureTest : public OnlineWordTest {
  protected:
    int PressCtrlKey(BYTE virtualKey) {
        BYTE state[256] = {};
        state[VK_CONTROL] = 0x80;
        HostSetKeyboardState(state);  // still held while the press is handled
        return HandleKeyPress(keys.context(), virtualKey, 0x29, state);
    }
};

TEST_F(ClipboardCaptureTest, FirstPassEmptiesTheClipboardAndSendsCopyThenTheKeyAgain) {
    const std::string old = Gbk("旧");
    HostSetClipboardText(old.c_str());
    const int first = HostKeystrokeCount();
    EXPECT_EQ(PressCtrlKey(0xC0), 0);
    EXPECT_EQ(Modes.ClipboardCapturePending, 1);
    EXPECT_EQ(HostClipboardText(), nullptr);
    EXPECT_FALSE(HostClipboardIsOpen());
    ASSERT_EQ(HostKeystrokeCount() - first, kCaptureKeystrokeCount);
    const struct {
        BYTE vk;
        DWORD flags;
    } expected[] = {{VK_CONTROL, 0},        {'C', 0},
                    {'C', KEYEVENTF_KEYUP}, {VK_CONTROL, KEYEVENTF_KEYUP},
                    {VK_CONTROL, 0},        {0xC0, 0}};
    for (int i = 0; i < kCaptureKeystrokeCount; ++i) {
        EXPECT_EQ(HostKeystrokeAt(first + i).virtualKey, expected[i].vk) << i;
        EXPECT_EQ(HostKeystrokeAt(first + i).flags, expected[i].flags) << i;
    }
    EXPECT_EQ(OnlineWord.OnlineWordActive, 0);
}

TEST_F(ClipboardCaptureTest, CtrlLetGoBeforeThePressIsHandledIsReleasedAfterTheKeyAgain) {
    BYTE state[256] = {};
    state[VK_CONTROL] = 0x80;
    HostSetKeyboardState(state);
    HostReleaseKeySince(VK_CONTROL);
    const int first = HostKeystrokeCount();
    CaptureSelection(keys.context(), 0xC0);
    ASSERT_EQ(HostKeystrokeCount() - first, kCaptureKeystrokeCount + 2);
    const HostKeystroke keyUp = HostKeystrokeAt(first + kCaptureKeystrokeCount);
    const HostKeystroke ctrlUp = HostKeystrokeAt(first + kCaptureKeystrokeCount + 1);
    EXPECT_EQ(keyUp.virtualKey, 0xC0);
    EXPECT_EQ(keyUp.flags, static_cast<DWORD>(KEYEVENTF_KEYUP));
    EXPECT_EQ(ctrlUp.virtualKey, VK_CONTROL);
    EXPECT_EQ(ctrlUp.flags, static_cast<DWORD>(KEYEVENTF_KEYUP));
    EXPECT_EQ(Modes.ClipboardCapturePending, 1);
}

TEST_F(ClipboardCaptureTest, SecondPassRunsTheCommand) {
    PressCtrlKey(0xC0);
    const int sent = HostKeystrokeCount();
    EXPECT_EQ(PressCtrlKey(0xC0), 0);
    EXPECT_EQ(Modes.ClipboardCapturePending, 0);
    EXPECT_EQ(OnlineWord.OnlineWordActive, 1);
    EXPECT_EQ(HostKeystrokeCount(), sent);
    // The slash key runs the code lookup the same way.
    PressCtrlKey(0xBF);
    PressCtrlKey(0xBF);
    EXPECT_EQ(HostMessageBoxCount(), 1);
    EXPECT_EQ(Utf8(HostMessageBoxAt(0).caption), "编码查询");
}

TEST_F(ClipboardCaptureTest, AClipboardThatCannotBeOpenedIsNotEmptiedButTheKeysGoOut) {
    const std::string old = Gbk("旧");
    HostSetClipboardText(old.c_str());
    HostSetClipboardOpenFailure(true);
    const int first = HostKeystrokeCount();
    PressCtrlKey(0xBF);
    HostSetClipboardOpenFailure(false);
    EXPECT_EQ(HostKeystrokeCount() - first, kCaptureKeystrokeCount);
    ASSERT_NE(HostClipboardText(), nullptr);
    EXPECT_EQ(std::string(HostClipboardText()), old);
    EXPECT_EQ(Modes.ClipboardCapturePending, 1);
}

TEST_F(ClipboardCaptureTest, AContextThatCannotBeLockedSendsNothing) {
    const int first = HostKeystrokeCount();
    HostSetContextLockFailure(keys.context(), true);
    PressCtrlKey(0xC0);
    HostSetContextLockFailure(keys.context(), false);
    EXPECT_EQ(HostKeystrokeCount(), first);
    EXPECT_EQ(Modes.ClipboardCapturePending, 0);
}

}  // namespace
