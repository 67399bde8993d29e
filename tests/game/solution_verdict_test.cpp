// What the game says about a loaded solution.
#include "puzzle/solution_verdict.hpp"

#include <gtest/gtest.h>

#include "model/solver.hpp"
#include "support/sample_tasks.hpp"
#include "ui/cp1251.hpp"

namespace {

using ui::operator""_cp;

TEST(SolutionVerdict, CountsAgainstTheShortestOrNamesTheBadCrossing) {
    model::TaskData task = test::wolfGoatCabbage();
    task.moves = model::solveTask(task).moves;
    ASSERT_EQ(task.moves.size(), 5u);
    EXPECT_EQ(puzzle::solutionVerdictMessage(task), "Решение верное: 5 переправ (короче нельзя)"_cp);

    // The first crossing made and undone by hand.
    const model::MoveData first = task.moves.front();
    task.moves.insert(task.moves.begin(), {first, {first.mask, -1}});
    EXPECT_EQ(puzzle::solutionVerdictMessage(task), "Решение верное: 7 переправ (можно за 5)"_cp);

    task.moves.resize(2);
    EXPECT_EQ(puzzle::solutionVerdictMessage(task), "Решение ещё не закончено: 2 переправы"_cp);
    task.moves.resize(1);
    EXPECT_EQ(puzzle::solutionVerdictMessage(task), "Решение ещё не закончено: 1 переправа"_cp);

    task.moves = {{0b0101, 1}, {0b0011, -1}};
    EXPECT_EQ(puzzle::solutionVerdictMessage(task), "Переправа 2 нарушает правила задачи"_cp);
}

}  // namespace
