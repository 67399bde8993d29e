#include "app/script_runner.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <vector>

#include "app/screens.hpp"
#include "app/script_checks.hpp"
#include "app/startup.hpp"
#include "app/task_catalogue.hpp"
#include "app/task_list_box.hpp"
#include "app/text_contrast.hpp"
#include "app/window_proc.hpp"
#include "base/utf8_path.hpp"
#include "platform/class_folder.hpp"
#include "platform/edit_box.hpp"
#include "platform/files.hpp"
#include "platform/graphics.hpp"
#include "platform/system.hpp"
#include "platform/types.hpp"
#include "scene/scene.hpp"
#include "ui/frame.hpp"
#include "ui/shell.hpp"

namespace app {

namespace fs = std::filesystem;
using namespace platform;

namespace {

// The frames still to be filmed by the "film" command.
struct Film {
    std::string prefix;
    int remaining = 0;
    int every = 1;
    int seen = 0;
    int written = 0;

    void frame() {
        if (remaining <= 0) return;
        if (seen++ % every != 0) return;
        char number[16];
        std::snprintf(number, sizeof number, "-%03d.png", written++);
        graphics().savePng(prefix + number);
        --remaining;
    }
};

const std::map<std::string, Key> kKeys = {
    {"escape", Key::Escape}, {"enter", Key::Enter},   {"backspace", Key::Backspace},
    {"tab", Key::Tab},       {"left", Key::Left},     {"right", Key::Right},
    {"up", Key::Up},         {"down", Key::Down},     {"home", Key::Home},
    {"end", Key::End},       {"delete", Key::Delete},
};

// "a".."z" and "f1".."f12"; none for other names.
std::optional<Key> letterOrFunctionKey(const std::string& name) {
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') return letterKey(name[0]);
    if (name.size() < 2 || name.size() > 3 || name[0] != 'f') return std::nullopt;
    int number = 0;
    for (size_t i = 1; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return std::nullopt;
        number = number * 10 + (name[i] - '0');
    }
    return number >= 1 && number <= 12 ? std::optional<Key>(functionKey(number)) : std::nullopt;
}

// Input reaches the game as from the message loop, which hands over the next input only
// once the animation it started has played.
void settled(const Event& event) {
    windowProc(event);
    finishAnimations();
}

class ScriptError {
public:
    explicit ScriptError(std::string why) : reason(std::move(why)) {}
    std::string reason;
};

class Runner {
public:
    // A script sees a class folder only when it names one, whatever this computer's
    // configuration says.
    Runner(std::string base) : base_(std::move(base)) { setClassFolderOverride(std::string()); }
    ~Runner() {
        if (started_) {
            ui::shell().frameObserver = nullptr;
            shutdown();
        }
        setDataFolderOverride(std::nullopt);
        setClassFolderOverride(std::nullopt);
        if (!tempData_.empty()) {
            std::error_code ec;
            fs::remove_all(base::toPath(tempData_), ec);
        }
        if (!previous_.empty()) {
            std::error_code ec;
            fs::current_path(base::toPath(previous_), ec);
        }
    }

