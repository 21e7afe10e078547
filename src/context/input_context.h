// How the input method lays out the components of an input context, and the locks that bracket
// every access. Every other file reads and writes the composition string and the candidate list
// through the accessors here, never through raw offsets.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32.h"

// ---------------------------------------------------------------------------------------------
// Composition string component: the platform's COMPOSITIONSTRING header, then the data areas.
// Reading and composition data share their areas, so writing the reading string writes the
// composition string.

constexpr DWORD kCompStrSize = 366;      // while the context is selected
constexpr DWORD kCompStrIdleSize = 100;  // while it is not: zeros, so dwSize is 0

constexpr DWORD kCompAttrOffset = 100;  // attributes, one byte per code key (8 bytes)
constexpr DWORD kCompAttrAreaSize = 8;
constexpr DWORD kCompClauseOffset = 108;  // clause (8 bytes)
constexpr DWORD kCompClauseAreaSize = 8;
constexpr DWORD kCompStrOffset = 116;  // the typed code (16 bytes)
constexpr DWORD kCompStrAreaSize = 16;
constexpr DWORD kResultReadClauseOffset = 132;  // never filled (8 bytes)
constexpr DWORD kResultReadStrOffset = 140;     // never filled (16 bytes)
constexpr DWORD kResultClauseOffset = 156;      // never filled (8 bytes)
constexpr DWORD kResultStrOffset = 164;         // the committed text, to the end of the component
constexpr DWORD kResultStrAreaSize = kCompStrSize - kResultStrOffset;  // 202 bytes
constexpr std::size_t kMaxResultBytes = kResultStrAreaSize - 1;

// ---------------------------------------------------------------------------------------------
// Candidate information component: the CANDIDATEINFO header, one CANDIDATELIST at 144, then
// 100 slots of 100 bytes, each a NUL-terminated GBK string.

constexpr DWORD kCandInfoSize = 10572;    // while selected
constexpr DWORD kCandInfoIdleSize = 144;  // while not: zeros
constexpr DWORD kCandListOffset = 144;    // of the one list, from the start of the component
constexpr DWORD kCandListSize = kCandInfoSize - kCandListOffset;  // 10,428
constexpr int kCandidateSlotCount = 100;
constexpr DWORD kCandidateSlotSize = 100;
constexpr std::size_t kMaxSlotBytes = kCandidateSlotSize - 1;
constexpr DWORD kFirstSlotListOffset = 428;  // slot k at 428 + 100 k from the list
constexpr DWORD kFirstSlotOffset = kCandListOffset + kFirstSlotListOffset;  // 572 + 100 k

// The candidate vocabulary: the first candidate is slot 2, so a count of used slots (the list's
// dwCount, the engine's CandidateCount) of 2 means no candidates; at most 97 candidates are
// stored; a page shows 10.
constexpr int kFirstCandidateSlot = 2;
constexpr std::uint16_t kNoCandidates = kFirstCandidateSlot;
constexpr int kMaxCandidateCount = 99;
constexpr int kMaxCandidates = kMaxCandidateCount - kFirstCandidateSlot;
constexpr DWORD kCandidatePageSize = 10;

constexpr DWORD CandidateSlotListOffset(int slot) {
    return kFirstSlotListOffset + kCandidateSlotSize * static_cast<DWORD>(slot);
}

// Slot texts and the result string: a pointer to the area of the locked component.
inline BYTE* CompositionAttributes(COMPOSITIONSTRING* comp) {
    return reinterpret_cast<BYTE*>(comp) + kCompAttrOffset;
}
// The reading string and the composition string are these same 16 bytes.
inline char* CompositionText(COMPOSITIONSTRING* comp) {
    return reinterpret_cast<char*>(comp) + kCompStrOffset;
}
inline char* ResultString(COMPOSITIONSTRING* comp) {
    return reinterpret_cast<char*>(comp) + kResultStrOffset;
}

inline CANDIDATELIST* CandidateListOf(CANDIDATEINFO* info) {
    return reinterpret_cast<CANDIDATELIST*>(reinterpret_cast<BYTE*>(info) + kCandListOffset);
}
// Slot 0 .. 99 of the list (slots 0 and 1 stay empty; the first candidate is slot 2).
inline char* CandidateSlot(CANDIDATELIST* list, int slot) {
    return reinterpret_cast<char*>(list) + CandidateSlotListOffset(slot);
}
inline const char* CandidateSlot(const CANDIDATELIST* list, int slot) {
    return reinterpret_cast<const char*>(list) + CandidateSlotListOffset(slot);
}
inline char* CandidateSlot(CANDIDATEINFO* info, int slot) {
    return CandidateSlot(CandidateListOf(info), slot);
}

