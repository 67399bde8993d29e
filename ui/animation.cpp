#include "ui/animation.hpp"

#include <deque>
#include <optional>
#include <utility>

#include "platform/system.hpp"
#include "ui/frame.hpp"

namespace ui {
namespace {

struct Entry {
    Animation animation;
    std::function<void()> action;  // set for an action, empty for an animation
    // Made when the animation starts: when its next frame, or its end, is due.
    std::optional<platform::FramePacer> pacer;
    int frame = 0;
};

std::deque<Entry> queue;
// Inside a running action, where the action's own entries go (they come first).
bool inAction = false;
size_t insertAt = 0;

void enqueue(Entry entry) {
    if (inAction) {
        queue.insert(queue.begin() + static_cast<std::ptrdiff_t>(insertAt++), std::move(entry));
    } else {
        queue.push_back(std::move(entry));
    }
}

bool pendingHere() { return inAction ? insertAt > 0 : !queue.empty(); }

void runAction(const std::function<void()>& action) {
    const bool outer = inAction;
    const size_t outerAt = insertAt;
    inAction = true;
    insertAt = 0;
    action();
    inAction = outer;
    // The action's entries went in front of those the outer action had put in already.
    insertAt = outer ? outerAt : 0;
}

bool hasFrame(Entry& e) { return e.animation.hasFrame && e.animation.hasFrame(e.frame); }

}  // namespace

void animate(Animation animation) {
    Entry entry;
    entry.animation = std::move(animation);
    enqueue(std::move(entry));
}

void afterAnimations(std::function<void()> action) {
    if (!action) return;
    if (!pendingHere()) {
        action();
        return;
    }
    Entry entry;
    entry.action = std::move(action);
    enqueue(std::move(entry));
}

bool animating() { return !queue.empty(); }

uint32_t nextAnimationTick() {
    if (queue.empty()) return platform::tickCount();
    const Entry& e = queue.front();
    return e.pacer ? e.pacer->due() : platform::tickCount();
}

void advanceAnimations() {
    while (!queue.empty()) {
        Entry& e = queue.front();
        if (e.action) {
            const std::function<void()> action = std::move(e.action);
            queue.pop_front();
            runAction(action);
            continue;
        }
        if (!e.pacer) {
            e.pacer.emplace(e.animation.periodMs);
            if (e.animation.pauseFirst) {
                if (!hasFrame(e)) {
                    queue.pop_front();
                    continue;
                }
                e.pacer->next();
            }
        }
        if (static_cast<int32_t>(platform::tickCount() - e.pacer->due()) < 0) return;
        if (!e.animation.pauseFirst && !hasFrame(e)) {
            queue.pop_front();
            continue;
        }
        e.animation.showFrame(e.frame++);
        // Frames whose time has passed while the host was slow are shown undrawn, so the
        // animation keeps its length.
        while (hasFrame(e) && e.pacer->behind()) {
            e.pacer->next();
            e.animation.showFrame(e.frame++);
        }
        renderFrame();
        if (e.animation.pauseFirst && !hasFrame(e)) {
            queue.pop_front();
            continue;
        }
        e.pacer->next();
        return;
    }
}

void stopAnimations() {
    queue.clear();
    insertAt = 0;
}

}  // namespace ui
