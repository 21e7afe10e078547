// Control over the host test program's allocations (allocation_control_host.cpp).
#pragma once

#include <cstddef>

extern bool AllocationCounting;  // count operator new calls (NewCalls) and mallocs (MallocCalls)
extern std::size_t NewCalls;
extern std::size_t MallocCalls;
extern bool FailAllocations;  // every allocation fails
// Installs the malloc hook once; false where there is none (no AddressSanitizer).
bool InstallMallocHook();
