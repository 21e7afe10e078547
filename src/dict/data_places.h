// Where the input method's files lie.
//
// The machine's data is installed by zelk-setup and never written here: the dictionaries, the
// pictures (skip\) and the user guide, in the system directory. On 64-bit Windows the 64-bit and
// the 32-bit module share the 64-bit system directory's: a 32-bit process there sees SysWOW64 as
// its system directory and reaches the 64-bit one only through the "Sysnative" alias beside it.
//
// What a person's use builds is that person's: the user words and, once their choices have
// changed the candidate order, their own copy of a main file, in their roaming application-data
// folder (%APPDATA%\zelk\), under the machine's file names and in the same formats.
#pragma once

#include <cstddef>

constexpr std::size_t kPathBufferSize = 260;

// The user guide, in the shared system directory itself (GBK).
extern const char kUserGuideFileName[];

// The system directory that holds the shared files, from the one the process sees: under WOW64
// its sibling "Sysnative", otherwise the same directory. Trailing separators are dropped. False
// (and out empty) when the seen directory is empty, has no parent under WOW64, or the result and
// its NUL do not fit in size bytes.
bool SharedSystemDirectory(const char* seen, bool underWow64, char* out, std::size_t size);

// The machine's data folder, <shared system directory>\zelk\, and a file in it. False when the
// path does not fit the buffer.
bool MachineDataDirectory(char (&path)[kPathBufferSize]);
bool MachineFilePath(const char* fileName, char (&path)[kPathBufferSize]);
// The user guide's full path in the shared system directory.
bool UserGuidePath(char (&path)[kPathBufferSize]);

// The user's data folder, <roaming application data>\zelk\ (which need not exist yet), and a file
// in it. False when the user has no application-data folder or the path does not fit.
bool UserDataDirectory(char (&path)[kPathBufferSize]);
bool UserFilePath(const char* fileName, char (&path)[kPathBufferSize]);

enum class UserFolderState {
    Ready,        // a real folder: its files may be read and written
    Missing,      // not made yet: there is nothing to read; the first save makes it
    Unavailable,  // no application-data folder, a link where the folder should be, or not a folder
};
// What stands at the user's data folder. With create, a missing folder is made (the first save),
// and one that cannot be made is Unavailable.
UserFolderState LookAtUserDataDirectory(bool create);
