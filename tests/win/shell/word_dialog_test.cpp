// The word-making dialog run modally on the test's thread, driven from a second thread the way a
// user would: characters typed into the boxes, the focus moved on, buttons clicked, message boxes
// and the common file dialogs answered. The user file on disk and the tables in use are checked.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/gbk_text.h"
#include "context/process_facts.h"
#include "dict/dictionary_files.h"
#include "engine/lookup.h"
#include "engine/mode_state.h"
#include "ime/process_state.h"
#include "res/resource_ids.h"
#include "settings/settings.h"
#include "support/test_platform.h"
#include "ui/dialogs/dialog_state.h"
#include "ui/dialogs/word_dialog_win.h"

namespace {

HWND WaitForWindow(const std::string& caption) {
    for (int tries = 0; tries < 800; ++tries) {
        HWND window = FindWindowA("#32770", caption.c_str());
        if (window != nullptr && IsWindowVisible(window)) {
            return window;
        }
        Sleep(25);
    }
    return nullptr;
}

std::string Text(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// "提示": reads the message and presses OK; empty when none came.
std::string AnswerMessageBox() {
    HWND box = WaitForWindow(Gbk("提示"));
    if (box == nullptr) {
        return std::string();
    }
    const std::string text = Text(GetDlgItem(box, 0xFFFF));
    SendMessageA(box, WM_COMMAND, IDOK, 0);
    return text;
}

// The common file dialog ("File"): the name typed into its file-name box, then OK.
bool AnswerFileDialog(const std::string& path) {
    HWND chooser = WaitForWindow("File");
    if (chooser == nullptr) {
        return false;
    }
    HWND name = GetDlgItem(chooser, 0x47C);  // cmb13, the explorer-style name box
    if (name == nullptr) {
        name = GetDlgItem(chooser, 0x480);  // edt1
    }
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    for (int tries = 0; tries < 200 && IsWindow(chooser); ++tries) {
        Sleep(25);
    }
    return !IsWindow(chooser);
}

// The dialog writes once the file dialog is gone, on its own thread.
bool WaitForFile(const std::string& path) {
    for (int tries = 0; tries < 200 && !FileExists(path); ++tries) {
        Sleep(25);
    }
    return FileExists(path);
}

void Focus(HWND dialog, int id) {
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

void Type(HWND dialog, int id, const std::wstring& characters) {
    Focus(dialog, id);
    for (wchar_t character : characters) {
        SendMessageW(GetDlgItem(dialog, id), WM_CHAR, character, 1);
    }
}

// A click whose action shows nothing; a message box it shows by mistake fails the test after
// 5 s instead of blocking it.
void Click(HWND dialog, int id) {
    DWORD_PTR result = 0;
    EXPECT_NE(
        SendMessageTimeoutA(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &result), 0)
        << "button " << id;
}

// For buttons whose action waits for an answer (a message box, a file dialog).
void ClickLater(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void Select(HWND dialog, int line) {
    SendDlgItemMessageA(dialog, IDC_WORD_LIST, LB_SETCURSEL, line, 0);
}

std::vector<std::string> ListLines(HWND dialog) {
    std::vector<std::string> lines;
    const LRESULT count = SendDlgItemMessageA(dialog, IDC_WORD_LIST, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char line[128] = {};
        SendDlgItemMessageA(dialog, IDC_WORD_LIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
        lines.push_back(line);
    }
    return lines;
}

std::string Box(HWND dialog, int id) {
    return Text(GetDlgItem(dialog, id));
}

// A user-file line and its display form.
std::string Line(const char* code, const char* word) {
    std::string line = code;
    line.resize(4, ' ');
    return line + "     " + Gbk(word);
}

std::string FileOf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

bool Offers(const char* code, const char* word) {
    const std::optional<LookupOutcome> outcome = LookupCandidates(code);
    const std::string wanted = Gbk(word);
    for (int i = 0; outcome && i < outcome->found.count; ++i) {
        const CandidateItem& item = outcome->found.items[i];
        if (std::string(item.text, item.textLength) == wanted) {
            return true;
        }
    }
    return false;
}

class WordDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        Process.ModuleInstance = GetModuleHandleA(nullptr);
        const DataFolders folders = UseFreshDataFolders();
        zelk = folders.machine;
        WriteWholeFile(zelk + "zelk2006.mb",
                       ReadWholeFile(ShippedDataDirectory() + "zelk\\zelk2006.mb"));
        // The user's own words, which the dialog shows and writes.
        user = folders.user;
        CreateDirectoryA(user.c_str(), nullptr);
        userFile = user + "zelk2006.emb";
        WriteWholeFile(userFile, FileOf(threeWords));
        Settings.CodeSet = kCodeSetPrimary;
        ASSERT_EQ(LoadDictionaries(kCodeSetPrimary, true, true), 1);
    }
    void TearDown() override { UseFreshDataFolders(); }
    // Runs the dialog here while the script drives it from another thread; the script ends it.
    void RunDialog(const std::function<void(HWND)>& script) {
        std::thread driver([&script] {
            HWND dialog = WaitForWindow(Gbk("手工造词及编码查询"));
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(Dialogs.WordDialogOpen, 1);
            script(dialog);
            if (IsWindow(dialog)) {
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            }
        });
        RunWordDialog();
        driver.join();
        EXPECT_EQ(Dialogs.WordDialogOpen, 0);
    }
    std::string zelk;
    std::string user;  // the user's data folder, where the backups go too
    std::string userFile;
    const std::vector<std::string> threeWords{Line("aakh", "工中"), Line("khaa", "中工"),
                                              Line("wwkh", "人中")};
};

TEST_F(WordDialogTest, ATypedWordGetsItsCodeAndCloseStoresIt) {
    RunDialog([this](HWND dialog) {
        EXPECT_EQ(ListLines(dialog),
                  (std::vector<std::string>{threeWords[2], threeWords[1], threeWords[0]}));
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_WORD_PRIMARY), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_WORD_SECONDARY), BST_UNCHECKED);
        Type(dialog, IDC_WORD_EDIT, L"中a人");
        EXPECT_EQ(Box(dialog, IDC_WORD_EDIT), Gbk("中人")) << "a single byte is refused";
        Focus(dialog, IDC_WORD_CODE_EDIT);
        EXPECT_EQ(Box(dialog, IDC_WORD_CODE_EDIT), "khww");
        EXPECT_EQ(Modes.EnglishMode, 1) << "code keys reach the code box";
        Click(dialog, IDC_WORD_CONFIRM);
        ClickLater(dialog, IDC_WORD_CLOSE);
    });
    EXPECT_EQ(ReadWholeFile(userFile),
              FileOf({threeWords[2], threeWords[1], Line("khww", "中人"), threeWords[0]}));
    EXPECT_EQ(Modes.EnglishMode, 0);
    EXPECT_TRUE(Offers("khww", "中人"));
}

