// Random small tasks for checking the solver against the plain search.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "model/task_data.hpp"

namespace test {

// The i-th of many distinct colours.
inline uint32_t colourOf(int i) { return 0xFF000000u | (0x3F1F7Bu * static_cast<uint32_t>(i + 1)); }

// Appends a character with its own start and goal places (equal ones when pinned).
inline int addCharacter(model::TaskData& task, const std::string& picture, int weight, uint32_t colour,
                        bool pinned) {
    const int i = static_cast<int>(task.characters.size());
    task.characters.push_back({10 * i, 40, pinned ? 10 * i : 800 + 10 * i, pinned ? 40 : 50, weight,
                               colour, "textures/unit_" + picture + ".tga"});
    return i;
}

// Alike characters, named ones, weights (some negative or zero), pinned characters and
// every rule kind.
inline model::TaskData randomTask(std::mt19937& random) {
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); };
    const char* pictures[] = {"monk", "troll"};
    model::TaskData task;
    task.boat = static_cast<uint32_t>(1 + pick(3)) | (pick(3) == 0 ? model::kBoatmanFlag : 0);
    const int n = 2 + pick(6);
    for (int i = 0; i < n; ++i) {
        const int weight = pick(10) == 0 ? pick(3) - 1 : 1 + pick(2) * pick(2);
        addCharacter(task, pictures[pick(2)], weight, pick(6) == 0 ? 0xFFF00000 : 0xFFFFFFFF,
                     pick(12) == 0);
    }
    for (int r = pick(4); r > 0; --r) {
        const int kind = pick(2) ? model::ForbidTogether : 1 + pick(2);
        task.rules.push_back(
            {pick(n), pick(n), kind == model::ForbidTogether && pick(2) ? pick(n) : -1, kind});
    }
    return task;
}

// Groups of one make-up, each in a colour of its own (now and then two share one), under
// rules that treat every group alike -- now and then with one rule that does not -- and a
// character or two of their own besides. At most `limit` characters.
inline model::TaskData randomGroupTask(std::mt19937& random, int limit) {
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); };
    const char* pictures[] = {"knight", "princess", "page"};
    model::TaskData task;
    task.boat = static_cast<uint32_t>(1 + pick(4)) | (pick(3) == 0 ? model::kBoatmanFlag : 0);
    const int extras = pick(3);
    const int members = 1 + pick(3);
    const int groups = std::max(2, std::min(2 + pick(3), (limit - extras) / members));
    std::vector<std::string> picture(members);
    std::vector<int> weight(members);
    std::vector<bool> pinned(members);
    for (int k = 0; k < members; ++k) {
        picture[k] = pictures[pick(3)];
        weight[k] = 1 + (pick(4) == 0);
        pinned[k] = pick(15) == 0;
    }
    std::vector<std::vector<int>> group(groups);
    for (int g = 0; g < groups; ++g) {
        const uint32_t colour = colourOf(g > 0 && pick(6) == 0 ? g - 1 : g);
        for (int k = 0; k < members; ++k)
            group[g].push_back(addCharacter(task, picture[k], weight[k], colour, pinned[k]));
    }
    std::vector<int> extra;
    for (int e = 0; e < extras; ++e)
        extra.push_back(addCharacter(task, pick(2) ? "wolf" : "goat", 1, 0xFFFFFFFF, false));
    const auto rule = [&](int a, int b, int c, int kind) { task.rules.push_back({a, b, c, kind}); };
    for (int t = 1 + pick(3); t > 0; --t) {
        const int x = pick(members), y = pick(members), z = pick(members);
        switch (pick(extras > 0 ? 4 : 2)) {
            case 0:  // between groups: as in jealous couples
                for (int g = 0; g < groups; ++g) {
                    for (int h = 0; h < groups; ++h) {
                        if (g != h)
                            rule(group[g][x], group[h][y], pick(2) ? group[g][z] : -1,
                                 model::ForbidTogether);
                    }
                }
                break;
            case 1:  // within each group
                for (int g = 0; g < groups; ++g)
                    rule(group[g][x], group[g][y], -1, model::ForbidTogether);
                break;
            case 2: {  // an outsider and each group
                const int e = extra[pick(extras)];
                for (int g = 0; g < groups; ++g)
                    rule(e, group[g][x], pick(3) == 0 ? group[g][z] : -1, model::ForbidTogether);
                break;
            }
            default:  // an outsider watched by each group
                for (int g = 0; g < groups; ++g)
                    rule(group[g][x], group[g][y], extra[pick(extras)], model::ForbidTogether);
                break;
        }
    }
    const int n = static_cast<int>(task.characters.size());
    if (pick(4) == 0) rule(pick(n), pick(n), pick(2) ? pick(n) : -1, model::ForbidTogether);
    if (pick(6) == 0) rule(pick(n), pick(n), -1, 1 + pick(2));
    return task;
}

// A file made to freeze the solver: 28 goats told apart by 128 rules, two wolves and a
// sheep counted by 128 more that always hold (each judgement reads every character for
// each), and a bear too heavy ever to board whose goal is its start. The boat takes all
// but one goat and almost any load of goats is refused, so a search judges load after
// load of the start.
inline model::TaskData refusedEverywhere() {
    model::TaskData task;
    task.title = "refused";
    task.boat = 27;
    for (int i = 0; i < 28; ++i) addCharacter(task, "goat", 1, 0xFFFFFFFF, false);
    const int wolf = addCharacter(task, "wolf", 1, 0xFFFFFFFF, false);
    addCharacter(task, "wolf", 1, 0xFFFFFFFF, false);
    const int sheep = addCharacter(task, "sheep", 1, 0xFFFFFFFF, false);
    addCharacter(task, "bear", 99, 0xFFFFFFFF, true);
    while (task.rules.size() < 128) task.rules.push_back({wolf, sheep, -1, model::NotLessThan});
    std::mt19937 random(31);
    while (task.rules.size() < 256) {
        const auto goat = [&] { return static_cast<int>(random() % 28); };
        task.rules.push_back({goat(), goat(), goat(), model::ForbidTogether});
    }
    return task;
}

}  // namespace test
