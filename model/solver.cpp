#include "model/solver.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <optional>

#include "base/name_hash.hpp"
#include "model/rule_check.hpp"
#include "model/solver_symmetry.hpp"
#include "model/visited_table.hpp"

namespace model {

namespace {

constexpr int kMaxPatterns = 1 << kMaxGroupSize;
// A crossing tried costs about as much as judging four rules.
constexpr uint64_t kCrossingWork = 4;
// Positions are numbered within the visited table's code bits.
constexpr uint64_t kMaxCodeSpace = uint64_t{1} << VisitedTable::kCodeBits;

bool isPinned(const CharacterData& c) { return c.leftX == c.rightX && c.leftY == c.rightY; }

// a * b, or nothing past `limit`.
std::optional<uint64_t> times(uint64_t a, uint64_t b, uint64_t limit) {
    if (b != 0 && a > limit / b) return std::nullopt;
    if (a * b > limit) return std::nullopt;
    return a * b;
}

// Interchangeable blocks and how a position numbers them. A position only says how many
// blocks of each type stand in each pattern (bit k: member k on the right bank), so a
// block's pattern adds its radix to the position's code. Pinned members never leave the
// left bank; only what is judged, with them aboard, sees them elsewhere.
struct Type {
    int size = 1;
    int blocks = 0;
    std::vector<int> members;  // block b's member k at b * size + k
    uint32_t movers = 0;       // members that have to cross
    std::vector<int64_t> weight;
    std::array<uint64_t, kMaxPatterns> radix{};        // patterns of movers
    std::array<uint64_t, kMaxPatterns> judgedRadix{};  // any pattern, pinned members aboard too

    int member(int block, int k) const { return members[block * size + k]; }
};

// Blocks of one type in one pattern: what a load takes from one is what it takes from any.
struct Cell {
    int type = 0;
    uint32_t pattern = 0;
    int first = 0;  // into cellBlocks_
    int count = 0;
};

// Some members of one block of a cell, taken `count` times from the cell's blocks.
struct Option {
    int cell = 0;
    uint32_t slots = 0;
    int64_t weight = 0;
    int64_t delta = 0;        // change of the position's code per block
    int64_t judgedDelta = 0;  // the same for the judged code
};

struct Taken {
    int option = 0;
    int count = 0;
    int offset = 0;  // the first block within the cell
};

class Search {
public:
    Search(const TaskData& task, const Position& from, const SearchBudget& budget)
        : task_(task),
          from_(from),
          budget_(budget),
          capacity_(task.capacity()),
          boatman_(task.hasBoatman()) {
        const int n = static_cast<int>(task.characters.size());
        kinds_.resize(n);
        for (int i = 0; i < n; ++i) {
            const CharacterData& c = task.characters[i];
            kinds_[i] = kindKey(base::nameHash(c.name.c_str()), c.colour);
        }
        // What one judgement reads: every character once, every rule, and for a rule that
        // counts kinds every character again.
        judgeCost_ = static_cast<uint64_t>(n) + task.rules.size() + 1;
        for (const RuleData& rule : task.rules) {
            if (rule.kind == MoreThan || rule.kind == NotLessThan)
                judgeCost_ += static_cast<uint64_t>(n);
        }
    }

    SolveResult run() {
        if (task_.characters.size() > static_cast<size_t>(kMaxCharacters) || !makeTypes()) {
            return stopped(SolveBound::Characters);
        }
        const int n = static_cast<int>(task_.characters.size());
        std::vector<int8_t> start(n);
        for (int i = 0; i < n; ++i) start[i] = !isPinned(task_.characters[i]) && onBank(i, 1) ? 1 : -1;
        const int startSide = from_.boat > 0 ? 1 : -1;
        makeCells(start, startSide, nullptr);
        const uint64_t startCode = here_;
        if (startCode == goal_) {
            result_.status = SolveStatus::Solved;
            return result_;
        }
        // A dense table is filled up front: only worth it where the limit may fill much of it.
        const uint64_t denseBound =
            budget_.positions > budget_.memory / 64 ? budget_.memory : budget_.positions * 64;
        visited_.emplace(codeSpace_, denseBound);
        visited_->insert(startCode, 0);
        if (remembersRefusals_) refused_.emplace(judgedSpace_, budget_.memory / 4);
        std::vector<uint64_t> frontier{startCode}, next;
        for (uint64_t depth = 0; !frontier.empty(); ++depth) {
            next.clear();
            for (const uint64_t from : frontier) {
                if (!expand(from, depth, frontier, next)) return result_;
                if (result_.status == SolveStatus::Solved) {
                    if (!movesTo(goal_, depth + 1, start, startSide)) return stopped(SolveBound::Work);
                    return result_;
                }
            }
            frontier.swap(next);
        }
        result_.status = SolveStatus::NoSolution;
        return result_;
    }

private:
    SolveResult stopped(SolveBound bound) {
        result_.status = SolveStatus::TooLarge;
        result_.bound = bound;
        result_.moves.clear();
        return result_;
    }

