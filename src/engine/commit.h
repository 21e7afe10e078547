// Committing a chosen candidate, and word association: after a commit, the words that begin with
// the committed text are offered; choosing one commits only its rest and offers the next ones.
#pragma once

#include <cstdint>
#include <optional>

#include "dict/tables.h"
#include "engine/commit_result.h"
#include "engine/lookup.h"
#include "platform/win32.h"

// selection: '1'..'9' for the first to ninth candidate of the current page, '0' for the tenth (any
// other value does nothing); follow: a key whose converted punctuation is appended, or 0; offset:
// added to the index (the second row of a two-row skin). See CommitSource for which candidates
// may be picked.
void CommitCandidate(HIMC context, unsigned selection, unsigned follow, unsigned offset,
                     CommitSource source = CommitSource::Shown);

// Finds the words longer than key that begin with it: user words first, then the table group of
// the first key of code. Nothing when that key starts no group.
std::optional<LookupOutcome> AssociationLookup(const char* code, const char* key);

// Appends a committed text to the word being made (a trailing single byte dropped; a text that
// would not fit is dropped whole).
void RecordCommittedText(const char* text);
