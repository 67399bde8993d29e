// The rule table of the editor: one row per rule of the task (first character, the sign
// of the kind, second character and, for "forbid together", a third one) and a last row
// that appends a rule. Cells step through their values when clicked and take the
// characters dropped on them.
#pragma once

#include <cstdint>

#include "platform/types.hpp"
#include "scene/panel_layout.hpp"
#include "ui/list_box.hpp"

namespace puzzle {
struct Task;
}

namespace editor {

class RuleListBox : public ui::ListBox {
public:
    static constexpr int kRowHeight = scene::kListRowHeight;
    // Columns of a row.
    enum Column : int32_t {
        NoColumn = -1,
        KindColumn = 0,
        FirstColumn = 1,
        SecondColumn = 2,
        ThirdColumn = 3,
        DeleteColumn = 4,
    };

    // The table of `task`'s rules.
    RuleListBox(int x, int y, int width, int height, puzzle::Task& task);

    // The cell hit test: sets hoverRow and hoverColumn, true on a cell.
    bool hitTest(int px, int py) override;
    // A click on a cell: cycles the kind, steps a character, deletes the rule; on the
    // last row it appends a rule first.
    void mouseDown(int px, int py) override;
    void hoverEnter() override;
    void hoverLeave() override;

    int rowCount() override;
    int rowHeight(int row) override;
    void drawRow(int row, int rowX, int rowY) override;

    // An empty "forbid together" rule at the end; false when the table is full.
    bool appendRule();

    int32_t hoverRow = -1;
    int32_t hoverColumn = NoColumn;
    platform::TexturePtr signs;  // one 25x25 sign per rule kind, side by side
    uint32_t hintTime;           // a hint may show once the tick count passes this

private:
    puzzle::Task& task_;
    void clickCell();
    void drawHoverFrames(int row, int rowX, int rowY);
    void drawRuleContent(int row, int rowX, int rowY);
    bool hintDue() const;
    // The hovered row's hint shows once its delay has passed.
    std::optional<uint32_t> nextChange(uint32_t since) const override;
};

}  // namespace editor
