#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/name_hash.hpp"
#include "model/hint.hpp"
#include "model/plain_solver.hpp"
#include "model/rule_check.hpp"
#include "model/solver.hpp"
#include "support/random_tasks.hpp"

using namespace model;
using test::colourOf;
using test::randomGroupTask;
using test::randomTask;

namespace {

// Characters get distinct start and goal places; `pinned` ones get equal places.
struct TaskBuilder {
    TaskData task;

    explicit TaskBuilder(int capacity, bool boatman = false) {
        task.boat = static_cast<uint32_t>(capacity) | (boatman ? kBoatmanFlag : 0);
    }
    int add(const std::string& picture, int weight = 1, uint32_t colour = 0xFFFFFFFF,
            bool pinned = false) {
        const int i = static_cast<int>(task.characters.size());
        CharacterData c{10 * i, 40,     pinned ? 10 * i : 800 + 10 * i,     pinned ? 40 : 50,
                        weight, colour, "textures/unit_" + picture + ".tga"};
        task.characters.push_back(c);
        return i;
    }
    void rule(int first, int second, int third, int kind) {
        task.rules.push_back({first, second, third, kind});
    }
};

bool pinned(const CharacterData& c) { return c.leftX == c.rightX && c.leftY == c.rightY; }

// Plays the moves as the play screen would and reports the first broken step.
std::string replayProblem(const TaskData& task, const std::vector<MoveData>& moves,
                          const Position& from = {}) {
    const size_t n = task.characters.size();
    const std::vector<uint64_t> kinds = kindsOf(task);
    std::vector<int8_t> bank(n, -1);
    for (size_t i = 0; i < from.bank.size(); ++i)
        bank[i] = from.bank[i] == 0 ? static_cast<int8_t>(from.boat) : from.bank[i];
    int boat = from.boat;
    for (size_t m = 0; m < moves.size(); ++m) {
        const MoveData& move = moves[m];
        const std::string at = "move " + std::to_string(m + 1) + ": ";
        if (move.direction != -boat) return at + "wrong direction";
        int64_t load = 0;
        std::vector<int8_t> place = bank;
        for (size_t i = 0; i < n; ++i) {
            if (!move.mask.test(i)) continue;
            if (bank[i] != boat) return at + "passenger not on the boat's bank";
            load += task.characters[i].weight;
            place[i] = static_cast<int8_t>(move.direction);
        }
        if ((move.mask >> n).any()) return at + "mask names a missing character";
        if (load > task.capacity()) return at + "boat overloaded";
        if (judgeCrossing(place, kinds, move.mask.none(), task.hasBoatman(), move.direction, task.rules)
                .verdict != Verdict::Allowed) {
            return at + "refused by the rules";
        }
        for (size_t i = 0; i < n; ++i) {
            if (move.mask.test(i))
                bank[i] = pinned(task.characters[i]) ? -1 : static_cast<int8_t>(move.direction);
        }
        boat = move.direction;
    }
    if (boat != 1) return "ends with the boat on the left";
    for (size_t i = 0; i < n; ++i) {
        if (bank[i] != 1 && !pinned(task.characters[i]))
            return "character " + std::to_string(i) + " not home";
    }
    return "";
}

// Plain breadth-first search over every passenger subset, no grouping: the reference.
int referenceLength(const TaskData& task, uint32_t startRight = 0, int startBoat = -1) {
    const int n = static_cast<int>(task.characters.size());
    const std::vector<uint64_t> kinds = kindsOf(task);
    uint32_t goal = 0;
    for (int i = 0; i < n; ++i) goal |= pinned(task.characters[i]) ? 0 : 1u << i;
    const uint64_t start = (uint64_t{startRight} << 1) | (startBoat > 0 ? 1 : 0);
    if (start == ((uint64_t{goal} << 1) | 1)) return 0;
    // right-bank mask << 1 | boat on right
    std::unordered_map<uint64_t, int> depth{{start, 0}};
    std::deque<uint64_t> queue{start};
    while (!queue.empty()) {
        const uint64_t state = queue.front();
        queue.pop_front();
        const uint32_t right = static_cast<uint32_t>(state >> 1);
        const int boat = (state & 1) ? 1 : -1;
        for (uint32_t mask = 0; mask < (1u << n); ++mask) {
            int64_t load = 0;
            bool ok = true;
            std::vector<int8_t> place(n);
            uint32_t after = right;
            for (int i = 0; i < n; ++i) {
                const int8_t at = ((right >> i) & 1) ? 1 : -1;
                place[i] = at;
                if (!((mask >> i) & 1)) continue;
                ok = ok && at == boat;
                load += task.characters[i].weight;
                place[i] = static_cast<int8_t>(-boat);
                if (!pinned(task.characters[i])) after ^= 1u << i;
            }
            if (!ok || load > task.capacity()) continue;
            if (judgeCrossing(place, kinds, mask == 0, task.hasBoatman(), -boat, task.rules).verdict !=
                Verdict::Allowed) {
                continue;
            }
            const uint64_t next = (uint64_t{after} << 1) | (boat < 0 ? 1 : 0);
            if (depth.count(next)) continue;
            depth[next] = depth[state] + 1;
            if (boat < 0 && after == goal) return depth[next];
            queue.push_back(next);
        }
    }
    return -1;
}

int solvedLength(const TaskData& task) {
    const SolveResult result = solveTask(task);
    if (result.status != SolveStatus::Solved) return -1;
    EXPECT_EQ(replayProblem(task, result.moves), "");
    return static_cast<int>(result.moves.size());
}

TaskData wolfGoatCabbage() {
    TaskBuilder b(1, true);
    const int wolf = b.add("wolf"), goat = b.add("goat"), cabbage = b.add("cabbage");
    b.rule(wolf, goat, -1, ForbidTogether);
    b.rule(goat, cabbage, -1, ForbidTogether);
    return b.task;
}

TaskData monksAndTrolls(int pairs, int capacity) {
    TaskBuilder b(capacity);
    for (int i = 0; i < pairs; ++i) b.add("monk");
    for (int i = 0; i < pairs; ++i) b.add("troll");
    b.rule(0, pairs, -1, NotLessThan);
    return b.task;
}

// A princess may not be with another knight unless her own knight is there.
TaskData jealousCouples(int couples, int capacity) {
    TaskBuilder b(capacity);
    for (int i = 0; i < couples; ++i) b.add("knight", 1, colourOf(i));
    for (int i = 0; i < couples; ++i) b.add("princess", 1, colourOf(i));
    for (int p = 0; p < couples; ++p) {
        for (int k = 0; k < couples; ++k) {
            if (k != p) b.rule(couples + p, k, p, ForbidTogether);
        }
    }
    return b.task;
}

// The solver's answer against the plain search's length (-1: no solution).
void expectAgrees(const TaskData& task, const Position& from, const SolveResult& result, int expected) {
    if (expected < 0) {
        EXPECT_EQ(result.status, SolveStatus::NoSolution);
        return;
    }
    ASSERT_EQ(result.status, SolveStatus::Solved);
    EXPECT_EQ(static_cast<int>(result.moves.size()), expected);
    EXPECT_EQ(replayProblem(task, result.moves, from), "");
}

}  // namespace

