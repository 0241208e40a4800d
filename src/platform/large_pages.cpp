// The program's allocation functions: the standard ones, except that a large block (a text of
// megabytes, or one of its forms) is laid out on huge-page boundaries and asks the kernel for
// huge pages before anything touches it.
// Converting a large text writes each of its buffers once from start to end; with 4 KiB pages
// every page of every buffer costs a fault when first written, which took half of the time of
// a conversion that replaces little, and huge pages take that cost away. The kernel gives them
// only where it is set to do so for regions that ask (transparent huge pages in "madvise" or
// "always" mode); elsewhere the request changes nothing.
//
// Linked into the programs only (an object library), and left out of sanitized builds, whose
// run-time libraries bring allocation functions of their own.

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define LORVANE_OWN_ALLOCATION 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || \
    __has_feature(memory_sanitizer)
#define LORVANE_OWN_ALLOCATION 0
#endif
#endif
#ifndef LORVANE_OWN_ALLOCATION
#define LORVANE_OWN_ALLOCATION 1
#endif

#if LORVANE_OWN_ALLOCATION

namespace {

// Below this a block holds at most one whole huge page and the request would not pay for the
// system call.
constexpr std::size_t kLargeBlock = std::size_t{4} << 20;
// The kernel maps a huge page only over a whole, aligned stretch of this size; the rest of a
// block would still be faulted in 4 KiB at a time (a thousand faults for the ragged ends of a
// block). So a large block starts on such a boundary and spans whole huge pages.
constexpr std::size_t kHugePage = std::size_t{2} << 20;

void* allocateLarge(std::size_t size) {
    const std::size_t whole = (size + kHugePage - 1) & ~(kHugePage - 1);
    void* block = std::aligned_alloc(kHugePage, whole);
    if (block != nullptr) ::madvise(block, whole, MADV_HUGEPAGE);
    return block;
}

void* allocate(std::size_t size) {
    for (;;) {
        void* block = size >= kLargeBlock ? allocateLarge(size) : std::malloc(size == 0 ? 1 : size);
        if (block != nullptr) return block;
        std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) throw std::bad_alloc();
        handler();
    }
}

}  // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}

void* operator new[](std::size_t size) {
    return allocate(size);
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

#endif
