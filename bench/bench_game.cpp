#include "bench/bench_game.hpp"

#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>

#include "app/game.hpp"
#include "app/screen.hpp"
#include "app/screens.hpp"
#include "app/startup.hpp"
#include "app/window_proc.hpp"
#include "editor/character_palette.hpp"
#include "editor/task_editor.hpp"
#include "model/task_file.hpp"
#include "platform/files.hpp"
#include "platform/system.hpp"
#include "platform/types.hpp"
#include "puzzle/play.hpp"
#include "puzzle/task_files.hpp"
#include "scene/scene.hpp"
#include "ui/cp1251.hpp"

namespace bench {

namespace fs = std::filesystem;
using ui::operator""_cp;

namespace {

const char* const kPictures[] = {"farmer", "wolf",  "goat", "cabbage", "knight", "princess",
                                 "monk",   "troll", "king", "queen",   "man",    "woman"};
const uint32_t kColours[] = {0xFFFFFFFF, 0xFFF00000, 0xFFF0F000, 0xFF00F000, 0xFF0000F0};

void writeFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void check(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(std::string("benchmark set-up failed: ") + what);
}

}  // namespace

model::TaskData busyPlayTask(int count, int moves) {
    model::TaskData task;
    task.title = "Переправа двенадцати путников"_cp;
    task.statement =
        "Двенадцать путников должны переправиться на правый берег. В лодке помещаются "
        "четверо, и хотя бы один из них должен грести. Волк не может остаться с козой, "
        "коза с капустой, а монахов на берегу не должно быть меньше, чем троллей. "
        "Пассажиры лодки считаются на том берегу, к которому она плывёт.\r\n"
        "Сколько рейсов понадобится?"_cp;
    task.boat = 4;
    for (int i = 0; i < count; ++i) {
        model::CharacterData c;
        c.name = std::string("textures/unit_") + kPictures[i % 12] + ".tga";
        c.colour = kColours[(i / 12) % 5];
        c.leftX = 5 + 70 * (i % 4);
        c.leftY = 40 + 65 * (i / 4 % 6);
        c.rightX = 770 + 60 * (i % 4);
        c.rightY = 40 + 65 * (i / 4 % 6);
        task.characters.push_back(c);
    }
    task.rules = {{1, 2, 0, model::ForbidTogether},
                  {2, 3, 0, model::ForbidTogether},
                  {6, 7, -1, model::NotLessThan}};
    // Four passengers there and the same four back, so every row of the list is full.
    for (int m = 0; m < moves; ++m) {
        const uint32_t four = 0xFu << (4 * ((m / 2) % 3));
        task.moves.push_back({four, m % 2 == 0 ? 1 : -1});
    }
    return task;
}

HeadlessGame::HeadlessGame() {
    root_ = fs::temp_directory_path() / ("ferrolin-bench-" + std::to_string(std::random_device{}()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "program" / "tasks");
    fs::create_directories(root_ / "data");
    // Windows (MinGW) makes no symbolic links: a copy of the pictures does as well.
    const fs::path textures = std::string(FERROLIN_GAME_DIR) + "/textures";
    std::error_code ec;
    fs::create_directory_symlink(textures, root_ / "program" / "textures", ec);
    if (ec) fs::copy(textures, root_ / "program" / "textures", fs::copy_options::recursive);
    previous_ = fs::current_path();
    fs::current_path(root_ / "program");
    platform::setDataFolderOverride((root_ / "data").string());
}

HeadlessGame::~HeadlessGame() {
    stop();
    fs::current_path(previous_);
    platform::setDataFolderOverride(std::nullopt);
    std::error_code ec;
    fs::remove_all(root_, ec);
}

void HeadlessGame::start() {
    platform::resetQuit();
    app::initHeadless();
    app::resetSolutionPath();
    check(app::buildScreens(), "buildScreens");
    app::finishAnimations();
    started_ = true;
}

void HeadlessGame::stop() {
    if (!started_) return;
    app::shutdown();
    started_ = false;
}

void HeadlessGame::wait(unsigned ms) {
    for (unsigned t = 0; t < ms; t += 10) {
        platform::advanceVirtualClock(10);
        app::windowProc(platform::Tick{});
    }
}

void HeadlessGame::click(int x, int y) {
    app::windowProc(platform::MouseMove{{x, y}});
    app::windowProc(platform::MouseDown{{x, y}});
    app::windowProc(platform::MouseUp{{x, y}});
    app::finishAnimations();
}

void HeadlessGame::drag(int x1, int y1, int x2, int y2) {
    app::windowProc(platform::MouseMove{{x1, y1}});
    app::windowProc(platform::MouseDown{{x1, y1}});
    for (int i = 1; i <= 10; ++i) {
        app::windowProc(platform::MouseMove{{x1 + (x2 - x1) * i / 10, y1 + (y2 - y1) * i / 10}, true});
    }
    app::windowProc(platform::MouseUp{{x2, y2}});
    app::finishAnimations();
}

void HeadlessGame::key(platform::Key key) {
    app::windowProc(platform::KeyDown{key});
    app::finishAnimations();
}

void HeadlessGame::addTaskFile(const model::TaskData& task) {
    writeFile(programFolder() / "tasks" / model::taskFileName(task.title, 0),
              model::encodeTask(task, false));
}

void HeadlessGame::closeMenu() {
    if (app::game().menu.picture->visible) key(platform::Key::Escape);
}

void HeadlessGame::openBusyPlay() {
    const fs::path file = programFolder() / "tasks" / "busy.dat";
    writeFile(file, model::encodeTask(busyPlayTask(12, model::kMaxMoves), true));
    closeMenu();
    check(app::openTask(file.string()), "reading the busy play task");
    app::finishAnimations();
    check(app::playSession() != nullptr && app::playSession()->task.characterCount == 12,
          "twelve characters in play");
    wait(100);
}

void HeadlessGame::openBusyEditor() {
    click(500, 130);  // the menu's second command: the task editor
    check(app::screenKind() == app::ScreenKind::Editor, "opening the editor");
    wait(3000);  // the statement step's flight
    editor::goToStep(*app::editorSession(), 1);
    editor::goToStep(*app::editorSession(), 2);
    wait(3000);  // the palette's flight
    for (int i = 0; i < 12; ++i) {
        // Rows of the palette reach the panel's bottom: take from the first four entries.
        const editor::PalettePicture* picture =
            app::editorSession()->items.characterList->entryPictures[static_cast<size_t>(i % 4)];
        drag(picture->x + picture->width / 2, picture->y + picture->height / 2, 40 + 75 * (i % 4),
             80 + 80 * (i / 4));
        wait(10);
    }
    check(app::editorSession()->task.characterCount == 12, "twelve characters on the left bank");
    check(app::editorSession()->items.characterList->rowCount() >= 20, "a long palette");
    wait(3000);
}

void HeadlessGame::openBusyCatalogue() {
    for (int i = 1; i <= 100; ++i) {
        model::TaskData task = busyPlayTask(4, 0);
        char title[64];
        std::snprintf(title, sizeof title, "%s %d", "Задача номер"_cp, i);
        task.title = title;
        addTaskFile(task);
    }
    click(500, 73);  // the menu's first command: the catalogue
    check(app::screenKind() == app::ScreenKind::Catalogue, "opening the catalogue");
    wait(1000);
    // One row selected and the pointer over another, as while choosing.
    const int x = app::game().scene->woodPanel->x + 150;
    const int y = app::game().scene->woodPanel->y + 80;
    click(x, y);
    app::windowProc(platform::MouseMove{{x, y + 66}});
    wait(100);
}

}  // namespace bench
