// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tallyra::payroll {

// Every employee's state by 工号: an open-addressing table of small slots over states kept in
// blocks (no state moves, and no block is copied when the table grows). A payroll file repeats
// the same order of employees month after month, or lists one employee's months together, so
// the employee after the last one found, or the last one again, is tried before the table.
template <typename State> class EmployeeTable {
public:
    // The state of `id`, whose EmployeeHash is `hash`; a new one (State{}) when `added`.
    State& find(std::string_view id, std::uint64_t hash, bool& added)
    {
        added = false;
        for (std::uint32_t guess : {last_ + 1, last_})
            if (guess < count_ && idOf(guess) == id)
                return stateAt(last_ = guess);
        if ((count_ + 1) * 4 > slots_.size() * 3)
            grow();
        const std::uint32_t tag = static_cast<std::uint32_t>(hash >> 32);
        for (std::size_t s = hash & (slots_.size() - 1);; s = (s + 1) & (slots_.size() - 1)) {
            Slot& slot = slots_[s];
            if (slot.index == 0) {
                slot = {tag, add(id, hash)};
                added = true;
                return stateAt(last_ = slot.index - 1);
            }
            if (slot.tag == tag && idOf(slot.index - 1) == id)
                return stateAt(last_ = slot.index - 1);
        }
    }
    std::size_t size() const { return count_; }

private:
    static constexpr std::uint32_t kBlockBits = 10;
    static constexpr std::uint32_t kBlock = 1u << kBlockBits;
    struct Slot {
        std::uint32_t tag = 0;   // the hash's high half, to skip most comparisons of 工号
        std::uint32_t index = 0; // the state's number + 1; 0: empty
    };

    std::string_view idOf(std::uint32_t i) const
    {
        const std::uint32_t begin = i == 0 ? 0 : idEnds_[i - 1];
        return std::string_view(ids_).substr(begin, idEnds_[i] - begin);
    }
    State& stateAt(std::uint32_t i) { return blocks_[i >> kBlockBits][i & (kBlock - 1)]; }

    std::uint32_t add(std::string_view id, std::uint64_t hash)
    {
        if ((count_ & (kBlock - 1)) == 0)
            blocks_.push_back(std::make_unique<State[]>(kBlock));
        ids_.append(id);
        idEnds_.push_back(static_cast<std::uint32_t>(ids_.size()));
        hashes_.push_back(hash);
        return ++count_;
    }

    void grow()
    {
        std::vector<Slot> old(slots_.empty() ? 1024 : slots_.size() * 2);
        old.swap(slots_);
        for (const Slot& slot : old) {
            if (slot.index == 0)
                continue;
            const std::uint64_t hash = hashes_[slot.index - 1];
            std::size_t s = hash & (slots_.size() - 1);
            while (slots_[s].index != 0)
                s = (s + 1) & (slots_.size() - 1);
            slots_[s] = slot;
        }
    }

    std::vector<Slot> slots_;
    std::vector<std::unique_ptr<State[]>> blocks_;
    std::string ids_;                   // every 工号, one after the other
    std::vector<std::uint32_t> idEnds_; // where each ends in ids_
    std::vector<std::uint64_t> hashes_; // to place each again when the table grows
    std::uint32_t count_ = 0;
    std::uint32_t last_ = ~0u - 1; // the last state found (none yet: neither guess exists)
};

} // namespace tallyra::payroll