    bool onBank(int i, int side) const {
        const int bank = i < static_cast<int>(from_.bank.size()) ? from_.bank[i] : -1;
        return (bank == 0 ? (from_.boat > 0 ? 1 : -1) : bank) == side;
    }
    bool inBoat(int i) const { return i < static_cast<int>(from_.bank.size()) && from_.bank[i] == 0; }

    // The types and their radices; false when the positions are too many to number.
    bool makeTypes() {
        for (InterchangeableBlocks& blocks : interchangeableBlocks(task_, kinds_)) {
            const int movers =
                static_cast<int>(std::count_if(blocks.members.begin(), blocks.members.end(),
                                               [&](int i) { return !isPinned(task_.characters[i]); })) /
                blocks.blocks();
            // Counting blocks by pattern takes (blocks + 1)^(patterns - 1) codes; groups of
            // many members and few alike ones need fewer numbered member by member.
            const double folded = std::log2(blocks.blocks() + 1.0) * ((1 << movers) - 1);
            if (blocks.size > 1 && folded > static_cast<double>(movers * blocks.blocks())) {
                for (const int i : blocks.members) addType({1, {i}});
            } else {
                addType(std::move(blocks));
            }
        }
        uint64_t radix = 2, judged = 2;
        goal_ = 1;
        remembersRefusals_ = hasPinned_;
        for (Type& t : types_) {
            const uint64_t base = static_cast<uint64_t>(t.blocks) + 1;
            for (uint32_t p = 1; p < (1u << t.size); ++p) {
                if ((p & ~t.movers) == 0) {
                    t.radix[p] = radix;
                    const auto grown = times(radix, base, kMaxCodeSpace);
                    if (!grown) return false;
                    radix = *grown;
                }
                if (remembersRefusals_) {
                    t.judgedRadix[p] = judged;
                    const auto grown = times(judged, base, kMaxCodeSpace);
                    if (grown) {
                        judged = *grown;
                    } else {
                        remembersRefusals_ = false;
                    }
                }
            }
            goal_ += t.radix[t.movers] * static_cast<uint64_t>(t.blocks);
        }
        codeSpace_ = radix;
        judgedSpace_ = judged;
        return true;
    }

    void addType(InterchangeableBlocks blocks) {
        Type t;
        t.size = blocks.size;
        t.blocks = blocks.blocks();
        t.members = std::move(blocks.members);
        for (int k = 0; k < t.size; ++k) {
            const CharacterData& c = task_.characters[t.members[k]];
            t.weight.push_back(c.weight);
            if (isPinned(c)) {
                hasPinned_ = true;
            } else {
                t.movers |= 1u << k;
            }
        }
        types_.push_back(std::move(t));
    }

    static int sideOf(uint64_t code) { return (code & 1) ? 1 : -1; }

    // A position with that code: of the blocks of a type, the first ones in the lowest
    // patterns.
    void place(uint64_t code, std::vector<int8_t>& bank) const {
        bank.assign(task_.characters.size(), -1);
        for (const Type& t : types_) {
            int block = 0;
            for (uint32_t p = 1; p < (1u << t.size); ++p) {
                if (t.radix[p] == 0) continue;
                const int count =
                    static_cast<int>((code / t.radix[p]) % (static_cast<uint64_t>(t.blocks) + 1));
                for (int b = 0; b < count; ++b, ++block) {
                    for (int k = 0; k < t.size; ++k) {
                        if (p & (1u << k)) bank[t.member(block, k)] = 1;
                    }
                }
            }
        }
    }

