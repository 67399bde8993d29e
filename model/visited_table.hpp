// The positions a breadth-first search has seen, with their depth, for the solvers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace model {

// Visited positions with their BFS depth. A small code space is a plain array of depths
// indexed by code, which keeps neighbouring positions close in memory; a large one is an
// open-addressed table of 64-bit words holding the code in the low bits and the depth in
// the high bits, growing with the number of positions actually seen.
class VisitedTable {
public:
    static constexpr int kCodeBits = 40;
    static constexpr uint64_t kCodeMask = (uint64_t{1} << kCodeBits) - 1;
    // A position no crossing may reach, remembered so that it is judged only once.
    static constexpr uint64_t kRefused = uint64_t{1} << 23;
    static constexpr uint64_t kDenseCodes = uint64_t{1} << 25;

    // The dense array is taken only where it leaves most of the memory bound free.
    VisitedTable(uint64_t codeSpace, uint64_t memoryLimit) {
        if (codeSpace <= kDenseCodes && codeSpace * sizeof(uint16_t) <= memoryLimit / 4) {
            dense_.assign(codeSpace, kDenseEmpty);
        } else {
            slots_.assign(uint64_t{1} << 12, kEmpty);
        }
    }

    size_t size() const { return size_; }

    // Bytes held while the next code goes in: a growing table briefly keeps its old
    // slots beside the new ones.
    uint64_t bytesForInsert() const {
        if (!dense_.empty()) return dense_.size() * sizeof(uint16_t);
        const uint64_t held = slots_.size() * sizeof(uint64_t);
        return needsGrowth() ? 3 * held : held;
    }

    // Depth of a visited code, or -1.
    int64_t depth(uint64_t code) const {
        if (!dense_.empty()) {
            const uint16_t d = dense_[code];
            if (d == kDenseEmpty) return -1;
            return d == kDenseRefused ? static_cast<int64_t>(kRefused) : d;
        }
        const uint64_t mask = slots_.size() - 1;
        for (uint64_t i = hash(code) & mask;; i = (i + 1) & mask) {
            if (slots_[i] == kEmpty) return -1;
            if ((slots_[i] & kCodeMask) == code) return static_cast<int64_t>(slots_[i] >> kCodeBits);
        }
    }

    // The code must not be in the table yet. False when the depth cannot be stored.
    bool insert(uint64_t code, uint64_t depth) {
        if (!dense_.empty()) {
            if (depth == kRefused) {
                dense_[code] = kDenseRefused;
            } else if (depth < kDenseRefused) {
                dense_[code] = static_cast<uint16_t>(depth);
            } else {
                return false;
            }
        } else {
            if (depth > kRefused) return false;
            if (needsGrowth()) grow();
            place(code | (depth << kCodeBits));
        }
        ++size_;
        return true;
    }

private:
    static constexpr uint64_t kEmpty = ~uint64_t{0};
    static constexpr uint16_t kDenseEmpty = 0xFFFF;
    static constexpr uint16_t kDenseRefused = 0xFFFE;

    bool needsGrowth() const { return (size_ + 1) * 10 > slots_.size() * 7; }

    static uint64_t hash(uint64_t x) {
        x ^= x >> 31;
        x *= 0x7fb5d329728ea185ULL;
        x ^= x >> 27;
        x *= 0x81dadef4bc2dd44dULL;
        return x ^ (x >> 33);
    }
    void place(uint64_t entry) {
        const uint64_t mask = slots_.size() - 1;
        uint64_t i = hash(entry & kCodeMask) & mask;
        while (slots_[i] != kEmpty) i = (i + 1) & mask;
        slots_[i] = entry;
    }
    void grow() {
        std::vector<uint64_t> old(slots_.size() * 2, kEmpty);
        old.swap(slots_);
        for (const uint64_t entry : old) {
            if (entry != kEmpty) place(entry);
        }
    }

    std::vector<uint16_t> dense_;
    std::vector<uint64_t> slots_;
    size_t size_ = 0;
};

}  // namespace model
