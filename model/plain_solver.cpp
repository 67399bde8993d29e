#include "model/plain_solver.hpp"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <span>
#include <tuple>

#include "base/name_hash.hpp"
#include "model/rule_check.hpp"
#include "model/visited_table.hpp"

namespace model {

namespace {

// A move is stored as a 32-bit passenger mask, so only tasks that fit it can be solved.
constexpr int kMaxSolvable = 32;
// Enumerating crossings costs time even when they lead nowhere new; the search gives up
// after this many crossings per state allowed by the limit (the pack and the generated
// tasks of the benchmarks try fewer than five).
constexpr uint64_t kCrossingsPerState = 16;

// Characters that are alike in everything the rules, the boat and the goal can see:
// swapping two of them maps every position to an equivalent one, so a position only
// needs to know how many of the group stand on the right bank.
struct Group {
    std::vector<int> members;  // character indices, ascending
    int64_t weight = 0;
    // Left and goal places coincide: the character always counts as on the left bank,
    // is always at its goal, and can only board from the left.
    bool pinned = false;
    uint64_t radix = 0;  // weight of this group's right-bank count in the state code
};

using Counts = std::array<int, kMaxSolvable>;

class Search {
public:
    Search(const TaskData& task, const Position& from, uint64_t stateLimit, uint64_t memoryLimit)
        : task_(task),
          from_(from),
          stateLimit_(stateLimit),
          memoryLimit_(memoryLimit),
          capacity_(task.capacity()),
          boatman_(task.hasBoatman()) {
        const int n = static_cast<int>(task.characters.size());
        kinds_.resize(n);
        place_.resize(n);
        placeFrom_.resize(n);
        for (int i = 0; i < n; ++i) {
            const CharacterData& c = task.characters[i];
            kinds_[i] = kindKey(base::nameHash(c.name.c_str()), c.colour);
        }
        if (n <= kMaxSolvable) makeGroups();
    }

    bool onBank(int i, int side) const {
        const int bank = i < static_cast<int>(from_.bank.size()) ? from_.bank[i] : -1;
        return (bank == 0 ? from_.boat : bank) == side;
    }

    SolveResult run() {
        SolveResult result;
        if (task_.characters.size() > kMaxSolvable) {
            result.status = SolveStatus::TooLarge;
            result.bound = SolveBound::Characters;
            return result;
        }
        const uint64_t crossingBudget = std::max<uint64_t>(stateLimit_, 1) * kCrossingsPerState;
        uint64_t crossings = 0;
        const uint64_t start = startCode();
        if (start == goal_) {
            result.status = SolveStatus::Solved;
            return result;
        }
        visited_.emplace(codeSpace_, memoryLimit_);
        visited_->insert(start, 0);
        std::vector<uint64_t> frontier{start}, next;
        for (uint64_t depth = 0; !frontier.empty(); ++depth) {
            next.clear();
            for (const uint64_t from : frontier) {
                const Counts counts = countsOf(from);
                const int side = sideOf(from);
                placeRepresentatives(counts);
                bool solved = false;
                forEachCrossing(
                    counts, side, side,
                    [&](const Counts& taken, std::span<const int> loaded, int passengers,
                        int64_t delta) {
                        if (++crossings > crossingBudget) return stop(result, SolveBound::States);
                        const uint64_t to =
                            static_cast<uint64_t>(static_cast<int64_t>(from) + delta) ^ 1;
                        if (visited_->depth(to) >= 0) return false;
                        const bool ok = allowedFrom(counts, side, taken, loaded, passengers);
                        // Without pinned characters a verdict depends on the position reached alone.
                        if (!ok && hasPinned_) return false;
                        if (visited_->bytesForInsert() + bytesForPush(frontier) + bytesForPush(next) >
                            memoryLimit_) {
                            return stop(result, SolveBound::Memory);
                        }
                        if (!visited_->insert(to, ok ? depth + 1 : VisitedTable::kRefused)) {
                            return stop(result, SolveBound::States);
                        }
                        if (visited_->size() > stateLimit_) return stop(result, SolveBound::States);
                        if (!ok) return false;
                        if (to == goal_) return solved = true;
                        next.push_back(to);
                        return false;
                    });
                result.statesVisited = visited_->size();
                if (result.status == SolveStatus::TooLarge) return result;
                if (solved) {
                    result.status = SolveStatus::Solved;
                    result.moves = pathTo(goal_, depth + 1);
                    return result;
                }
            }
            frontier.swap(next);
        }
        result.status = SolveStatus::NoSolution;
        return result;
    }

private:
    static bool stop(SolveResult& result, SolveBound bound) {
        result.status = SolveStatus::TooLarge;
        result.bound = bound;
        return true;
    }