TEST_F(WordDialogTest, ModifyAndDeleteRewriteTheFileInListOrder) {
    RunDialog([](HWND dialog) {
        Select(dialog, 0);
        Click(dialog, IDC_WORD_MODIFY);
        EXPECT_EQ(Box(dialog, IDC_WORD_EDIT), Gbk("人中"));
        SetDlgItemTextA(dialog, IDC_WORD_CODE_EDIT, "wwk;");
        EXPECT_EQ(Box(dialog, IDC_WORD_CODE_EDIT), "wwk") << "';' is no Primary key";
        Click(dialog, IDC_WORD_CONFIRM);
        Select(dialog, 2);
        Click(dialog, IDC_WORD_DELETE);
        ClickLater(dialog, IDC_WORD_CLOSE);
    });
    EXPECT_EQ(ReadWholeFile(userFile), FileOf({Line("wwk", "人中"), threeWords[1]}));
    EXPECT_TRUE(Offers("wwk", "人中"));
    EXPECT_FALSE(Offers("aakh", "工中"));
}

TEST_F(WordDialogTest, ARestoredBackupIsWhatCloseStores) {
    const std::string backup = user + "words";
    RunDialog([&](HWND dialog) {
        ClickLater(dialog, IDC_BACKUP);
        ASSERT_TRUE(AnswerFileDialog(backup));
        ASSERT_TRUE(WaitForFile(backup + ".mbk")) << "\".mbk\" is added to a bare name";
        EXPECT_EQ(ReadWholeFile(backup + ".mbk"), Gbk("aakh_工中\r\nkhaa_中工\r\nwwkh_人中\r\n"));
        Select(dialog, 0);
        Click(dialog, IDC_WORD_DELETE);
        ClickLater(dialog, IDC_RESTORE);
        ASSERT_TRUE(AnswerFileDialog(backup + ".mbk"));
        EXPECT_EQ(ListLines(dialog), threeWords) << "restored lines take their sorted places";
        ClickLater(dialog, IDC_WORD_CLOSE);
    });
    EXPECT_EQ(ReadWholeFile(userFile), FileOf(threeWords));
    ASSERT_EQ(LoadDictionaries(kCodeSetPrimary, false, true), 1);
    EXPECT_TRUE(Offers("wwkh", "人中"));
}

