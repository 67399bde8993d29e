#include <gtest/gtest.h>

#include <string>

#include "model/task_file.hpp"
#include "model/task_verdict.hpp"
#include "support/sample_tasks.hpp"

using namespace model;

namespace {

TaskData task(int capacity, bool boatman, std::initializer_list<int> weights) {
    TaskData t;
    t.boat = static_cast<uint32_t>(capacity) | (boatman ? kBoatmanFlag : 0);
    int i = 0;
    for (const int w : weights) {
        t.characters.push_back(test::character(std::string("c").append(std::to_string(i)).c_str(),
                                               10 * i, 60, 800 + 10 * i, 60, w));
        ++i;
    }
    return t;
}

TEST(TaskVerdict, CountsTheShortestSolution) {
    const TaskVerdict verdict = judgeTask(test::wolfGoatCabbage());
    EXPECT_EQ(verdict.status, SolveStatus::Solved);
    EXPECT_EQ(verdict.crossings, 5);  // everyone rows here, not only the farmer
    EXPECT_EQ(judgeTask(task(3, true, {1, 1, 1})).crossings, 1);
    // No characters: the boatman's one crossing is the whole task.
    EXPECT_EQ(judgeTask(task(0, true, {})).crossings, 1);
}

TEST(TaskVerdict, TellsWhyNobodyCanMove) {
    EXPECT_EQ(judgeTask(task(0, false, {1, 1})).cause, Unsolvable::NobodyToRow);
    EXPECT_EQ(judgeTask(task(5, false, {})).cause, Unsolvable::NobodyToRow);
    EXPECT_EQ(judgeTask(task(2, false, {3, 4})).cause, Unsolvable::NobodyToRow);
    // Three characters, room for one, no boatman.
    const TaskVerdict alone = judgeTask(task(1, false, {1, 1, 1}));
    EXPECT_EQ(alone.status, SolveStatus::NoSolution);
    EXPECT_EQ(alone.cause, Unsolvable::NobodyToReturn);
    // One alone can cross; a light passenger makes room for two.
    EXPECT_EQ(judgeTask(task(1, false, {1})).status, SolveStatus::Solved);
    EXPECT_EQ(judgeTask(task(1, false, {1, 0})).status, SolveStatus::Solved);
}

TEST(TaskVerdict, NamesTheCharacterTooHeavyForTheBoat) {
    const TaskVerdict verdict = judgeTask(task(2, true, {1, 3, 4, 2}));
    EXPECT_EQ(verdict.status, SolveStatus::NoSolution);
    EXPECT_EQ(verdict.cause, Unsolvable::BoatTooSmall);
    EXPECT_EQ(verdict.character, 2);
    // A character of negative weight makes room.
    EXPECT_EQ(judgeTask(task(2, true, {3, -1})).status, SolveStatus::Solved);
    // One who never has to leave its place may be as heavy as it likes.
    TaskData staying = task(2, true, {1, 9});
    staying.characters[1].rightX = staying.characters[1].leftX;
    staying.characters[1].rightY = staying.characters[1].leftY;
    EXPECT_EQ(judgeTask(staying).status, SolveStatus::Solved);
}

TEST(TaskVerdict, NamesTheRuleThatRefusesTheGoalOrTheStart) {
    // One of kind 1 must outnumber the two of kind 2, also when all stand on the right.
    TaskData t = task(3, true, {1, 1, 1});
    t.characters[2].name = t.characters[1].name;
    t.rules = {{0, 1, -1, ForbidTogether}, {0, 1, -1, MoreThan}};
    t.rules[0].third = 2;  // holds whenever all three stand together
    TaskVerdict verdict = judgeTask(t);
    EXPECT_EQ(verdict.cause, Unsolvable::BrokenAtGoal);
    EXPECT_EQ(verdict.rule, 1);

    // Tasks too large to search still get a certain cause.
    TaskData large = task(1, false, {});
    for (int i = 0; i < 40; ++i) large.characters.push_back(test::character("x", i, 60, 800 + i, 60, 1));
    EXPECT_EQ(judgeTask(large).cause, Unsolvable::NobodyToReturn);

    // A character staying on the left breaks a rule from the start; the others cannot
    // mend it.
    TaskData start = task(1, true, {1, 1, 1});
    start.characters[1].name = start.characters[2].name;
    start.characters[0].rightX = start.characters[0].leftX;
    start.characters[0].rightY = start.characters[0].leftY;
    start.rules = {{0, 1, -1, MoreThan}};
    verdict = judgeTask(start);
    EXPECT_EQ(verdict.status, SolveStatus::NoSolution);
    EXPECT_EQ(verdict.cause, Unsolvable::BrokenAtStart);
    EXPECT_EQ(verdict.rule, 0);
}

TEST(TaskVerdict, ReportsTasksTooLargeToSearch) {
    TaskData t = task(3, false, {});
    for (int i = 0; i < 16; ++i) {
        t.characters.push_back(
            test::character(std::string("d").append(std::to_string(i)).c_str(), i, 60, 800 + i, 60, 1));
    }
    for (int i = 0; i + 1 < 16; ++i) t.rules.push_back({i, i + 1, -1, ForbidTogether});
    const TaskVerdict verdict = judgeTask(t, 1000);
    EXPECT_EQ(verdict.status, SolveStatus::TooLarge);
    EXPECT_EQ(verdict.cause, Unsolvable::None);
}

TEST(VerdictCache, FindsVerdictsByContentNotByName) {
    const std::vector<uint8_t> wolf = encodeTask(test::wolfGoatCabbage(), false);
    TaskData edited = test::wolfGoatCabbage();
    edited.boat = 1;
    const std::vector<uint8_t> changed = encodeTask(edited, false);
    ASSERT_NE(contentKey(wolf), contentKey(changed));
    EXPECT_EQ(contentKey(wolf), contentKey(encodeTask(test::wolfGoatCabbage(), false)));

    VerdictCache cache;
    EXPECT_FALSE(cache.find(contentKey(wolf)));
    cache.store(contentKey(wolf), judgeTask(test::wolfGoatCabbage()));
    ASSERT_TRUE(cache.find(contentKey(wolf)));
    EXPECT_EQ(cache.find(contentKey(wolf))->crossings, 5);
    EXPECT_FALSE(cache.find(contentKey(changed)));
    for (uint64_t k = 0; k < VerdictCache::kMaxEntries + 5; ++k) cache.store(k * 7919, TaskVerdict{});
    EXPECT_LE(cache.size(), VerdictCache::kMaxEntries);
}

}  // namespace
