// Generated tasks larger than the pack's, for the solver benchmarks.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/task_data.hpp"
#include "tools/task_source.hpp"

namespace bench {

// The pack's tasks read from their sources, in file order, each named after its file;
// a source that does not load is reported and left out.
std::vector<std::pair<std::string, tools::TaskSource>> packSources();

// n knights and their n princesses, each couple its own colour: a princess may not be
// with another knight unless her own knight is on the same bank.
model::TaskData jealousCouples(int n, int capacity);
// n monks and n trolls: where monks stand, trolls may not outnumber them.
model::TaskData monksAndTrolls(int n, int capacity);
// n alike characters: a boat for two without a boatman, or a boatman and room for one.
model::TaskData crowd(int n, bool boatman);
// n characters all of different kinds, no boatman; no two neighbours in the chain may be
// left alone together. No symmetry for the solver to fold.
model::TaskData distinctChain(int n, int capacity);

}  // namespace bench
