// What a dictionary line must be to be read: the rules the loader applies to every file it reads
// and that zelk-dict check reports by. A code is 1 to 6 keys of its code set; a word is 1 to 99
// bytes of well-formed GBK text without control bytes. A main file passes only whole: every line
// good, CR LF line ends, and its groups in key order with exactly the sizes of the code set, since
// a group's entries are found by their fixed positions.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dict/tables.h"

// Copies the plain text of text into out: every whole character (a byte 0x20..0x7E, or a GBK
// lead and trail byte), none of anything else (a control byte, a lone lead byte), and no more
// than maxBytes. Returns the bytes copied (out is not terminated). What an application is handed
// never holds a byte it would take for a key: a CR, a backspace, an escape.
std::size_t CopyPlainText(const char* text, std::size_t length, char* out, std::size_t maxBytes);

// A key of the code set's codes: 'a'..'z', and for the Secondary code set also ';' and '/'.
bool IsCodeKey(unsigned char key, std::int32_t codeSet);

enum class WordFault {
    None,
    Length,       // empty, or longer than a word field holds
    NotGbk,       // a lead byte without its trail byte; detail: the lead byte and its position
    ControlByte,  // a byte below 0x20, 0x7F, or a byte no GBK text holds (0x80, 0xFF)
    Separator,    // '_' or a space outside a character
};
struct WordCheck {
    WordFault fault;
    unsigned char byte;    // the offending byte
    std::size_t position;  // 1-based, within the word
};
// separators: the bytes that separate a code from its word in the file the word is for ("_ " for
// a main file, " " for a user file, "_" for a backup); one inside a word would split it.
WordCheck CheckWord(const char* word, std::size_t length, const char* separators);

// Whether a user-file or backup line's code and word (as the line holds them, before any cut) may
// be used; separator: the file's.
bool IsUsableLine(const char* code, std::size_t codeLength, const char* word,
                  std::size_t wordLength, char separator, std::int32_t codeSet);
// The same for an entry, which is what its user-file or backup line will hold: only an entry that
// passes reads back as itself.
bool IsUsableEntry(const DictEntry& entry, char separator, std::int32_t codeSet);

enum class LineFault {
    LfWithoutCr,
    Blank,
    NoSeparator,
    CodeLength,  // a: the keys found, b: the most allowed
    CodeKey,     // a: the byte
    WordLength,  // a: the bytes found, b: the most allowed
    WordNotGbk,  // a: the lead byte, b: its position in the word
    WordControlByte,
    WordSeparator,
    GroupOrder,
    GroupSize,  // a: the lines of the group, b: the lines it must have; key: the group's key
    LineCount,  // line 0; a: the file's lines, b: the lines the code set needs
};

// Where the faults of a main file go, each with its 1-based line (0: the file as a whole).
class FaultSink {
  public:
    virtual void Fault(std::size_t line, LineFault fault, std::size_t a, std::size_t b,
                       char key) = 0;

  protected:
    ~FaultSink() = default;
};

// The whole-file test of a main file, line by line as the file is read.
class MainFileCheck {
  public:
    // sink may be null: the faults are only counted.
    MainFileCheck(std::int32_t codeSet, FaultSink* sink);
    // One line without its LF; endedByLf: an LF followed it (only the last line may lack one).
    void Line(const char* bytes, std::size_t length, bool endedByLf);
    // After the last line: the groups' sizes and the line count.
    void Finish();
    bool Passed() const { return faults_ == 0; }
    std::size_t Lines() const { return lines_; }

  private:
    void Report(LineFault fault, std::size_t a = 0, std::size_t b = 0, char key = 0,
                std::size_t line = ~std::size_t{0});

    std::int32_t codeSet_;
    FaultSink* sink_;
    std::size_t lines_ = 0;
    std::size_t faults_ = 0;
    int lastOrdinal_ = 0;
    std::size_t groupLines_[kLetterStartCount] = {};
    std::size_t groupFirstLine_[kLetterStartCount] = {};
};
