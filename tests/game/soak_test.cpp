// A long random session through the window procedure, as a pupil or a teacher might
// click: mouse moves, presses, drags, releases, the wheel, Escape and the keys of play,
// typing and timer ticks over every screen (menu, catalogue, play of several tasks, every
// editor step, the file dialogs answered or cancelled), with the game's invariants checked
// after every event.
//
// Each seed runs FERROLIN_SOAK_EVENTS events (default 25000; four seeds by default).
// A failure names its seed and event; replay it alone with
//   FERROLIN_SOAK_SEED=S FERROLIN_SOAK_EVENTS=N ./game_tests --gtest_filter='Seeds/Soak.*'
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/game.hpp"
#include "app/screen.hpp"
#include "app/screens.hpp"
#include "app/window_proc.hpp"
#include "editor/task_editor.hpp"
#include "model/task_file.hpp"
#include "platform/edit_box.hpp"
#include "platform/system.hpp"
#include "puzzle/play.hpp"
#include "support/game_fixture.hpp"
#include "support/game_invariants.hpp"
#include "support/open_screens.hpp"
#include "support/sample_tasks.hpp"
#include "support/thin_frames.hpp"
#include "ui/shell.hpp"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FERROLIN_SOAK_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define FERROLIN_SOAK_SANITIZED 1
#endif
#ifdef FERROLIN_SOAK_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

namespace fs = std::filesystem;

constexpr long kDefaultEvents = 25000;
constexpr uint32_t kSeeds[] = {1, 2, 3, 4};
// One frame in this many is drawn into pixels; the others still walk every item.
constexpr int kPixelFrameEvery = 25;

long environmentNumber(const char* name, long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0' ? std::strtol(value, nullptr, 10) : fallback;
}

// Where a crash reported by the sanitizers happened, printed by their death callback.
uint32_t runningSeed = 0;
long runningEvent = -1;

#ifdef FERROLIN_SOAK_SANITIZED
void sayWhereItDied() {
    std::fprintf(stderr,
                 "\nsoak: died at seed %u, event %ld; replay with FERROLIN_SOAK_SEED=%u "
                 "FERROLIN_SOAK_EVENTS=%ld\n",
                 runningSeed, runningEvent, runningSeed, runningEvent + 1);
}
#endif

model::TaskData oneCharacterTask() {
    model::TaskData task;
    task.title = "one";
    task.boat = 1;
    task.characters = {test::character("farmer", 40, 200, 880, 200)};
    return task;
}

// More characters than a solution file can record, boatman, a mixed crowd with tinted kinds.
model::TaskData crowdTask() {
    model::TaskData task;
    task.title = "crowd";
    task.boat = 5 | model::kBoatmanFlag;
    const char* kinds[] = {"wolf", "goat", "dog", "cat"};
    for (int i = 0; i < 40; ++i) {
        task.characters.push_back(test::character(kinds[i % 4], 10 + (i % 5) * 55, 40 + (i / 5) * 60,
                                                  790 + (i % 4) * 55, 30 + (i / 4) * 45, 1 + i % 3,
                                                  i % 2 ? 0xFFFFFFFF : 0xFF80C0FF));
    }
    task.rules = {
        {0, 1, -1, model::MoreThan}, {1, 2, -1, model::NotLessThan}, {2, 3, 4, model::ForbidTogether}};
    return task;
}

// Oddities a hand-made file may hold: no picture, weights of 0 and below, no capacity,
// places off the screen, rules naming characters that do not exist.
model::TaskData oddTask() {
    model::TaskData task;
    task.title = "odd";
    task.boat = 0;
    task.characters = {test::character("goat", -50, 700, 1100, -30, 0),
                       test::character("wolf", 30, 60, 30, 60, -5)};
    task.characters.push_back(test::character("missing", 120, 120, 900, 120));
    model::CharacterData nameless = test::character("x", 200, 200, 850, 300);
    nameless.name.clear();
    task.characters.push_back(nameless);
    task.rules = {{7, 9, -1, model::MoreThan}, {0, 0, 0, 5}};
    return task;
}

