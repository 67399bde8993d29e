#include "app/script_checks.hpp"

#include <algorithm>
#include <sstream>
#include <vector>

#include "app/screens.hpp"
#include "app/task_list_box.hpp"
#include "base/cp1251.hpp"
#include "model/task_key.hpp"
#include "platform/class_folder.hpp"
#include "platform/edit_box.hpp"
#include "platform/files.hpp"
#include "puzzle/move_list_box.hpp"
#include "puzzle/play.hpp"
#include "puzzle/progress.hpp"
#include "puzzle/task.hpp"
#include "puzzle/task_files.hpp"
#include "scene/scene.hpp"
#include "ui/frame.hpp"
#include "ui/resources.hpp"
#include "ui/shell.hpp"

namespace app {

namespace {

using base::cp1251::toUtf8;

// Every text of a freshly drawn frame, and what the focused text box holds, in UTF-8.
std::vector<std::string> textsOnScreen() {
    std::vector<std::string> texts;
    ui::shell().textObserver = [&texts](const ui::FontPtr&, const char* text, const platform::Rect& rect,
                                        platform::TextFormat format, uint32_t colour) {
        // A fully faded message, an outline and a text left of or below the screen say nothing.
        if ((colour >> 24) == 0 || has(format, ui::kTextBacking) || rect.left >= 1024 || rect.top >= 768)
            return true;
        texts.push_back(toUtf8(text));
        return true;
    };
    ui::renderFrame();
    ui::shell().textObserver = nullptr;
    if (const platform::EditBox* box = platform::focusedEditBox()) texts.push_back(toUtf8(box->text()));
    return texts;
}

std::string oneLine(std::string text) {
    for (size_t at = 0; (at = text.find_first_of("\r\n", at)) != std::string::npos;) {
        const size_t end = text.find_first_not_of("\r\n", at);
        text.replace(at, (end == std::string::npos ? text.size() : end) - at, " / ");
        at += 3;
    }
    return text;
}

// Each text once: a text with a shadow is drawn twice.
std::string listed(const std::vector<std::string>& texts) {
    std::string all;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].empty() ||
            std::find(texts.begin(), texts.begin() + i, texts[i]) != texts.begin() + i)
            continue;
        if (!all.empty()) all += ", ";
        all += "«" + oneLine(texts[i]) + "»";
    }
    return all.empty() ? "no text at all" : all;
}

class BadCheck {
public:
    explicit BadCheck(std::string why) : reason(std::move(why)) {}
    std::string reason;
};

// «text», which may hold spaces.
std::string quoted(std::istringstream& in) {
    std::string rest;
    std::getline(in, rest, '\0');
    const size_t open = rest.find("«");
    const size_t close = rest.rfind("»");
    if (open == std::string::npos || close == std::string::npos || close < open ||
        rest.find_first_not_of(" \t") != open)
        throw BadCheck("a text in «» is expected");
    const std::string text = rest.substr(open + 2, close - open - 2);
    in.clear();
    in.str(rest.substr(close + 2));
    return text;
}

int number(std::istringstream& in) {
    int value = 0;
    if (!(in >> value)) throw BadCheck("a number is expected");
    return value;
}

void noMore(std::istringstream& in) {
    std::string extra;
    if (in >> extra) throw BadCheck("unexpected '" + extra + "'");
}

// The pupil's best count for the task file the catalogue titles so; nothing when none is
// solved. Throws when no such file is in the catalogue's folders.
std::optional<int> bestCountOfTitle(const std::string& title) {
    const std::string wanted = base::cp1251::fromUtf8(title);
    std::vector<std::string> folders = {"tasks"};
    for (const std::string& folder : {platform::classFolder(), platform::dataFolder()}) {
        if (!folder.empty()) folders.push_back(folder);
    }
    bool found = false;
    const model::Progress progress = puzzle::loadProgress();
    for (const std::string& folder : folders) {
        for (const std::string& file : platform::listFolder(folder, "", ".dat")) {
            if (rowTitle(file.substr(0, file.size() - 4)) != wanted) continue;
            const auto data = puzzle::loadTaskFile(folder + "/" + file);
            if (!data) continue;
            found = true;
            const auto solved = progress.find(model::taskKey(*data));
            if (solved != progress.end()) return solved->second;
        }
    }
    if (!found) throw BadCheck("no task file is titled «" + title + "»");
    return std::nullopt;
}

std::optional<std::string> check(std::istringstream& in) {
    std::string what;
    in >> what;
    if (what == "text" || what == "no") {
        const bool wanted = what == "text";
        if (!wanted && (!(in >> what) || what != "text"))
            throw BadCheck("'expect no text «…»' is the only negative check");
        const std::string text = quoted(in);
        noMore(in);
        const std::vector<std::string> texts = textsOnScreen();
        bool shown = false;
        for (const std::string& on : texts) shown = shown || on.find(text) != std::string::npos;
        if (shown == wanted) return std::nullopt;
        return (wanted ? "no text «" + text + "» on screen; it shows "
                       : "«" + text + "» is on screen: ") +
               listed(texts);
    }
    if (what == "title") {
        const std::string title = quoted(in);
        noMore(in);
        const puzzle::Task* open = taskOnScreen();
        const std::string shown = toUtf8(open != nullptr ? open->title : "");
        if (shown == title) return std::nullopt;
        return "the task open is «" + shown + "»";
    }
    if (what == "moves") {
        const int moves = number(in);
        noMore(in);
        const puzzle::PlaySession* open = playSession();
        if (open == nullptr || open->play.moveList == nullptr)
            return std::string("no task is being played");
        const int made = open->play.moveList->moveCount;
        if (made == moves) return std::nullopt;
        return "the move list holds " + std::to_string(made) + " crossings";
    }
    if (what == "solved" || what == "unsolved") {
        const std::string title = quoted(in);
        std::optional<int> wanted;
        if (what == "solved") wanted = number(in);
        noMore(in);
        const std::optional<int> best = bestCountOfTitle(title);
        if (best == wanted) return std::nullopt;
        if (!best) return "«" + title + "» is not solved";
        return "«" + title + "» is solved in " + std::to_string(*best) + " crossings";
    }
    if (what == "menu") {
        std::string state;
        in >> state;
        if (state != "open" && state != "closed")
            throw BadCheck("'expect menu open' or 'expect menu closed'");
        noMore(in);
        // The menu rests either fully down or fully up; anything between is a roll under way.
        const int position = menuPosition();
        const std::string shown = position == 0 ? "open" : position >= 384 ? "closed" : "rolling";
        if (shown == state) return std::nullopt;
        return "the menu is " + shown;
    }
    throw BadCheck(what.empty() ? "expect what?" : "unknown check '" + what + "'");
}

}  // namespace

std::optional<std::string> checkExpectation(const std::string& words) {
    std::istringstream in(words);
    try {
        return check(in);
    } catch (const BadCheck& bad) {
        return bad.reason;
    }
}

}  // namespace app
