// What the fuzzers share; see engine_fixture.cpp.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// Aborts the run with the broken invariant's name.
void Require(bool ok, const char* what);

// Loads a code set's dictionaries from the working copy and adds the hand-made entries.
bool LoadWithHandMadeEntries(std::int32_t codeSet);
// Copies the shipped dictionaries to a working directory, loads both code sets, keeps both. With
// ZELK_FUZZ_CHECK_RESTORE set in the environment every start also compares the restored tables
// with a fresh load (slow: for checking the restore, not for fuzzing); ZELK_FUZZ_CODE_SET=0 or 1
// makes every input use that code set (the fastest runs: no switch from one input to the next).
void LoadFuzzTables();

// The options, the modes and the clock from four bytes.
void ApplySettings(const std::uint8_t* bits);

// A fresh start for one input: every run-time state reset, the settings of its first four bytes
// applied, the kept tables of that code set in place (what the previous input changed put back),
// no records.
void StartRun(const std::uint8_t* data);

// A new context, owned by a new window, prepared as selection prepares it.
HIMC CreatePreparedContext(HWND& owner);

// Everything that must hold after a key: counts in range, every text terminated within its
// area, no control byte in the result, the list's count while it is open, no lock left held.
void CheckState(HIMC context);