    // Groups the blocks of `bank` into cells, and sets here_ and judgedHere_ to its codes.
    // `apart`, where given, keeps blocks whose members are marked differently apart.
    void makeCells(const std::vector<int8_t>& bank, int side, const std::vector<uint32_t>* apart) {
        cells_.clear();
        cellBlocks_.clear();
        here_ = side > 0 ? 1 : 0;
        judgedHere_ = here_;
        for (size_t ti = 0; ti < types_.size(); ++ti) {
            const Type& t = types_[ti];
            keyed_.clear();
            for (int b = 0; b < t.blocks; ++b) {
                uint32_t pattern = 0;
                for (int k = 0; k < t.size; ++k) {
                    if (bank[t.member(b, k)] > 0) pattern |= 1u << k;
                }
                here_ += t.radix[pattern];
                judgedHere_ += t.judgedRadix[pattern];
                uint64_t mark = 0;
                for (int k = 0; apart && k < t.size; ++k)
                    mark |= uint64_t{(*apart)[t.member(b, k)]} << k;
                keyed_.push_back((mark << 40) | (uint64_t{pattern} << 32) | static_cast<uint32_t>(b));
            }
            std::sort(keyed_.begin(), keyed_.end());
            for (size_t j = 0; j < keyed_.size(); ++j) {
                const uint64_t cellKey = keyed_[j] >> 32;
                if (j == 0 || cellKey != keyed_[j - 1] >> 32) {
                    cells_.push_back({static_cast<int>(ti), static_cast<uint32_t>(cellKey & 0xFF),
                                      static_cast<int>(cellBlocks_.size()), 0});
                }
                cellBlocks_.push_back(static_cast<int>(keyed_[j] & 0xFFFFFFFF));
                ++cells_.back().count;
            }
        }
    }

    // The loads that may leave from bank `side` out of the cells, lightest first. Pinned
    // members board only from the left bank, where they stand.
    void makeOptions(int side, bool pinnedBoard) {
        options_.clear();
        for (size_t c = 0; c < cells_.size(); ++c) {
            const Cell& cell = cells_[c];
            const Type& t = types_[cell.type];
            const uint32_t all = (1u << t.size) - 1;
            uint32_t free = (side > 0 ? cell.pattern : ~cell.pattern) & t.movers;
            if (pinnedBoard) free |= all & ~t.movers;
            for (uint32_t slots = free; slots != 0; slots = (slots - 1) & free) {
                Option o;
                o.cell = static_cast<int>(c);
                o.slots = slots;
                for (int k = 0; k < t.size; ++k) {
                    if (slots & (1u << k)) o.weight += t.weight[k];
                }
                const uint32_t moved = cell.pattern ^ (slots & t.movers);
                o.delta =
                    static_cast<int64_t>(t.radix[moved]) - static_cast<int64_t>(t.radix[cell.pattern]);
                o.judgedDelta = static_cast<int64_t>(t.judgedRadix[cell.pattern ^ slots]) -
                                static_cast<int64_t>(t.judgedRadix[cell.pattern]);
                options_.push_back(o);
            }
        }
        std::stable_sort(options_.begin(), options_.end(),
                         [](const Option& a, const Option& b) { return a.weight < b.weight; });
        makeLightest();
    }

    // The lowest weight the options from i on can still add (their negative weights, as
    // many times as their cells allow).
    void makeLightest() {
        lightest_.assign(options_.size() + 1, 0);
        for (size_t i = options_.size(); i-- > 0;) {
            lightest_[i] = lightest_[i + 1] +
                           std::min<int64_t>(0, options_[i].weight) * cells_[options_[i].cell].count;
        }
    }

