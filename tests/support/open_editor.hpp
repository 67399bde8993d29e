// The open editor as tests, the soak and its invariants read it: while it is
// closed the step is NoStep and every item null, as a closed editor leaves
// them.
#pragma once

#include "app/screens.hpp"
#include "editor/task_editor.hpp"

namespace test {

inline int editorStep() {
    const editor::EditorSession* session = app::editorSession();
    return session != nullptr ? session->step : editor::NoStep;
}

inline const editor::EditorItems& editorItems() {
    static const editor::EditorItems closed;
    const editor::EditorSession* session = app::editorSession();
    return session != nullptr ? session->items : closed;
}

}  // namespace test
