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
    if (length == 0 && rules_ == LineRules::UserWords) {
        return;
    }

    DictEntry& entry = table_[next_];
    std::memset(&entry, 0, sizeof entry);
    const char* first = static_cast<const char*>(std::memchr(line_, separator_, length));
    std::size_t codeLength = first != nullptr ? static_cast<std::size_t>(first - line_) : length;
    std::memcpy(entry.code, line_, codeLength < kMaxCodeLength ? codeLength : kMaxCodeLength);
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
    while (kept < length) {
        std::size_t width = static_cast<unsigned char>(text[kept]) >= 0x81 ? 2 : 1;
        if (kept + width > maxBytes || kept + width > length) {
            break;
        }
        kept += width;
    }
    return kept;
}
