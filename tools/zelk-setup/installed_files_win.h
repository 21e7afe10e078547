// The installer's work on files, in wide characters throughout and never through a link: an
// ordinary user could once write inside the data folder, and what they may have left there
// (a junction to C:\Windows, say) must not steer what an administrator's install or uninstall
// copies, deletes or opens.
#pragma once

#include <cstdint>
#include <string>

// Folder paths end in a backslash.

// The attributes of what stands at the path (a trailing backslash is ignored, so that a link is
// seen as the link); INVALID_FILE_ATTRIBUTES when nothing does.
unsigned long AttributesOf(const std::wstring& path);
bool IsFile(const std::wstring& path);
// A folder that is no link.
bool IsRealFolder(const std::wstring& path);

// Copies a file; the copy is writable whatever the package's file was.
bool CopyOne(const std::wstring& from, const std::wstring& to);
// A file that cannot go now (a loaded input method, a running installer) goes at the next restart;
// true also then and when it is not there.
bool RemoveFile(const std::wstring& path);
// Removes a link itself, never what it leads to.
bool RemoveLink(const std::wstring& path, unsigned long attributes);

// Makes the folder when it is missing; a link in its place is removed first, unless top, when
// the folder must not be a link at all (and false is returned).
bool MakeRealFolder(const std::wstring& folder, bool top);

// Copies the package's data folder, which mirrors the system directory, into it. User words and
// main dictionaries that exist stay (unless resetDictionaries, which keeps a copy of the main
// dictionaries beside them). bytes grows by the size of every file in place afterwards.
bool CopyTree(const std::wstring& from, const std::wstring& to, const std::wstring& relative,
              bool resetDictionaries, std::uint64_t& bytes);

// Removes every link below the folder (the links themselves), descending into real folders only.
bool RemoveLinksBelow(const std::wstring& folder);

// Removes what an uninstall removes below the folder, and the folder when it is empty then (at
// the next restart when a file in it could only be removed then). A link is removed as a link.
bool RemoveTree(const std::wstring& folder, const std::wstring& relative, bool purge);

// The size of a file; 0 when it cannot be seen.
std::uint64_t FileBytes(const std::wstring& path);