    // Bytes a frontier holds while one more position is appended to it.
    static uint64_t bytesForPush(const std::vector<uint64_t>& v) {
        const uint64_t held = v.capacity() * sizeof(uint64_t);
        return v.size() < v.capacity() ? held : held + std::max<uint64_t>(2 * held, sizeof(uint64_t));
    }

    void makeGroups() {
        const int n = static_cast<int>(task_.characters.size());
        std::vector<bool> individual(n, false);
        for (const RuleData& rule : task_.rules) {
            if (rule.kind != ForbidTogether) continue;
            for (const int index : {rule.first, rule.second, rule.third}) {
                if (index >= 0 && index < n) individual[index] = true;
            }
        }
        std::map<std::tuple<uint64_t, int64_t, bool>, size_t> byKind;
        for (int i = 0; i < n; ++i) {
            const CharacterData& c = task_.characters[i];
            const bool pinned = c.leftX == c.rightX && c.leftY == c.rightY;
            hasPinned_ = hasPinned_ || pinned;
            const auto key = std::make_tuple(kinds_[i], int64_t{c.weight}, pinned);
            auto found = byKind.find(key);
            if (individual[i] || found == byKind.end()) {
                groups_.push_back(Group{{}, c.weight, pinned, 0});
                if (!individual[i]) found = byKind.emplace(key, groups_.size() - 1).first;
            }
            groups_[individual[i] ? groups_.size() - 1 : found->second].members.push_back(i);
        }
        // Bit 0 of a code is the boat side (1: right bank), then a mixed-radix count per
        // group; at most 32 characters keep it within 33 bits.
        uint64_t radix = 2;
        goal_ = 1;
        for (Group& g : groups_) {
            if (g.pinned) continue;
            g.radix = radix;
            goal_ += g.members.size() * radix;
            radix *= g.members.size() + 1;
        }
        codeSpace_ = radix;
    }

    static int sideOf(uint64_t code) { return (code & 1) ? 1 : -1; }

    uint64_t startCode() const {
        uint64_t code = from_.boat > 0 ? 1 : 0;
        for (const Group& g : groups_) {
            if (g.pinned) continue;
            for (const int i : g.members) {
                if (onBank(i, 1)) code += g.radix;
            }
        }
        return code;
    }

    Counts countsOf(uint64_t code) const {
        Counts counts{};
        for (size_t g = 0; g < groups_.size(); ++g) {
            if (groups_[g].pinned) continue;
            counts[g] = static_cast<int>((code / groups_[g].radix) % (groups_[g].members.size() + 1));
        }
        return counts;
    }

