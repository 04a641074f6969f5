#pragma once
// The bytes this process holds from the heap through operator new, for the
// memory targets. The benchmark program replaces the global operator new and
// delete to keep the count; nothing else does.

#include <cstddef>

namespace quorvel::bench {

std::size_t heapBytesInUse();

// The most bytes in use at once since startHeapPeak(): what a load held on
// its way, which a heap that keeps freed blocks goes on holding after it.
void startHeapPeak();
std::size_t heapPeakBytes();

}  // namespace quorvel::bench
