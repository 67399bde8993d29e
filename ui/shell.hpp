// The visual framework's own state in one object: the item list and where the mouse goes
// in it, the fonts, the animations waiting their turn, the hint box of the frame being
// drawn and whoever watches the frames and texts. The game's shell hangs from its app
// object, a framework test's from its fixture; the framework and the items reach the live
// one through shell(), so that no item has to carry it around.
#pragma once

#include <functional>

#include "platform/types.hpp"
#include "ui/animation.hpp"
#include "ui/resources.hpp"
#include "ui/visual_item.hpp"

namespace ui {

class Shell;
// The live shell; there must be one.
inline Shell& shell();

class Shell {
public:
    // Becomes the live shell: at most one is live at a time.
    Shell();
    // Drops the animations unrun and destroys the items still in the list, then releases
    // the fonts: the drawing surface must still be there. No shell is live afterwards.
    ~Shell();

    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    ItemList items;
    Fonts fonts;
    AnimationQueue animations;
    // The hint box asked for in the frame being drawn (no text: none) and where it goes.
    struct Hint {
        const char* text = nullptr;
        Rect rect{};
    } hint;
    // Called after every frame, the animations' too (ferrolin-script films them with it);
    // empty when nobody watches.
    std::function<void()> frameObserver;
    // Told of every text drawn (see drawText); empty when nobody listens.
    TextObserver textObserver;

private:
    static Shell* live_;
    friend Shell& shell();
};

inline Shell& shell() { return *Shell::live_; }

}  // namespace ui
