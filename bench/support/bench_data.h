// What the benchmarks start from: the workload, and the shipped dictionaries in a scratch
// machine folder, with or without the table images the installer builds, and no user folder
// (nothing a run does is saved).
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

// The workload's codes, one per line of bench/workload.txt.
std::vector<std::string> ReadWorkload();

enum class MainTables { Text, Images };

// Copies the shipped dictionaries into a folder of the run's own, builds their images when asked,
// and makes it the system directory. The folder lasts until the program ends. False when any of
// it fails.
bool UseMachineData(MainTables tables);

// A context as selection leaves it, on the machine data with the installed defaults and Chinese
// punctuation on (what start-up gives), the clock fixed (the date and time candidates are part of
// the lists).
struct WorkloadSession {
    HIMC context = nullptr;
    HWND owner = nullptr;

    bool Open();
    ~WorkloadSession();
};

// Types each code key by key and commits its first candidate with the space bar, as the key path
// benchmark does, without timing anything. No candidate is promoted.
void TypeWorkload(HIMC context, const std::vector<std::string>& codes);
