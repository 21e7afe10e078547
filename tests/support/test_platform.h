// What the portable tests need from the machine they run on: the data folders, the settings keys,
// files. Every place is the one the module itself finds (dict/data_places.h,
// settings/registry_access.h), so that the tests and the module cannot disagree on it. The host
// implementation points the stand-in at temporary folders; the Windows one uses the real system
// directory, application-data folder and registry of the throwaway Wine prefix.
#pragma once

#include <string>

#include "settings/registry_access.h"

struct DataFolders {
    std::string machine;  // the machine's data folder, ending in the path separator
    std::string user;     // the user's data folder, ending in the path separator
};

// Empties the machine's data folder (making it if needed) and removes the user's, as for a user
// who never saved anything.
DataFolders UseFreshDataFolders();

// The shipped data folder of the source tree (data/), ending in the path separator.
std::string ShippedDataDirectory();

// Installs the four shipped dictionary files into fresh data folders.
DataFolders CopyShippedDictionaries();

// The settings keys: CreateSettingsKey leaves an empty machine key and no user key;
// DeleteSettingsKey removes both with all their values.
void CreateSettingsKey();
void DeleteSettingsKey();
// Stores a value of any type in a scope's key (which must exist for the machine), to test what
// the reader does with it.
void SetRawSettingsValue(const char* name, unsigned long type, const void* data, unsigned long size,
                         SettingsScope scope = SettingsScope::Machine);

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// Creates a folder (to stand where a file would be written, so that the write fails).
bool CreateBlockingFolder(const std::string& path);
// The names in a folder (files and folders, without "." and ".."), sorted.
std::string FolderListing(const std::string& folder);
