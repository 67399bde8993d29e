// The catalogue's list of task files: one row per file, titled from its name. A press
// selects a row, a second press on it opens the task.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/catalogue_judge.hpp"
#include "app/task_difficulty.hpp"
#include "platform/class_folder.hpp"
#include "scene/scene.hpp"
#include "ui/list_box.hpp"

namespace app {

// Where a task comes from: the game's own pack, the class folder or the pupil's data folder.
enum class TaskGroup : uint8_t { Game, Class, Mine };

struct TaskEntry {
    TaskEntry(std::string title, std::string inFolder, std::string file)
        : name(std::move(title)),
          folder(std::move(inFolder)),
          fileName(std::move(file)),
          path_(folder + "/" + fileName) {}

    std::string name;      // the title shown (Windows-1251)
    std::string folder;    // where the file was found
    std::string fileName;  // the file's own name, so open and delete address this file
    TaskGroup group = TaskGroup::Game;
    EntryDifficulty difficulty;
    // Joined once: every drawn row looks its solved mark up by it, and a frame allocates
    // nothing.
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Title order for the catalogue: bytes compared as unsigned (so Windows-1251 Cyrillic
// follows the alphabet), runs of digits compared as numbers.
bool titleBefore(const std::string& a, const std::string& b);
// The text of a file's row, from its name without ".dat".
std::string rowTitle(const std::string& stem);

class TaskListBox : public ui::ListBox {
public:
    static constexpr int kMaxEntries = 256;

    // A network class folder that does not answer within this is left out of the list.
    static constexpr int kClassFolderPatienceMs = platform::kClassFolderPatienceMs;

    // The catalogue learns about its rows (difficulty, solved mark) away from the screen's
    // thread; a scan that is only walked for its order learns nothing.
    enum class Judging { Difficulties, OrderOnly };

    // Scans "tasks", the class folder and then the data folder.
    TaskListBox(int x, int y, int width, int height, Judging judging = Judging::Difficulties);
    void draw() override;
    bool hitTest(int px, int py) override;
    void mouseDown(int px, int py) override;
    void hoverEnter() override;
    void hoverLeave() override;
    int rowCount() override;
    int rowHeight(int row) override;
    void drawRow(int row, int rowX, int rowY) override;

    // Appends every task file of the folder, in title order. patienceMs > 0: the folder
    // may be slow or gone, so give up after that long.
    void scanFolder(const std::string& folder, TaskGroup group, int patienceMs = 0);
    // Keeps kMaxEntries of the files found: the class's first, then the pupil's own, then
    // the game's, each group by title; the rest are counted.
    void keepWithinCap();
    // Deletes the selected entry's file and entry; false leaves the list unchanged
    // (noAnswer: the class folder did not answer in time).
    bool removeSelectedEntry(bool* noAnswer = nullptr);
    // Fills in the rows learnt about since the last call; false when there were none.
    bool learn();
    // Waits until every row is known (scripts and tests), then fills them in.
    void waitForRows();
    // Rows learnt since the last call (Learnt), or none yet while some are still being
    // judged (Judging): the loop, which sleeps at rest, draws a frame for the first and
    // looks again a little later for the second.
    enum class RowNews { None, Learnt, Judging };
    RowNews rowNews();

    std::vector<TaskEntry> entries;
    int32_t hoveredRow = -1;
    int32_t selectedRow = -1;
    // Files beyond kMaxEntries: a last row, which cannot be selected, says how many.
    int32_t hiddenCount = 0;
    // The scenery whose panel buttons and legend go with the rows shown; none for a list
    // that is only scanned.
    scene::Scene* scene = nullptr;

private:
    void drawHiddenCount(int rowX, int rowY);
    // The open and delete buttons go with the rows: there is nothing to open in an empty list.
    void showPanelButtons(bool shown);

    std::unique_ptr<CatalogueJudge> judge_;
    bool learntUnseen_ = false;  // learnt since rowNews() last told
};

}  // namespace app
