// An engine session typed through the key entry: the input context of EngineSession, opened and
// driven by a TypingSession that plays IMM32 and a text box. Host only.
#pragma once

#include <string>
#include <string_view>

#include "common/typing_session.h"
#include "platform/host/host_control.h"
#include "support/engine_session.h"

class KeySession {
  public:
    KeySession() : typing_(Prepared(engine_)) {}

    EngineSession& engine() { return engine_; }
    TypingSession& typing() { return typing_; }
    HIMC context() const { return engine_.context(); }

    // Types the keys (key notation) and returns what they committed, in UTF-8.
    std::string Type(std::string_view keys) {
        last_ = typing_.TypeKeys(keys);
        return last_.commit;
    }
    // What the last Type did.
    const KeyOutcome& Last() const { return last_; }
    // The text box's whole text.
    const std::string& Text() const { return typing_.Text(); }

  private:
    // Nothing of an earlier test stays on the clipboard or in the key states.
    static HIMC Prepared(EngineSession& engine) {
        HostResetClipboard();
        HostSetKeyboardState(nullptr);
        return engine.context();
    }

    EngineSession engine_;
    TypingSession typing_;
    KeyOutcome last_;
};
