// Splitting dictionary-type text into table entries. One reader serves the main file ('_'), the
// user file (' ') and user-word backups ('_').
#pragma once

#include <cstddef>

#include "dict/tables.h"

enum class LineRules {
    // Line i of a main file is entry i, because the group boundaries are fixed: a blank line
    // keeps its place as an empty entry, and a line without any byte ends the file.
    MainFile,
    // User words have no positions to keep: spaces before the code are passed over, and a line
    // that gives no code (blank, only spaces, led by a separator, a NUL or another control byte)
    // is skipped, so no word after one is lost.
    UserWords,
};

// Streams bytes into consecutive entries of a table, never past its capacity. Each line is
// read up to its LF whatever its length; one CR before the LF is dropped; the code is the text
// before the first separator (at most 6 bytes kept) and the word the text after the last one
// (cut to 99 bytes at a character boundary).
class DictionaryLineReader {
  public:
    DictionaryLineReader(char separator, DictEntry* table, std::size_t capacity, LineRules rules);
    // Returns false once the reader takes no more input (table full or end of a main file).
    bool Feed(const char* bytes, std::size_t size);
    // Takes a last line that has no line end.
    void Finish();
    std::size_t EntriesRead() const { return next_; }

  private:
    void EndLine();

    static constexpr std::size_t kLineBufferSize = 512;
    char separator_;
    DictEntry* table_;
    std::size_t capacity_;
    LineRules rules_;
    std::size_t next_ = 0;
    bool stopped_ = false;
    char line_[kLineBufferSize];
    std::size_t length_ = 0;
};

// Cuts a GBK string to at most maxBytes without splitting a double-byte character; returns the
// length kept.
std::size_t GbkPrefixLength(const char* text, std::size_t length, std::size_t maxBytes);
