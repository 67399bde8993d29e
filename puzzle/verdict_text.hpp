// The solver's verdict on a task in words for the teacher (Windows-1251).
#pragma once

#include <string>

#include "model/task_verdict.hpp"

namespace puzzle {

// A heading line and, for a task without a solution, the likeliest cause; paragraphs are
// separated by line breaks and left to wrap.
std::string verdictText(const model::TaskVerdict& verdict);

}  // namespace puzzle
