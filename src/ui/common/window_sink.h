// The windows' side of what the engine tells: the windows that show a change are asked to
// repaint, notices and questions are message boxes.
#pragma once

#include "engine/ui_sink.h"

const UiSink* WindowsUiSink();
