// A host input context prepared as selection prepares it, with the engine's state reset, for
// tests that drive the conversion engine directly.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/win32.h"
#include "settings/settings.h"

struct CANDIDATELIST;
struct HostMessage;

// (code, word in UTF-8) pairs.
using WordList = std::vector<std::pair<std::string, std::string>>;

class EngineSession {
  public:
    // Installed defaults, no dictionaries (empty tables), Chinese punctuation on.
    EngineSession();
    ~EngineSession();
    EngineSession(const EngineSession&) = delete;
    EngineSession& operator=(const EngineSession&) = delete;

    // The shipped dictionaries of a code set, from a fresh copy.
    void UseShippedDictionaries(int codeSet);
    // A hand-made main table (grouped by first key in the given order; the groups are made to
    // fit) and user table.
    void UseWords(const WordList& main, const WordList& user = {});

    // ProcessCharacter for each byte (scan code 0).
    void Type(const std::string& keys);
    void Key(unsigned character, unsigned scan = 0);

    // The candidate slots 2 .. CandidateCount - 1, in UTF-8.
    std::vector<std::string> Candidates() const;
    // The result string of the composition string, in UTF-8.
    std::string Result() const;
    // Every result string the application received since the last call (in UTF-8, joined).
    std::string TakeCommitted();
    // Names of the messages delivered since the last call.
    std::vector<std::string> TakeMessages();
    int TakeBeeps();

    CANDIDATELIST* List() const;
    HIMC context() const { return context_; }
    HWND owner() const { return owner_; }

  private:
    // Plays the application: reads the result string when a commit arrives.
    static void Receive(HIMC context, const HostMessage& message, void* data);

    HIMC context_;
    HWND owner_;
    std::size_t seenMessages_ = 0;
    std::string committed_;
};

// Writes the words to MainTable in the given order and makes LetterStart fit their groups.
void FillMainTable(const WordList& words);
void FillUserTable(const WordList& words);
