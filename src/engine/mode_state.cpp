#include "engine/mode_state.h"

ModeState Modes;

void ResetModeState() {
    Modes = ModeState{};
    Modes.ModeFlags = kStartModeFlags;
    Modes.SingleQuoteToggle = 1;
    Modes.DoubleQuoteToggle = 1;
}

void ResetModesOfUiWindow() {
    const std::int32_t singleQuote = Modes.SingleQuoteToggle;
    const std::int32_t doubleQuote = Modes.DoubleQuoteToggle;
    ResetModeState();
    Modes.SingleQuoteToggle = singleQuote;
    Modes.DoubleQuoteToggle = doubleQuote;
}

void SetMode(std::uint16_t flag, bool on) {
    if (on) {
        Modes.ModeFlags = static_cast<std::uint16_t>(Modes.ModeFlags | flag);
    } else {
        Modes.ModeFlags = static_cast<std::uint16_t>(Modes.ModeFlags & ~flag);
    }
}

void FlipMode(std::uint16_t flag) {
    Modes.ModeFlags = static_cast<std::uint16_t>(Modes.ModeFlags ^ flag);
}
