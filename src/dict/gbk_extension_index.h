// The GBK-extension characters by code: which of them a typed prefix reaches, found by a binary
// search instead of a pass over all fourteen thousand records at every key in GBK mode.
#pragma once

#include <cstddef>
#include <cstdint>

// Writes to out the table positions of the GBK-extension records whose code in the code set (1 =
// Primary, 0 = Secondary) begins with the length bytes of typed, in table order (the order their
// candidates are offered in), and returns how many. out holds kGbkExtensionCount positions.
std::size_t GbkExtensionMatches(int codeSet, const char* typed, std::size_t length,
                                std::uint16_t* out);
