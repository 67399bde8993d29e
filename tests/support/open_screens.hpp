// The open screens' sessions and the scenery as tests, the soak and its invariants read
// them: while a screen is closed its step is NoStep and its items null, as closing leaves
// them.
#pragma once

#include <stdexcept>

#include "app/game.hpp"
#include "app/screens.hpp"
#include "editor/task_editor.hpp"
#include "puzzle/play.hpp"
#include "puzzle/task.hpp"
#include "scene/scene.hpp"

namespace test {

// The app's scenery: the game fixtures build it before a test starts.
inline scene::Scene& scenery() {
    if (!app::game().scene) throw std::logic_error("the scenery is not built");
    return *app::game().scene;
}

inline int editorStep() {
    const editor::EditorSession* session = app::editorSession();
    return session != nullptr ? session->step : editor::NoStep;
}

inline const editor::EditorItems& editorItems() {
    static const editor::EditorItems closed;
    const editor::EditorSession* session = app::editorSession();
    return session != nullptr ? session->items : closed;
}

inline const puzzle::PlayState& play() {
    static const puzzle::PlayState closed;
    const puzzle::PlaySession* session = app::playSession();
    return session != nullptr ? session->play : closed;
}

// The task of the open play or editor session; while neither is open, an empty one that
// tests only read.
inline puzzle::Task& task() {
    static puzzle::Task closed;
    puzzle::Task* open = app::taskOnScreen();
    return open != nullptr ? *open : closed;
}

// For the calls that act on the task being played: a test that makes them has one open.
inline puzzle::PlaySession& playSession() {
    puzzle::PlaySession* session = app::playSession();
    if (session == nullptr) throw std::logic_error("no task is being played");
    return *session;
}

}  // namespace test
