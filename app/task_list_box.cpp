#include "app/task_list_box.hpp"

#include <algorithm>

#include "app/task_catalogue.hpp"
#include "platform/files.hpp"
#include "platform/types.hpp"
#include "puzzle/model/task_file.hpp"
#include "ui/cp1251.hpp"
#include "ui/resources.hpp"
#include "ui/screen_items.hpp"

namespace app {

using namespace ui;

TaskListBox::TaskListBox(int x_, int y_, int width_, int height_)
    : ListBox(x_, y_, width_, height_) {
    scanFolder("tasks");
    const std::string data = platform::dataFolder();
    if (!data.empty()) scanFolder(data);
}

void TaskListBox::scanFolder(const std::string& folder) {
    // Listed by name, as desktop file systems list folders: task names encode their titles,
    // so the rows come in the titles' order rather than the file system's hash order.
    std::vector<std::string> files = platform::listFolder(folder, "", ".dat");
    std::sort(files.begin(), files.end());
    for (const std::string& file : files) {
        if (entries.size() >= kMaxEntries) return;
        const std::string stem = file.substr(0, file.size() - 4);
        entries.push_back({model::decodeTaskFileName(stem), folder, file});
    }
}

void TaskListBox::draw() {
    if (entries.empty()) {
        drawText(smallFont, "Нет файлов с задачами"_cp, Rect{x, y, x + 212, y + 33},
                 platform::DT_CENTER | platform::DT_VCENTER | platform::DT_NOCLIP, 0xFFFFFFCC);
        for (Button* button : screenButtons) {
            if (button != nullptr) button->visible = false;
        }
        return;
    }
    for (Button* button : screenButtons) {
        if (button != nullptr) button->visible = true;
    }
    drawRows();
}

bool TaskListBox::hitTest(int px, int py) {
    if (!containsPoint(this, px, py)) return false;
    hoveredRow = (py - y + scrollOffset) / 33;
    return hoveredRow >= 0 && hoveredRow < rowCount();
}

void TaskListBox::mouseDown(int, int, unsigned) {
    if (hoveredRow == selectedRow) {
        openSelectedTask(nullptr);
    } else {
        selectedRow = hoveredRow;
    }
}

void TaskListBox::hoverEnter() { setCursor(CursorKind::Hand); }

void TaskListBox::hoverLeave() { setCursor(CursorKind::Arrow); }

int TaskListBox::rowCount() { return static_cast<int>(entries.size()); }

int TaskListBox::rowHeight(int) { return 33; }

void TaskListBox::drawRow(int row, int rowX, int rowY) {
    uint32_t fill = 0;
    if (row == selectedRow) {
        fill = 0x60FFFF00;
    } else if (row == hoveredRow) {
        fill = 0x60FFFFFF;
    } else if (row % 2 == 0) {
        fill = 0x20FFFFFF;
    }
    if (fill != 0) fillRect(rowX, rowY, rowX + 212, rowY + 33, fill);
    drawText(smallFont, entries[static_cast<size_t>(row)].name.c_str(),
             Rect{rowX, rowY, rowX + 212, rowY + 33}, platform::DT_CENTER | platform::DT_VCENTER,
             0xFFFFFFCC);
}

bool TaskListBox::removeSelectedEntry() {
    if (selectedRow < 0 || selectedRow >= rowCount()) return false;
    if (!platform::deleteFile(entries[static_cast<size_t>(selectedRow)].path())) return false;
    entries.erase(entries.begin() + selectedRow);
    selectedRow = -1;
    return true;
}

}  // namespace app
