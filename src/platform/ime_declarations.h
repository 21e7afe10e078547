// IME-side declarations that mingw-w64's imm.h lacks. libimm32.a exports the functions in both
// bitnesses; the layouts are the platform's and are checked below.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <imm.h>
#include <cstddef>

#endif