// As many moves as a solution file holds: one crossing more cannot be saved.
model::TaskData fullListTask() {
    model::TaskData task = test::wolfGoatCabbage();
    task.title = "full";
    for (int i = 0; i < model::kMaxMoves; ++i) task.moves.push_back({1, i % 2 == 0 ? 1 : -1});
    return task;
}

class Soak : public test::GameTest, public ::testing::WithParamInterface<uint32_t> {
protected:
    void SetUp() override {
        GameTest::SetUp();
        if (HasFatalFailure()) return;
        // Again on a surface that draws only some frames into pixels.
        app::shutdown();
        platform::setGraphics(
            std::make_unique<test::ThinFrames>(platform::Graphics::createHeadless(), kPixelFrameEvery));
        ASSERT_TRUE(app::buildScreens());
        app::finishAnimations();
        ASSERT_EQ(invariants_.check(false), "");
        invariants_.rememberPermanentItems();
        prepareFiles();
    }

    void prepareFiles() {
        files_ = programFolder().parent_path() / "files";
        fs::create_directories(files_ / "folder.sln");
        const fs::path pack = fs::path(FERROLIN_GAME_DIR) / "tasks";
        if (fs::is_directory(pack)) {
            for (const auto& entry : fs::directory_iterator(pack))
                keep(entry.path(), programFolder() / "tasks");
        }
        const std::pair<const char*, model::TaskData> samples[] = {{"wolf.dat", test::wolfGoatCabbage()},
                                                                   {"one.dat", oneCharacterTask()},
                                                                   {"crowd.dat", crowdTask()},
                                                                   {"odd.dat", oddTask()},
                                                                   {"full.dat", fullListTask()}};
        for (const auto& [name, task] : samples) {
            test::writeTaskFile((files_ / name).string(), task, true);
            keep(files_ / name, programFolder() / "tasks");
        }
        std::vector<uint8_t> cut = model::encodeTask(test::wolfGoatCabbage(), true);
        cut.resize(40);
        std::ofstream(files_ / "cut.sln", std::ios::binary)
            .write(reinterpret_cast<const char*>(cut.data()), static_cast<std::streamsize>(cut.size()));
        std::ofstream(files_ / "garbage.sln") << "PA*GPFF*0.99* is not how a file starts";
        restoreTasks();
    }

    // Files the catalogue may delete come back now and then, so that play stays reachable.
    void keep(const fs::path& file, const fs::path& folder) {
        kept_.push_back({file, folder / file.filename()});
    }
    void restoreTasks() {
        for (const auto& [from, to] : kept_) {
            if (!fs::exists(to)) fs::copy_file(from, to);
        }
    }

    // ---- the random user -------------------------------------------------------------

    int uniform(int from, int to) { return std::uniform_int_distribution<int>(from, to)(rng_); }

    // A point on something the mouse can reach now, on an edit box, or anywhere (a few
    // just outside the screen, as a window's letterbox bars give them).
    void pickPoint(int* x, int* y) {
        const int r = uniform(0, 99);
        if (r < 55) {
            std::vector<const ui::VisualItem*> reachable;
            for (const ui::VisualItem* i = ui::shell().items.top;
                 i != nullptr && i != ui::shell().items.modalFloor; i = i->prev) {
                if (i->visible && i->width > 0 && i->height > 0 && i != test::scenery().background)
                    reachable.push_back(i);
            }
            if (!reachable.empty()) {
                const ui::VisualItem* item =
                    reachable[static_cast<size_t>(uniform(0, static_cast<int>(reachable.size()) - 1))];
                *x = item->x + uniform(0, item->width - 1);
                *y = item->y + uniform(0, item->height - 1);
                return;
            }
        }
        if (r < 62) {
            for (const platform::EditBox* box :
                 {test::editorItems().titleEdit, test::editorItems().statementEdit}) {
                if (box != nullptr && uniform(0, 1) == 0) {
                    const platform::Rect rect = box->rect();
                    *x = uniform(rect.left, rect.right - 1);
                    *y = uniform(rect.top, rect.bottom - 1);
                    return;
                }
            }
        }
        const int margin = uniform(0, 99) < 3 ? 30 : 0;
        *x = uniform(-margin, platform::kScreenWidth - 1 + margin);
        *y = uniform(-margin, platform::kScreenHeight - 1 + margin);
    }

