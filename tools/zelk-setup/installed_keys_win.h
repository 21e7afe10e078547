// The installer's registry keys: the machine's settings defaults, the entry under Settings → Apps
// and the keyboard layout.
#pragma once

#include <cstdint>
#include <string>

// Creates HKEY_LOCAL_MACHINE\SOFTWARE\zelk where it is missing and the values that are missing,
// so a reinstall keeps the machine's defaults, with no right of its own: whatever an older version
// granted ordinary users goes. False (told) when it cannot be, or users could still change it.
bool CreateMachineSettingsKey();
// Removes the machine's settings key, in the shared view and in the 32-bit view earlier versions
// used.
void DeleteMachineSettingsKeys();
// Removes the current user's own settings key, HKEY_CURRENT_USER\Software\zelk.
void DeleteUserSettingsKey();

// Lists the product under Settings → Apps, its uninstall command running installedSetup.
bool RegisterUninstallEntry(const std::wstring& installedSetup, std::uint64_t installedBytes);
void RemoveUninstallEntry();

// Registers the keyboard layout "青岚形码" once (installing twice leaves the one layout).
bool RegisterLayout();
// Unloads and removes every layout whose input method is this one, and the user's references to
// them.
bool UnregisterLayouts();
