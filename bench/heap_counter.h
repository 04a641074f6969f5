#pragma once
// The bytes this process holds from the heap through operator new, for the
// memory targets. The benchmark program replaces the global operator new and
// delete to keep the count; nothing else does.

#include <cstddef>

namespace quorvel::bench {

std::size_t heapBytesInUse();

}  // namespace quorvel::bench
