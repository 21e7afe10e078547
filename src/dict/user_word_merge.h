// Merging the user words of two programs that share one user file.
#pragma once

#include <cstddef>
#include <vector>

#include "dict/tables.h"

// A three-way merge of user word lists, each a run of entries (empty entries are ignored):
// base is what this program last read from the file, mine what it wants the file to hold, theirs
// what the file holds now. A word counts as added by a side when that side has it and base does
// not, and as deleted when base has it and that side does not; every addition and every deletion
// of either side survives. The result keeps mine's order and then appends theirs' additions in
// theirs' order; no word appears twice unless mine holds it twice.
std::vector<DictEntry> MergeUserWords(const DictEntry* base, std::size_t baseCount,
                                      const DictEntry* mine, std::size_t mineCount,
                                      const DictEntry* theirs, std::size_t theirsCount);