// A file larger than any user file is no backup of ours: it is not read at all (2 MB of line
// breaks once took 224 MB).
TEST_F(WordDialogTest, ABackupLargerThanAnyUserFileIsRefused) {
    const std::string backup = user + "huge.mbk";
    WriteWholeFile(backup, std::string((2u << 20) + 1, '\n'));
    RunDialog([&](HWND dialog) {
        ClickLater(dialog, IDC_RESTORE);
        ASSERT_TRUE(AnswerFileDialog(backup));
        EXPECT_EQ(AnswerMessageBox(), Gbk("备份文件太大（超过2MB），未能恢复!"));
        EXPECT_EQ(ListLines(dialog),
                  (std::vector<std::string>{threeWords[2], threeWords[1], threeWords[0]}))
            << "the list as it opened";
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_TRUE(Offers("wwkh", "人中"));
    EXPECT_EQ(ReadWholeFile(userFile), FileOf(threeWords));
}

// A word with '_' in it cannot stand in a backup line: the backup says which words it left out.
TEST_F(WordDialogTest, ABackupNamesTheWordsItCannotHold) {
    WriteWholeFile(userFile, FileOf({Line("aakh", "工_中"), threeWords[1]}));
    ASSERT_EQ(LoadDictionaries(kCodeSetPrimary, false, true), 1);
    const std::string backup = user + "some";
    RunDialog([&](HWND dialog) {
        ClickLater(dialog, IDC_BACKUP);
        ASSERT_TRUE(AnswerFileDialog(backup));
        EXPECT_EQ(AnswerMessageBox(),
                  Gbk("下列词语含有“_”，不能写入备份文件:\n") + Line("aakh", "工_中"));
        EXPECT_EQ(ReadWholeFile(backup + ".mbk"), Gbk("khaa_中工\r\n"));
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
}

TEST_F(WordDialogTest, ABackupThatCannotBeReadChangesNothing) {
    const std::string backup = user + "locked.mbk";
    WriteWholeFile(backup, Gbk("aaaa_工工\r\n"));
    HANDLE lock = CreateFileA(backup.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    RunDialog([&](HWND dialog) {
        ClickLater(dialog, IDC_RESTORE);
        EXPECT_TRUE(AnswerFileDialog(backup));
        EXPECT_EQ(ListLines(dialog).size(), 3u);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    CloseHandle(lock);
    EXPECT_TRUE(Offers("wwkh", "人中"));
    EXPECT_FALSE(Offers("aaaa", "工工"));
    EXPECT_EQ(ReadWholeFile(userFile), FileOf(threeWords));
}

TEST_F(WordDialogTest, ARestoreIsInUseAtOnceAndEscGoesBackToTheFile) {
    const std::string backup = user + "big.mbk";
    std::string lines = Gbk("aaaa_工工\r\n");
    for (int i = 0; i < 10000; ++i) {
        lines += Gbk("bbbb_人人\r\n");
    }
    WriteWholeFile(backup, lines);
    RunDialog([&](HWND dialog) {
        ClickLater(dialog, IDC_RESTORE);
        ASSERT_TRUE(AnswerFileDialog(backup));
        EXPECT_EQ(AnswerMessageBox(), Gbk("备份文件中有1条词语超出词库容量，未能恢复。"));
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_WORD_LIST, LB_GETCOUNT, 0, 0), 10000);
        EXPECT_TRUE(Offers("aaaa", "工工"));
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(Offers("aaaa", "工工"));
    EXPECT_TRUE(Offers("wwkh", "人中"));
    EXPECT_EQ(ReadWholeFile(userFile), FileOf(threeWords));
}

TEST_F(WordDialogTest, TheSingleCharacterLookup) {
    RunDialog([](HWND dialog) {
        Type(dialog, IDC_CHAR_EDIT, L"中");
        Click(dialog, IDC_CHAR_LOOKUP);
        EXPECT_EQ(Box(dialog, IDC_CHAR_CODE), "khk");
        SetDlgItemTextA(dialog, IDC_CHAR_EDIT, Gbk("Ａ").c_str());
        ClickLater(dialog, IDC_CHAR_LOOKUP);
        EXPECT_EQ(AnswerMessageBox(), Gbk("该汉字并未录入，没有外码!"));
        EXPECT_EQ(Box(dialog, IDC_CHAR_CODE), "khk");
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
}

// Another program reading the user file keeps it from being replaced. (Wine replaces a read-only
// file all the same, so the read-only attribute cannot stand for a failed write here.)
TEST_F(WordDialogTest, AFailedWriteKeepsTheOldFileAndTheDialog) {
    HANDLE reader = CreateFileA(userFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    RunDialog([](HWND dialog) {
        Select(dialog, 0);
        Click(dialog, IDC_WORD_DELETE);
        ClickLater(dialog, IDC_WORD_CLOSE);
        EXPECT_EQ(AnswerMessageBox(), Gbk("打开文件错误!"));
        Sleep(100);
        EXPECT_TRUE(IsWindow(dialog));
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    CloseHandle(reader);
    EXPECT_EQ(ReadWholeFile(userFile), FileOf(threeWords));
    EXPECT_TRUE(Offers("wwkh", "人中")) << "Esc keeps the words in use";
}

}  // namespace
