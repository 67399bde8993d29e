#include "ui/shell.hpp"

#include <cassert>

namespace ui {

Shell* Shell::live_ = nullptr;

Shell::Shell() {
    assert(live_ == nullptr);
    live_ = this;
}

Shell::~Shell() {
    // The items' destructors and the queued actions still reach the framework through
    // shell(): this one stays live until they are gone.
    stopAnimations();
    destroyAllItems();
    live_ = nullptr;
}

}  // namespace ui
