// Every task of the pack: its source is well formed, its characters fit the banks, and
// its shortest solution has the length its source states.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/cp1251.hpp"
#include "model/solver.hpp"
#include "model/task_file.hpp"
#include "tools/task_source.hpp"

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> packSources() {
    std::vector<fs::path> sources;
    for (const fs::directory_entry& entry : fs::directory_iterator(FERROLIN_SOURCE_DIR "/tasks-src")) {
        if (entry.path().extension() == ".json") sources.push_back(entry.path());
    }
    std::sort(sources.begin(), sources.end());
    return sources;
}

}  // namespace

// The pack is a ramp: titles numbered 1, 2, ... in the order of the files, from a single
// crossing to tasks of 25 crossings or more.
TEST(TaskPack, EveryTaskSolvesInItsStatedCrossings) {
    const std::vector<fs::path> sources = packSources();
    ASSERT_GE(sources.size(), 45u);
    std::set<std::string> fileNames;
    std::vector<int> shortest;
    for (const fs::path& path : sources) {
        SCOPED_TRACE(path.filename().string());
        const tools::TaskSource source = tools::loadTaskSource(path.string());
        const model::TaskData& task = source.task;
        EXPECT_TRUE(task.title.starts_with(std::to_string(shortest.size() + 1) + ". "))
            << "out of order";
        shortest.push_back(source.crossings);

        EXPECT_TRUE(fileNames.insert(model::taskFileName(task.title, 0)).second) << "title used twice";
        for (const std::string& problem : tools::layoutProblems(task)) ADD_FAILURE() << problem;
        // About five lines of the statement box (680 x 170 at 16 px bold).
        EXPECT_LE(task.statement.size(), 330u);
        // A catalogue row is 212 px wide at 16 px bold: about 24 letters.
        EXPECT_FALSE(task.title.empty());
        EXPECT_LE(task.title.size(), 24u);

        const model::SolveResult result = model::solveTask(task);
        ASSERT_EQ(result.status, model::SolveStatus::Solved);
        EXPECT_EQ(static_cast<int>(result.moves.size()), source.crossings);

        const std::optional<model::TaskData> written = model::decodeTask(model::encodeTask(task, false));
        ASSERT_TRUE(written);
        EXPECT_EQ(written->title, task.title);
        EXPECT_EQ(written->characters.size(), task.characters.size());
    }
    ASSERT_FALSE(shortest.empty());
    EXPECT_EQ(shortest.front(), 1);
    EXPECT_GE(*std::min_element(shortest.end() - 3, shortest.end()), 25);
}

// The help's table of the pack names every task with its number and shortest count, and
// no other.
TEST(TaskPack, HelpListsThePack) {
    std::ifstream in(FERROLIN_SOURCE_DIR "/help/index.html", std::ios::binary);
    const std::string help{std::istreambuf_iterator<char>(in), {}};
    size_t rows = 0;
    for (size_t at = help.find("<tr class=\"task\">"); at != std::string::npos;
         at = help.find("<tr class=\"task\">", at + 1)) {
        ++rows;
    }
    const std::vector<fs::path> sources = packSources();
    EXPECT_EQ(rows, sources.size());
    for (const fs::path& path : sources) {
        const tools::TaskSource source = tools::loadTaskSource(path.string());
        const std::string title = base::cp1251::toUtf8(source.task.title);
        const size_t dot = title.find(". ");
        ASSERT_NE(dot, std::string::npos) << title;
        const std::string row = "<td>" + title.substr(0, dot) + "</td><td>" + title.substr(dot + 2) +
                                "</td><td>" + std::to_string(source.crossings) + "</td>";
        EXPECT_NE(help.find(row), std::string::npos) << row;
    }
}