    // Every load within the boat's capacity, each up to the exchange of alike blocks once;
    // `visit(passengers, delta, judgedDelta)` returns true to stop. taken_
    // says which members the load holds.
    template <class Visit>
    void forEachLoad(Visit&& visit) {
        taken_.clear();
        left_.resize(cells_.size());
        for (size_t c = 0; c < cells_.size(); ++c) left_[c] = cells_[c].count;
        bool stop = false;
        const auto extend = [&](auto&& self, size_t next, int64_t load, int passengers, int64_t delta,
                                int64_t judgedDelta) -> void {
            if (load <= capacity_ && (passengers > 0 || boatman_)) {
                stop = visit(passengers, delta, judgedDelta);
                if (stop) return;
            }
            for (size_t i = next; i < options_.size() && !stop; ++i) {
                const Option& o = options_[i];
                // Weights only grow from here on once they are positive.
                if (o.weight > 0 && load + o.weight + lightest_[i + 1] > capacity_) break;
                const int available = left_[o.cell];
                const int members = std::popcount(o.slots);
                for (int k = 1; k <= available && !stop; ++k) {
                    const int64_t withThese = load + o.weight * k;
                    if (withThese + lightest_[i + 1] > capacity_) {
                        if (o.weight > 0) break;
                        continue;
                    }
                    taken_.push_back({static_cast<int>(i), k, cells_[o.cell].count - available});
                    left_[o.cell] = available - k;
                    self(self, i + 1, withThese, passengers + members * k, delta + o.delta * k,
                         judgedDelta + o.judgedDelta * k);
                    left_[o.cell] = available;
                    taken_.pop_back();
                }
            }
        };
        extend(extend, 0, 0, 0, 0, 0);
    }

    // Calls f(character) for each passenger of the load in taken_.
    template <class F>
    void forEachPassenger(F&& f) const {
        for (const Taken& taken : taken_) {
            const Option& o = options_[taken.option];
            const Cell& cell = cells_[o.cell];
            const Type& t = types_[cell.type];
            for (int j = 0; j < taken.count; ++j) {
                const int block = cellBlocks_[cell.first + taken.offset + j];
                for (int k = 0; k < t.size; ++k) {
                    if (o.slots & (1u << k)) f(t.member(block, k));
                }
            }
        }
    }

    // The load in taken_ from `bank`, judged as play does: passengers count on the bank
    // the boat reaches.
    bool allowed(const std::vector<int8_t>& bank, int passengers, int destination) {
        judged_ = bank;
        forEachPassenger([&](int i) { judged_[i] = static_cast<int8_t>(destination); });
        return judgeCrossing(judged_, kinds_, passengers == 0, boatman_, destination, task_.rules)
                   .verdict == Verdict::Allowed;
    }

    // Counts work about to be done; false when it would pass the budget.
    bool afford(uint64_t work) {
        if (work > budget_.work - std::min(budget_.work, result_.work)) return false;
        result_.work += work;
        return true;
    }
    // The same, the search stopped when it would pass the budget.
    bool spend(uint64_t work) {
        if (afford(work)) return true;
        stopped(SolveBound::Work);
        return false;
    }

    uint64_t bytesHeld(const std::vector<uint64_t>& frontier, const std::vector<uint64_t>& next) const {
        return visited_->bytesForInsert() + (refused_ ? refused_->bytesForInsert() : 0) +
               bytesForPush(frontier) + bytesForPush(next);
    }
    // Bytes a frontier holds while one more position is appended to it.
    static uint64_t bytesForPush(const std::vector<uint64_t>& v) {
        const uint64_t held = v.capacity() * sizeof(uint64_t);
        return v.size() < v.capacity() ? held : held + std::max<uint64_t>(2 * held, sizeof(uint64_t));
    }

