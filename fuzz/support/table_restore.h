// The tables every input starts from, put back at the cost of what the previous input changed:
// a full copy of some 10 MB also makes the first lookup after it re-sort every group of the main
// table, which is most of the time an input takes, so a whole copy is made only when the tables
// were replaced (a code-set switch reloads both) or the input wants the other code set.
#pragma once

#include <cstdint>

// Takes the tables of a code set as they are in place now (loaded, with the hand-made entries
// and their indexes) and the bytes of its user file as the state every input of it starts from.
void KeepPristineTables(std::int32_t codeSet);

// What the previous input left, read before the next input's reset and settings overwrite it.
struct TablesLeft {
    bool mainTableModified;
    std::int32_t codeSet;
};
TablesLeft TablesLeftByLastInput();

// Puts the kept tables of a code set in place, with what the load remembered of its user file, and
// the user files as they were kept (bytes and write time); copies back only the entries the
// previous input moved or whose user words it changed, unless the tables were reloaded.
void RestoreTables(const TablesLeft& left, std::int32_t codeSet);

// Aborts unless the tables in place (entries, group starts, indexes) are exactly the kept fresh
// load and both user files hold their kept bytes; on the first call and every 256th the load is
// also made again from the files (putting the tables in place anew) and must give the same.
void RequireFreshTables(std::int32_t codeSet, bool (*load)(std::int32_t codeSet));

// How many starts restored what: nothing, moved main entries, changed user words, whole tables.
void PrintRestoreCounts();
