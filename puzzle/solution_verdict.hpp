// What the game says about a solution file it has just loaded.
#pragma once

#include <string>

#include "model/task_data.hpp"

namespace puzzle {

// "Решение верное: 9 переправ (короче нельзя)", "Решение ещё не закончено: 3 переправы",
// "Переправа 4 нарушает правила задачи" and the like, in Windows-1251.
std::string solutionVerdictMessage(const model::TaskData& solution);

// "1 переправа", "3 переправы", "5 переправ" (Windows-1251).
std::string crossingsText(int count);

}  // namespace puzzle