    void execute(const std::string& line) {
        std::istringstream in(line);
        std::string command;
        in >> command;
        if (command.empty() || command[0] == '#') return;
        if (command == "folder") {
            folder_ = absolute(rest(in));
        } else if (command == "data") {
            data_ = absolute(rest(in));
        } else if (command == "class") {
            setClassFolderOverride(absolute(rest(in)));
        } else if (command == "choose") {
            const std::string answer = rest(in);
            queueFileDialogAnswer(answer == "cancel" ? std::nullopt
                                                     : std::optional<std::string>(absolute(answer)));
        } else if (command == "restart") {
            // As if the window were closed and the game started again: what the game keeps
            // on disk is all that survives.
            if (started_) {
                if (!quitPosted()) windowProc(Destroy{});
                shutdown();
                started_ = false;
                fs::current_path(base::toPath(previous_));
            }
            start();
        } else if (quitPosted()) {
            throw ScriptError("the game has already ended");
        } else {
            start();
            game(command, in);
            finishAnimations();
        }
    }

private:
    void game(const std::string& command, std::istringstream& in) {
        if (command == "move") {
            const auto [x, y] = point(in);
            move(x, y);
        } else if (command == "down") {
            const auto [x, y] = point(in);
            press(x, y);
        } else if (command == "up") {
            const auto [x, y] = point(in);
            release(x, y);
        } else if (command == "click") {
            const auto [x, y] = point(in);
            move(x, y);
            press(x, y);
            release(x, y);
        } else if (command == "drag") {
            const auto [x1, y1] = point(in);
            const auto [x2, y2] = point(in);
            move(x1, y1);
            press(x1, y1);
            const int dx = x2 - x1, dy = y2 - y1;
            const int distance = std::max(std::abs(dx), std::abs(dy));
            const int steps = std::max(1, distance / 10);
            for (int i = 1; i <= steps; ++i) move(x1 + dx * i / steps, y1 + dy * i / steps);
            release(x2, y2);
        } else if (command == "wheel") {
            // wheel X Y N: N notches towards the user (down a list), negative up.
            const auto [x, y] = point(in);
            deliverInput(settled, Wheel{{x, y}, number(in)});
        } else if (command == "tap") {
            const auto [x, y] = point(in);
            deliverTouch(settled, TouchPhase::Down, 0, x, y);
            deliverTouch(settled, TouchPhase::Up, 0, x, y);
        } else if (command == "touch") {
            // touch down|move|up X Y: one finger on the screen.
            std::string phase;
            in >> phase;
            const auto [x, y] = point(in);
            if (phase == "down") {
                deliverTouch(settled, TouchPhase::Down, 0, x, y);
            } else if (phase == "move") {
                deliverTouch(settled, TouchPhase::Move, 0, x, y);
            } else if (phase == "up") {
                deliverTouch(settled, TouchPhase::Up, 0, x, y);
            } else {
                throw ScriptError("touch takes down, move or up, not '" + phase + "'");
            }
        } else if (command == "key") {
            const std::string name = rest(in);
            if (const std::optional<Key> key = letterOrFunctionKey(name)) {
                settled(KeyDown{*key});
                return;
            }
            const auto found = kKeys.find(name);
            if (found == kKeys.end()) throw ScriptError("unknown key '" + name + "'");
            EditBox* box = focusedEditBox();
            if (box != nullptr && found->second != Key::Escape) {
                box->keyDown(found->second, false, false);
            } else {
                settled(KeyDown{found->second});
            }
        } else if (command == "type") {
            EditBox* box = focusedEditBox();
            if (box == nullptr) throw ScriptError("no text box has the focus");
            std::string text;
            std::getline(in, text);
            if (!text.empty() && text[0] == ' ') text.erase(0, 1);
            box->typeText(text);
        } else if (command == "wait") {
            const int ms = number(in);
            if (ms < 0) throw ScriptError("negative wait");
            settleCatalogue();
            for (int t = 0; t < ms && !quitPosted(); t += 10) {
                advanceVirtualClock(10);
                const int seen = film_.seen;
                windowProc(Tick{});
                // A tick at rest draws nothing: the film shows the frame still on screen.
                if (film_.seen == seen) film_.frame();
            }
        } else if (command == "film") {
            // film PREFIX COUNT [EVERY]: the next COUNT frames (every EVERY-th one), also
            // those drawn inside animations, as PREFIX-000.png, PREFIX-001.png, ...
            std::string prefix;
            in >> prefix;
            if (prefix.empty()) throw ScriptError("missing argument");
            film_ = Film{absolute(prefix), number(in), 1, 0, 0};
            int every = 1;
            if (in >> every) film_.every = std::max(1, every);
            if (film_.remaining <= 0) throw ScriptError("a positive frame count is expected");
        } else if (command == "expect") {
            settleCatalogue();
            std::string words;
            std::getline(in, words);
            if (!words.empty() && words.back() == '\r') words.pop_back();
            if (auto failure = checkExpectation(words))
                throw ScriptError("expect" + words + ": " + *failure);
        } else if (command == "shot") {
            const std::string file = absolute(rest(in));
            settleCatalogue();
            // The window as it is: a frame is drawn only when one is due.
            if (!drawFrameIfDue()) film_.frame();
            if (!graphics().savePng(file)) throw ScriptError("cannot write " + file);
            // Every picture a tour leaves is also a check that its texts can be read.
            if (const std::optional<PoorText> poor = leastReadableText()) {
                char ratio[16];
                std::snprintf(ratio, sizeof ratio, "%.1f", poor->ratio);
                throw ScriptError("in " + file + " the text «" + poor->text +
                                  "» reaches a contrast of only " + ratio +
                                  ":1 against what lies behind it");
            }
        } else {
            throw ScriptError("unknown command '" + command + "'");
        }
    }

