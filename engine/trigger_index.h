#pragma once
// A flat hash table from a trigger key to the first row, in list order, that
// holds it, and how many rows do. It keeps no text: the caller hashes the key
// and says whether a row holds it, so an entry costs twelve bytes.
//
// Open addressing with linear probing; a removal shifts the entries behind it
// back, so no tombstones build up however often rows come and go.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace quorvel {

class TriggerIndex {
  public:
    static constexpr std::uint32_t NoRow = std::numeric_limits<std::uint32_t>::max();

    // The first row holding the key, or NoRow.
    template <class HoldsKey>
    std::uint32_t first(std::uint32_t hash, const HoldsKey& holdsKey) const {
        const std::size_t slot = find(hash, holdsKey);
        return slot == NotFound ? NoRow : slots_[slot].firstRow;
    }

    // Counts `row` among the holders of its key; it becomes the first when
    // `before(row, first)`.
    template <class HoldsKey, class Before>
    void insert(std::uint32_t hash, std::uint32_t row, const HoldsKey& holdsKey,
                const Before& before) {
        if (const std::size_t slot = find(hash, holdsKey); slot != NotFound) {
            Entry& entry = slots_[slot];
            ++entry.rows;
            if (before(row, entry.firstRow)) {
                entry.firstRow = row;
            }
            return;
        }
        if ((used_ + 1) * 4 > slots_.size() * 3) {
            grow();
        }
        place(Entry{hash, row, 1});
        ++used_;
    }

    // Forgets `row` as a holder of its key. When it was the first and others
    // remain, `nextHolder()` names the new first.
    template <class HoldsKey, class NextHolder>
    void remove(std::uint32_t hash, std::uint32_t row, const HoldsKey& holdsKey,
                const NextHolder& nextHolder) {
        const std::size_t slot = find(hash, holdsKey);
        if (slot == NotFound) {
            return;
        }
        Entry& entry = slots_[slot];
        if (--entry.rows == 0) {
            erase(slot);
        } else if (entry.firstRow == row) {
            entry.firstRow = nextHolder();
        }
    }

    // Makes room for `more` keys beyond those held, in one step: a load that
    // grew the table key by key would leave every smaller table it outgrew
    // behind in the heap.
    void reserve(std::size_t more);

    void clear();
    std::size_t heapBytes() const { return slots_.capacity() * sizeof(Entry); }

  private:
    struct Entry {
        std::uint32_t hash = 0;
        std::uint32_t firstRow = NoRow;  // NoRow marks a free slot
        std::uint32_t rows = 0;
    };
    static constexpr std::size_t NotFound = std::numeric_limits<std::size_t>::max();

    std::size_t home(std::uint32_t hash) const {
        // Fibonacci hashing spreads keys whose hashes differ only in high bits.
        return static_cast<std::size_t>((hash * 2654435769u) >> shift_);
    }
    std::size_t next(std::size_t slot) const { return (slot + 1) & (slots_.size() - 1); }

    template <class HoldsKey>
    std::size_t find(std::uint32_t hash, const HoldsKey& holdsKey) const {
        if (slots_.empty()) {
            return NotFound;
        }
        for (std::size_t slot = home(hash);; slot = next(slot)) {
            const Entry& entry = slots_[slot];
            if (entry.firstRow == NoRow) {
                return NotFound;
            }
            if (entry.hash == hash && holdsKey(entry.firstRow)) {
                return slot;
            }
        }
    }

    void place(Entry entry);
    void erase(std::size_t slot);
    void grow();
    void rehash(std::size_t size);

    std::vector<Entry> slots_;  // a power of two long, or empty
    std::size_t used_ = 0;
    unsigned shift_ = 32;
};

}  // namespace quorvel
