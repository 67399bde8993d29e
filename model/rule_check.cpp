#include "model/rule_check.hpp"

#include <algorithm>
#include <cstddef>

#include "base/name_hash.hpp"

namespace model {

namespace {

// A rule read from a file or left half-filled by the editor may name a character that
// does not exist; such a rule cannot be judged and is treated as holding.
bool names(int index, int count) { return index >= 0 && index < count; }

// How many of the first `count` characters stand on each bank, counted once per verdict.
struct BankCounts {
    int left = 0, right = 0;
};

bool forbidTogetherHolds(const RuleData& rule, std::span<const int8_t> place, int count,
                         BankCounts banks, bool boatman, int destination) {
    if (!names(rule.first, count) || !names(rule.second, count)) return true;
    const int a = place[rule.first];
    if (a != place[rule.second]) return true;
    if (rule.third != -1) {
        if (!names(rule.third, count)) return true;
        return place[rule.third] == a;
    }
    // The boatman guards the pair only on the bank he lands on.
    if (boatman) return a == destination;
    const int there = a == 1    ? banks.right
                      : a == -1 ? banks.left
                                : static_cast<int>(std::count(place.begin(), place.begin() + count, a));
    // Someone besides the two.
    return there > (rule.first == rule.second ? 1 : 2);
}

// 0 when the rule holds, else the bank where it fails (left checked first).
int quantityFailure(const RuleData& rule, std::span<const int8_t> place, std::span<const uint64_t> kind,
                    int count) {
    if (!names(rule.first, count) || !names(rule.second, count)) return 0;
    const uint64_t kindA = kind[rule.first];
    const uint64_t kindB = kind[rule.second];
    int leftA = 0, rightA = 0, leftB = 0, rightB = 0;
    for (int j = 0; j < count; ++j) {
        if (kind[j] == kindA) {
            ++(place[j] < 0 ? leftA : rightA);
        } else if (kind[j] == kindB) {
            ++(place[j] < 0 ? leftB : rightB);
        }
    }
    const int margin = rule.kind == MoreThan ? 1 : 0;
    if (leftA > 0 && leftA < leftB + margin) return -1;
    if (rightA > 0 && rightA < rightB + margin) return 1;
    return 0;
}

}  // namespace

CrossingVerdict judgeCrossing(std::span<const int8_t> place, std::span<const uint64_t> kind,
                              bool boatEmpty, bool boatman, int destination,
                              std::span<const RuleData> rules) {
    CrossingVerdict result;
    if (boatEmpty && !boatman) {
        result.verdict = Verdict::NobodyToRow;
        return result;
    }
    const int count = static_cast<int>(std::min(place.size(), kind.size()));
    BankCounts banks;
    for (int j = 0; j < count; ++j) {
        banks.left += place[j] == -1 ? 1 : 0;
        banks.right += place[j] == 1 ? 1 : 0;
    }
    for (size_t r = 0; r < rules.size(); ++r) {
        const RuleData& rule = rules[r];
        if (rule.kind == ForbidTogether) {
            if (!forbidTogetherHolds(rule, place, count, banks, boatman, destination)) {
                result.verdict = Verdict::ForbiddenTogether;
                result.rule = static_cast<int>(r);
                result.markA = rule.first;
                result.markB = rule.second;
                return result;
            }
        } else if (rule.kind == MoreThan || rule.kind == NotLessThan) {
            if (const int bank = quantityFailure(rule, place, kind, count); bank != 0) {
                result.verdict = Verdict::Unbalanced;
                result.rule = static_cast<int>(r);
                result.bank = bank;
                return result;
            }
        }
    }
    return result;
}

CrossingVerdict judgeCrossing(const Position& at, std::span<const uint64_t> kind, bool boatman,
                              int destination, std::span<const RuleData> rules) {
    return judgeCrossing(at.placesOnArrival(destination), kind, at.boatEmpty(), boatman, destination,
                         rules);
}

std::vector<uint64_t> kindsOf(const TaskData& task) {
    std::vector<uint64_t> kinds;
    kinds.reserve(task.characters.size());
    for (const CharacterData& c : task.characters)
        kinds.push_back(kindKey(base::nameHash(c.name.c_str()), c.colour));
    return kinds;
}

uint64_t kindKey(uint32_t nameHash, uint32_t colour) {
    return (static_cast<uint64_t>(nameHash) << 32) | colour;
}

}  // namespace model
