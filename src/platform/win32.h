// The one platform header of the engine core. On Windows it is the real API plus the IME-side
// declarations that mingw-w64 lacks; on Linux it is the small stand-in in platform/host, which
// offers the same names and the same structure layouts.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <imm.h>
#include "platform/ime_declarations.h"
#include "platform/ime_constants_win.h"
#else
#include "platform/host/host_windows.h"
#endif

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif
