// The river scene as the background picture draws it on the 1024 x 768 screen: where the
// boat moors at each bank, the stretch where the drawn river climbs, the banks and the
// place of the task's words. Play, the editor and the catalogue all place things by it.
#pragma once

#include "platform/types.hpp"

namespace scene {

struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Play's highlights start their flight from the middle of the screen.
constexpr int kCentreX = platform::kScreenWidth / 2, kCentreY = platform::kScreenHeight / 2;

// The boat's top-left corner where it moors at each bank.
constexpr int kLeftStationX = 235, kLeftStationY = 300;
constexpr int kRightStationX = 675, kRightStationY = 130;
// Between these x the drawn water rises to the right: the boat climbs one pixel for every
// two it sails.
constexpr int kClimbLeft = 335, kClimbRight = 675;

// The arrows that send the boat off stand beside it at its bank.
constexpr int kSailRightX = 445, kSailRightY = 330;
constexpr int kSailLeftX = 620, kSailLeftY = 160;
// The winner's picture hangs over the middle of the river.
constexpr int kWinnerX = 390, kWinnerY = 220;

// The banks as the highlight frames them.
constexpr Box kLeftBank{5, 40, 270, 400};
constexpr Box kRightBank{770, 40, 240, 250};
// Under the river: the task's title and statement, and the frame around both.
constexpr Box kTitle{10, 555, 680, 0};
constexpr Box kStatement{10, 590, 680, 170};
constexpr Box kWordsFrame{5, 550, 670, 205};
// The water between the left bank and the hint button, where play's messages wrap.
constexpr int kRiverTextLeft = 300, kRiverTextRight = 610;
constexpr int kHintButtonX = 620, kHintButtonY = 468;

// The wood panel stands at the right bank's foot; the catalogue brings it to the middle.
constexpr int kPanelX = 705, kPanelY = 320;
constexpr int kCataloguePanelX = 365, kCataloguePanelY = 105;

}  // namespace scene