    // Every load the boat can take from bank `from` (where it stands, or for a step back
    // where it came from) with the position `counts`; `visit` gets the number taken from
    // each group, their total and the change of the state code, and returns true to stop.
    // Loads are built group by group in the order of weight, each one visited once, so
    // the cost is proportional to the number of loads rather than loads times groups.
    template <class Visit>
    void forEachCrossing(const Counts& counts, int boatBank, int from, Visit&& visit) const {
        std::array<int, kMaxSolvable> order;  // groups with someone to board, lightest first
        Counts available{};
        int orderCount = 0;
        for (size_t g = 0; g < groups_.size(); ++g) {
            const Group& group = groups_[g];
            const int size = static_cast<int>(group.members.size());
            if (group.pinned) {
                available[g] = from < 0 ? size : 0;
            } else {
                available[g] = boatBank > 0 ? counts[g] : size - counts[g];
            }
            if (available[g] > 0) order[orderCount++] = static_cast<int>(g);
        }
        std::sort(order.begin(), order.begin() + orderCount,
                  [&](int a, int b) { return groups_[a].weight < groups_[b].weight; });
        // The lowest weight the groups from position i on can still add (their negative
        // weights, all aboard).
        std::array<int64_t, kMaxSolvable + 1> lightest{};
        for (int i = orderCount; i-- > 0;) {
            const Group& group = groups_[order[i]];
            lightest[i] = lightest[i + 1] + std::min<int64_t>(0, group.weight) * available[order[i]];
        }

        Counts taken{};
        std::array<int, kMaxSolvable> loaded;  // the groups with passengers in `taken`
        int loadedCount = 0;
        bool stop = false;
        // Moving a passenger off the right bank lowers its group's count.
        const int64_t sign = boatBank > 0 ? -1 : 1;
        auto extend = [&](auto&& self, int next, int64_t load, int passengers, int64_t delta) -> void {
            if (load <= capacity_ && (passengers > 0 || boatman_)) {
                stop = visit(taken, std::span<const int>(loaded.data(), loadedCount), passengers, delta);
                if (stop) return;
            }
            for (int i = next; i < orderCount && !stop; ++i) {
                const int g = order[i];
                const Group& group = groups_[g];
                // Weights only grow from here on once they are positive.
                if (group.weight > 0 && load + group.weight + lightest[i + 1] > capacity_) break;
                for (int k = 1; k <= available[g] && !stop; ++k) {
                    const int64_t withThese = load + group.weight * k;
                    if (withThese + lightest[i + 1] > capacity_) {
                        if (group.weight > 0) break;
                        continue;
                    }
                    taken[g] = k;
                    loaded[loadedCount++] = g;
                    self(self, i + 1, withThese, passengers + k,
                         delta + sign * k * static_cast<int64_t>(group.radix));
                    --loadedCount;
                }
                taken[g] = 0;
            }
        };
        extend(extend, 0, 0, 0, 0);
    }

    // Where every character stands in the position `counts`: of a group with r on the
    // right bank, its first r members. Any choice would do, the members being alike; this
    // one lets a crossing change only its passengers' entries.
    void placeRepresentatives(const Counts& counts) {
        for (size_t g = 0; g < groups_.size(); ++g) {
            const Group& group = groups_[g];
            for (size_t m = 0; m < group.members.size(); ++m) {
                placeFrom_[group.members[m]] = !group.pinned && static_cast<int>(m) < counts[g] ? 1 : -1;
            }
        }
    }

    // The crossing from the position last given to placeRepresentatives (`counts`, boat
    // on `side`) carrying `taken` from each of the `loaded` groups, judged as play does:
    // passengers count on the bank the boat reaches.
    bool allowedFrom(const Counts& counts, int side, const Counts& taken, std::span<const int> loaded,
                     int passengers) {
        const int destination = -side;
        place_ = placeFrom_;
        for (const int g : loaded) {
            const Group& group = groups_[g];
            const int k = taken[g];
            const int r = counts[g];
            // Members r.. board on the left, members ..r-1 on the right, matching the
            // representatives of the position reached.
            int firstAboard = 0;
            if (!group.pinned) firstAboard = side < 0 ? r : r - k;
            for (int m = firstAboard; m < firstAboard + k; ++m) {
                place_[group.members[m]] = static_cast<int8_t>(destination);
            }
        }
        return judgeCrossing(place_, kinds_, passengers == 0, boatman_, destination, task_.rules)
                   .verdict == Verdict::Allowed;
    }

