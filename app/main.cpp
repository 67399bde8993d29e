// Ferrolin: a river-crossing puzzle game.
#include "app/startup.hpp"

int main() { return app::runGame(); }