    void note(std::string what) {
        recent_.push_back(std::to_string(event_) + " " + what);
        if (recent_.size() > 24) recent_.pop_front();
    }

    // Every event ends here: count it and check what must hold.
    void done() {
        // The message loop hands over the next input once an animation has played.
        app::finishAnimations();
        ++stats_.events;
        ++stats_.inMode[static_cast<size_t>(app::screenKind())];
        if (app::screenKind() == app::ScreenKind::Editor && test::editorStep() >= 0 &&
            test::editorStep() <= 5) {
            stats_.editorSteps.insert(test::editorStep());
        }
        if (app::screenKind() == app::ScreenKind::Play && test::play().winner != nullptr &&
            test::play().winner->visible) {
            ++stats_.winnerFrames;
        }
        if (platform::quitPosted()) {
            ++stats_.exits;
            platform::resetQuit();
        }
        if (std::string problem = invariants_.check(held_); !problem.empty()) fail(problem);
        ++event_;
        runningEvent = event_;
    }

    void fail(const std::string& problem) {
        std::string history;
        for (const std::string& line : recent_) history += "  " + line + "\n";
        ADD_FAILURE() << "soak seed " << seed_ << ", event " << event_ << ": " << problem
                      << "\nreplay: FERROLIN_SOAK_SEED=" << seed_
                      << " FERROLIN_SOAK_EVENTS=" << event_ + 1 << "\nlast events:\n"
                      << history;
        failed_ = true;
    }

    void tick() {
        wait(10);
        done();
    }

    void moveTo(int x, int y) {
        x_ = x;
        y_ = y;
        note("move " + std::to_string(x) + " " + std::to_string(y) + (held_ ? " held" : ""));
        routedMove(x, y, held_);
        done();
    }

    // The desktop never sends a second press of the button before its release.
    void press() {
        note("down " + std::to_string(x_) + " " + std::to_string(y_));
        held_ = true;
        pressInBox_ = platform::editBoxAt(x_, y_) != nullptr;
        routedDown(x_, y_);
        done();
    }

    void release() {
        answerDialogIfAsked();
        note("up " + std::to_string(x_) + " " + std::to_string(y_));
        held_ = false;
        routedUp(x_, y_);
        app::finishAnimations();
        if (!pressInBox_) {
            const int cx = std::clamp(x_, 0, platform::kScreenWidth - 1);
            const int cy = std::clamp(y_, 0, platform::kScreenHeight - 1);
            if (std::string problem = test::Invariants::armedAfterRelease(cx, cy); !problem.empty())
                fail(problem);
        }
        done();
    }

    // A release on the save or load command opens a file dialog: give it an answer
    // (an existing file, a new one, one in a missing folder, a bad file, or cancel).
    void answerDialogIfAsked() {
        const ui::VisualItem* hot = ui::shell().items.hot;
        if (hot == nullptr || !ui::containsPoint(hot, x_, y_)) return;
        const std::string files = files_.string();
        std::vector<std::optional<std::string>> answers;
        if (hot == app::game().menu.buttons[2]) {
            answers = {files + "/a.sln", files + "/b", files + "/missing/c.sln", std::nullopt};
        } else if (hot == app::game().menu.buttons[3]) {
            answers = {files + "/a.sln",     files + "/b.sln",      files + "/garbage.sln",
                       files + "/cut.sln",   files + "/folder.sln", files + "/none.sln",
                       files + "/crowd.dat", files + "/full.dat",   files + "/one.dat",
                       std::nullopt};
        } else {
            return;
        }
        const auto& answer =
            answers[static_cast<size_t>(uniform(0, static_cast<int>(answers.size()) - 1))];
        note("dialog answer " + answer.value_or("cancel"));
        platform::queueFileDialogAnswer(answer);
        ++stats_.dialogs;
    }

