// Random key events with random settings through ImeProcessKey and ImeToAsciiEx, delivered as the
// system delivers them (a press or a release of a virtual key, its character, the scan code with
// its release and previous-state bits, the key-state array with Shift, Ctrl and Caps Lock), on the
// shipped dictionaries with hand-made edge entries. After every event the published state must
// hold together and every message the application received must be one the input method sends.
//
// Input: 5 bytes of settings, modes and the way keys arrive (Wine's key argument, a small
// message list), then one byte per event: bits 0..6 choose the key, bit 7 a release.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "common/typing_session.h"
#include "engine/online_word_state.h"
#include "engine/commit.h"
#include "engine/conversion_state.h"
#include "context/input_context.h"
#include "engine/symbol_conversion.h"
#include "platform/host/host_control.h"
#include "settings/settings.h"
#include "support/engine_fixture.h"
#include "engine/window_state.h"

namespace {

constexpr std::size_t kHeaderSize = 5;

struct KeyChoice {
    BYTE virtualKey;
    int scan;  // -1: the US keyboard's
};

// Letters twice as often as the rest, so that codes get typed.
const KeyChoice kKeys[] = {
    {'A', -1},  {'B', -1},    {'C', -1},    {'D', -1},  {'E', -1},  {'F', -1},  {'G', -1},
    {'H', -1},  {'I', -1},    {'J', -1},    {'K', -1},  {'L', -1},  {'M', -1},  {'N', -1},
    {'O', -1},  {'P', -1},    {'Q', -1},    {'R', -1},  {'S', -1},  {'T', -1},  {'U', -1},
    {'V', -1},  {'W', -1},    {'X', -1},    {'Y', -1},  {'Z', -1},  {'A', -1},  {'D', -1},
    {'K', -1},  {'W', -1},    {'N', -1},    {'T', -1},  {'0', -1},  {'1', -1},  {'2', -1},
    {'3', -1},  {'5', -1},    {'9', -1},    {0xBA, -1}, {0xBB, -1}, {0xBC, -1}, {0xBD, -1},
    {0xBE, -1}, {0xBF, -1},   {0xC0, -1},   {0xDB, -1}, {0xDC, -1}, {0xDD, -1}, {0xDE, -1},
    {0x20, -1}, {0x0D, -1},   {0x1B, -1},   {0x08, -1}, {0x21, -1}, {0x22, -1}, {0x24, -1},
    {0x23, -1}, {0x10, 0x2A}, {0x10, 0x36}, {0x11, -1}, {0x14, -1}, {0x2E, -1}, {0x25, -1},
};
constexpr std::size_t kKeyCount = sizeof kKeys / sizeof kKeys[0];

bool IsSentMessage(const std::string& name) {
    return name.rfind("WM_IME_", 0) == 0 || name.rfind("WM_CHAR ", 0) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    LoadFuzzTables();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kHeaderSize) {
        return 0;
    }
    StartRun(data);
    HostSetMessageBoxAnswer((data[4] & 8) != 0 ? IDCANCEL : IDOK);

    {
        TypingSession session;
        session.UseWineKeyArgument((data[4] & 1) != 0);
        if ((data[4] & 2) != 0) {
            session.SetMessageListCapacity(3);
        }
        for (std::size_t i = kHeaderSize; i < size; ++i) {
            const KeyChoice& key = kKeys[(data[i] & 0x7F) % kKeyCount];
            session.ClearOutcome();
            session.KeyEvent(key.virtualKey, (data[i] & 0x80) == 0, key.scan);
            CheckState(session.context());
            for (const std::string& name : session.Outcome().messages) {
                Require(IsSentMessage(name), "the application received only the IME's messages");
            }
        }
    }
    HostSetLocalTime(nullptr);
    return 0;
}
