// What the fuzzers share; see engine_fixture.cpp.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// Aborts the run with the broken invariant's name.
void Require(bool ok, const char* what);

// Reads the shipped dictionaries of both code sets, adds the hand-made entries, keeps both.
void LoadFuzzTables();
// Puts the kept tables of a code set in place (a run may have reordered them).
void UseTables(int codeSet);

// The options, the modes and the clock from four bytes.
void ApplySettings(const std::uint8_t* bits);

// A fresh start for one input: every run-time state reset, the settings of its first four bytes
// applied, the kept tables of that code set in place, no records.
void StartRun(const std::uint8_t* data);

// A new context, owned by a new window, prepared as selection prepares it.
HIMC CreatePreparedContext(HWND& owner);

// Everything that must hold after a key: counts in range, every text terminated within its
// area, the list's count while it is open, no lock left held.
void CheckState(HIMC context);
