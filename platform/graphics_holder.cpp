// The one drawing surface of the process.
#include <utility>

#include "platform/graphics.hpp"

namespace platform {

namespace {
std::unique_ptr<Graphics> current;
}

Graphics& graphics() { return *current; }

void setGraphics(std::unique_ptr<Graphics> graphics) { current = std::move(graphics); }

bool hasGraphics() { return current != nullptr; }

}  // namespace platform
