// Counts the C++ heap allocations of the benchmark program (operator new is replaced in
// alloc_counter.cpp), so that a frame can report how many it makes.
#pragma once

#include <cstdint>

namespace bench {

uint64_t allocationCount();

}  // namespace bench
