#include "ui/status_rows.h"

std::int32_t SecondRowStart;
