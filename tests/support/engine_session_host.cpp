#include <cstring>

#include "common/gbk_text.h"
#include "common/message_names.h"
#include "dict/code_index.h"
#include "dict/dictionary_files.h"
#include "engine/online_word_state.h"
#include "engine/commit.h"
#include "engine/conversion_state.h"
#include "engine/dispatch.h"
#include "context/input_context.h"
#include "engine/symbol_conversion.h"
#include "platform/host/host_control.h"
#include "support/engine_session.h"
#include "support/test_platform.h"
#include "engine/window_state.h"
#include "context/message_queue.h"
#include "settings/settings.h"
#include "engine/mode_state.h"
#include "dict/table_image_files.h"
#include "dict/tables.h"
#include "ime/process_state.h"

namespace {

void Store(DictEntry& entry, const std::string& code, const std::string& utf8) {
    std::memset(&entry, 0, sizeof entry);
    std::strncpy(entry.code, code.c_str(), kMaxCodeLength);
    const std::string gbk = Gbk(utf8);
    std::memcpy(entry.word, gbk.data(), gbk.size() < kMaxWordBytes ? gbk.size() : kMaxWordBytes);
}

}  // namespace

void FillMainTable(const WordList& words) {
    // Words made by hand are no image's.
    LeaveTableImage();
    std::memset(Tables.MainTable, 0, kMainTableBytes);
    for (std::size_t i = 0; i < words.size(); ++i) {
        Store(Tables.MainTable[i], words[i].first, words[i].second);
    }
    // Group k + 1 starts after every word of a lower group.
    for (int k = 0; k < kLetterStartCount; ++k) {
        std::int32_t start = 0;
        for (std::size_t i = 0; i < words.size(); ++i) {
            if (GroupOrdinal(static_cast<unsigned char>(words[i].first[0])) <= k) {
                start = static_cast<std::int32_t>(i + 1);
            }
        }
        Tables.LetterStart[k] = start;
    }
    RebuildIndex(MainIndex, Tables.MainTable, kMainTableCapacity);
    Tables.MainSource = TableSource::Machine;
}

void FillUserTable(const WordList& words) {
    std::memset(Tables.UserTable, 0, sizeof Tables.UserTable);
    for (std::size_t i = 0; i < words.size(); ++i) {
        Store(Tables.UserTable[i], words[i].first, words[i].second);
    }
    RebuildIndex(UserIndex, Tables.UserTable, kUserTableCapacity);
    // Words made by hand are the current code set's, as a load would have made them.
    Tables.CodeSet = Settings.CodeSet;
}

EngineSession::EngineSession() {
    ResetProcessState();
    DecodeSettings(kInstalledDefaults, Settings);
    FillMainTable({});
    FillUserTable({});
    HostResetRecords();
    HostClearMessages();
    owner_ = HostCreateWindow();
    context_ = HostCreateInputContext();
    HostSetContextOwner(context_, owner_);
    HostSetMessageSink(&EngineSession::Receive, this);
    INPUTCONTEXT* data = ImmLockIMC(context_);
    InitCompositionString(data);
    ShapeSelectedCandidateInfo(data);
    ImmUnlockIMC(context_);
}

EngineSession::~EngineSession() {
    HostSetMessageSink(nullptr, nullptr);
    HostDestroyInputContext(context_);
    HostDestroyWindow(owner_);
}

void EngineSession::UseShippedDictionaries(int codeSet) {
    CopyShippedDictionaries();
    Settings.CodeSet = codeSet;
    LoadDictionaries(Settings.CodeSet, true, true);
}

void EngineSession::UseWords(const WordList& main, const WordList& user) {
    FillMainTable(main);
    FillUserTable(user);
}

void EngineSession::Type(const std::string& keys) {
    for (char key : keys) {
        Key(static_cast<unsigned char>(key));
    }
}

void EngineSession::Key(unsigned character, unsigned scan) {
    ProcessCharacter(context_, character, scan);
}

void EngineSession::Receive(HIMC context, const HostMessage& message, void* data) {
    auto* session = static_cast<EngineSession*>(data);
    if (context == session->context_ && message.message == WM_IME_COMPOSITION &&
        (message.lParam & 0x800) != 0) {
        session->committed_ += session->Result();
    }
}

CANDIDATELIST* EngineSession::List() const {
    INPUTCONTEXT* data = ImmLockIMC(context_);
    CANDIDATEINFO* info = static_cast<CANDIDATEINFO*>(ImmLockIMCC(data->hCandInfo));
    CANDIDATELIST* list = CandidateListOf(info);
    // The blocks stay where they are while the test looks at them.
    ImmUnlockIMCC(data->hCandInfo);
    ImmUnlockIMC(context_);
    return list;
}

std::vector<std::string> EngineSession::Candidates() const {
    std::vector<std::string> texts;
    for (int slot = kFirstCandidateSlot; slot < Conversion.CandidateCount; ++slot) {
        texts.push_back(Utf8(CandidateSlot(List(), slot)));
    }
    return texts;
}

std::string EngineSession::Result() const {
    INPUTCONTEXT* data = ImmLockIMC(context_);
    COMPOSITIONSTRING* comp = static_cast<COMPOSITIONSTRING*>(ImmLockIMCC(data->hCompStr));
    std::string text(ResultString(comp), comp->dwResultStrLen);
    ImmUnlockIMCC(data->hCompStr);
    ImmUnlockIMC(context_);
    return Utf8(text);
}

std::string EngineSession::TakeCommitted() {
    std::string committed;
    committed.swap(committed_);
    return committed;
}

std::vector<std::string> EngineSession::TakeMessages() {
    std::vector<std::string> names;
    for (int i = static_cast<int>(seenMessages_); i < HostMessageCount(); ++i) {
        const HostMessage& m = HostMessageAt(i);
        names.push_back(MessageName(m.message, m.wParam, m.lParam));
    }
    seenMessages_ = static_cast<std::size_t>(HostMessageCount());
    return names;
}

int EngineSession::TakeBeeps() {
    const int beeps = HostBeepCount();
    HostResetRecords();
    return beeps;
}
