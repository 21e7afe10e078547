#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/online_word_state.h"
#include "engine/commit.h"
#include "engine/conversion_state.h"
#include "engine/dispatch.h"
#include "engine/lookup.h"
#include "engine/paging.h"
#include "engine/promotion.h"
#include "context/input_context.h"
#include "engine/symbol_conversion.h"
#include "platform/host/host_control.h"
#include "settings/settings.h"
#include "support/engine_fixture.h"
#include "engine/window_state.h"
#include "context/message_queue.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Keys.

struct MessageList {
    TRANSMSGLIST list;
    TRANSMSG more[63];
};

constexpr char kPunctuation[] = " !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";

enum Operation : unsigned char {
    kCharacter,
    kSpaceBar,
    kEscape,
    kBackspace,
    kCtrlDigit,
    kFirstPageButton,
    kLastPageButton,
    kPageUpButton,
    kPageDownButton,
    kWindowDrew,
};

struct Key {
    Operation operation;
    unsigned character;
    unsigned scan;
};

Key Decode(std::uint8_t byte) {
    if (byte < 130) {
        return {kCharacter, static_cast<unsigned>('a' + byte % 26), 0};
    }
    if (byte < 150) {
        return {kCharacter, static_cast<unsigned>('0' + byte % 10), 0};
    }
    if (byte < 150 + sizeof kPunctuation - 1) {
        return {kCharacter, static_cast<unsigned char>(kPunctuation[byte - 150]), 0};
    }
    switch (byte) {
        case 183:
            return {kCharacter, 13, 0};
        case 184:
            return {kCharacter, 14, 0};
        case 185:
            return {kCharacter, 0, kPageUpScan};
        case 186:
            return {kCharacter, 0, kPageDownScan};
        case 187:
            return {kFirstPageButton, 0, 0};
        case 188:
            return {kLastPageButton, 0, 0};
        case 189:
            return {kPageUpButton, 0, 0};
        case 190:
            return {kPageDownButton, 0, 0};
        default:
            break;
    }
    if (byte < 210) {
        return {kSpaceBar, 0, 0};
    }
    if (byte < 220) {
        return {kEscape, 0, 0};
    }
    if (byte < 230) {
        return {kBackspace, 0, 0};
    }
    if (byte < 240) {
        return {kCtrlDigit, static_cast<unsigned>('0' + byte % 10), 0};
    }
    // The candidate window drew 1 to 10 candidates of the page.
    if (byte < 250) {
        return {kWindowDrew, static_cast<unsigned>(byte - 240 + 1), 0};
    }
    // Bytes the key entry passes on untouched (control characters, GBK halves).
    return {kCharacter, static_cast<unsigned>(byte == 255 ? 0xB0 : byte - 250 + 1), 0};
}

// The key entry drops a code that found nothing before the next key other than Backspace (and
// then handles that key afresh); raw sequences skip that, to reach states it would avoid.
bool keyEntryDropsDeadCodes = true;

void Press(HIMC context, const Key& key) {
    if (keyEntryDropsDeadCodes && key.operation != kBackspace && Conversion.CodeLength > 0 &&
        Conversion.CandidateCount == kFirstCandidateSlot) {
        EditCode(context, 0, Clear, true);
        Conversion.CandidateCount = kFirstCandidateSlot;
        Conversion.CandidatesOpen = 0;
    }
    switch (key.operation) {
        case kCharacter:
            ProcessCharacter(context, key.character, key.scan);
            break;
        case kSpaceBar:
            if (Conversion.CandidateCount > kFirstCandidateSlot) {
                Conversion.CandidateCount = kFirstCandidateSlot;
                Conversion.CandidatesOpen = 0;
                CommitFirstCandidate(context);
                EditCode(context, ' ', Clear, true);
            } else {
                CommitCharacter(context, ' ');
            }
            break;
        case kEscape:
            EditCode(context, 0x1B, Clear, true);
            Conversion.CandidateCount = kFirstCandidateSlot;
            Conversion.CandidatesOpen = 0;
            break;
        case kBackspace:
            DeleteLastKey(context, 8);
            break;
        case kCtrlDigit:
            // Manual frequency: the key entry passes Ctrl+digit on only when it is not automatic.
            if (Settings.AutoFrequency == 0) {
                PromoteCandidate(context, key.character);
            }
            break;
        case kFirstPageButton:
            FirstPage(context);
            break;
        case kLastPageButton:
            LastPage(context);
            break;
        case kPageUpButton:
            PageUp(context);
            break;
        case kPageDownButton:
            PageDown(context);
            break;
        case kWindowDrew: {
            ContextLock locked(context);
            CandInfoLock info(locked ? locked->hCandInfo : nullptr);
            if (info) {
                CandidateListOf(info.get())->dwPageSize = key.character;
                Conversion.VisibleCandidates = static_cast<std::int32_t>(key.character);
            }
            break;
        }
    }
}

constexpr std::size_t kHeaderSize = 5;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    LoadFuzzTables();
    return 0;
}

// Bytes 0..3: the settings, the modes and the clock; byte 4: how keys arrive.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kHeaderSize) {
        return 0;
    }
    StartRun(data);
    keyEntryDropsDeadCodes = (data[4] & 4) == 0;

    HWND owner;
    HIMC context = CreatePreparedContext(owner);
    // Keys inside a message list as ImeToAsciiEx passes them, with room for all messages or
    // too little; or outside any call, each message through the message buffer.
    MessageList messages{};
    const unsigned listChoice = data[4] & 3;
    const bool inCall = listChoice != 0;
    messages.list.uMsgCount = listChoice == 1 ? 4 : 64;

    for (std::size_t i = kHeaderSize; i < size; ++i) {
        if (inCall) {
            BeginMessageList(&messages.list);
        }
        Press(context, Decode(data[i]));
        if (inCall) {
            const UINT count = FinishMessageList(context);
            HostDeliverTranslatedMessages(context, &messages.list, count);
        }
        CheckState(context);
    }

    HostDestroyInputContext(context);
    HostDestroyWindow(owner);
    HostSetLocalTime(nullptr);
    return 0;
}
