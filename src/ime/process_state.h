// Every process-wide state of the input method back to what a freshly loaded module has: the one
// reset used by start-up, the tools, the fuzzers, the benchmarks and the tests.
#pragma once

void ResetProcessState();
