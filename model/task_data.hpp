// A task as plain data: what a task or solution file holds, what the solver searches
// and what the task-pack builder writes. The screens turn it into items and back.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

namespace model {

constexpr int kMaxCharacters = 128;
constexpr int kMaxRules = 256;
constexpr int kMaxMoves = 256;         // in a solution file; play keeps any number
constexpr int kTitleBytes = 128;       // including the terminating zero
constexpr int kStatementBytes = 1024;  // including the terminating zero
constexpr int kNameBytes = 255;        // picture names longer than this are cut
// Places read from files lie within ±this: far off any screen, yet sums and differences
// of places and picture sizes stay well inside int.
constexpr int32_t kPlaceLimit = 1 << 20;

constexpr uint32_t kCapacityMask = 0xFFFF;
constexpr uint32_t kBoatmanFlag = 0x10000;

enum RuleKind : int32_t { ForbidTogether = 0, MoreThan = 1, NotLessThan = 2 };

struct CharacterData {
    int32_t leftX = 0, leftY = 0;    // start place on the left bank
    int32_t rightX = 0, rightY = 0;  // goal place on the right bank
    int32_t weight = 1;
    uint32_t colour = 0xFFFFFFFF;  // ARGB tint; with the picture it makes the kind
    std::string name;              // picture file name, e.g. "textures/unit_wolf.tga"
};

struct RuleData {
    int32_t first = -1, second = -1, third = -1;
    int32_t kind = ForbidTogether;
};

// Who crossed: bit i for character i. Play records every character; a solution file
// holds only the first kFileMaskBits of them.
using PassengerSet = std::bitset<kMaxCharacters>;
constexpr int kFileMaskBits = 32;

// One crossing: the passengers; +1 left to right, -1 back.
struct MoveData {
    PassengerSet mask;
    int32_t direction = 1;
};

// The boat's settings as plain fields; a file packs them into one word.
struct BoatSettings {
    int capacity = 1;
    bool boatman = false;
    uint32_t otherBits = 0;  // what a file holds beyond them, written back as read

    static BoatSettings fromWord(uint32_t word) {
        return {static_cast<int>(word & kCapacityMask), (word & kBoatmanFlag) != 0,
                word & ~(kCapacityMask | kBoatmanFlag)};
    }
    uint32_t word() const {
        return (static_cast<uint32_t>(capacity) & kCapacityMask) | (boatman ? kBoatmanFlag : 0) |
               otherBits;
    }
};

struct TaskData {
    std::string title;      // Windows-1251, at most 127 bytes
    std::string statement;  // Windows-1251, at most 1023 bytes, CR LF line breaks
    uint32_t boat = 1;      // bits 0-15 capacity, bit 16 boatman, the rest kept as read
    std::vector<CharacterData> characters;
    std::vector<RuleData> rules;
    std::vector<MoveData> moves;  // written only for solution files

    int capacity() const { return static_cast<int>(boat & kCapacityMask); }
    bool hasBoatman() const { return (boat & kBoatmanFlag) != 0; }
};

}  // namespace model