    void typeSomething() {
        static const char* const texts[] = {"Лодка",
                                            "abc",
                                            "Волк, коза и капуста",
                                            "🙂",
                                            " ",
                                            "\t",
                                            "ёЁ№",
                                            "Очень длинное название задачи, которое не влезет"};
        const char* text = texts[uniform(0, static_cast<int>(std::size(texts)) - 1)];
        note(std::string("type ") + text);
        platform::deliverText(text);
        done();
    }

    void editingKey() {
        static const platform::Key keys[] = {
            platform::Key::Backspace, platform::Key::Delete, platform::Key::Left, platform::Key::Right,
            platform::Key::Up,        platform::Key::Down,   platform::Key::Home, platform::Key::End,
            platform::Key::Enter,     platform::Key::Tab,    platform::Key::A,    platform::Key::C,
            platform::Key::V,         platform::Key::X};
        const platform::Key key = keys[uniform(0, static_cast<int>(std::size(keys)) - 1)];
        const bool ctrl = uniform(0, 2) == 0;
        const bool shift = uniform(0, 3) == 0;
        note("key " + std::to_string(static_cast<int>(key)) + (ctrl ? " ctrl" : "") +
             (shift ? " shift" : ""));
        routedKey(key, ctrl, shift);
        done();
    }

    // The keys of play, the help key among them.
    void gameKey() {
        static const platform::Key keys[] = {platform::Key::Enter, platform::Key::Space,
                                             platform::Key::Z, platform::Key::F1};
        const platform::Key key = keys[uniform(0, static_cast<int>(std::size(keys)) - 1)];
        const bool ctrl = key == platform::Key::Z || uniform(0, 5) == 0;
        note("game key " + std::to_string(static_cast<int>(key)) + (ctrl ? " ctrl" : ""));
        routedKey(key, ctrl);
        done();
    }

    void wheel() {
        int x = 0, y = 0;
        pickPoint(&x, &y);
        const int notches = uniform(-6, 6);
        note("wheel " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(notches));
        routedWheel(x, y, notches);
        done();
    }

    void escape() {
        note("escape");
        routedKey(platform::Key::Escape);
        done();
    }

    // One step of the user: one event, or a few for a click or a pause.
    void step() {
        const int r = uniform(0, 999);
        int x = 0, y = 0;
        if (r < 300) {
            tick();
        } else if (r < 580) {
            if (held_ && uniform(0, 1) == 0) {
                x = x_ + uniform(-40, 40);
                y = y_ + uniform(-40, 40);
            } else {
                pickPoint(&x, &y);
            }
            moveTo(x, y);
        } else if (r < 800) {
            held_ ? release() : press();
        } else if (r < 900) {
            pickPoint(&x, &y);
            if (held_) release();
            moveTo(x, y);
            press();
            release();
        } else if (r < 910) {
            for (int n = uniform(20, 150); n > 0; --n) tick();
        } else if (r < 913) {
            escape();
        } else if (r < 917) {
            gameKey();
        } else if (r < 918) {
            // The window closed under whatever was going on; the screen must come down
            // cleanly. The session then goes on, as a second game in the same process.
            note("window closed");
            closeWindow();
            done();
        } else if (r < 940) {
            typeSomething();
        } else if (r < 955) {
            editingKey();
        } else if (r < 965) {
            wheel();
        } else {
            // What a player means to do: a character into the boat, then the arrow.
            if (held_) release();
            if (app::screenKind() == app::ScreenKind::Play && test::task().boat != nullptr &&
                test::task().characterCount > 0) {
                const ui::VisualItem* c =
                    test::task()
                        .characters[static_cast<size_t>(uniform(0, test::task().characterCount - 1))]
                        .item;
                moveTo(c->x + c->width / 2, c->y + c->height / 2);
                press();
                moveTo(test::task().boat->x + test::task().boat->width / 2, test::task().boat->y + 20);
                release();
                const ui::VisualItem* arrow =
                    test::play().rightArrow->visible ? test::play().rightArrow : test::play().leftArrow;
                if (uniform(0, 2) == 0) {
                    moveTo(arrow->x + arrow->width / 2, arrow->y + arrow->height / 2);
                    press();
                    release();
                }
            } else {
                pickPoint(&x, &y);
                moveTo(x, y);
                press();
                release();
            }
        }
    }

