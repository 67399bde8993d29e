// Where everyone stands during a game: boarding, the load, landing and the goal.
#include <gtest/gtest.h>

#include "model/position.hpp"
#include "model/rule_check.hpp"

namespace {

using namespace model;

TaskData threeOnTheLeft() {
    TaskData task;
    task.boat = 3;
    for (int i = 0; i < 3; ++i) {
        CharacterData c;
        c.leftX = 10 * i;
        c.rightX = 800 + 10 * i;
        c.weight = i + 1;
        task.characters.push_back(c);
    }
    task.characters[2].rightX = task.characters[2].leftX;  // stays where it starts
    return task;
}

TEST(Position, BoardsFromTheBoatsBankWithinTheLoadAndLandsOnArrival) {
    const TaskData task = threeOnTheLeft();
    Position at = startPosition(task);
    ASSERT_TRUE(at.mayBoard(0, 1, 3));
    at.board(0, 1);
    EXPECT_FALSE(at.mayBoard(2, 3, 3));  // 1 + 3 is more than the boat takes
    at.board(2, 3);
    EXPECT_EQ(at.load, 4);
    at.leaveBoat(2, 3);
    EXPECT_EQ(at.load, 1);
    EXPECT_EQ(at.placesOnArrival(kRightBank), (std::vector<int8_t>{1, -1, -1}));
    cross(at, kRightBank, task);
    EXPECT_EQ(at.bank, (std::vector<int8_t>{1, -1, -1}));
    EXPECT_EQ(at.load, 0);
    // Someone on the other bank may not board, whatever the room.
    EXPECT_FALSE(at.mayBoard(1, 2, 3));
    EXPECT_FALSE(atGoal(at, task));
    at.board(0, 1);
    cross(at, kLeftBank, task);
    at.board(0, 1);
    at.board(1, 2);
    // Passengers count on the bank they sail to.
    const std::vector<RuleData> apart{{1, 2, -1, ForbidTogether}};
    EXPECT_TRUE(judgeCrossing(at, std::vector<uint64_t>(3, 0), true, kRightBank, apart).verdict ==
                Verdict::Allowed);
    cross(at, kRightBank, task);
    // The one whose start is its goal counts as arrived where it stands.
    EXPECT_TRUE(atGoal(at, task));
}

}  // namespace