TEST(TaskPack, SourcesAreChecked) {
    const auto parse = [](const char* text) { return tools::taskFromJson(nlohmann::json::parse(text)); };
    const tools::TaskSource ok = parse(R"({"title": "Кот", "statement": "Строка\nещё «одна» — №1",
        "capacity": 2, "boatman": true, "crossings": 1,
        "characters": [{"picture": "cat", "weight": 3, "colour": "red", "left": [5, 40], "right": [770, 40]},
                       {"picture": "mouse", "left": [75, 40], "right": [830, 40]}],
        "rules": [{"kind": "more", "first": 1, "second": 0}], "formerly": ["Кошка"]})");
    EXPECT_EQ(ok.task.title, "\xCA\xEE\xF2");
    EXPECT_EQ(ok.formerTitles, std::vector<std::string>{"\xCA\xEE\xF8\xEA\xE0"});
    EXPECT_EQ(ok.task.statement,
              "\xD1\xF2\xF0\xEE\xEA\xE0\r\n\xE5\xF9\xB8 \xAB\xEE\xE4\xED\xE0\xBB \x97 \xB9"
              "1");
    EXPECT_EQ(ok.task.boat, 2u | model::kBoatmanFlag);
    ASSERT_EQ(ok.task.characters.size(), 2u);
    EXPECT_EQ(ok.task.characters[0].name, "textures/unit_cat.tga");
    EXPECT_EQ(ok.task.characters[0].colour, 0xFFF00000u);
    EXPECT_EQ(ok.task.characters[1].weight, 1);
    EXPECT_EQ(ok.task.characters[1].colour, 0xFFFFFFFFu);
    EXPECT_EQ(ok.task.rules[0].kind, model::MoreThan);
    EXPECT_EQ(ok.task.rules[0].third, -1);

    const char* broken[] = {
        R"({"title": "x", "statement": "", "capacity": 2, "crossings": 1,
            "characters": [{"picture": "dragon", "left": [5, 40], "right": [770, 40]}]})",
        R"({"title": "x", "statement": "", "capacity": 2, "crossings": 1,
            "characters": [{"picture": "cat", "colour": "pink", "left": [5, 40], "right": [770, 40]}]})",
        R"({"title": "x", "statement": "", "capacity": 2, "crossings": 1, "characters": [],
            "rules": [{"kind": "together", "first": 0, "second": 1}]})",
        R"({"title": "日本", "statement": "", "capacity": 2, "crossings": 1, "characters": []})",
        R"({"title": "x", "statement": "", "capacity": 70000, "crossings": 1, "characters": []})",
        R"({"title": "x", "statement": "", "capacity": 2, "characters": []})",
    };
    for (const char* text : broken) EXPECT_THROW(parse(text), std::runtime_error) << text;
}

TEST(TaskPack, LayoutProblemsAreFound) {
    model::TaskData task;
    task.characters = {
        {5, 40, 770, 40, 1, 0xFFFFFFFF, "textures/unit_cat.tga"},
        {30, 60, 800, 150, 1, 0xFFFFFFFF, "textures/unit_dog.tga"},    // overlaps, over the boat
        {250, 300, 980, 40, 1, 0xFFFFFFFF, "textures/unit_cat.tga"},   // off the banks, boat
        {900, 230, 900, 230, 1, 0xFFFFFFFF, "textures/unit_cat.tga"},  // places coincide
    };
    const std::vector<std::string> problems = tools::layoutProblems(task);
    const auto mentions = [&](const std::string& text) {
        return std::count_if(problems.begin(), problems.end(),
                             [&](const std::string& p) { return p.find(text) != std::string::npos; });
    };
    EXPECT_EQ(mentions("start place overlaps"), 1);
    EXPECT_EQ(mentions("goal place over the boat"), 1);
    EXPECT_EQ(mentions("start place over the boat"), 1);
    EXPECT_EQ(mentions("outside the left bank"), 2);
    EXPECT_EQ(mentions("outside the right bank"), 1);
    EXPECT_EQ(mentions("goal place equals start place"), 1);
}
