#include "dict/gbk_extension_index.h"

#include <algorithm>
#include <cstring>

#include "dict/char_code_table.h"
#include "dict/tables.h"

namespace {

constexpr std::size_t kCodeField = sizeof(CharCodeRecord::primary);

const char* CodeOf(int codeSet, std::uint16_t position) {
    const CharCodeRecord& record = GbkExtensionCodes[position];
    return codeSet == kCodeSetPrimary ? record.primary : record.secondary;
}

// The records' positions ordered by their code in one code set, equal codes in table order. The
// table itself is ordered by Primary code; the Secondary order is sorted once, on first use.
struct CodeOrder {
    std::uint16_t positions[kGbkExtensionCount];
    explicit CodeOrder(int codeSet) {
        for (std::size_t i = 0; i < kGbkExtensionCount; ++i) {
            positions[i] = static_cast<std::uint16_t>(i);
        }
        std::stable_sort(
            positions, positions + kGbkExtensionCount, [codeSet](std::uint16_t a, std::uint16_t b) {
                return std::strncmp(CodeOf(codeSet, a), CodeOf(codeSet, b), kCodeField) < 0;
            });
    }
};

const CodeOrder& OrderFor(int codeSet) {
    static const CodeOrder primary(kCodeSetPrimary);
    static const CodeOrder secondary(kCodeSetSecondary);
    return codeSet == kCodeSetPrimary ? primary : secondary;
}

}  // namespace

std::size_t GbkExtensionMatches(int codeSet, const char* typed, std::size_t length,
                                std::uint16_t* out) {
    // A code fills at most its field: a longer prefix reaches nothing.
    if (length > kCodeField || std::memchr(typed, '\0', length) != nullptr) {
        return 0;
    }
    codeSet = codeSet == kCodeSetPrimary ? kCodeSetPrimary : kCodeSetSecondary;
    const CodeOrder& order = OrderFor(codeSet);
    const std::uint16_t* end = order.positions + kGbkExtensionCount;
    // Codes that share a prefix stand together in code order.
    const auto prefixBefore = [codeSet, length](std::uint16_t position, const char* prefix) {
        return std::strncmp(CodeOf(codeSet, position), prefix, length) < 0;
    };
    const auto prefixAfter = [codeSet, length](const char* prefix, std::uint16_t position) {
        return std::strncmp(prefix, CodeOf(codeSet, position), length) < 0;
    };
    const std::uint16_t* first = std::lower_bound(order.positions, end, typed, prefixBefore);
    const std::uint16_t* last = std::upper_bound(first, end, typed, prefixAfter);
    const std::size_t count = static_cast<std::size_t>(last - first);
    std::copy(first, last, out);
    // The table is in Primary code order already: only the Secondary range needs sorting back.
    if (!std::is_sorted(out, out + count)) {
        std::sort(out, out + count);
    }
    return count;
}
