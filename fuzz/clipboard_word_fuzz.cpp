// Arbitrary bytes on the clipboard, as another program may leave them (no NUL at the end, control
// bytes, half characters), through the on-line word commands that take them: a word made of the
// selection and the codes of the selection. The block is read within its size only (ASan sees any
// read past it), the question and notices stay within their texts, and what reaches the user
// file is only ever a word it holds whole.
//
// Input: one byte of options (bit 0: the codes instead of a word, bit 1: cancel the question,
// bit 2: the Secondary code set), then the clipboard's bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/scratch_directory.h"
#include "dict/dictionary_files.h"
#include "dict/entry_rules.h"
#include "engine/online_word.h"
#include "engine/online_word_state.h"
#include "ime/process_state.h"
#include "platform/host/host_control.h"
#include "settings/settings.h"
#include "support/engine_fixture.h"

namespace {

std::string userFiles[2];

std::string UserWordsPath(std::int32_t codeSet) {
    char path[kPathBufferSize];
    return UserFilePath(UserFileName(codeSet), path) ? std::string(path) : std::string();
}

void CheckUserFile(std::int32_t codeSet) {
    std::vector<DictEntry> read(kUserTableCapacity);
    const LinesRead lines = ReadDictionaryLines(UserWordsPath(codeSet).c_str(), ' ', read.data(),
                                                read.size(), LineRules::UserWords, codeSet);
    Require(lines.status == FileReadStatus::Read, "the user file stays readable");
    Require(lines.skipped == 0, "every line written is a word the file holds whole");
    for (const DictEntry& entry : Tables.UserTable) {
        if (IsEmptyEntry(entry)) {
            break;
        }
        Require(IsUsableEntry(entry, ' ', codeSet), "the user table holds only whole words");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static ScratchDirectory scratch;
    const std::string system = scratch.Create() ? scratch.Path("system") : std::string();
    if (system.empty() || !CopyDictionaryFiles(ZELK_SOURCE_DIR "/data", system)) {
        std::abort();
    }
    HostSetSystemDirectory(system.c_str());
    for (const std::int32_t codeSet : {kCodeSetSecondary, kCodeSetPrimary}) {
        std::FILE* file = std::fopen(UserWordsPath(codeSet).c_str(), "rb");
        char buffer[4096];
        const std::size_t got = file != nullptr ? std::fread(buffer, 1, sizeof buffer, file) : 0;
        if (file != nullptr) {
            std::fclose(file);
        }
        userFiles[codeSet] = std::string(buffer, got);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::int32_t codeSet = (data[0] & 4) != 0 ? kCodeSetSecondary : kCodeSetPrimary;
    // The user file as shipped, for every input: a word saved by the last one is gone.
    if (std::FILE* file = std::fopen(UserWordsPath(codeSet).c_str(), "wb")) {
        std::fwrite(userFiles[codeSet].data(), 1, userFiles[codeSet].size(), file);
        std::fclose(file);
    }
    ResetProcessState();
    DecodeSettings(kInstalledDefaults, Settings);
    Settings.CodeSet = codeSet;
    static std::int32_t loaded = -1;
    if (loaded != codeSet) {
        Require(LoadDictionaries(codeSet, true, true) == 1, "the dictionaries load");
        loaded = codeSet;
    } else {
        LoadDictionaries(codeSet, false, true);
    }
    HostResetRecords();
    HostResetClipboard();
    HostSetMessageBoxAnswer((data[0] & 2) != 0 ? IDCANCEL : IDOK);
    HostSetClipboardBytes(reinterpret_cast<const char*>(data + 1), size - 1);

    HWND owner = nullptr;
    HIMC context = CreatePreparedContext(owner);
    if ((data[0] & 1) != 0) {
        ShowSelectionCodes(context);
    } else {
        ToggleOnlineWord(context);
    }
    Require(HostContextLockCount(context) == 0, "no context left locked");
    Require(!HostClipboardIsOpen() && HostClipboardLockCount() == 0, "the clipboard let go of");
    for (int i = 0; i < HostMessageBoxCount() && i < kHostMessageBoxLogSize; ++i) {
        Require(
            std::memchr(HostMessageBoxAt(i).text, '\0', sizeof HostMessageBoxAt(i).text) != nullptr,
            "a box's text within its size");
    }
    CheckUserFile(codeSet);
    HostDestroyInputContext(context);
    HostDestroyWindow(owner);
    return 0;
}
