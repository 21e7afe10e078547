// What the portable tests need from the machine they run on: a system directory of their own,
// the settings key, files. The host implementation points the stand-in at temporary folders; the
// Windows one uses the real system directory and registry of the throwaway Wine prefix.
#pragma once

#include <string>

// Empties (creating it if needed) the "zelk" folder under the system directory and returns its
// path, ending in the path separator.
std::string UseFreshSystemDirectory();

// The shipped data folder of the source tree (data/), ending in the path separator.
std::string ShippedDataDirectory();

// Copies the four shipped dictionary files into the fresh "zelk" folder.
void CopyShippedDictionaries();

// The settings key: created empty, or removed with all its values.
void CreateSettingsKey();
void DeleteSettingsKey();
// Stores a value of any type, to test what the reader does with it.
void SetRawSettingsValue(const char* name, unsigned long type, const void* data,
                         unsigned long size);

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// Creates a folder (to stand where a file would be written, so that the write fails).
bool CreateBlockingFolder(const std::string& path);
