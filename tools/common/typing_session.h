// Types keys through the input method's own entry points on the host, as IMM32 delivers them, and
// plays the application: a plain text box that receives the committed text. Used by zelk-type and
// by the tests.
//
// Each key event is ImeProcessKey with the key message's data, then, for a taken key,
// ImeToAsciiEx with the key, its character (Windows form: bits 8-15; Wine form: bits 16-31; none
// for a release), the scan code with its release and previous-state bits and the key-state array,
// and the delivery of its messages. Messages sent outside ImeToAsciiEx reach the application as
// they are generated. A key the input method does not take goes to the text box: a printable
// character is appended, Enter adds a line break, Backspace deletes one character, Ctrl+C copies
// the selection. Keystrokes the input method synthesizes are delivered after the event that sent
// them, as the system's input queue would.
#pragma once

#include "context/process_facts.h"

#include <string>
#include <string_view>
#include <vector>

#include "common/key_notation.h"
#include "platform/win32.h"

struct HostMessage;

struct MessageBoxRecord {
    std::string caption;  // UTF-8
    std::string text;
};

// What one token (or one key event) did.
struct KeyOutcome {
    bool taken = false;  // ImeProcessKey's answer for the press of the token's key
    std::string commit;  // UTF-8 text the input method delivered (result strings, soft keys)
    std::vector<std::string> messages;  // as the application received them (MessageName)
    int beeps = 0;
    std::vector<MessageBoxRecord> boxes;
};

class TypingSession {
  public:
    // A new context, owned by a new window, prepared as selection prepares it, and open.
    TypingSession();
    // An existing context (with its owner window), prepared and opened the same way.
    explicit TypingSession(HIMC context);
    ~TypingSession();
    TypingSession(const TypingSession&) = delete;
    TypingSession& operator=(const TypingSession&) = delete;

    // One token of the notation.
    KeyOutcome Type(const KeyToken& token);
    // Every token of a notation text (which must be valid); the outcomes joined.
    KeyOutcome TypeKeys(std::string_view notation);

    // One key event: press or release of a virtual key, with the scan code of a US keyboard
    // unless one is given (which then carries only the low byte and the extended bit 0x100).
    // Returns whether ImeProcessKey took it. The outcome collects into Outcome().
    bool KeyEvent(BYTE virtualKey, bool press, int scan = -1);
    const KeyOutcome& Outcome() const { return outcome_; }
    void ClearOutcome() { outcome_ = KeyOutcome{}; }

    // The application's text (UTF-8).
    const std::string& Text() const { return text_; }
    // The application's selection (GBK), which its copy command puts on the clipboard.
    void SetSelection(std::string_view gbk) { selection_ = gbk; }
    // Deliver the character of a key in bits 16-31 of ImeToAsciiEx's key argument, as Wine does.
    void UseWineKeyArgument(bool wine) {
        wineKeyArgument_ = wine;
        Process.RunningUnderWine = wine;
    }
    // The capacity (uMsgCount) of the message list handed to ImeToAsciiEx.
    void SetMessageListCapacity(UINT capacity);

    HIMC context() const { return context_; }
    const BYTE* KeyState() const { return keyState_; }

  private:
    static void Receive(HIMC context, const HostMessage& message, void* data);
    void OnMessage(const HostMessage& message);
    void Prepare();
    bool Deliver(BYTE virtualKey, bool press, UINT scan, bool extended);
    void DeliverSynthesizedKeystrokes();
    void ApplicationKey(BYTE virtualKey, unsigned char character);
    // Text typed into the box: GBK bytes, with line breaks, backspaces and control characters
    // handled as an edit box does. fromInputMethod: it also counts as committed.
    void TypeText(std::string_view gbk, bool fromInputMethod);
    void ReadResultString();

    HIMC context_;
    HWND ownWindow_ = nullptr;
    bool ownContext_ = false;
    BYTE keyState_[256] = {};
    std::string text_;
    std::string selection_;
    KeyOutcome outcome_;
    int pendingLeadByte_ = -1;
    int nextKeystroke_ = 0;
    bool wineKeyArgument_ = false;
    std::vector<unsigned char> listMemory_;
    UINT listCapacity_ = 0;
};
