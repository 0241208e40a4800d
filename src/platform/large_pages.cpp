// The program's allocation functions: the standard ones, except that a large block (a text of
// megabytes, or one of its forms) asks the kernel for huge pages before anything touches it.
// Converting a large text writes each of its buffers once from start to end; with 4 KiB pages
// every page of every buffer costs a fault when first written, which took half of the time of
// a conversion that replaces little, and huge pages take that cost away. The kernel gives them
// only where it is set to do so for regions that ask (transparent huge pages in "madvise" or
// "always" mode); elsewhere the request changes nothing.
//
// Linked into the programs only (an object library), and left out of sanitized builds, whose
// run-time libraries bring allocation functions of their own.

#include <sys/mman.h>
#include <unistd.h>

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

void askForHugePages(void* block, std::size_t size) {
    static const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto start = (reinterpret_cast<std::uintptr_t>(block) + page - 1) & ~(page - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(block) + size) & ~(page - 1);
    if (end > start) ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

void* allocate(std::size_t size) {
    for (;;) {
        if (void* block = std::malloc(size == 0 ? 1 : size)) {
            if (size >= kLargeBlock) askForHugePages(block, size);
            return block;
        }
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