    // Every crossing from `from`; false when the search stops without an answer.
    bool expand(uint64_t from, uint64_t depth, const std::vector<uint64_t>& frontier,
                std::vector<uint64_t>& next) {
        const int side = sideOf(from);
        place(from, bank_);
        makeCells(bank_, side, nullptr);
        makeOptions(side, side < 0);
        if (!spend(bank_.size() + options_.size())) return false;
        bool ok = true;
        forEachLoad([&](int passengers, int64_t delta, int64_t judgedDelta) {
            if (!spend(kCrossingWork)) return !(ok = false);
            const uint64_t to = static_cast<uint64_t>(static_cast<int64_t>(from) + delta) ^ 1;
            if (visited_->depth(to) >= 0) return false;
            // With pinned members aboard the same position may be judged differently,
            // so their refusals are remembered by what was judged.
            const uint64_t judged =
                static_cast<uint64_t>(static_cast<int64_t>(judgedHere_) + judgedDelta) ^ 1;
            if (refused_ && refused_->depth(judged) >= 0) return false;
            if (!spend(judgeCost_)) return !(ok = false);
            ++result_.judgements;
            const bool allowedHere = allowed(bank_, passengers, -side);
            if (!allowedHere && hasPinned_ && !refused_) return false;
            if (bytesHeld(frontier, next) > budget_.memory) {
                stopped(SolveBound::Memory);
                return !(ok = false);
            }
            if (!allowedHere && refused_) {
                refused_->insert(judged, 0);
                result_.refusals = refused_->size();
                return false;
            }
            if (!visited_->insert(to, allowedHere ? depth + 1 : VisitedTable::kRefused) ||
                visited_->size() > budget_.positions) {
                stopped(SolveBound::States);
                return !(ok = false);
            }
            if (!allowedHere) return false;
            if (to == goal_) {
                result_.status = SolveStatus::Solved;
                return true;
            }
            next.push_back(to);
            return false;
        });
        result_.statesVisited = visited_->size();
        return ok;
    }

    // Whether some block of type t stands in `pattern` in the position `code`.
    bool holds(const Type& t, uint32_t pattern, uint64_t code) const {
        if (t.radix[pattern] != 0)
            return (code / t.radix[pattern]) % (static_cast<uint64_t>(t.blocks) + 1) > 0;
        int elsewhere = 0;  // all on the left: whatever the other patterns leave
        for (uint32_t p = 1; p < (1u << t.size); ++p) {
            if (t.radix[p] != 0)
                elsewhere +=
                    static_cast<int>((code / t.radix[p]) % (static_cast<uint64_t>(t.blocks) + 1));
        }
        return elsewhere < t.blocks;
    }

    // A shortest way as crossings of real characters into result_.moves. Back from the
    // goal, the positions one step shallower that lead on to it: all of them while they are
    // few (so the first crossing can be chosen to keep whoever is in the boat), one from
    // then on. Then forward from the real position, taking each time a load that reaches
    // one of the next positions. Every load tried is work; false when the budget runs out.
    bool movesTo(uint64_t goal, uint64_t depth, std::vector<int8_t> bank, int side) {
        constexpr size_t kManyWays = 512;
        std::vector<std::vector<uint64_t>> ways(depth + 1);
        ways[depth] = {goal};
        std::vector<uint32_t> aboard(bank.size(), 0);
        int inBoat = 0;
        for (size_t i = 0; i < bank.size(); ++i) {
            aboard[i] = this->inBoat(static_cast<int>(i)) ? 1 : 0;
            inBoat += static_cast<int>(aboard[i]);
        }
        bool ok = true, all = inBoat > 0;
        size_t kept = 1;
        for (uint64_t d = depth; d > 0; --d) {
            std::vector<uint64_t>& before = ways[d - 1];
            for (size_t w = 0; w < ways[d].size() && (all || before.empty()); ++w) {
                const uint64_t at = ways[d][w];
                const int reached = sideOf(at);
                place(at, bank_);
                makeCells(bank_, reached, nullptr);
                makeOptions(reached, reached > 0);
                forEachLoad([&](int passengers, int64_t delta, int64_t) {
                    if (!afford(kCrossingWork)) return !(ok = false);
                    const uint64_t from = static_cast<uint64_t>(static_cast<int64_t>(at) + delta) ^ 1;
                    if (visited_->depth(from) != static_cast<int64_t>(d - 1)) return false;
                    if (std::find(before.begin(), before.end(), from) != before.end()) return false;
                    if (!afford(judgeCost_)) return !(ok = false);
                    if (!allowed(bank_, passengers, reached)) return false;
                    before.push_back(from);
                    if (kept + before.size() >= kManyWays) all = false;
                    return !all;
                });
                if (!ok) break;
            }
            if (before.empty()) return false;  // out of work: every visited position has a parent
            if (!all) before.erase(before.begin() + 1, before.end());
            kept += before.size();
        }

        // Those in the boat are kept apart from alike ones ashore, so the first crossing
        // may take them rather than others: the hint then asks to move as few as it can.
        for (uint64_t d = 0; d < depth; ++d) {
            makeCells(bank, side, d == 0 && inBoat > 0 ? &aboard : nullptr);
            makeOptions(side, side < 0);
            // Only loads that leave every block in a pattern the next position has.
            std::erase_if(options_, [&](const Option& o) {
                const Cell& cell = cells_[o.cell];
                const Type& t = types_[cell.type];
                const uint32_t after = cell.pattern ^ (o.slots & t.movers);
                return std::none_of(ways[d + 1].begin(), ways[d + 1].end(),
                                    [&](uint64_t next) { return holds(t, after, next); });
            });
            makeLightest();
            std::optional<MoveData> best;
            int fewestChanges = 0;
            forEachLoad([&](int passengers, int64_t delta, int64_t) {
                if (!afford(kCrossingWork)) return !(ok = false);
                const uint64_t to = static_cast<uint64_t>(static_cast<int64_t>(here_) + delta) ^ 1;
                if (std::find(ways[d + 1].begin(), ways[d + 1].end(), to) == ways[d + 1].end())
                    return false;
                if (!afford(judgeCost_)) return !(ok = false);
                if (!allowed(bank, passengers, -side)) return false;
                MoveData move{{}, -side};
                int changes = 0;
                forEachPassenger([&](int i) {
                    move.mask.set(static_cast<size_t>(i));
                    changes += aboard[i] ? 0 : 1;
                });
                for (size_t i = 0; i < aboard.size(); ++i)
                    changes += aboard[i] && !move.mask.test(i) ? 1 : 0;
                if (!best || changes < fewestChanges) {
                    best = move;
                    fewestChanges = changes;
                }
                // Nobody can do with fewer changes than the difference in numbers.
                return d > 0 || inBoat == 0 || changes <= std::abs(passengers - inBoat);
            });
            // No load at all cannot happen: the way's positions are the real one's images.
            if (!best) return false;
            ok = true;  // out of work while looking for fewer changes: the best so far
            for (size_t i = 0; i < bank.size(); ++i) {
                if (best->mask.test(i) && !isPinned(task_.characters[i]))
                    bank[i] = static_cast<int8_t>(-side);
            }
            result_.moves.push_back(*best);
            side = -side;
        }
        return true;
    }

