#include "app/window_proc.hpp"

#include "app/game.hpp"
#include "app/screen.hpp"
#include "app/screens.hpp"
#include "app/task_catalogue.hpp"
#include "app/task_list_box.hpp"
#include "platform/edit_box.hpp"
#include "platform/graphics.hpp"
#include "platform/system.hpp"
#include "platform/types.hpp"
#include "scene/scene.hpp"
#include "ui/animation.hpp"
#include "ui/frame.hpp"
#include "ui/list_box.hpp"
#include "ui/shell.hpp"

namespace app {

using namespace platform;

namespace {

// Messages may come before the scenery is built and after it is forgotten.
const scene::Scene* scenery() { return game().scene ? &*game().scene : nullptr; }

ui::ListBox* currentList() {
    const scene::Scene* scene = scenery();
    return scene != nullptr ? dynamic_cast<ui::ListBox*>(scene->woodPanel->attached) : nullptr;
}

bool pressed(const ui::PressablePicture* arrow) { return arrow->state == ui::Pressed; }

// The arrow was hidden under the held button: end the press until it is released.
void cancelArrowPress() {
    ui::releaseHotItem();
    ui::shell().items.inputArmed = false;
}

void scrollBy(int delta) {
    if (ui::ListBox* list = currentList()) {
        list->scrollOffset += delta;
        if (list->scrollOffset < 0) list->scrollOffset = 0;
    }
}

void keyDown(const KeyDown& key) {
    // The help is wanted most when something is going wrong: it opens from anywhere.
    if (key.key == Key::F1) {
        openDocument("help/index.html");
        return;
    }
    // Not in the middle of a press: the menu would take the hot item away from under a
    // drag and leave what was dragged wherever the pointer had taken it.
    if (!ui::shell().items.inputArmed || ui::shell().items.pressHeld) return;
    if (key.key == Key::Escape) {
        toggleMainMenu(nullptr);
    } else if (ui::shell().items.modalFloor == nullptr) {
        // The modal floor is the open menu or the winner picture: what lies under them
        // cannot be clicked, so it cannot be keyed either.
        screenKeyDown(key.key, key.ctrl);
    }
}

void wheel(const Wheel& turn) {
    ui::ListBox* list = currentList();
    if (list == nullptr || !list->visible || !ui::shell().items.inputArmed ||
        ui::shell().items.pressHeld)
        return;
    const scene::WoodPanel* panel = game().scene->woodPanel;
    if (ui::shell().items.modalFloor != nullptr || !panel->visible ||
        !ui::containsPoint(panel, turn.at.x, turn.at.y)) {
        return;
    }
    list->scrollByNotches(turn.notches);
}

bool arrowHeld() {
    const scene::Scene* scene = scenery();
    return scene != nullptr && (pressed(scene->upArrow) || pressed(scene->downArrow));
}

std::optional<uint32_t> earlier(std::optional<uint32_t> a, std::optional<uint32_t> b) {
    if (!a) return b;
    if (!b) return a;
    return static_cast<int32_t>(*b - *a) < 0 ? b : a;
}

// The catalogue learns about its rows on a thread of its own, which cannot wake the loop:
// while it works the loop looks in this often, and a row is drawn once it is known.
constexpr uint32_t kRowsLookMs = 40;

// When the catalogue's rows next need the loop: now, when some were learnt since the last
// look; a little later while some are still being judged.
std::optional<uint32_t> catalogueRowsDue(uint32_t now) {
    TaskListBox* list = currentTaskList();
    if (list == nullptr) return std::nullopt;
    switch (list->rowNews()) {
        case TaskListBox::RowNews::Learnt:
            game().frames.wanted = true;
            return now;
        case TaskListBox::RowNews::Judging:
            return now + kRowsLookMs;
        case TaskListBox::RowNews::None:
            break;
    }
    return std::nullopt;
}

std::optional<uint32_t> nextScreenChange(uint32_t now) {
    const FrameState& frames = game().frames;
    if (frames.wanted || arrowHeld() || editBoxChanges() != frames.boxChangesDrawn) return now;
    return earlier(ui::nextItemChange(frames.lastFrameAt), nextCaretBlink(frames.lastFrameAt));
}

void drawFrame() {
    FrameState& frames = game().frames;
    frames.wanted = false;
    frames.boxChangesDrawn = editBoxChanges();
    frames.lastFrameAt = tickCount();
    ui::renderFrame();
    // A frame unlike the one before may have changed items as it was drawn (a flight that
    // ended shows the winner picture): frames follow until two agree.
    if (graphics().lastFrameChanged()) frames.wanted = true;
}

}  // namespace

void scrollUpTick() {
    if (game().scene->upArrow->visible) {
        scrollBy(-2);
    } else {
        cancelArrowPress();
    }
}

void scrollDownTick() {
    if (game().scene->downArrow->visible) {
        scrollBy(2);
    } else {
        cancelArrowPress();
    }
}

namespace {

void tick() {
    // An animation draws its own frames, on its own beat.
    if (ui::animating()) {
        ui::advanceAnimations();
        game().frames.wanted = true;
        return;
    }
    if (const scene::Scene* scene = scenery()) {
        if (pressed(scene->upArrow)) {
            scrollUpTick();
        } else if (pressed(scene->downArrow)) {
            scrollDownTick();
        }
    }
    drawFrameIfDue();
}

void destroy() {
    // The window closes at once, also in the middle of an animation.
    ui::stopAnimations();
    closeScreen();
    postQuit(0);
}

}  // namespace

void windowProc(const Event& event) {
    if (!std::holds_alternative<Tick>(event)) game().frames.wanted = true;
    std::visit(Overloaded{
                   [](const MouseMove& e) { ui::routeMouseMove(e.at.x, e.at.y, e.leftHeld); },
                   [](const MouseDown& e) { ui::routeMouseDown(e.at.x, e.at.y); },
                   [](const MouseUp& e) { ui::routeMouseUp(e.at.x, e.at.y); },
                   [](const Wheel& e) { wheel(e); },
                   [](const KeyDown& e) { keyDown(e); },
                   [](Tick) { tick(); },
                   [](Paint) { drawFrame(); },
                   [](Destroy) { destroy(); },
               },
               event);
}

bool drawFrameIfDue() {
    catalogueRowsDue(tickCount());
    const std::optional<uint32_t> due = nextScreenChange(tickCount());
    if (!due || static_cast<int32_t>(tickCount() - *due) < 0) return false;
    drawFrame();
    return true;
}

bool inputWaits() { return ui::animating(); }

std::optional<uint32_t> nextTick() {
    if (ui::animating()) return ui::nextAnimationTick();
    const uint32_t now = tickCount();
    const std::optional<uint32_t> rows = catalogueRowsDue(now);
    return earlier(nextScreenChange(now), rows);
}

const LoopClient& loopClient() {
    static const LoopClient client{windowProc, inputWaits, nextTick};
    return client;
}

void finishAnimations() {
    while (ui::animating() && !quitPosted()) {
        const auto ahead = static_cast<int32_t>(ui::nextAnimationTick() - tickCount());
        if (ahead > 0) sleepMs(static_cast<uint32_t>(ahead));
        windowProc(Tick{});
    }
}

}  // namespace app
