#include "context/process_facts.h"

ProcessFacts Process;

void ResetProcessFacts() {
    Process = ProcessFacts{};
}
