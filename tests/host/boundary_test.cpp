// No C++ exception leaves the module into its host program: an allocation that fails in the
// middle of a key's work (here: the save of a word made on line) becomes a refused key and a
// beep, with the tables, the file and every lock as they were, and the next key works again.
#include <gtest/gtest.h>

#include <string>

#include "common/gbk_text.h"
#include "dict/dictionary_files.h"
#include "dict/tables.h"
#include "engine/mode_state.h"
#include "ime/process_state.h"
#include "keys/key_entry.h"
#include "context/input_context.h"
#include "context/message_queue.h"
#include "platform/host/host_control.h"
#include "settings/settings.h"
#include "support/allocation_control.h"
#include "support/engine_session.h"
#include "support/test_platform.h"

namespace {

TEST(BoundaryTest, AFailedAllocationInAKeyRefusesTheKeyAndHarmsNothing) {
    const DataFolders folders = CopyShippedDictionaries();
    ResetProcessState();
    DecodeSettings(kInstalledDefaults, Settings);
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    const std::string machineWords = ReadWholeFile(folders.machine + "zelk2006.emb");
    const std::string word = Gbk("工人中");
    HostResetRecords();

    HIMC context = HostCreateInputContext();
    HWND owner = HostCreateWindow();
    HostSetContextOwner(context, owner);
    INPUTCONTEXT* data = ImmLockIMC(context);
    InitCompositionString(data);
    ShapeSelectedCandidateInfo(data);
    data->fOpen = TRUE;
    ImmUnlockIMC(context);

    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    HostSetKeyboardState(keys);
    alignas(TRANSMSGLIST) unsigned char memory[sizeof(TRANSMSGLIST) + 16 * sizeof(TRANSMSG)] = {};
    auto* list = reinterpret_cast<TRANSMSGLIST*>(memory);
    // The second Ctrl+` of the handshake: the selection is on the clipboard, the word is saved.
    const auto pressCtrlBackquote = [&] {
        Modes.ClipboardCapturePending = 1;
        list->uMsgCount = 16;
        return ImeToAsciiEx(VK_OEM_3, 0x29, keys, list, 0, context);
    };

    HostSetClipboardText(word.c_str());
    FailAllocations = true;
    const UINT refused = pressCtrlBackquote();
    FailAllocations = false;
    EXPECT_EQ(refused, 0u);
    EXPECT_EQ(HostBeepCount(), 1) << "the user hears that the key did nothing";
    EXPECT_EQ(HostContextLockCount(context), 0);
    EXPECT_FALSE(HostClipboardIsOpen());
    EXPECT_EQ(Messages.CurrentMessageList, nullptr);
    EXPECT_FALSE(FileExists(folders.user + "zelk2006.emb"));
    EXPECT_STREQ(Tables.UserTable[4].code, "") << "the four shipped words and nothing more";

    HostSetClipboardText(word.c_str());
    pressCtrlBackquote();
    EXPECT_EQ(ReadWholeFile(folders.user + "zelk2006.emb"),
              machineWords + "awkh     " + word + "\r\n");
    HostSetKeyboardState(nullptr);
    HostDestroyInputContext(context);
    HostDestroyWindow(owner);
}

}  // namespace