    // The crossing that ends in position `to` carrying `taken` from each group.
    bool allowedAt(uint64_t to, const Counts& taken, int passengers) {
        const int destination = sideOf(to);
        const Counts counts = countsOf(to);
        for (size_t g = 0; g < groups_.size(); ++g) {
            const Group& group = groups_[g];
            for (size_t m = 0; m < group.members.size(); ++m) {
                int8_t bank;
                if (group.pinned) {
                    bank =
                        static_cast<int>(m) < taken[g] ? static_cast<int8_t>(destination) : int8_t{-1};
                } else {
                    bank = static_cast<int>(m) < counts[g] ? int8_t{1} : int8_t{-1};
                }
                place_[group.members[m]] = bank;
            }
        }
        return judgeCrossing(place_, kinds_, passengers == 0, boatman_, destination, task_.rules)
                   .verdict == Verdict::Allowed;
    }

    // Walks back from the goal through positions one step shallower each time, then
    // replays the loads on the actual characters to get the passenger masks.
    std::vector<MoveData> pathTo(uint64_t goal, uint64_t depth) {
        std::vector<Counts> loads(depth);
        uint64_t at = goal;
        for (uint64_t d = depth; d > 0; --d) {
            const int side = sideOf(at);
            bool found = false;
            forEachCrossing(
                countsOf(at), side, -side,
                [&](const Counts& taken, std::span<const int>, int passengers, int64_t delta) {
                    const uint64_t before = static_cast<uint64_t>(static_cast<int64_t>(at) + delta) ^ 1;
                    if (visited_->depth(before) != static_cast<int64_t>(d - 1)) return false;
                    if (!allowedAt(at, taken, passengers)) return false;
                    loads[d - 1] = taken;
                    at = before;
                    return found = true;
                });
            if (!found) return {};  // cannot happen: every visited position has a parent
        }

        std::vector<int8_t> bank(task_.characters.size(), -1);
        for (size_t i = 0; i < bank.size(); ++i) {
            if (!isPinned(static_cast<int>(i))) bank[i] = onBank(static_cast<int>(i), 1) ? 1 : -1;
        }
        std::vector<MoveData> moves;
        int side = from_.boat > 0 ? 1 : -1;
        for (const Counts& taken : loads) {
            MoveData move{{}, -side};
            for (size_t g = 0; g < groups_.size(); ++g) {
                int left = taken[g];
                // Those already in the boat go first, so a hint asks to move as few as it can.
                for (const bool firstPass : {true, false}) {
                    for (const int i : groups_[g].members) {
                        if (left == 0) break;
                        if (move.mask.test(static_cast<size_t>(i)) || bank[i] != side) continue;
                        if (firstPass && !(moves.empty() && inBoat(i))) continue;
                        move.mask.set(static_cast<size_t>(i));
                        if (!groups_[g].pinned) bank[i] = static_cast<int8_t>(-side);
                        --left;
                    }
                }
            }
            moves.push_back(move);
            side = -side;
        }
        return moves;
    }

    bool inBoat(int i) const { return i < static_cast<int>(from_.bank.size()) && from_.bank[i] == 0; }
    bool isPinned(int i) const {
        const CharacterData& c = task_.characters[i];
        return c.leftX == c.rightX && c.leftY == c.rightY;
    }

    const TaskData& task_;
    const Position& from_;
    uint64_t stateLimit_;
    uint64_t memoryLimit_;
    int64_t capacity_;
    bool boatman_;
    std::vector<uint64_t> kinds_;
    std::vector<int8_t> place_;
    std::vector<int8_t> placeFrom_;
    bool hasPinned_ = false;
    std::vector<Group> groups_;
    uint64_t goal_ = 1;
    uint64_t codeSpace_ = 2;
    std::optional<VisitedTable> visited_;
};

}  // namespace

SolveResult plainSolveFrom(const TaskData& task, const Position& from, uint64_t stateLimit,
                           uint64_t memoryLimit) {
    Search search(task, from, stateLimit, memoryLimit);
    return search.run();
}

}  // namespace model
