#include "model/solution_check.hpp"

#include <gtest/gtest.h>

#include "model/solver.hpp"
#include "support/sample_tasks.hpp"

namespace {

model::SolutionCheck checkWith(std::vector<model::MoveData> moves) {
    model::TaskData task = test::wolfGoatCabbage();
    task.moves = std::move(moves);
    return model::checkSolution(task);
}

TEST(SolutionCheck, JudgesEveryCrossingAsPlayDoes) {
    const std::vector<model::MoveData> solved = model::solveTask(test::wolfGoatCabbage()).moves;
    ASSERT_GT(solved.size(), 3u);
    model::SolutionCheck check = checkWith(solved);
    EXPECT_EQ(check.status, model::SolutionStatus::Complete);
    EXPECT_EQ(check.crossings, static_cast<int>(solved.size()));

    check = checkWith({solved.begin(), solved.begin() + 3});
    EXPECT_EQ(check.status, model::SolutionStatus::Incomplete);
    EXPECT_EQ(check.crossings, 3);

    // Farmer and wolf leave the goat with the cabbage.
    check = checkWith({{0b0011, 1}});
    EXPECT_EQ(check.status, model::SolutionStatus::BreaksRule);
    EXPECT_EQ(check.failedCrossing, 1);

    // The goat crossed; the cabbage cannot board on the right, nor sail twice in a row,
    // nor can the boat carry two passengers and the farmer.
    EXPECT_EQ(checkWith({{0b0101, 1}, {0b1001, -1}}).failedCrossing, 2);
    EXPECT_EQ(checkWith({{0b0101, 1}, {0b0001, 1}}).failedCrossing, 2);
    EXPECT_EQ(checkWith({{0b0111, 1}}).failedCrossing, 1);
    // Nobody rows an empty boat.
    EXPECT_EQ(checkWith({{0b0101, 1}, {0, -1}}).failedCrossing, 2);
}

}  // namespace
