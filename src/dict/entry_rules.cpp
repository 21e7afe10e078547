#include "dict/entry_rules.h"

#include <cstring>

namespace {

bool IsLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

bool IsTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

char GroupKey(int index) {
    return index < 26 ? static_cast<char>('a' + index) : (index == 26 ? '/' : ';');
}

}  // namespace

std::size_t CopyPlainText(const char* text, std::size_t length, char* out, std::size_t maxBytes) {
    std::size_t used = 0;
    for (std::size_t i = 0; i < length;) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        const bool pair = IsLeadByte(byte) && i + 1 < length &&
                          IsTrailByte(static_cast<unsigned char>(text[i + 1]));
        const std::size_t width = pair ? 2 : 1;
        if (pair || (byte >= 0x20 && byte < 0x7F)) {
            if (used + width > maxBytes) {
                break;
            }
            std::memcpy(out + used, text + i, width);
            used += width;
        }
        i += width;
    }
    return used;
}

bool IsCodeKey(unsigned char key, std::int32_t codeSet) {
    return (key >= 'a' && key <= 'z') ||
           (codeSet == kCodeSetSecondary && (key == ';' || key == '/'));
}

WordCheck CheckWord(const char* word, std::size_t length, const char* separators) {
    if (length == 0 || length > kMaxWordBytes) {
        return {WordFault::Length, 0, 0};
    }
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char byte = static_cast<unsigned char>(word[i]);
        if (IsLeadByte(byte)) {
            if (i + 1 >= length || !IsTrailByte(static_cast<unsigned char>(word[i + 1]))) {
                return {WordFault::NotGbk, byte, i + 1};
            }
            ++i;
        } else if (byte < 0x20 || byte == 0x7F || byte == 0x80 || byte == 0xFF) {
            return {WordFault::ControlByte, byte, i + 1};
        } else if (std::strchr(separators, byte) != nullptr) {
            return {WordFault::Separator, byte, i + 1};
        }
    }
    return {WordFault::None, 0, 0};
}

bool IsUsableLine(const char* code, std::size_t codeLength, const char* word,
                  std::size_t wordLength, char separator, std::int32_t codeSet) {
    if (codeLength == 0 || codeLength > kMaxCodeLength) {
        return false;
    }
    for (std::size_t i = 0; i < codeLength; ++i) {
        if (!IsCodeKey(static_cast<unsigned char>(code[i]), codeSet)) {
            return false;
        }
    }
    const char separators[] = {separator, '\0'};
    return CheckWord(word, wordLength, separators).fault == WordFault::None;
}

bool IsUsableEntry(const DictEntry& entry, char separator, std::int32_t codeSet) {
    return IsUsableLine(entry.code, strnlen(entry.code, kCodeFieldSize), entry.word,
                        strnlen(entry.word, kWordFieldSize), separator, codeSet);
}

MainFileCheck::MainFileCheck(std::int32_t codeSet, FaultSink* sink)
    : codeSet_(codeSet), sink_(sink) {}

void MainFileCheck::Report(LineFault fault, std::size_t a, std::size_t b, char key,
                           std::size_t line) {
    ++faults_;
    if (sink_ != nullptr) {
        sink_->Fault(line == ~std::size_t{0} ? lines_ : line, fault, a, b, key);
    }
}

void MainFileCheck::Line(const char* bytes, std::size_t length, bool endedByLf) {
    ++lines_;
    if (endedByLf) {
        if (length == 0 || bytes[length - 1] != '\r') {
            Report(LineFault::LfWithoutCr);
        } else {
            --length;
        }
    }
    if (length == 0) {
        Report(LineFault::Blank);
        return;
    }
    const char* separator = static_cast<const char*>(std::memchr(bytes, '_', length));
    if (separator == nullptr) {
        Report(LineFault::NoSeparator);
        return;
    }
    const std::size_t codeLength = static_cast<std::size_t>(separator - bytes);
    if (codeLength == 0 || codeLength > kMaxCodeLength) {
        Report(LineFault::CodeLength, codeLength, kMaxCodeLength);
    }
    for (std::size_t i = 0; i < codeLength; ++i) {
        if (!IsCodeKey(static_cast<unsigned char>(bytes[i]), codeSet_)) {
            Report(LineFault::CodeKey, static_cast<unsigned char>(bytes[i]));
            break;
        }
    }
    const std::size_t wordLength = length - codeLength - 1;
    if (wordLength == 0 || wordLength > kMaxWordBytes) {
        Report(LineFault::WordLength, wordLength, kMaxWordBytes);
    }
    const WordCheck word = CheckWord(separator + 1, wordLength, "_ ");
    switch (word.fault) {
        case WordFault::None:
        case WordFault::Length:
            break;
        case WordFault::NotGbk:
            Report(LineFault::WordNotGbk, word.byte, word.position);
            break;
        case WordFault::ControlByte:
            Report(LineFault::WordControlByte, word.byte);
            break;
        case WordFault::Separator:
            Report(LineFault::WordSeparator);
            break;
    }
    const int ordinal = codeLength > 0 ? GroupOrdinal(static_cast<unsigned char>(bytes[0])) : 0;
    if (ordinal == 0) {
        return;  // reported with the keys
    }
    if (ordinal < lastOrdinal_) {
        Report(LineFault::GroupOrder);
        return;
    }
    if (groupLines_[ordinal - 1]++ == 0) {
        groupFirstLine_[ordinal - 1] = lines_;
    }
    lastOrdinal_ = ordinal;
}

void MainFileCheck::Finish() {
    const std::int32_t* starts = LetterStartOf(codeSet_);
    for (int k = 0; k < kLetterStartCount - 1; ++k) {
        const std::size_t expected = static_cast<std::size_t>(starts[k + 1] - starts[k]);
        if (groupLines_[k] != expected) {
            Report(LineFault::GroupSize, groupLines_[k], expected, GroupKey(k), groupFirstLine_[k]);
        }
    }
    const std::size_t total = static_cast<std::size_t>(starts[kLetterStartCount - 1]);
    if (lines_ != total) {
        Report(LineFault::LineCount, lines_, total, 0, 0);
    }
}
