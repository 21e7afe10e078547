// Access rights of what the installer makes: the rights of where it lies, nothing of its own.
#pragma once

#include <windows.h>

#include <string>

// Takes back what an older version granted ordinary users on the folder (and, through
// inheritance, on what lies in it) or on the key, keeping every other entry. The folder is opened
// as itself, never through a link: a link is refused.
bool TakeBackUsersRights(const std::wstring& folder);
bool TakeBackUsersRights(HKEY key, const std::wstring& name);

// Whether an entry of the key's access list lets ordinary users change it (or the list cannot be
// read).
bool OrdinaryUsersMayChange(HKEY key);
