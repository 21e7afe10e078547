#include "dict/user_word_merge.h"

#include <cstring>
#include <string>
#include <unordered_set>

namespace {

// The code and the word, as one key (the code field is NUL-terminated, so the two cannot run
// together).
std::string WordKey(const DictEntry& entry) {
    std::string key(entry.code, strnlen(entry.code, kCodeFieldSize));
    key += '\0';
    key.append(entry.word, strnlen(entry.word, kWordFieldSize));
    return key;
}

std::unordered_set<std::string> KeysOf(const DictEntry* entries, std::size_t count) {
    std::unordered_set<std::string> keys;
    keys.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (!IsEmptyEntry(entries[i])) {
            keys.insert(WordKey(entries[i]));
        }
    }
    return keys;
}

}  // namespace

std::vector<DictEntry> MergeUserWords(const DictEntry* base, std::size_t baseCount,
                                      const DictEntry* mine, std::size_t mineCount,
                                      const DictEntry* theirs, std::size_t theirsCount) {
    const std::unordered_set<std::string> inBase = KeysOf(base, baseCount);
    const std::unordered_set<std::string> inMine = KeysOf(mine, mineCount);
    const std::unordered_set<std::string> inTheirs = KeysOf(theirs, theirsCount);
    std::vector<DictEntry> merged;
    merged.reserve(mineCount + theirsCount);
    for (std::size_t i = 0; i < mineCount; ++i) {
        if (IsEmptyEntry(mine[i])) {
            continue;
        }
        const std::string key = WordKey(mine[i]);
        // Gone from the file although this program had read it: the other program deleted it.
        if (inBase.count(key) != 0 && inTheirs.count(key) == 0) {
            continue;
        }
        merged.push_back(mine[i]);
    }
    std::unordered_set<std::string> taken;
    for (std::size_t i = 0; i < theirsCount; ++i) {
        if (IsEmptyEntry(theirs[i])) {
            continue;
        }
        std::string key = WordKey(theirs[i]);
        if (inBase.count(key) == 0 && inMine.count(key) == 0 && taken.insert(key).second) {
            merged.push_back(theirs[i]);
        }
    }
    return merged;
}
