// Splitting dictionary-type text into table entries. One reader serves the main file ('_'), the
// user file (' ') and user-word backups ('_'), and applies to each the rules of entry_rules.h.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dict/entry_rules.h"
#include "dict/tables.h"

enum class LineRules {
    // Line i of a main file is entry i, because the group boundaries are fixed: the file passes
    // only whole (MainFileCheck), and reading stops at its first fault.
    MainFile,
    // User words have no positions to keep: spaces before the code are passed over, and a line
    // that breaks the rules (blank, no code keys, a word with a control byte or not GBK, ...) is
    // skipped, so no word after one is lost.
    UserWords,
};

// Streams bytes into consecutive entries of a table, never past its capacity. Each line is
// read up to its LF whatever its length; one CR before the LF is dropped; the code is the text
// before the first separator and the word the text after the last one that stands between
// characters (a GBK trail byte that equals the separator is part of its character).
class DictionaryLineReader {
  public:
    DictionaryLineReader(char separator, DictEntry* table, std::size_t capacity, LineRules rules,
                         std::int32_t codeSet);
    // Returns false once the reader takes no more input (a main file's fault or its table full).
    bool Feed(const char* bytes, std::size_t size);
    // Takes a last line that has no line end, and ends the main file's check.
    void Finish();
    std::size_t EntriesRead() const { return next_; }
    // A main file: whether it passed the whole-file test (after Finish).
    bool Passed() const { return check_.Passed(); }
    // User words: lines skipped for breaking the rules, and good lines beyond the capacity.
    std::size_t Skipped() const { return skipped_; }
    std::size_t Overflow() const { return overflow_; }

  private:
    void EndLine(bool endedByLf);
    void StoreMainLine(std::size_t length);
    void StoreUserLine(std::size_t length);

    static constexpr std::size_t kLineBufferSize = 512;
    char separator_;
    DictEntry* table_;
    std::size_t capacity_;
    LineRules rules_;
    std::int32_t codeSet_;
    MainFileCheck check_;
    std::size_t next_ = 0;
    std::size_t skipped_ = 0;
    std::size_t overflow_ = 0;
    bool stopped_ = false;
    bool overlong_ = false;
    char line_[kLineBufferSize];
    std::size_t length_ = 0;
};

// Cuts a GBK string to at most maxBytes without splitting a double-byte character; returns the
// length kept.
std::size_t GbkPrefixLength(const char* text, std::size_t length, std::size_t maxBytes);

// Where the word of a line starts: after the last separator that stands between characters, from
// position from on; length when there is none.
std::size_t WordStart(const char* line, std::size_t from, std::size_t length, char separator);
