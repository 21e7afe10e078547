#include "common/dictionary_check.h"

#include <cstdio>

#include "dict/tables.h"
#include "settings/settings.h"

namespace {

std::string Describe(const char* format, std::size_t a, std::size_t b = 0, std::size_t c = 0) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

bool IsCodeKey(unsigned char key, int codeSet) {
    return (key >= 'a' && key <= 'z') ||
           (codeSet == kCodeSetSecondary && (key == ';' || key == '/'));
}

// Empty when the word is well-formed GBK without separators or control bytes.
std::string WordProblem(std::string_view word) {
    for (std::size_t i = 0; i < word.size(); ++i) {
        const unsigned char lead = static_cast<unsigned char>(word[i]);
        if (lead >= 0x81 && lead <= 0xFE) {
            const unsigned char trail =
                i + 1 < word.size() ? static_cast<unsigned char>(word[i + 1]) : 0;
            if (trail < 0x40 || trail == 0x7F || trail == 0xFF) {
                return Describe("the word is not GBK text (byte 0x%02zX at word byte %zu)", lead,
                                i + 1);
            }
            ++i;
        } else if (lead < 0x20 || lead == 0x7F || lead == 0x80 || lead == 0xFF) {
            return Describe("the word has a control or invalid byte 0x%02zX", lead);
        } else if (lead == ' ' || lead == '_') {
            return "the word contains a separator ('_' or a space)";
        }
    }
    return std::string();
}

}  // namespace

DictionaryCheckResult CheckMainDictionary(std::string_view bytes, int codeSet) {
    DictionaryCheckResult result;
    const std::int32_t* starts =
        codeSet == kCodeSetPrimary ? LetterStartPrimary : LetterStartSecondary;
    auto problem = [&result](std::size_t line, std::string message) {
        result.problems.push_back({line, std::move(message)});
    };

    // Lines per group, and where each group began, to compare with the fixed sizes.
    std::size_t groupLines[kLetterStartCount] = {};
    std::size_t groupFirstLine[kLetterStartCount] = {};
    int lastOrdinal = 0;
    std::size_t position = 0;
    while (position < bytes.size()) {
        const std::size_t end = bytes.find('\n', position);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        std::string_view line = bytes.substr(position, next - position);
        position = next;
        const std::size_t number = ++result.lines;

        if (line.back() == '\n') {
            line.remove_suffix(1);
            if (line.empty() || line.back() != '\r') {
                problem(number, "the line ends in LF without CR");
            } else {
                line.remove_suffix(1);
            }
        }
        if (line.empty()) {
            problem(number, "blank line");
            continue;
        }
        const std::size_t separator = line.find('_');
        if (separator == std::string_view::npos) {
            problem(number, "no '_' between code and word");
            continue;
        }
        std::string_view code = line.substr(0, separator);
        std::string_view word = line.substr(separator + 1);
        if (code.empty() || code.size() > kMaxCodeLength) {
            problem(number, Describe("the code has %zu keys (1 to %zu allowed)", code.size(),
                                     kMaxCodeLength));
        }
        for (unsigned char key : code) {
            if (!IsCodeKey(key, codeSet)) {
                problem(
                    number,
                    Describe("the code has a byte 0x%02zX that is no key of this code set", key));
                break;
            }
        }
        if (word.empty() || word.size() > kMaxWordBytes) {
            problem(number, Describe("the word has %zu bytes (1 to %zu allowed)", word.size(),
                                     kMaxWordBytes));
        }
        std::string wordProblem = WordProblem(word);
        if (!wordProblem.empty()) {
            problem(number, wordProblem);
        }
        if (code.empty()) {
            continue;
        }
        const int ordinal = GroupOrdinal(static_cast<unsigned char>(code[0]));
        if (ordinal == 0) {
            continue;  // reported with the alphabet
        }
        if (ordinal < lastOrdinal) {
            problem(number, "the line is out of group order (groups go a..z, '/', ';')");
            continue;
        }
        if (groupLines[ordinal - 1]++ == 0) {
            groupFirstLine[ordinal - 1] = number;
        }
        lastOrdinal = ordinal;
    }

    for (int k = 0; k < kLetterStartCount - 1; ++k) {
        const std::size_t expected = static_cast<std::size_t>(starts[k + 1] - starts[k]);
        if (groupLines[k] != expected) {
            const char key = k < 26 ? static_cast<char>('a' + k) : (k == 26 ? '/' : ';');
            result.problems.push_back(
                {groupFirstLine[k], "group '" + std::string(1, key) +
                                        Describe("' has %zu lines; this code set needs exactly %zu",
                                                 groupLines[k], expected)});
        }
    }
    const std::size_t total = static_cast<std::size_t>(starts[kLetterStartCount - 1]);
    if (result.lines != total) {
        problem(0, Describe("the file has %zu lines; this code set needs exactly %zu", result.lines,
                            total));
    }
    return result;
}
