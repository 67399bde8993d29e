#include "ui/animation.hpp"

#include <utility>

#include "platform/system.hpp"
#include "ui/frame.hpp"
#include "ui/shell.hpp"

namespace ui {
namespace {

using Entry = AnimationQueue::Entry;

void enqueue(Entry entry) {
    AnimationQueue& q = shell().animations;
    if (q.inAction) {
        q.entries.insert(q.entries.begin() + static_cast<std::ptrdiff_t>(q.insertAt++),
                         std::move(entry));
    } else {
        q.entries.push_back(std::move(entry));
    }
}

bool pendingHere() {
    const AnimationQueue& q = shell().animations;
    return q.inAction ? q.insertAt > 0 : !q.entries.empty();
}

void runAction(const std::function<void()>& action) {
    AnimationQueue& q = shell().animations;
    const bool outer = q.inAction;
    const size_t outerAt = q.insertAt;
    q.inAction = true;
    q.insertAt = 0;
    action();
    q.inAction = outer;
    // The action's entries went in front of those the outer action had put in already.
    q.insertAt = outer ? outerAt : 0;
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

bool animating() { return !shell().animations.entries.empty(); }

uint32_t nextAnimationTick() {
    const std::deque<Entry>& queue = shell().animations.entries;
    if (queue.empty()) return platform::tickCount();
    const Entry& e = queue.front();
    return e.pacer ? e.pacer->due() : platform::tickCount();
}

void advanceAnimations() {
    std::deque<Entry>& queue = shell().animations.entries;
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
    AnimationQueue& q = shell().animations;
    q.entries.clear();
    q.insertAt = 0;
}

}  // namespace ui
