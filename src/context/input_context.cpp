#include "context/input_context.h"

#include <cstring>

#include "dict/entry_rules.h"
#include "dict/line_reader.h"

namespace {

// A lock of any block, whatever its size (the deselected layout).
using RawLock = ComponentLock<BYTE>;

void WriteCompositionHeader(COMPOSITIONSTRING* comp) {
    comp->dwSize = kCompStrSize;
    comp->dwCompReadAttrOffset = kCompAttrOffset;
    comp->dwCompReadClauseOffset = kCompClauseOffset;
    comp->dwCompReadStrOffset = kCompStrOffset;
    comp->dwCompAttrOffset = kCompAttrOffset;
    comp->dwCompClauseOffset = kCompClauseOffset;
    comp->dwCompStrOffset = kCompStrOffset;
    comp->dwResultReadClauseOffset = kResultReadClauseOffset;
    comp->dwResultReadStrOffset = kResultReadStrOffset;
    comp->dwResultClauseOffset = kResultClauseOffset;
    comp->dwResultStrOffset = kResultStrOffset;
    ResetCompositionString(comp);
}

// A fresh block in place of one that could not be resized or locked; the caller reports failure.
void ReplaceCompositionString(INPUTCONTEXT* context) {
    ImmDestroyIMCC(context->hCompStr);
    context->hCompStr = ImmCreateIMCC(kCompStrSize);
}

}  // namespace

ContextLock::ContextLock(HIMC context)
    : context_(context), data_(context != nullptr ? ImmLockIMC(context) : nullptr) {}

ContextLock::~ContextLock() {
    Release();
}

void ContextLock::Release() {
    if (data_ != nullptr) {
        ImmUnlockIMC(context_);
        data_ = nullptr;
    }
}

std::size_t SetCandidateSlot(CANDIDATELIST* list, int slot, const char* text, std::size_t length) {
    if (slot < 0 || slot >= kCandidateSlotCount) {
        return 0;
    }
    char* area = CandidateSlot(list, slot);
    // Table words are whole characters already: only a text too long for the slot is walked.
    const std::size_t kept =
        length <= kMaxSlotBytes ? length : GbkPrefixLength(text, length, kMaxSlotBytes);
    std::memcpy(area, text, kept);
    area[kept] = '\0';
    return kept;
}

std::size_t SetResultString(COMPOSITIONSTRING* comp, const char* text) {
    char* area = ResultString(comp);
    const std::size_t length = strnlen(text, kResultStrAreaSize);
    const std::size_t kept = CopyPlainText(text, length, area, kMaxResultBytes);
    area[kept] = '\0';
    comp->dwResultStrLen = static_cast<DWORD>(kept);
    return kept;
}

void ResetCompositionString(COMPOSITIONSTRING* comp) {
    comp->dwCompReadAttrLen = 0;
    comp->dwCompReadClauseLen = 0;
    comp->dwCompReadStrLen = 0;
    comp->dwCompAttrLen = 0;
    comp->dwCompClauseLen = 0;
    comp->dwCompStrLen = 0;
    comp->dwCursorPos = 0;
    comp->dwDeltaStart = 0;
    comp->dwResultReadClauseLen = 0;
    comp->dwResultReadStrLen = 0;
    comp->dwResultClauseLen = 0;
    comp->dwResultStrLen = 0;
}

void ResetCandidateList(CANDIDATEINFO* info) {
    CANDIDATELIST* list = CandidateListOf(info);
    list->dwCount = 0;
    list->dwSelection = 0;
    list->dwPageStart = kFirstCandidateSlot;
    list->dwPageSize = 0;
}

void InitCandidateInfo(CANDIDATEINFO* info) {
    std::memset(info, 0, sizeof *info);
    info->dwSize = kCandInfoSize;
    info->dwCount = 1;
    info->dwOffset[0] = kCandListOffset;

    CANDIDATELIST* list = CandidateListOf(info);
    list->dwSize = kCandListSize;
    list->dwStyle = IME_CAND_READ;
    ResetCandidateList(info);
    // The offsets run past the one element the platform's declaration shows.
    DWORD* offsets = list->dwOffset;
    for (int slot = 0; slot < kCandidateSlotCount; ++slot) {
        offsets[slot] = CandidateSlotListOffset(slot);
    }
}

bool InitCompositionString(INPUTCONTEXT* ic) {
    if (ic->hCompStr == nullptr) {
        ic->hCompStr = ImmCreateIMCC(kCompStrSize);
    } else {
        HIMCC resized = ImmReSizeIMCC(ic->hCompStr, kCompStrSize);
        if (resized == nullptr) {
            ReplaceCompositionString(ic);
            return false;
        }
        ic->hCompStr = resized;
    }
    if (ic->hCompStr == nullptr) {
        return false;
    }
    CompStrLock comp(ic->hCompStr);
    if (!comp) {
        ReplaceCompositionString(ic);
        return false;
    }
    WriteCompositionHeader(comp.get());
    return true;
}

void ShapeSelectedCandidateInfo(INPUTCONTEXT* context) {
    HIMCC resized = ImmReSizeIMCC(context->hCandInfo, kCandInfoSize);
    if (resized != nullptr) {
        context->hCandInfo = resized;
    }
    CandInfoLock info(context->hCandInfo);
    if (info) {
        InitCandidateInfo(info.get());
    }
}

void ShapeDeselectedComponents(INPUTCONTEXT* context) {
    const struct {
        HIMCC* component;
        DWORD size;
    } shapes[] = {{&context->hCompStr, kCompStrIdleSize}, {&context->hCandInfo, kCandInfoIdleSize}};
    for (const auto& shape : shapes) {
        HIMCC resized = ImmReSizeIMCC(*shape.component, shape.size);
        if (resized != nullptr) {
            *shape.component = resized;
        }
        RawLock block(*shape.component);
        if (block) {
            std::memset(block.get(), 0, ImmGetIMCCSize(*shape.component));
        }
    }
}

bool IsContextOpen(HIMC context) {
    ContextLock ic(context);
    return ic && ic->fOpen != 0;
}

bool ListHasCandidates(const INPUTCONTEXT* context) {
    CandInfoLock info(context->hCandInfo);
    return info && CandidateListOf(info.get())->dwCount != 0;
}

bool IsImeUiMessage(UINT message) {
    return (message >= WM_IME_STARTCOMPOSITION && message <= WM_IME_COMPOSITION) ||
           (message >= WM_IME_SETCONTEXT && message <= WM_IME_CHAR);
}
