// Every global operator new and delete of the host test program goes through here: counted while
// AllocationCounting is set (under AddressSanitizer a malloc hook counts malloc, calloc and
// realloc too, once InstallMallocHook has run), and failing, as an exhausted heap does, while
// FailAllocations is set.
#include "support/allocation_control.h"

#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define ZELK_COUNT_MALLOC 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZELK_COUNT_MALLOC 1
#endif
#endif

bool AllocationCounting = false;
std::size_t NewCalls = 0;
std::size_t MallocCalls = 0;
bool FailAllocations = false;

namespace {

// The throwing forms fail as an exhausted heap does.
void* Thrown(void* block) {
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}

void* CountedNew(std::size_t size) {
    if (FailAllocations) {
        return nullptr;
    }
    if (AllocationCounting) {
        ++NewCalls;
    }
    void* block = std::malloc(size != 0 ? size : 1);
    if (block == nullptr) {
        std::abort();
    }
    return block;
}

void* CountedAlignedNew(std::size_t size, std::align_val_t alignment) {
    if (FailAllocations) {
        return nullptr;
    }
    if (AllocationCounting) {
        ++NewCalls;
    }
    const std::size_t align = static_cast<std::size_t>(alignment);
    const std::size_t rounded = (size + align - 1) / align * align;
    void* block = std::aligned_alloc(align, rounded != 0 ? rounded : align);
    if (block == nullptr) {
        std::abort();
    }
    return block;
}

#ifdef ZELK_COUNT_MALLOC
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*,
                                                                  std::size_t),
                                                         void (*)(const volatile void*));

void CountMalloc(const volatile void*, std::size_t) {
    if (AllocationCounting) {
        ++MallocCalls;
    }
}
void IgnoreFree(const volatile void*) {}

}  // namespace

// The sanitizer keeps only a few hooks: install ours once for the whole program.
bool InstallMallocHook() {
    static const bool installed =
        __sanitizer_install_malloc_and_free_hooks(CountMalloc, IgnoreFree) != 0;
    return installed;
}
#else
}  // namespace

bool InstallMallocHook() {
    return false;
}
#endif

void* operator new(std::size_t size) {
    return Thrown(CountedNew(size));
}
void* operator new[](std::size_t size) {
    return Thrown(CountedNew(size));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return CountedNew(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return CountedNew(size);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return Thrown(CountedAlignedNew(size, alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return Thrown(CountedAlignedNew(size, alignment));
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return CountedAlignedNew(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return CountedAlignedNew(size, alignment);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete(void* block, std::align_val_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
    std::free(block);
}
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept {
    std::free(block);
}
