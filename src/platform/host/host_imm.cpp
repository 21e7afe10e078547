// Input contexts and their memory components. A component is a heap block that a resize really
// moves; locks are counted so that tests can check every lock was undone; any lock, resize or
// creation can be made to fail.
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "platform/host/host_control.h"

struct HostComponent {
    BYTE* data;
    DWORD size;
    int locks;
    bool failLock;
    bool failResize;
};

struct HostInputContext {
    INPUTCONTEXT record;
    int locks;
    bool failLock;
};

namespace {

bool failCreate = false;
HostMessage messageLog[kHostMessageLogSize];
int messageCount = 0;

HostMessageSink messageSink = nullptr;
void* messageSinkData = nullptr;

// The application receives the message now, as IMM32 sends it: a sink (the tool or test playing
// the application) sees it while the input method's state is the one it was sent with.
void Deliver(HIMC context, HWND window, const TRANSMSG& message) {
    const HostMessage delivered{window, message.message, message.wParam, message.lParam};
    messageLog[messageCount % kHostMessageLogSize] = delivered;
    ++messageCount;
    if (messageSink != nullptr) {
        messageSink(context, delivered, messageSinkData);
    }
}

HIMCC CreateZeroed(DWORD size) {
    HostComponent* component = new HostComponent{};
    component->data = static_cast<BYTE*>(std::calloc(size != 0 ? size : 1, 1));
    component->size = size;
    return component;
}

}  // namespace

HIMC HostCreateInputContext() {
    HostInputContext* context = new HostInputContext{};
    INPUTCONTEXT& record = context->record;
    // What a new context brings: a blank composition string and candidate information that only
    // know their own size, and an empty message buffer.
    record.hCompStr = CreateZeroed(sizeof(COMPOSITIONSTRING));
    reinterpret_cast<COMPOSITIONSTRING*>(record.hCompStr->data)->dwSize = sizeof(COMPOSITIONSTRING);
    record.hCandInfo = CreateZeroed(sizeof(CANDIDATEINFO));
    reinterpret_cast<CANDIDATEINFO*>(record.hCandInfo->data)->dwSize = sizeof(CANDIDATEINFO);
    record.hMsgBuf = CreateZeroed(0);
    return context;
}

void HostDestroyInputContext(HIMC context) {
    if (context == nullptr) {
        return;
    }
    INPUTCONTEXT& record = context->record;
    for (HIMCC component :
         {record.hCompStr, record.hCandInfo, record.hGuideLine, record.hPrivate, record.hMsgBuf}) {
        ImmDestroyIMCC(component);
    }
    delete context;
}

void HostSetContextOwner(HIMC context, HWND owner) {
    context->record.hWnd = owner;
}

void HostSetContextLockFailure(HIMC context, bool fail) {
    context->failLock = fail;
}

void HostSetComponentLockFailure(HIMCC component, bool fail) {
    component->failLock = fail;
}

void HostSetComponentResizeFailure(HIMCC component, bool fail) {
    component->failResize = fail;
}

void HostSetComponentCreateFailure(bool fail) {
    failCreate = fail;
}

int HostContextLockCount(HIMC context) {
    return context->locks;
}

int HostComponentLockCount(HIMCC component) {
    return component != nullptr ? component->locks : 0;
}

void HostSetMessageSink(HostMessageSink sink, void* data) {
    messageSink = sink;
    messageSinkData = data;
}

int HostMessageCount() {
    return messageCount;
}

const HostMessage& HostMessageAt(int index) {
    return messageLog[index % kHostMessageLogSize];
}

void HostClearMessages() {
    messageCount = 0;
}

void HostDeliverTranslatedMessages(HIMC context, const TRANSMSGLIST* list, UINT count) {
    INPUTCONTEXT& record = context->record;
    if (count <= list->uMsgCount) {
        for (UINT i = 0; i < count; ++i) {
            Deliver(context, record.hWnd, list->TransMsg[i]);
        }
        return;
    }
    // More than the list holds: the messages are the first count entries of the buffer.
    const TRANSMSG* buffered = reinterpret_cast<const TRANSMSG*>(record.hMsgBuf->data);
    DWORD available = record.hMsgBuf->size / sizeof(TRANSMSG);
    for (UINT i = 0; i < count && i < available; ++i) {
        Deliver(context, record.hWnd, buffered[i]);
    }
    record.dwNumMsgBuf = 0;
}

LPINPUTCONTEXT ImmLockIMC(HIMC context) {
    if (context == nullptr || context->failLock) {
        return nullptr;
    }
    ++context->locks;
    return &context->record;
}

BOOL ImmUnlockIMC(HIMC context) {
    if (context == nullptr || context->locks == 0) {
        return FALSE;
    }
    --context->locks;
    return TRUE;
}

HIMCC ImmCreateIMCC(DWORD size) {
    return failCreate ? nullptr : CreateZeroed(size);
}

HIMCC ImmDestroyIMCC(HIMCC component) {
    if (component != nullptr) {
        std::free(component->data);
        delete component;
    }
    return nullptr;
}

// A block of size 0 has no memory to lock, as on the platform.
LPVOID ImmLockIMCC(HIMCC component) {
    if (component == nullptr || component->failLock || component->size == 0) {
        return nullptr;
    }
    ++component->locks;
    return component->data;
}

BOOL ImmUnlockIMCC(HIMCC component) {
    if (component == nullptr || component->locks == 0) {
        return FALSE;
    }
    --component->locks;
    return TRUE;
}

HIMCC ImmReSizeIMCC(HIMCC component, DWORD size) {
    if (component == nullptr || component->failResize) {
        return nullptr;
    }
    BYTE* moved = static_cast<BYTE*>(std::calloc(size != 0 ? size : 1, 1));
    std::memcpy(moved, component->data, size < component->size ? size : component->size);
    std::free(component->data);
    component->data = moved;
    component->size = size;
    return component;
}

DWORD ImmGetIMCCSize(HIMCC component) {
    return component != nullptr ? component->size : 0;
}

BOOL ImmGenerateMessage(HIMC context) {
    if (context == nullptr) {
        return FALSE;
    }
    INPUTCONTEXT& record = context->record;
    if (record.dwNumMsgBuf == 0) {
        return TRUE;
    }
    const TRANSMSG* buffered = static_cast<const TRANSMSG*>(ImmLockIMCC(record.hMsgBuf));
    if (buffered == nullptr) {
        return FALSE;
    }
    DWORD available = record.hMsgBuf->size / sizeof(TRANSMSG);
    for (DWORD i = 0; i < record.dwNumMsgBuf && i < available; ++i) {
        Deliver(context, record.hWnd, buffered[i]);
    }
    ImmUnlockIMCC(record.hMsgBuf);
    record.dwNumMsgBuf = 0;
    return TRUE;
}
