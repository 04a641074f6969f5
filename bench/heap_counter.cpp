#include "heap_counter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace quorvel::bench {
namespace {

// The process-wide state here: operator new has nowhere else to keep it. It counts the blocks'
// usable sizes, which is what they really take.
std::atomic<std::size_t> bytesInUse{0};
std::atomic<std::size_t> mostInUse{0};

void* allocate(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    const std::size_t usable = malloc_usable_size(block);
    const std::size_t now = bytesInUse.fetch_add(usable, std::memory_order_relaxed) + usable;
    std::size_t most = mostInUse.load(std::memory_order_relaxed);
    while (now > most && !mostInUse.compare_exchange_weak(most, now, std::memory_order_relaxed)) {
    }
    return block;
}

void release(void* block) noexcept {
    if (block != nullptr) {
        bytesInUse.fetch_sub(malloc_usable_size(block), std::memory_order_relaxed);
        std::free(block);
    }
}

}  // namespace

std::size_t heapBytesInUse() {
    return bytesInUse.load(std::memory_order_relaxed);
}

void startHeapPeak() {
    mostInUse.store(heapBytesInUse(), std::memory_order_relaxed);
}

std::size_t heapPeakBytes() {
    return mostInUse.load(std::memory_order_relaxed);
}

}  // namespace quorvel::bench

void* operator new(std::size_t size) {
    return quorvel::bench::allocate(size);
}
void* operator new[](std::size_t size) {
    return quorvel::bench::allocate(size);
}
void operator delete(void* block) noexcept {
    quorvel::bench::release(block);
}
void operator delete[](void* block) noexcept {
    quorvel::bench::release(block);
}
void operator delete(void* block, std::size_t) noexcept {
    quorvel::bench::release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    quorvel::bench::release(block);
}