// Bounded writers: the text is cut (never inside a double-byte character) so that it and its NUL
// fit the area. They return the number of text bytes stored.
std::size_t SetCandidateSlot(CANDIDATELIST* list, int slot, const char* text, std::size_t length);
// Stores the plain text of text (CopyPlainText) as the result string and sets dwResultStrLen to
// its length.
std::size_t SetResultString(COMPOSITIONSTRING* comp, const char* text);

// ---------------------------------------------------------------------------------------------
// Locks held for one scope. A failed lock leaves get() null; the operation then does nothing.

class ContextLock {
  public:
    explicit ContextLock(HIMC context);
    ~ContextLock();
    ContextLock(const ContextLock&) = delete;
    ContextLock& operator=(const ContextLock&) = delete;

    INPUTCONTEXT* get() const { return data_; }
    INPUTCONTEXT* operator->() const { return data_; }
    explicit operator bool() const { return data_ != nullptr; }
    // Unlocks before the scope ends (no-op when not locked).
    void Release();

  private:
    HIMC context_;
    INPUTCONTEXT* data_;
};

// A component lock that also requires the component to be at least minimumSize bytes: a
// deselected context's components are too small for the selected layout, and writing them as if
// they were not would run past their end.
template <typename T, DWORD minimumSize = 0>
class ComponentLock {
  public:
    explicit ComponentLock(HIMCC component) : component_(component), data_(nullptr) {
        if (component != nullptr && ImmGetIMCCSize(component) >= minimumSize) {
            data_ = static_cast<T*>(ImmLockIMCC(component));
        }
    }
    ~ComponentLock() { Release(); }
    ComponentLock(const ComponentLock&) = delete;
    ComponentLock& operator=(const ComponentLock&) = delete;

    T* get() const { return data_; }
    T* operator->() const { return data_; }
    explicit operator bool() const { return data_ != nullptr; }
    void Release() {
        if (data_ != nullptr) {
            ImmUnlockIMCC(component_);
            data_ = nullptr;
        }
    }

  private:
    HIMCC component_;
    T* data_;
};

// The composition string and candidate information of a selected context.
using CompStrLock = ComponentLock<COMPOSITIONSTRING, kCompStrSize>;
using CandInfoLock = ComponentLock<CANDIDATEINFO, kCandInfoSize>;

// The context and its candidate information locked for one scope; false when a lock failed.
class CandidateListAccess {
  public:
    explicit CandidateListAccess(HIMC context)
        : context_(context), info_(context_ ? context_->hCandInfo : nullptr) {}
    explicit operator bool() const { return context_ && info_; }
    CANDIDATELIST* list() const { return CandidateListOf(info_.get()); }

  private:
    ContextLock context_;
    CandInfoLock info_;
};

// The context and both its components locked for one scope; false when a lock failed.
class ConversionAccess {
  public:
    explicit ConversionAccess(HIMC context)
        : context_(context),
          comp_(context_ ? context_->hCompStr : nullptr),
          info_(context_ ? context_->hCandInfo : nullptr) {}
    explicit operator bool() const { return context_ && comp_ && info_; }
    COMPOSITIONSTRING* comp() const { return comp_.get(); }
    CANDIDATEINFO* info() const { return info_.get(); }
    CANDIDATELIST* list() const { return CandidateListOf(info_.get()); }
    // Unlocks the components (the context stays locked until the scope ends).
    void ReleaseComponents() {
        comp_.Release();
        info_.Release();
    }

  private:
    ContextLock context_;
    CompStrLock comp_;
    CandInfoLock info_;
};

// ---------------------------------------------------------------------------------------------
// Operations on an input context. All return 0 (false) and change nothing when a lock fails.

// Every length field and the cursor of the composition string (offsets stay).
void ResetCompositionString(COMPOSITIONSTRING* comp);
// No candidates, first page.
void ResetCandidateList(CANDIDATEINFO* info);

// At selection, on the locked context: creates or resizes the composition string to 366 bytes and
// writes its header. False when the component had to be replaced by a fresh one, or cannot be
// created or locked.
bool InitCompositionString(INPUTCONTEXT* context);
// Writes the CANDIDATEINFO and CANDIDATELIST headers and the slot offsets (slot texts stay).
void InitCandidateInfo(CANDIDATEINFO* info);
// At selection, on the locked context: resizes the candidate information to 10,572 bytes and, if
// it can be locked, initialises it.
void ShapeSelectedCandidateInfo(INPUTCONTEXT* context);
// At deselection, on the locked context: 100 and 144 bytes of zeros, each if it can be locked.
void ShapeDeselectedComponents(INPUTCONTEXT* context);

// The context's open status; false when it cannot be locked.
bool IsContextOpen(HIMC context);
// The locked context's candidate list is in use: its dwCount is not 0 (a code without candidates
// leaves 2, for the two empty slots).
bool ListHasCandidates(const INPUTCONTEXT* context);

// The composition and IME messages (0x10D-0x10F, 0x281-0x286) that the child windows ignore.
bool IsImeUiMessage(UINT message);