    void run(uint32_t seed, long events) {
        seed_ = seed;
        rng_.seed(seed);
        runningSeed = seed;
        runningEvent = 0;
#ifdef FERROLIN_SOAK_SANITIZED
        __sanitizer_set_death_callback(sayWhereItDied);
#endif
        while (event_ < events && !failed_) {
            step();
            if (event_ % 2500 < 5) restoreTasks();
        }
#ifdef FERROLIN_SOAK_SANITIZED
        __sanitizer_set_death_callback(nullptr);
#endif
        std::printf(
            "soak seed %u: %ld events, %ld frames; events in menu/play/editor/catalogue %ld/%ld/%ld/%ld; "
            "editor steps seen %zu; winner shown %ld events; %ld dialogs; %ld exits\n",
            seed, stats_.events, static_cast<test::ThinFrames&>(platform::graphics()).frames(),
            stats_.inMode[0], stats_.inMode[1], stats_.inMode[2], stats_.inMode[3],
            stats_.editorSteps.size(), stats_.winnerFrames, stats_.dialogs, stats_.exits);
    }

    struct Stats {
        long events = 0;
        std::array<long, 4> inMode{};
        std::set<int> editorSteps;
        long winnerFrames = 0;
        long dialogs = 0;
        long exits = 0;
    };

    test::Invariants invariants_;
    std::mt19937 rng_;
    uint32_t seed_ = 0;
    long event_ = 0;
    bool failed_ = false;
    int x_ = 512, y_ = 384;
    bool held_ = false;
    bool pressInBox_ = false;
    fs::path files_;
    std::vector<std::pair<fs::path, fs::path>> kept_;
    std::deque<std::string> recent_;
    Stats stats_;
};

TEST_P(Soak, RandomInputKeepsTheGameWhole) {
    const long chosen = environmentNumber("FERROLIN_SOAK_SEED", -1);
    if (chosen >= 0 && GetParam() != kSeeds[0]) GTEST_SKIP() << "replaying seed " << chosen << " only";
    const uint32_t seed = chosen >= 0 ? static_cast<uint32_t>(chosen) : GetParam();
    run(seed, environmentNumber("FERROLIN_SOAK_EVENTS", kDefaultEvents));
    // The run reached every screen, or it proves little.
    if (!failed_ && stats_.events >= kDefaultEvents) {
        EXPECT_GT(stats_.inMode[static_cast<size_t>(app::ScreenKind::Play)], 0) << "seed " << seed;
        EXPECT_GT(stats_.inMode[static_cast<size_t>(app::ScreenKind::Editor)], 0) << "seed " << seed;
        EXPECT_GT(stats_.inMode[static_cast<size_t>(app::ScreenKind::Catalogue)], 0) << "seed " << seed;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, Soak, ::testing::ValuesIn(kSeeds));

}  // namespace
