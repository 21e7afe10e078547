// Three lists of user words from the input, through the merge of two programs' saves, against
// its rules: a word of base stays only when neither side deleted it; a word base lacks comes in
// when either side added it; mine's words keep mine's order (its own repeats included), and
// theirs' additions follow once each in theirs' order.
//
// Input: one byte per word; bits 6..7 choose the list (base, mine, theirs, or an empty entry in
// the current list), bits 0..5 the word from a small set, so that the lists share words often.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "dict/user_word_merge.h"
#include "support/engine_fixture.h"

namespace {

DictEntry WordOf(unsigned id) {
    DictEntry entry{};
    entry.code[0] = static_cast<char>('a' + id % 8);
    entry.code[1] = static_cast<char>('a' + id / 8);
    // Two words share a code now and then, and a word a code of another.
    std::strcpy(entry.word, id % 5 == 0 ? "\xB9\xA4" : (id % 5 == 1 ? "\xC8\xCB" : "x"));
    entry.word[std::strlen(entry.word)] = static_cast<char>('a' + id % 3);
    return entry;
}

std::string Key(const DictEntry& entry) {
    return std::string(entry.code) + '\0' + entry.word;
}

std::set<std::string> Keys(const std::vector<DictEntry>& list) {
    std::set<std::string> keys;
    for (const DictEntry& entry : list) {
        if (!IsEmptyEntry(entry)) {
            keys.insert(Key(entry));
        }
    }
    return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<DictEntry> lists[3];
    unsigned current = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned list = data[i] >> 6;
        if (list == 3) {
            lists[current].push_back(DictEntry{});
            continue;
        }
        current = list;
        lists[list].push_back(WordOf(data[i] & 0x3F));
    }
    const std::vector<DictEntry>& base = lists[0];
    const std::vector<DictEntry>& mine = lists[1];
    const std::vector<DictEntry>& theirs = lists[2];
    const std::vector<DictEntry> merged = MergeUserWords(base.data(), base.size(), mine.data(),
                                                         mine.size(), theirs.data(), theirs.size());
    const std::set<std::string> inBase = Keys(base);
    const std::set<std::string> inMine = Keys(mine);
    const std::set<std::string> inTheirs = Keys(theirs);

    // Mine's words first, in mine's order, less those the other side deleted.
    std::size_t at = 0;
    for (const DictEntry& entry : mine) {
        if (IsEmptyEntry(entry)) {
            continue;
        }
        const std::string key = Key(entry);
        if (inBase.count(key) != 0 && inTheirs.count(key) == 0) {
            continue;
        }
        Require(at < merged.size() && Key(merged[at]) == key, "mine's words in mine's order");
        ++at;
    }
    // Then theirs' additions, each once.
    std::set<std::string> added;
    for (const DictEntry& entry : theirs) {
        if (IsEmptyEntry(entry)) {
            continue;
        }
        const std::string key = Key(entry);
        if (inBase.count(key) != 0 || inMine.count(key) != 0 || !added.insert(key).second) {
            continue;
        }
        Require(at < merged.size() && Key(merged[at]) == key, "theirs' additions in their order");
        ++at;
    }
    Require(at == merged.size(), "nothing else in the merge");
    for (const DictEntry& entry : merged) {
        const std::string key = Key(entry);
        Require(!IsEmptyEntry(entry), "no empty entry in the merge");
        const bool deleted =
            inBase.count(key) != 0 && (inMine.count(key) == 0 || inTheirs.count(key) == 0);
        Require(!deleted, "a deletion of either side survives");
    }
    for (const std::string& key : inMine) {
        const bool deletedElsewhere = inBase.count(key) != 0 && inTheirs.count(key) == 0;
        Require(deletedElsewhere || Keys(merged).count(key) != 0, "an addition of mine survives");
    }
    return 0;
}
