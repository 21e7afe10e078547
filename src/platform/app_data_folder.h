// The user's roaming application-data folder (%APPDATA%), where each user's own data lives.
#pragma once

#include <cstddef>

// The folder (as the profile names it, %APPDATA%) as a path the ANSI file calls open exactly,
// without a separator at the end. A name
// that the ANSI code page cannot hold is given by its short name; false (and out empty) when the
// user has no such folder (no profile), neither name can be held, or it does not fit size bytes.
// Windows' own ANSI answer would replace such characters by look-alikes: another folder's name.
bool RoamingAppDataFolder(char* out, std::size_t size);
