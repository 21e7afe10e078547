// The sink the module installs: before the windows that show a change of the conversion or its
// page are asked to repaint, the page they show is laid out and handed to the engine, so that
// paging and choosing never wait for a paint and never depend on how many paints there were.
#pragma once

#include "engine/ui_sink.h"

const UiSink* ViewingUiSink();