    // The catalogue learns about its rows on a thread of its own; a script's pictures show
    // them all known, whatever the machine's speed.
    static void settleCatalogue() {
        if (TaskListBox* list = currentTaskList()) list->waitForRows();
    }

    void start() {
        if (started_) return;
        started_ = true;
        if (data_.empty()) {
            tempData_ = base::fromPath(fs::temp_directory_path() /
                                       ("ferrolin-script-" + std::to_string(std::random_device{}())));
            data_ = tempData_;
        }
        setDataFolderOverride(data_);
        previous_ = base::fromPath(fs::current_path());
        const std::string folder = folder_.empty() ? programFolder() : folder_;
        if (!setCurrentFolder(folder)) throw ScriptError("cannot enter the program folder " + folder);
        resetQuit();
        resetTouch();
        initHeadless();
        if (!buildScreens()) throw ScriptError("the fonts cannot be made");
        // A film goes on across a restart; without one the watcher lets every frame by.
        ui::shell().frameObserver = [this] { film_.frame(); };
        finishAnimations();
    }

    // Input takes the real loop's way: a release without its press is dropped, a press in
    // a text box goes to the box, as on the desktop.
    void move(int x, int y) { deliverInput(settled, MouseMove{{x, y}, held_}); }

    void press(int x, int y) {
        held_ = true;
        deliverInput(settled, MouseDown{{x, y}});
    }

    void release(int x, int y) {
        held_ = false;
        deliverInput(settled, MouseUp{{x, y}});
    }

    static std::string rest(std::istringstream& in) {
        std::string text;
        std::getline(in, text);
        const size_t first = text.find_first_not_of(" \t");
        if (first == std::string::npos) throw ScriptError("missing argument");
        const size_t last = text.find_last_not_of(" \t\r");
        return text.substr(first, last - first + 1);
    }

    static int number(std::istringstream& in) {
        int value = 0;
        if (!(in >> value)) throw ScriptError("a number is expected");
        return value;
    }

    // A point beyond the screen stops at its edge, as the pointer does.
    static std::pair<int, int> point(std::istringstream& in) {
        const int x = number(in);
        const int y = number(in);
        return {std::clamp(x, 0, kScreenWidth - 1), std::clamp(y, 0, kScreenHeight - 1)};
    }

    std::string absolute(const std::string& path) const {
        const fs::path p = base::toPath(path);
        return p.is_absolute() ? path : base::fromPath(base::toPath(base_) / p);
    }

    std::string base_;
    std::string folder_;
    std::string data_;
    std::string tempData_;
    std::string previous_;
    Film film_;
    bool started_ = false;
    bool held_ = false;
};

}  // namespace

int runScript(std::istream& script, const std::string& baseFolder, std::ostream& err) {
    Runner runner(baseFolder);
    std::string line;
    int number = 0;
    while (std::getline(script, line)) {
        ++number;
        try {
            runner.execute(line);
        } catch (const ScriptError& e) {
            err << "line " << number << ": " << e.reason << "\n";
            return 1;
        }
    }
    return 0;
}

}  // namespace app
