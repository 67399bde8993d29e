// The wizard's last step: the solver's verdict on the task as composed, one more question
// before a task without a solution is saved, and where the saved file went.
#include <map>
#include <string>

#include "base/cp1251.hpp"
#include "editor/task_editor.hpp"
#include "model/task_verdict.hpp"
#include "platform/class_folder.hpp"
#include "platform/files.hpp"
#include "puzzle/task.hpp"
#include "puzzle/task_files.hpp"
#include "puzzle/verdict_text.hpp"
#include "scene/panel_layout.hpp"
#include "scene/scene.hpp"
#include "ui/cp1251.hpp"
#include "ui/shell.hpp"

namespace editor {

using platform::TextFormat;

using namespace ui;
using namespace scene;

namespace {

constexpr int kHintTop = 80;
constexpr int kHintHeight = 100;
constexpr int kVerdictTop = 190;
constexpr int kVerdictHeight = 150;
constexpr int kVerdictInset = 6;
constexpr uint32_t kSolvedColour = 0xFFFFFFFF;
constexpr uint32_t kUnsolvableColour = 0xFFFFB070;
constexpr uint32_t kTooLargeColour = 0xFFFFFFCC;

// What a pupil calls the game's own figures; another picture goes by its file name.
std::string characterWord(const std::string& picture) {
    static const std::map<std::string, const char*> kWords = {
        {"bear", "медведь"_cp},    {"boy", "мальчик"_cp},
        {"cabbage", "капуста"_cp}, {"carrot", "морковка"_cp},
        {"cat", "кот"_cp},         {"chicken", "курица"_cp},
        {"dog", "собака"_cp},      {"farmer", "фермер"_cp},
        {"fox", "лиса"_cp},        {"girl", "девочка"_cp},
        {"goat", "коза"_cp},       {"grain", "зерно"_cp},
        {"guard", "стражник"_cp},  {"hunter", "охотник"_cp},
        {"king", "король"_cp},     {"knight", "рыцарь"_cp},
        {"lion", "лев"_cp},        {"mage", "маг"_cp},
        {"man", "мужчина"_cp},     {"monk", "монах"_cp},
        {"monkey", "обезьяна"_cp}, {"mouse", "мышь"_cp},
        {"oldman", "дед"_cp},      {"oldwoman", "бабка"_cp},
        {"prince", "принц"_cp},    {"princess", "принцесса"_cp},
        {"queen", "королева"_cp},  {"rabbit", "кролик"_cp},
        {"sheep", "овца"_cp},      {"troll", "тролль"_cp},
        {"wolf", "волк"_cp},       {"woman", "женщина"_cp},
    };
    std::string stem = picture.substr(picture.find_last_of('/') + 1);
    if (stem.rfind("unit_", 0) == 0) stem.erase(0, 5);
    if (const size_t dot = stem.rfind('.'); dot != std::string::npos) stem.erase(dot);
    const auto found = kWords.find(stem);
    return found != kWords.end() ? std::string(found->second) : base::cp1251::fromUtf8(stem);
}

// Who was never put on the right bank: a task saved so would have them win at (0, 0).
std::string withoutGoal(const puzzle::Task& task) {
    std::string names;
    for (int i = 0; i < task.characterCount; ++i) {
        const puzzle::CharacterRecord& c = task.characters[static_cast<size_t>(i)];
        if (c.rightX != 0 || c.rightY != 0) continue;
        if (!names.empty()) names += ", ";
        names += characterWord(c.name);
    }
    return names;
}

int textWidth(const std::string& text) {
    Rect rect{0, 0, 0, 0};
    drawText(shell().fonts.small, text.c_str(), &rect, TextFormat::CalcRect, 0);
    return rect.right;
}

// A folder path in lines that fit the panel, broken after its slashes (or inside a name
// too long for a line).
std::string brokenPath(const std::string& path, int width) {
    std::string out, line;
    size_t start = 0;
    while (start < path.size()) {
        size_t end = path.find('/', start);
        end = end == std::string::npos ? path.size() : end + 1;
        std::string part = path.substr(start, end - start);
        start = end;
        if (!line.empty() && textWidth(line + part) > width) {
            out += line + "\n";
            line.clear();
        }
        while (textWidth(part) > width && part.size() > 1) {
            size_t cut = part.size() - 1;
            while (cut > 1 && textWidth(part.substr(0, cut)) > width) --cut;
            out += part.substr(0, cut) + "\n";
            part.erase(0, cut);
        }
        line += part;
    }
    return out + line;
}

std::string savedMessage(const Scene& scene, const char* where, const std::string& folder) {
    const std::string path = base::cp1251::fromUtf8(platform::shownPath(folder));
    return "Задача сохранена\n"_cp + std::string(where) + "\n" +
           brokenPath(path, panelList(scene).width);
}

// The class folder shares the task with every computer of the class; then the game's own
// tasks folder, then the user's data folder. The message says which took it.
bool saveWhereItFits(const Scene& scene, const puzzle::Task& task, std::string* message) {
    // A network class folder may stop answering: its write is waited for a second at most,
    // and one that comes later is undone, as the task has gone elsewhere by then.
    const std::string shared = platform::classFolder();
    bool silent = false;
    if (!shared.empty() &&
        puzzle::saveNewTask(task, shared, platform::kClassFolderPatienceMs, &silent)) {
        *message = savedMessage(scene, "в папку класса:"_cp, shared);
        return true;
    }
    const std::string before = silent ? std::string("Папка класса не отвечает.\n"_cp) : std::string();
    if (puzzle::saveNewTask(task, "tasks")) {
        *message = before + savedMessage(scene, "в папку задач игры:"_cp, "tasks");
        return true;
    }
    const std::string data = platform::dataFolder();
    if (!data.empty() && puzzle::saveNewTask(task, data)) {
        *message = before + savedMessage(scene, "в папку данных игры:"_cp, data);
        return true;
    }
    return false;
}

}  // namespace

void enterFinishStep(EditorSession& session) {
    EditorItems& items = session.items;
    FinishState& finish = session.finish;
    TextItem* hint = items.stepHint;
    hint->y = session.scene.woodPanel->y + kHintTop;
    hint->height = kHintHeight;

    finish.asked = false;
    const std::string goalless = withoutGoal(session.task);
    finish.goalless = !goalless.empty();
    TextItem* label = items.verdictLabel;
    if (finish.goalless) {
        hint->text = "Задача ещё не готова:\nне у всех есть место\nна правом берегу"_cp;
        finish.verdict = "Нет места на правом берегу: "_cp + goalless +
                         ".\nВернитесь к шагу «Конечное положение»."_cp;
        finish.unsolvable = false;
        label->colour = kUnsolvableColour;
    } else {
        const model::TaskVerdict verdict = model::judgeTask(puzzle::taskData(session.task));
        finish.verdict = puzzle::verdictText(verdict);
        finish.unsolvable = verdict.status == model::SolveStatus::NoSolution;
        label->colour = verdict.status == model::SolveStatus::Solved ? kSolvedColour
                        : finish.unsolvable                          ? kUnsolvableColour
                                                                     : kTooLargeColour;
    }
    label->text = finish.verdict.c_str();
    label->x = panelList(session.scene).x + kVerdictInset;
    label->y = session.scene.woodPanel->y + kVerdictTop;
    label->visible = true;
}

void leaveFinishStep(EditorSession& session) {
    EditorItems& items = session.items;
    items.verdictLabel->visible = false;
    items.stepHint->y = session.scene.woodPanel->y + 46;
    items.stepHint->height = session.scene.woodPanel->height - 135;
}

void finishTask(EditorSession& session) {
    EditorItems& items = session.items;
    FinishState& finish = session.finish;
    if (finish.goalless) {
        items.stepHint->text = "Сначала поставьте\nкаждого на его место\nна правом берегу"_cp;
        return;
    }
    // A teacher may want such a task on purpose, but should not hand it out by mistake.
    if (finish.unsolvable && !finish.asked) {
        finish.asked = true;
        // The verdict below already says there is no solution; the hint only asks.
        items.stepHint->text = "Всё равно сохранить?\nТогда нажмите\nГотово ещё раз"_cp;
        return;
    }
    const bool saved = saveWhereItFits(session.scene, session.task, &finish.message);
    items.stepHint->text = saved ? finish.message.c_str() : "Невозможно\nсоздать файл"_cp;
    items.nextButton->visible = false;
}

// Made once with the editor; the label belongs to the panel's chain so that it moves with
// the panel.
TextItem* makeVerdictLabel(const Scene& scene) {
    const Box list = panelList(scene);
    auto* label = new TextItem(list.x + kVerdictInset, scene.woodPanel->y + kVerdictTop,
                               list.width - 2 * kVerdictInset, kVerdictHeight, "", shell().fonts.small,
                               kSolvedColour);
    label->format = TextFormat::Center | TextFormat::WordBreak | TextFormat::NoClip;
    label->visible = false;
    return label;
}

}  // namespace editor
