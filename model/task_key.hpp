// A task's identity by content, for remembering progress and caching results: two files
// holding the same task part share it, an edited task gets another.
#pragma once

#include <cstdint>

#include "model/task_data.hpp"

namespace model {

// 64-bit FNV-1a of the task part as the task writer encodes it; moves are left out, so a
// solution file and its task file share the key.
uint64_t taskKey(const TaskData& task);

}  // namespace model
