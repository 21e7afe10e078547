// What the status painter leaves for the key entry about the two-row candidate layout of skin 3.
#pragma once

#include <cstdint>

// The number of page entries in the first row: Shift+digit selects counting from there.
extern std::int32_t SecondRowStart;