TEST(Solver, ClassicPuzzlesHaveTheirKnownLengths) {
    EXPECT_EQ(solvedLength(wolfGoatCabbage()), 7);
    EXPECT_EQ(solvedLength(monksAndTrolls(3, 2)), 11);
    EXPECT_EQ(solvedLength(monksAndTrolls(2, 2)), 5);
    EXPECT_EQ(solvedLength(jealousCouples(3, 2)), 11);

    TaskBuilder soldiers(2);  // a boat for two boys or one soldier
    soldiers.add("boy");
    soldiers.add("boy");
    for (int i = 0; i < 3; ++i) soldiers.add("guard", 2);
    EXPECT_EQ(solvedLength(soldiers.task), 13);
}

TEST(Solver, ImpossibleTasks) {
    EXPECT_EQ(solveTask(monksAndTrolls(4, 2)).status, SolveStatus::NoSolution);

    TaskBuilder heavy(2);
    heavy.add("bear", 3);
    EXPECT_EQ(solveTask(heavy.task).status, SolveStatus::NoSolution);

    TaskBuilder nobody(5);  // no characters and nobody to row
    EXPECT_EQ(solveTask(nobody.task).status, SolveStatus::NoSolution);
}

TEST(Solver, TasksWithoutCharacters) {
    TaskBuilder b(1, true);  // the boatman's first crossing wins
    const SolveResult result = solveTask(b.task);
    ASSERT_EQ(result.status, SolveStatus::Solved);
    ASSERT_EQ(result.moves.size(), 1u);
    EXPECT_EQ(result.moves[0].mask, 0u);
    EXPECT_EQ(result.moves[0].direction, 1);
}

