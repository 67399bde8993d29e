#include "app/game.hpp"

namespace app {

Game& game() {
    static Game theGame;
    return theGame;
}

}  // namespace app
