// A class folder on a network mount that lists its files but never opens them (the server
// hangs): the catalogue and the editor's save never wait on it on the screen's thread, the
// rows say they could not be read, and the task goes elsewhere with nothing left behind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>

#include "app/game.hpp"
#include "app/task_catalogue.hpp"
#include "app/task_list_box.hpp"
#include "platform/class_folder.hpp"
#include "puzzle/class_results.hpp"
#include "scene/scene.hpp"
#include "support/editor_fixture.hpp"
#include "support/open_screens.hpp"
#include "support/sample_tasks.hpp"
#include "ui/cp1251.hpp"

namespace {

namespace fs = std::filesystem;
using ui::operator""_cp;

// Every access to a file of the folder blocks until released (or for a few seconds, so
// that a screen that does wait on it shows as a failure, not a hang).
// The state is shared with the hook: a write left behind may still be inside it when the
// folder object is gone.
class HangingFolder {
public:
    explicit HangingFolder(const fs::path& folder) : state_(std::make_shared<State>()) {
        state_->folder = folder.string() + "/";
        platform::setFileAccessHook([state = state_](const std::string& path) {
            if (path.rfind(state->folder, 0) != 0) return;
            std::unique_lock<std::mutex> lock(state->guard);
            ++state->accesses;
            if (std::this_thread::get_id() == state->screen) ++state->onScreenThread;
            state->released.wait_for(lock, std::chrono::seconds(3), [&] { return state->free; });
        });
    }
    ~HangingFolder() {
        release();
        platform::setFileAccessHook(nullptr);
    }
    void release() {
        std::lock_guard<std::mutex> lock(state_->guard);
        state_->free = true;
        state_->released.notify_all();
    }
    int onScreenThread() {
        std::lock_guard<std::mutex> lock(state_->guard);
        return state_->onScreenThread;
    }
    int accesses() {
        std::lock_guard<std::mutex> lock(state_->guard);
        return state_->accesses;
    }

private:
    struct State {
        std::string folder;
        std::thread::id screen = std::this_thread::get_id();
        std::mutex guard;
        std::condition_variable released;
        bool free = false;
        int onScreenThread = 0;
        int accesses = 0;
    };
    std::shared_ptr<State> state_;
};

int datFiles(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) count += entry.path().extension() == ".dat";
    return count;
}

template <typename Base>
class ClassFolderAccess : public Base {
protected:
    void TearDown() override {
        platform::setClassFolderOverride(std::string());
        Base::TearDown();
    }
    fs::path shared() const { return this->programFolder() / "class"; }
};
using CatalogueAccessTest = ClassFolderAccess<test::GameTest>;
using EditorAccessTest = ClassFolderAccess<test::EditorTest>;

TEST_F(CatalogueAccessTest, TheCatalogueNeverWaitsOnTheClassFolderAndSaysWhatItCouldNotRead) {
    fs::create_directories(shared());
    test::writeTaskFile("tasks/_61.dat", test::wolfGoatCabbage(), false);
    test::writeTaskFile((shared() / "_62.dat").string(), test::wolfGoatCabbage(), false);
    test::writeTaskFile((shared() / "_63.dat").string(), test::wolfGoatCabbage(), false);
    platform::setClassFolderOverride(shared().string());
    puzzle::confirmPupilName("Аня");
    HangingFolder hanging(shared());
    if (!app::game().menu.picture->visible) key(platform::Key::Escape);
    click(520, 73);
    app::TaskListBox* list = app::currentTaskList();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->entries.size(), 3u);
    wait(20);
    list->waitForRows();
    EXPECT_EQ(hanging.onScreenThread(), 0);
    EXPECT_EQ(app::difficultyMark(list->entries[0].difficulty).text, "5");
    for (size_t row : {1u, 2u}) {
        EXPECT_TRUE(list->entries[row].difficulty.unreadable);
        EXPECT_EQ(app::difficultyMark(list->entries[row].difficulty).text, "!");
    }
    wait(20);
    shot("catalogue-class-folder-silent");
    // Nor does deleting one.
    click(list->x + 100, list->y + 33 + 15);
    click(570, 105 + 440 - 89 + 15);
    click(570, 105 + 440 - 89 + 15);
    EXPECT_EQ(test::scenery().messagePopup->text, "Папка класса не отвечает"_cp);
    EXPECT_EQ(list->entries.size(), 3u);
    // Opening one does not wait on it either.
    click(list->x + 100, list->y + 33 + 15);
    click(list->x + 100, list->y + 33 + 15);
    EXPECT_EQ(test::scenery().messagePopup->text, "Ошибка открытия файла"_cp);
    EXPECT_EQ(hanging.onScreenThread(), 0);
}

TEST_F(EditorAccessTest, ASaveTheClassFolderDoesNotAnswerGoesElsewhereAndLeavesNothingThere) {
    fs::create_directories(shared());
    platform::setClassFolderOverride(shared().string());
    goTo(1);
    clickCentre(items().boatmanBox);
    goTo(5);
    {
        HangingFolder hanging(shared());
        next();
        EXPECT_EQ(hanging.onScreenThread(), 0);
        EXPECT_THAT(
            items().stepHint->text,
            testing::StartsWith("Папка класса не отвечает.\nЗадача сохранена\nв папку задач игры:"_cp));
        EXPECT_EQ(datFiles(programFolder() / "tasks"), 1);
        shot("editor-class-folder-silent");
        // The server answers at last: the late copy is written (one access) and taken away
        // again (a second); its flush may take seconds on a busy disk.
        hanging.release();
        for (int i = 0; i < 3000 && (hanging.accesses() < 2 || datFiles(shared()) > 0); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(hanging.accesses(), 2);
    }
    EXPECT_EQ(datFiles(shared()), 0);
}

}  // namespace
