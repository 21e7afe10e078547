#include "dict/word_text.h"

namespace {

bool IsLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

bool IsTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

}  // namespace

bool IsPlainWord(const char* word) {
    if (word == nullptr) {
        return false;
    }
    for (const char* p = word; *p != '\0'; ++p) {
        const unsigned char byte = static_cast<unsigned char>(*p);
        if (byte <= 0x20 || byte == 0x7F) {
            return false;
        }
    }
    return true;
}

std::size_t GbkCharBytes(const char* text, std::size_t remaining) {
    if (remaining == 0) {
        return 0;
    }
    if (remaining >= 2 && IsLeadByte(static_cast<unsigned char>(text[0])) &&
        IsTrailByte(static_cast<unsigned char>(text[1]))) {
        return 2;
    }
    return 1;
}

std::size_t GbkPrefixBytes(const char* text, std::size_t length, std::size_t maxBytes,
                           std::size_t maxChars) {
    std::size_t kept = 0;
    std::size_t chars = 0;
    while (kept < length && chars < maxChars) {
        const std::size_t step = GbkCharBytes(text + kept, length - kept);
        if (kept + step > maxBytes) {
            break;
        }
        kept += step;
        ++chars;
    }
    return kept;
}
