#include "puzzle/solution_verdict.hpp"

#include "model/solution_check.hpp"
#include "model/solver.hpp"
#include "ui/cp1251.hpp"

namespace puzzle {

using ui::operator""_cp;

std::string crossingsText(int count) {
    const int lastTwo = count % 100, last = count % 10;
    const char* word = "переправ"_cp;
    if (lastTwo < 11 || lastTwo > 14) {
        if (last == 1) word = "переправа"_cp;
        if (last >= 2 && last <= 4) word = "переправы"_cp;
    }
    return std::to_string(count) + " " + word;
}

std::string solutionVerdictMessage(const model::TaskData& solution) {
    const model::SolutionCheck check = model::checkSolution(solution);
    switch (check.status) {
        case model::SolutionStatus::BreaksRule:
            return std::string("Переправа "_cp) + std::to_string(check.failedCrossing) +
                   " нарушает правила задачи"_cp;
        case model::SolutionStatus::Incomplete:
            return std::string("Решение ещё не закончено: "_cp) + crossingsText(check.crossings);
        case model::SolutionStatus::Complete:
            break;
    }
    std::string message("Решение верное: "_cp);
    message += crossingsText(check.crossings);
    model::TaskData start = solution;
    start.moves.clear();
    const model::SolveResult best = model::solveTask(start, model::kInteractiveStateLimit);
    if (best.status == model::SolveStatus::Solved) {
        if (best.moves.size() >= static_cast<size_t>(check.crossings)) {
            message += " (короче нельзя)"_cp;
        } else {
            message += std::string(" (можно за "_cp) + std::to_string(best.moves.size()) + ")";
        }
    }
    return message;
}

}  // namespace puzzle