    const TaskData& task_;
    const Position& from_;
    SearchBudget budget_;
    int64_t capacity_;
    bool boatman_;
    std::vector<uint64_t> kinds_;
    uint64_t judgeCost_ = 1;
    std::vector<Type> types_;
    bool hasPinned_ = false;
    bool remembersRefusals_ = false;
    uint64_t goal_ = 1;
    uint64_t codeSpace_ = 2;
    uint64_t judgedSpace_ = 2;
    std::optional<VisitedTable> visited_;
    std::optional<VisitedTable> refused_;  // judged codes refused, where pinned members ride
    SolveResult result_;

    // Scratch for the position being expanded.
    std::vector<int8_t> bank_, judged_;
    std::vector<uint64_t> keyed_;
    std::vector<Cell> cells_;
    std::vector<int> cellBlocks_;
    std::vector<Option> options_;
    std::vector<int64_t> lightest_;
    std::vector<int> left_;
    std::vector<Taken> taken_;
    uint64_t here_ = 0, judgedHere_ = 0;
};

}  // namespace

SearchBudget SearchBudget::forPositions(uint64_t positions, uint64_t memory) {
    const uint64_t work =
        positions > UINT64_MAX / kWorkPerPosition ? UINT64_MAX : positions * kWorkPerPosition;
    return SearchBudget{positions, std::max(work, kMinWork), memory};
}

SolveResult solveFrom(const TaskData& task, const Position& from, const SearchBudget& budget) {
    Search search(task, from, budget);
    return search.run();
}

SolveResult solveFrom(const TaskData& task, const Position& from, uint64_t stateLimit,
                      uint64_t memoryLimit) {
    return solveFrom(task, from, SearchBudget::forPositions(stateLimit, memoryLimit));
}

SolveResult solveTask(const TaskData& task, const SearchBudget& budget) {
    return solveFrom(task, Position{}, budget);
}

SolveResult solveTask(const TaskData& task, uint64_t stateLimit, uint64_t memoryLimit) {
    return solveFrom(task, Position{}, stateLimit, memoryLimit);
}

}  // namespace model
