// The ways into the module from outside: the exports, the window and dialog procedures, the
// keyboard hook. The module lives inside other people's programs, and a C++ exception leaving one
// of these would end the program (in practice a std::bad_alloc from a save, a dialog or a
// restore). Each runs its work through Guarded, which turns any exception into the refusal the
// caller gives and a beep: the work is left undone, the program goes on.
#pragma once

#include "platform/win32.h"

template <typename Result, typename Work>
Result Guarded(Result refusal, Work&& work) noexcept {
    try {
        return work();
    } catch (...) {
        MessageBeep(0xFFFFFFFF);
        return refusal;
    }
}
