#include "dict/line_reader.h"

#include <cstring>

DictionaryLineReader::DictionaryLineReader(char separator, DictEntry* table, std::size_t capacity,
                                           LineRules rules)
    : separator_(separator), table_(table), capacity_(capacity), rules_(rules) {
    stopped_ = capacity_ == 0;
}

bool DictionaryLineReader::Feed(const char* bytes, std::size_t size) {
    for (std::size_t i = 0; i < size && !stopped_; ++i) {
        if (bytes[i] == '\n') {
            EndLine();
        } else if (length_ < kLineBufferSize) {
            line_[length_++] = bytes[i];
        }
    }
    return !stopped_;
}

void DictionaryLineReader::Finish() {
    if (!stopped_ && length_ > 0) {
        EndLine();
    }
    stopped_ = true;
}

void DictionaryLineReader::EndLine() {
    std::size_t length = length_;
    length_ = 0;
    if (length == 0 && rules_ == LineRules::MainFile) {
        stopped_ = true;
        return;
    }
    if (length > 0 && line_[length - 1] == '\r') {
        --length;
    }
    // A user word's code may stand after spaces (an edited file); a main line's code is its start.
    std::size_t start = 0;
    while (rules_ == LineRules::UserWords && start < length && line_[start] == ' ') {
        ++start;
    }
    const char* code = line_ + start;
    const char* first = static_cast<const char*>(std::memchr(code, separator_, length - start));
    const std::size_t codeLength =
        first != nullptr ? static_cast<std::size_t>(first - code) : length - start;
    // An entry without a code would end every scan of the table and take the place of the next
    // word saved: a user line that gives none (blank, only spaces, led by a separator, by a NUL or
    // by another control byte such as a stray CR) is skipped.
    const unsigned char lead = codeLength > 0 ? static_cast<unsigned char>(code[0]) : 0;
    if (rules_ == LineRules::UserWords && (lead < 0x20 || lead == 0x7F)) {
        return;
    }

    DictEntry& entry = table_[next_];
    std::memset(&entry, 0, sizeof entry);
    std::memcpy(entry.code, code, codeLength < kMaxCodeLength ? codeLength : kMaxCodeLength);
    if (first != nullptr) {
        std::size_t wordStart = length;
        while (line_[wordStart - 1] != separator_) {
            --wordStart;
        }
        const char* word = line_ + wordStart;
        std::size_t kept = GbkPrefixLength(word, length - wordStart, kMaxWordBytes);
        std::memcpy(entry.word, word, kept);
    }
    if (++next_ == capacity_) {
        stopped_ = true;
    }
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
