#include "engine/trigger_index.h"

#include <utility>

namespace quorvel {

void TriggerIndex::clear() {
    std::vector<Entry>().swap(slots_);
    used_ = 0;
    shift_ = 32;
}

void TriggerIndex::place(Entry entry) {
    std::size_t slot = home(entry.hash);
    while (slots_[slot].firstRow != NoRow) {
        slot = next(slot);
    }
    slots_[slot] = entry;
}

void TriggerIndex::erase(std::size_t hole) {
    // Move back each entry of the run behind the hole that may sit there: one
    // whose home is not cyclically between the hole and its own slot.
    for (std::size_t slot = next(hole); slots_[slot].firstRow != NoRow; slot = next(slot)) {
        const std::size_t wanted = home(slots_[slot].hash);
        const bool reachable =
            hole <= slot ? (wanted <= hole || wanted > slot) : (wanted <= hole && wanted > slot);
        if (reachable) {
            slots_[hole] = slots_[slot];
            hole = slot;
        }
    }
    slots_[hole] = Entry{};
    --used_;
}

void TriggerIndex::grow() {
    rehash(slots_.empty() ? 8 : slots_.size() * 2);
}

void TriggerIndex::reserve(std::size_t more) {
    std::size_t size = slots_.empty() ? 8 : slots_.size();
    while ((used_ + more) * 4 > size * 3) {
        size *= 2;
    }
    if (size != slots_.size()) {
        rehash(size);
    }
}

void TriggerIndex::rehash(std::size_t size) {
    std::vector<Entry> old = std::exchange(slots_, {});
    slots_.assign(size, Entry{});
    shift_ = 32;
    for (std::size_t bits = size; bits > 1; bits >>= 1) {
        --shift_;
    }
    for (const Entry& entry : old) {
        if (entry.firstRow != NoRow) {
            place(entry);
        }
    }
}

}  // namespace quorvel
