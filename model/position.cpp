#include "model/position.hpp"

namespace model {

int Position::sideOf(int i) const {
    if (i >= static_cast<int>(bank.size())) return kLeftBank;
    return bank[i] == kInBoat ? boat : bank[i];
}

bool Position::boatEmpty() const {
    for (const int8_t b : bank) {
        if (b == kInBoat) return false;
    }
    return true;
}

bool Position::mayBoard(int i, int weight, int capacity) const {
    if (i < 0 || i >= static_cast<int>(bank.size()) || bank[i] != boat) return false;
    return load + weight <= capacity;
}

void Position::board(int i, int weight) {
    bank[i] = kInBoat;
    load += weight;
}

void Position::leaveBoat(int i, int weight) {
    bank[i] = static_cast<int8_t>(boat);
    load -= weight;
}

std::vector<int8_t> Position::placesOnArrival(int destination) const {
    std::vector<int8_t> places = bank;
    for (int8_t& p : places) {
        if (p == kInBoat) p = static_cast<int8_t>(destination);
    }
    return places;
}

Position startPosition(const TaskData& task) {
    Position at;
    at.bank.assign(task.characters.size(), kLeftBank);
    return at;
}

bool staysPut(const CharacterData& c) { return c.leftX == c.rightX && c.leftY == c.rightY; }

void putOnBank(Position& at, int i, int side, const TaskData& task) {
    at.bank[i] = static_cast<int8_t>(staysPut(task.characters[i]) ? kLeftBank : side);
}

void cross(Position& at, int destination, const TaskData& task) {
    for (int i = 0; i < static_cast<int>(at.bank.size()); ++i) {
        if (at.bank[i] == kInBoat) putOnBank(at, i, destination, task);
    }
    at.boat = destination;
    at.load = 0;
}

bool atGoal(const Position& at, const TaskData& task) {
    for (int i = 0; i < static_cast<int>(task.characters.size()); ++i) {
        if (at.sideOf(i) != kRightBank && !staysPut(task.characters[i])) return false;
    }
    return true;
}

}  // namespace model
