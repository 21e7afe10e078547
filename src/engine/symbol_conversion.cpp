#include "engine/symbol_conversion.h"

#include "context/input_context.h"
#include "context/message_queue.h"
#include "engine/mode_state.h"

namespace {

// Flips the toggle; the quote opens when it is now false, and otherwise the row's own (closing)
// quote is typed.
bool NextQuoteOpens(std::int32_t& toggle) {
    toggle = toggle != 0 ? 0 : 1;
    return toggle == 0;
}

}  // namespace

const char* ConvertSymbol(std::uint16_t ch, bool fullWidth, bool chinesePunct) {
    const SymbolRow* row = FindSymbolRow(ch);
    if (row == nullptr) {
        return nullptr;
    }
    if (!chinesePunct) {
        return fullWidth ? row->fullWidth : nullptr;
    }
    if (row->key == '\'' && NextQuoteOpens(Modes.SingleQuoteToggle)) {
        return kOpeningSingleQuote;
    }
    if (row->key == '"' && NextQuoteOpens(Modes.DoubleQuoteToggle)) {
        return kOpeningDoubleQuote;
    }
    return fullWidth ? row->both : row->chinese;
}

int CommitSymbol(HIMC context, const char* text) {
    if (text == nullptr) {
        return 0;
    }
    ContextLock ic(context);
    if (!ic) {
        return 0;
    }
    CompStrLock comp(ic->hCompStr);
    if (!comp) {
        return 0;
    }
    const bool announce = PublishResultString(comp.get(), text);
    comp.Release();
    if (announce) {
        QueueMessage(context, WM_IME_COMPOSITION, 0, GCS_RESULTSTR);
    }
    QueueMessage(context, WM_IME_ENDCOMPOSITION, 0, 0);
    return 1;
}
