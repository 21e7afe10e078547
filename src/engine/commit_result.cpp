#include "engine/commit_result.h"

#include <cstring>

#include "context/input_context.h"

namespace {

bool IsCodeLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || c == ';' || c == '/';
}

// Appends at most what still fits a result text of kMaxWordBytes.
void AppendCapped(char* to, std::size_t& used, const char* text, std::size_t length) {
    const std::size_t room = kMaxWordBytes - used;
    const std::size_t kept = length < room ? length : room;
    std::memcpy(to + used, text, kept);
    used += kept;
    to[used] = '\0';
}

}  // namespace

int ChooseCandidateSlot(const CandidateChoice& choice) {
    unsigned index =
        (choice.selection == '0' ? 9u : choice.selection - '1') + (choice.offset & 0xFFFF);
    const bool visible = choice.source == CommitSource::Automatic ||
                         static_cast<std::int32_t>(index) < choice.visibleCandidates ||
                         !choice.progressiveHint;
    index += choice.pageStart;
    if (visible && choice.count != 0 && index < choice.count && index < kCandidateSlotCount) {
        return static_cast<int>(index);
    }
    return kNoCandidateSlot;
}

bool ContinuesPrevious(const char* chosen, const char* previous) {
    return std::strncmp(chosen, previous, std::strlen(previous)) == 0;
}

CommitResult BuildCommitResult(const CommitInput& input) {
    CommitResult result{};
    const char* chosen = input.chosen;
    const std::size_t chosenLength = std::strlen(chosen);
    const std::size_t wordPart = WordPartLength(chosen);
    if (!input.gbkMode) {
        // A slot's text always fits; a longer one is cut rather than overrun the key.
        const std::size_t keyLength = wordPart < kMaxWordBytes ? wordPart : kMaxWordBytes;
        std::memcpy(result.associationKey, chosen, keyLength);
        result.associationKey[keyLength] = '\0';
    }
    const std::size_t previous = std::strlen(input.previous);
    result.continuation = ContinuesPrevious(chosen, input.previous);
    if (result.continuation) {
        AppendCapped(result.text, result.textLength, chosen + previous, chosenLength - previous);
        AppendCapped(result.wholeWord, result.wholeWordLength, chosen, chosenLength);
        return result;
    }
    std::memcpy(result.savedCode, input.previous, strnlen(input.previous, kMaxCodeLength));
    std::size_t keep = chosenLength;
    if (input.codeHint) {
        // A GBK-mode candidate is one character: what follows it is its hint.
        keep = input.gbkMode ? (keep < 2 ? keep : 2) : wordPart;
    }
    AppendCapped(result.text, result.textLength, chosen, keep);
    AppendCapped(result.text, result.textLength, input.follow, input.followLength);
    return result;
}

std::size_t WordPartLength(const char* candidate) {
    std::size_t i = 0;
    while (candidate[i] != '\0' && !IsCodeLetter(static_cast<unsigned char>(candidate[i]))) {
        // A double-byte character is never cut: its trail byte may look like a letter.
        i += static_cast<unsigned char>(candidate[i]) >= 0x81 && candidate[i + 1] != '\0' ? 2 : 1;
    }
    return i;
}
