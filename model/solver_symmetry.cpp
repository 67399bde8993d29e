#include "model/solver_symmetry.hpp"

#include <algorithm>
#include <map>
#include <tuple>

namespace model {

namespace {

bool pinned(const CharacterData& c) { return c.leftX == c.rightX && c.leftY == c.rightY; }

// The pair rules as a set, to see whether an exchange of characters maps it onto itself.
// Quantity rules count kinds, so an exchange keeps them when it keeps every kind they
// count; rules that name no character hold always and do not matter.
class RuleSet {
public:
    explicit RuleSet(const TaskData& task) : n_(static_cast<int>(task.characters.size())), of_(n_) {
        const auto names = [&](int i) { return i >= 0 && i < n_; };
        for (const RuleData& rule : task.rules) {
            if (rule.kind != ForbidTogether || !names(rule.first) || !names(rule.second)) continue;
            if (rule.third != -1 && !names(rule.third)) continue;
            const Rule r{rule.first, rule.second, rule.third};
            keys_.push_back(key(r));
            for (const int i : {r.a, r.b, r.c}) {
                if (i >= 0 && (of_[i].empty() || !(of_[i].back() == r))) of_[i].push_back(r);
            }
        }
        std::sort(keys_.begin(), keys_.end());
    }

    // Whether `image` (a permutation moving only the characters in `moved`) keeps the set.
    bool keptBy(const std::vector<int>& image, std::span<const int> moved) const {
        for (const int i : moved) {
            for (const Rule& r : of_[i]) {
                const Rule mapped{image[r.a], image[r.b], r.c < 0 ? -1 : image[r.c]};
                if (!std::binary_search(keys_.begin(), keys_.end(), key(mapped))) return false;
            }
        }
        return true;
    }

private:
    struct Rule {
        int a, b, c;
        bool operator==(const Rule&) const = default;
    };
    // The pair is unordered; characters number at most kMaxCharacters.
    static uint32_t key(const Rule& r) {
        return static_cast<uint32_t>(std::min(r.a, r.b)) << 16 |
               static_cast<uint32_t>(std::max(r.a, r.b)) << 8 | static_cast<uint32_t>(r.c + 1);
    }

    int n_;
    std::vector<std::vector<Rule>> of_;  // the rules naming each character
    std::vector<uint32_t> keys_;
};

}  // namespace

std::vector<InterchangeableBlocks> interchangeableBlocks(const TaskData& task,
                                                         std::span<const uint64_t> kinds) {
    const int n = static_cast<int>(task.characters.size());
    std::vector<bool> counted(n, false);  // of a kind some quantity rule counts
    for (const RuleData& rule : task.rules) {
        if (rule.kind != MoreThan && rule.kind != NotLessThan) continue;
        if (rule.first < 0 || rule.first >= n || rule.second < 0 || rule.second >= n) continue;
        for (int i = 0; i < n; ++i) {
            if (kinds[i] == kinds[rule.first] || kinds[i] == kinds[rule.second]) counted[i] = true;
        }
    }
    // What an exchange must keep besides the pair rules.
    const auto traits = [&](int i) {
        const CharacterData& c = task.characters[i];
        return std::make_tuple(c.weight, pinned(c), counted[i], counted[i] ? kinds[i] : 0);
    };
    const RuleSet rules(task);
    std::vector<int> image(n);
    for (int i = 0; i < n; ++i) image[i] = i;
    // Whether exchanging a[k] with b[k] for every k keeps every verdict.
    const auto exchangeable = [&](std::span<const int> a, std::span<const int> b) {
        std::vector<int> moved;
        for (size_t k = 0; k < a.size(); ++k) {
            if (traits(a[k]) != traits(b[k])) return false;
            image[a[k]] = b[k];
            image[b[k]] = a[k];
            moved.push_back(a[k]);
            moved.push_back(b[k]);
        }
        const bool kept = rules.keptBy(image, moved);
        for (const int i : moved) image[i] = i;
        return kept;
    };

    // Alike characters: an exchange with one member of a class is one with all of them.
    std::vector<std::vector<int>> classes;
    for (int i = 0; i < n; ++i) {
        auto joined = std::find_if(classes.begin(), classes.end(), [&](const std::vector<int>& c) {
            return exchangeable(std::span<const int>(&c[0], 1), std::span<const int>(&i, 1));
        });
        if (joined != classes.end()) {
            joined->push_back(i);
        } else {
            classes.push_back({i});
        }
    }

    std::vector<InterchangeableBlocks> result;
    // The characters left alone, by colour: a colour's group may answer another colour's.
    std::map<uint32_t, std::vector<int>> byColour;
    for (const std::vector<int>& c : classes) {
        if (c.size() > 1) {
            result.push_back({1, c});
        } else {
            byColour[task.characters[c[0]].colour].push_back(c[0]);
        }
    }
    // Groups of the same make-up, members in an order that pairs like with like.
    std::map<std::vector<std::tuple<uint64_t, int32_t, bool>>, std::vector<std::vector<int>>> byMakeUp;
    std::vector<int> alone;
    for (auto& [colour, group] : byColour) {
        if (group.size() < 2 || group.size() > kMaxGroupSize) {
            alone.insert(alone.end(), group.begin(), group.end());
            continue;
        }
        const auto shape = [&](int i) {
            const CharacterData& c = task.characters[i];
            return std::make_tuple(kinds[i] >> 32, c.weight, pinned(c));
        };
        std::stable_sort(group.begin(), group.end(), [&](int a, int b) { return shape(a) < shape(b); });
        std::vector<std::tuple<uint64_t, int32_t, bool>> makeUp;
        for (const int i : group) makeUp.push_back(shape(i));
        byMakeUp[makeUp].push_back(group);
    }
    for (auto& [makeUp, groups] : byMakeUp) {
        std::vector<std::vector<int>> blockClasses;  // flattened blocks
        for (const std::vector<int>& group : groups) {
            auto joined =
                std::find_if(blockClasses.begin(), blockClasses.end(), [&](const std::vector<int>& c) {
                    return exchangeable(std::span<const int>(c.data(), group.size()), group);
                });
            if (joined != blockClasses.end()) {
                joined->insert(joined->end(), group.begin(), group.end());
            } else {
                blockClasses.push_back(group);
            }
        }
        for (std::vector<int>& c : blockClasses) {
            if (c.size() > makeUp.size()) {
                result.push_back({static_cast<int>(makeUp.size()), std::move(c)});
            } else {
                alone.insert(alone.end(), c.begin(), c.end());
            }
        }
    }
    std::sort(alone.begin(), alone.end());
    for (const int i : alone) result.push_back({1, {i}});
    return result;
}

}  // namespace model
