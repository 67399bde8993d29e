// Where everyone is during a game: each character's bank or its seat in the boat, the
// boat's bank and its load. Play changes it and then moves the pictures to match; the
// rule check, the goal, the hint, the solver and the solution check all read it.
#pragma once

#include <cstdint>
#include <vector>

#include "model/task_data.hpp"

namespace model {

// Sides of the river, as a position and the rule check speak of them.
constexpr int kLeftBank = -1;
constexpr int kRightBank = 1;
constexpr int8_t kInBoat = 0;

struct Position {
    // kLeftBank, kRightBank or kInBoat (counted on the boat's bank) for each character;
    // characters beyond the vector stand on the left. Characters whose start and goal
    // places coincide always count as on the left bank.
    std::vector<int8_t> bank;
    int boat = kLeftBank;
    int64_t load = 0;  // the passengers' total weight

    bool inBoat(int i) const { return i < static_cast<int>(bank.size()) && bank[i] == kInBoat; }
    // The bank character i stands on; a passenger is on the boat's.
    int sideOf(int i) const;
    bool boatEmpty() const;
    // May character i get into the boat now: it stands on the boat's bank and its weight
    // keeps the load within the capacity.
    bool mayBoard(int i, int weight, int capacity) const;
    void board(int i, int weight);
    // Character i gets out onto the boat's bank.
    void leaveBoat(int i, int weight);
    // Where everyone will count once the boat has reached `destination`.
    std::vector<int8_t> placesOnArrival(int destination) const;
};

// Everyone on the left bank with the boat, as a task starts.
Position startPosition(const TaskData& task);
// Character i's start and goal places coincide: it never leaves the left bank.
bool staysPut(const CharacterData& c);
// The boat crosses to `destination` and its passengers land there.
void cross(Position& at, int destination, const TaskData& task);
// Character i is put on bank `side` (as undo and replay do).
void putOnBank(Position& at, int i, int side, const TaskData& task);
// Everyone stands on the right bank (or stays put).
bool atGoal(const Position& at, const TaskData& task);

}  // namespace model
