// Controls of the Linux stand-in, for tests and host tools only: where the system directory and
// the registry live, what the clock says, how message boxes answer, and what the core did.
#pragma once

#include "platform/host/host_windows.h"

// The directory that plays the system directory (dictionaries are in DIR/zelk/).
void HostSetSystemDirectory(const char* path);

// The directory that holds the registry: one file per key, named after the key path.
void HostSetRegistryDirectory(const char* path);

// A fixed local time; nullptr returns to the real clock.
void HostSetLocalTime(const SYSTEMTIME* time);

// What every later MessageBoxA returns (IDOK by default).
void HostSetMessageBoxAnswer(int answer);

struct HostMessageBox {
    char caption[64];
    char text[512];  // GBK, as the core passed it
    UINT type;
};
constexpr int kHostMessageBoxLogSize = 16;
// Message boxes shown since the last HostResetRecords (the last kHostMessageBoxLogSize kept).
int HostMessageBoxCount();
const HostMessageBox& HostMessageBoxAt(int index);

int HostBeepCount();

// Forgets the recorded beeps and message boxes.
void HostResetRecords();
