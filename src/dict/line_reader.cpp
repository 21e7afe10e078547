#include "dict/line_reader.h"

#include <cstring>

DictionaryLineReader::DictionaryLineReader(char separator, DictEntry* table, std::size_t capacity,
                                           LineRules rules, std::int32_t codeSet)
    : separator_(separator),
      table_(table),
      capacity_(capacity),
      rules_(rules),
      codeSet_(codeSet),
      check_(codeSet, nullptr) {
    stopped_ = capacity_ == 0 && rules_ == LineRules::MainFile;
}

bool DictionaryLineReader::Feed(const char* bytes, std::size_t size) {
    for (std::size_t i = 0; i < size && !stopped_; ++i) {
        if (bytes[i] == '\n') {
            EndLine(true);
        } else if (length_ < kLineBufferSize) {
            line_[length_++] = bytes[i];
        } else {
            overlong_ = true;
        }
    }
    return !stopped_;
}

void DictionaryLineReader::Finish() {
    if (!stopped_ && (length_ > 0 || overlong_)) {
        EndLine(false);
    }
    if (rules_ == LineRules::MainFile) {
        check_.Finish();
    }
    stopped_ = true;
}

void DictionaryLineReader::EndLine(bool endedByLf) {
    std::size_t length = length_;
    const bool overlong = overlong_;
    length_ = 0;
    overlong_ = false;
    if (rules_ == LineRules::MainFile) {
        // No line of a usable file comes near the buffer's size, so a cut line fails the check.
        check_.Line(line_, length, endedByLf);
        if (!check_.Passed()) {
            stopped_ = true;
            return;
        }
    }
    if (length > 0 && line_[length - 1] == '\r') {
        --length;
    }
    if (rules_ == LineRules::MainFile) {
        StoreMainLine(length);
    } else if (overlong) {
        ++skipped_;
    } else {
        StoreUserLine(length);
    }
}

void DictionaryLineReader::StoreMainLine(std::size_t length) {
    const char* first = static_cast<const char*>(std::memchr(line_, separator_, length));
    const std::size_t codeLength =
        first != nullptr ? static_cast<std::size_t>(first - line_) : length;
    DictEntry& entry = table_[next_];
    std::memset(&entry, 0, sizeof entry);
    std::memcpy(entry.code, line_, codeLength < kMaxCodeLength ? codeLength : kMaxCodeLength);
    if (first != nullptr) {
        const std::size_t wordStart = WordStart(line_, codeLength, length, separator_);
        const char* word = line_ + wordStart;
        std::memcpy(entry.word, word, GbkPrefixLength(word, length - wordStart, kMaxWordBytes));
    }
    if (++next_ == capacity_) {
        stopped_ = true;
    }
}

void DictionaryLineReader::StoreUserLine(std::size_t length) {
    // A user word's code may stand after spaces (an edited file).
    std::size_t start = 0;
    while (start < length && line_[start] == ' ') {
        ++start;
    }
    if (start == length) {
        return;  // a blank line: nothing to keep, nothing lost
    }
    const char* code = line_ + start;
    const char* first = static_cast<const char*>(std::memchr(code, separator_, length - start));
    const std::size_t codeLength =
        first != nullptr ? static_cast<std::size_t>(first - code) : length - start;
    const std::size_t wordStart =
        first != nullptr ? WordStart(line_, start + codeLength, length, separator_) : length;
    const char* word = line_ + wordStart;
    const std::size_t wordLength = length - wordStart;
    if (!IsUsableLine(code, codeLength, word, wordLength, separator_, codeSet_)) {
        ++skipped_;
        return;
    }
    if (next_ == capacity_) {
        ++overflow_;
        return;
    }
    DictEntry& entry = table_[next_++];
    std::memset(&entry, 0, sizeof entry);
    std::memcpy(entry.code, code, codeLength);
    std::memcpy(entry.word, word, wordLength);
}

std::size_t GbkPrefixLength(const char* text, std::size_t length, std::size_t maxBytes) {
    std::size_t kept = 0;
    // A NUL ends the text as the tables store it, so a lead byte before one is no character.
    while (kept < length && text[kept] != '\0') {
        std::size_t width = static_cast<unsigned char>(text[kept]) >= 0x81 ? 2 : 1;
        if (kept + width > maxBytes || kept + width > length ||
            (width == 2 && text[kept + 1] == '\0')) {
            break;
        }
        kept += width;
    }
    return kept;
}

std::size_t WordStart(const char* line, std::size_t from, std::size_t length, char separator) {
    std::size_t start = length;
    for (std::size_t i = from; i < length;) {
        const unsigned char byte = static_cast<unsigned char>(line[i]);
        if (line[i] == separator) {
            start = ++i;
        } else {
            i += byte >= 0x81 && i + 1 < length ? 2 : 1;
        }
    }
    return start;
}
