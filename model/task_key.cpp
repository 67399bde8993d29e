#include "model/task_key.hpp"

#include "model/task_file.hpp"

namespace model {

uint64_t taskKey(const TaskData& task) {
    uint64_t hash = 0xcbf29ce484222325ULL;
    for (const uint8_t byte : encodeTask(task, false)) {
        hash ^= byte;
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

}  // namespace model