TEST(Solver, BoatmanCrossesEmpty) {
    TaskBuilder b(1, true);
    b.add("cat");
    b.add("dog");
    EXPECT_EQ(solvedLength(b.task), 3);
}

// 20 characters ferried one by one: 2^21 positions. Each colour is counted by a rule
// that always holds, so no two of them may be taken for one another.
TaskData distinctTwenty() {
    TaskBuilder b(1, true);
    for (int i = 0; i < 20; ++i) b.rule(b.add("goat", 1, colourOf(i)), i, -1, NotLessThan);
    return b.task;
}

TEST(Solver, GivesUpPastTheLimits) {
    const TaskData wide = distinctTwenty();
    const SolveResult limited = solveTask(wide, SearchBudget{1000, UINT64_MAX, kSolverMemoryLimit});
    EXPECT_EQ(limited.status, SolveStatus::TooLarge);
    EXPECT_EQ(limited.bound, SolveBound::States);
    EXPECT_LE(limited.statesVisited, 1001u);

    const SolveResult busy = solveTask(wide, SearchBudget{UINT64_MAX, 20'000, kSolverMemoryLimit});
    EXPECT_EQ(busy.status, SolveStatus::TooLarge);
    EXPECT_EQ(busy.bound, SolveBound::Work);
    EXPECT_LE(busy.work, 20'000u);

    // Far below the position limit, the tables may not outgrow a megabyte.
    const SolveResult tight = solveTask(wide, 20'000'000, 1 << 20);
    EXPECT_EQ(tight.status, SolveStatus::TooLarge);
    EXPECT_EQ(tight.bound, SolveBound::Memory);
    EXPECT_GT(tight.statesVisited, 1000u);
    EXPECT_LT(tight.statesVisited, (1u << 20) / sizeof(uint64_t));

    TaskBuilder crowd(1000);  // 41 weights: 2^42 positions cannot be numbered
    for (int i = 0; i < 41; ++i) crowd.add("monk", i + 1);
    const SolveResult crowded = solveTask(crowd.task);
    EXPECT_EQ(crowded.status, SolveStatus::TooLarge);
    EXPECT_EQ(crowded.bound, SolveBound::Characters);
}

TEST(Solver, APositionLimitTheSearchJustNeedsIsEnough) {
    // Small limits used to count crossings tried too: big boats ran out of them first.
    std::mt19937 random(5);
    for (int round = 0; round < 120; ++round) {
        const TaskData task = round % 2 ? randomTask(random) : randomGroupTask(random, 10);
        const SolveResult free = solveTask(task);
        ASSERT_NE(free.status, SolveStatus::TooLarge);
        SCOPED_TRACE("round " + std::to_string(round));
        const SolveResult exact = solveTask(task, free.statesVisited);
        EXPECT_EQ(exact.status, free.status);
        EXPECT_EQ(exact.moves.size(), free.moves.size());
        if (free.statesVisited < 2) continue;
        const SolveResult under = solveTask(task, free.statesVisited - 1);
        EXPECT_EQ(under.status, SolveStatus::TooLarge);
        EXPECT_EQ(under.bound, SolveBound::States);
    }
}

TEST(Solver, CrowdsAndCouplesFoldIntoFewPositions) {
    TaskBuilder crowd(2), ferried(1, true);
    for (int i = 0; i < 40; ++i) {
        crowd.add("boy");
        ferried.add("boy");
    }
    const SolveResult pairs = solveTask(crowd.task, kInteractiveStateLimit);
    EXPECT_EQ(pairs.moves.size(), 77u);  // two over, one back, 38 times, and the last two
    EXPECT_EQ(replayProblem(crowd.task, pairs.moves), "");
    EXPECT_EQ(solveTask(ferried.task, kInteractiveStateLimit).moves.size(), 79u);

    const TaskData couples = jealousCouples(10, 4);
    const SolveResult ten = solveTask(couples, kInteractiveStateLimit);
    ASSERT_EQ(ten.status, SolveStatus::Solved);
    EXPECT_EQ(replayProblem(couples, ten.moves), "");
    EXPECT_LT(ten.statesVisited, 2000u);
    EXPECT_EQ(solveTask(jealousCouples(10, 3), kInteractiveStateLimit).status, SolveStatus::NoSolution);

    // Four couples: as short as the plain search, which sees each of them.
    const TaskData four = jealousCouples(4, 3);
    const SolveResult folded = solveTask(four);
    const SolveResult plain = plainSolveFrom(four, {});
    ASSERT_EQ(plain.status, SolveStatus::Solved);
    EXPECT_EQ(folded.moves.size(), plain.moves.size());
    EXPECT_LT(folded.statesVisited * 4, plain.statesVisited);
}

TEST(Solver, WorkIsBoundedAndRefusalsAreJudgedOnce) {
    const TaskData task = test::refusedEverywhere();
    const SearchBudget budget = SearchBudget::forPositions(10'000);
    const SolveResult result = solveTask(task, budget);
    EXPECT_EQ(result.status, SolveStatus::TooLarge);
    EXPECT_EQ(result.bound, SolveBound::Work);
    // Judging one crossing reads every rule and, for each rule that counts, every character.
    EXPECT_LE(result.judgements * (256 + 128 * 32), budget.work);
    EXPECT_GT(result.judgements, 200u);
    // Each crossing judged reached a position not judged before.
    EXPECT_LE(result.judgements, result.statesVisited + result.refusals);
}

TEST(Solver, ManyAlikeCharactersStaySmall) {
    // 15 monks and 15 trolls would be 2^31 positions one by one; as counts they are few.
    const TaskData task = monksAndTrolls(15, 6);
    const SolveResult result = solveTask(task, 100000);
    ASSERT_EQ(result.status, SolveStatus::Solved);
    EXPECT_EQ(replayProblem(task, result.moves), "");
    EXPECT_LT(result.statesVisited, 1000u);
}

TEST(Solver, AlikeCharactersNamedByARuleStayIndividuals) {
    // Three alike monks, but monks 0 and 1 may only meet when monk 2 is there.
    TaskBuilder b(2);
    for (int i = 0; i < 3; ++i) b.add("monk");
    b.rule(1, 0, 2, ForbidTogether);
    EXPECT_EQ(solvedLength(b.task), 3);
}

TEST(Solver, PinnedCharacterRowsButNeverLeavesTheLeftBank) {
    // The cat's goal place is its start place: it counts as on the left bank wherever it
    // lands, so only while it sits in the boat does it stand by the mouse.
    TaskBuilder b(2);
    const int cat = b.add("cat", 1, 0xFFFFFFFF, true);
    const int mouse = b.add("mouse");
    b.rule(mouse, cat, -1, ForbidTogether);
    const SolveResult result = solveTask(b.task);
    ASSERT_EQ(result.status, SolveStatus::Solved);
    EXPECT_EQ(replayProblem(b.task, result.moves), "");
    EXPECT_EQ(static_cast<int>(result.moves.size()), referenceLength(b.task));
}

TEST(Solver, GroupedSearchMatchesPlainSearch) {
    // The grouped search must find exactly as short a solution as the plain one, and a
    // valid one.
    std::mt19937 random(12345);
    for (int round = 0; round < 400; ++round) {
        const TaskData task = randomTask(random);
        const SolveResult result = solveTask(task);
        const int expected = referenceLength(task);
        SCOPED_TRACE("round " + std::to_string(round));
        expectAgrees(task, {}, result, expected);
    }
}

namespace {

// A few allowed crossings at random from the start; the first character, when on the
// boat's bank, sits in the boat.
Position randomPosition(const TaskData& task, std::mt19937& random) {
    const int n = static_cast<int>(task.characters.size());
    Position at{std::vector<int8_t>(n, -1), -1};
    int stepsTaken = 0;
    for (int attempt = 0; attempt < 60 && stepsTaken < 4; ++attempt) {
        const uint32_t mask = random() % (1u << n);
        if (replayProblem(task, {MoveData{mask, -at.boat}}, at).starts_with("move 1")) continue;
        for (int i = 0; i < n; ++i) {
            if (((mask >> i) & 1) && !pinned(task.characters[i]))
                at.bank[i] = static_cast<int8_t>(-at.boat);
        }
        at.boat = -at.boat;
        ++stepsTaken;
    }
    if (n > 0 && at.bank[0] == at.boat && !pinned(task.characters[0])) at.bank[0] = 0;
    return at;
}

}  // namespace

TEST(SolverFromPosition, MatchesPlainSearchFromEveryReachedPosition) {
    // The answer must be as short as the plain search from the same place and replay from
    // it to the goal.
    std::mt19937 random(777);
    int positionsAway = 0;
    for (int round = 0; round < 200; ++round) {
        const TaskData task = randomTask(random);
        const Position at = randomPosition(task, random);
        uint32_t right = 0;
        for (size_t i = 0; i < at.bank.size(); ++i) {
            right |= at.bank[i] > 0 || (at.bank[i] == 0 && at.boat > 0) ? 1u << i : 0;
            positionsAway += at.bank[i] != -1 ? 1 : 0;
        }
        const SolveResult result = solveFrom(task, at);
        SCOPED_TRACE("round " + std::to_string(round));
        expectAgrees(task, at, result, referenceLength(task, right, at.boat));
    }
    EXPECT_GT(positionsAway, 150);
}

TEST(SolverFromPosition, FoldedGroupsMatchThePlainSearch) {
    // Couples and other groups told apart by colour alone, now and then with a rule that
    // does tell them apart, from the start and from elsewhere.
    std::mt19937 random(4242);
    int folded = 0;
    for (int round = 0; round < 160; ++round) {
        const TaskData task = randomGroupTask(random, 12);
        const Position at = round % 2 ? randomPosition(task, random) : Position{};
        const SolveResult result = solveFrom(task, at);
        const SolveResult plain = plainSolveFrom(task, at);
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_NE(plain.status, SolveStatus::TooLarge);
        expectAgrees(task, at, result,
                     plain.status == SolveStatus::Solved ? static_cast<int>(plain.moves.size()) : -1);
        folded += result.statesVisited * 2 <= plain.statesVisited ? 1 : 0;
    }
    EXPECT_GT(folded, 20);
}

TEST(SolverFromPosition, TakesThoseAlreadyInTheBoatFirst) {
    TaskBuilder b(2);
    for (int i = 0; i < 3; ++i) b.add("monk");
    const SolveResult result = solveFrom(b.task, Position{{-1, -1, 0}, -1});
    ASSERT_EQ(result.status, SolveStatus::Solved);
    ASSERT_FALSE(result.moves.empty());
    EXPECT_TRUE(result.moves[0].mask.test(2));
    EXPECT_EQ(replayProblem(b.task, result.moves), "");
}

TEST(SolverFromPosition, AtTheGoalNothingIsLeftToDo) {
    const TaskData task = wolfGoatCabbage();
    const SolveResult done = solveFrom(task, Position{{1, 1, 1}, 1});
    EXPECT_EQ(done.status, SolveStatus::Solved);
    EXPECT_TRUE(done.moves.empty());
    // Everyone across but the boat came back: one more crossing, the boatman alone.
    const SolveResult back = solveFrom(task, Position{{1, 1, 1}, -1});
    ASSERT_EQ(back.moves.size(), 1u);
    EXPECT_EQ(back.moves[0].mask, 0u);
}

namespace {

// A monk and a troll, and a second troll who never leaves the left bank: trolls may not
// outnumber the monk where he stands. The start breaks that rule (it is never judged), so
// a crossing that returns to it is refused: once the monk crossed alone, he is stuck.
TaskData stuckMonk() {
    TaskBuilder b(2);
    const int monk = b.add("monk");
    const int troll = b.add("troll");
    b.add("troll", 1, 0xFFFFFFFF, true);
    b.rule(monk, troll, -1, NotLessThan);
    return b.task;
}

}  // namespace

TEST(Hint, PointsAtTheNextCrossingAndWhomToTakeOut) {
    const TaskData task = wolfGoatCabbage();  // wolf 0, goat 1, cabbage 2
    const Hint first = hintFor(task, Position{});
    EXPECT_EQ(first.kind, HintKind::Cross);
    EXPECT_EQ(first.board, std::vector<int>{1});
    EXPECT_TRUE(first.takeOut.empty());
    EXPECT_EQ(first.direction, 1);
    EXPECT_EQ(first.crossingsLeft, 7);

    // The wolf sits in the boat: he must get out and the goat go.
    const Hint wrong = hintFor(task, Position{{0, -1, -1}, -1});
    EXPECT_EQ(wrong.board, std::vector<int>{1});
    EXPECT_EQ(wrong.takeOut, std::vector<int>{0});

    // The goat is across with the boat: the boatman comes back alone.
    const Hint back = hintFor(task, Position{{-1, 1, -1}, 1});
    EXPECT_EQ(back.kind, HintKind::Cross);
    EXPECT_TRUE(back.board.empty());
    EXPECT_EQ(back.direction, -1);
    EXPECT_EQ(back.crossingsLeft, 6);
}

TEST(Hint, TellsAStuckPositionFromAnImpossibleTask) {
    const TaskData monk = stuckMonk();
    const Hint start = hintFor(monk, Position{});
    EXPECT_EQ(start.kind, HintKind::Cross);
    EXPECT_EQ(start.board, (std::vector<int>{0, 1}));
    EXPECT_EQ(hintFor(monk, Position{{1, -1, -1}, 1}).kind, HintKind::StuckHere);

    // Two who may not be left alone together can never both stand on the far bank.
    TaskBuilder quarrel(2);
    quarrel.rule(quarrel.add("cat"), quarrel.add("dog"), -1, ForbidTogether);
    EXPECT_EQ(hintFor(quarrel.task, Position{}).kind, HintKind::NoSolution);
    EXPECT_EQ(hintFor(quarrel.task, Position{{1, -1}, 1}).kind, HintKind::NoSolution);
    EXPECT_EQ(shortestCrossings(quarrel.task), std::nullopt);
    EXPECT_EQ(shortestCrossings(wolfGoatCabbage()), 7);
}

TEST(Hint, KeepsTheOneInTheBoatOfInterchangeableCouples) {
    // Three couples, boat of two: two princesses may cross first. Whichever princess sits
    // in the boat, the hint keeps her there and asks for one more.
    const TaskData task = jealousCouples(3, 2);
    for (int princess = 3; princess < 6; ++princess) {
        Position at{std::vector<int8_t>(6, -1), -1};
        at.bank[princess] = 0;
        const Hint hint = hintFor(task, at);
        SCOPED_TRACE("princess " + std::to_string(princess));
        EXPECT_EQ(hint.crossingsLeft, 11);
        ASSERT_EQ(hint.board.size(), 1u);
        EXPECT_GE(hint.board[0], 3);
        EXPECT_TRUE(hint.takeOut.empty());
    }
}

TEST(Hint, GivesUpPastTheBound) {
    EXPECT_EQ(hintFor(jealousCouples(3, 2), Position{}, 10).kind, HintKind::TooBig);
    EXPECT_EQ(shortestCrossings(jealousCouples(3, 2), 10), std::nullopt);
}
