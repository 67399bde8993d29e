#include "tools/class_report.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/cp1251.hpp"
#include "model/class_results.hpp"
#include "model/task_key.hpp"
#include "support/sample_tasks.hpp"

namespace fs = std::filesystem;

namespace {

model::TaskData titled(const char* utf8, bool single = false) {
    model::TaskData task = test::wolfGoatCabbage();
    task.title = base::cp1251::fromUtf8(utf8);
    if (single) {
        task.characters.resize(1);
        task.rules.clear();
    }
    return task;
}

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string win(const model::TaskData& task, int crossings, std::optional<int> shortest, int hints) {
    return model::winLine({"2026-03-02", model::taskKey(task), crossings, shortest, hints,
                           base::cp1251::toUtf8(task.title)});
}

}  // namespace

// A made-up class: a pupil who wrote from two computers, one from one, a task nobody
// knows, a line of garbage, a folder and a teacher's note among the results.
TEST(ClassReport, OneRowAPupilOneColumnATask) {
    const fs::path root = fs::temp_directory_path() / "ferrolin-class-report";
    fs::remove_all(root);
    fs::create_directories(root / "pack");
    fs::create_directories(root / "class" / "results" / "dir.txt");
    const model::TaskData wolf = titled("9. Волк"), one = titled("10. Один", true);
    const model::TaskData shared = titled("Задача класса"), own = titled("Своя задача");
    test::writeTaskFile((root / "pack" / "_a.dat").string(), one, false);
    test::writeTaskFile((root / "pack" / "_b.dat").string(), wolf, false);
    test::writeTaskFile((root / "class" / "_c.dat").string(), shared, false);
    const fs::path results = root / "class" / "results";
    writeText(results / "pc1-a.txt", model::resultsFileStart("Аня") + win(wolf, 9, 5, 1) + "garbage\n" +
                                         win(wolf, 5, 5, 2) + win(wolf, 5, 5, 3) + win(shared, 8, 5, 0));
    writeText(results / "pc2-b.txt",
              model::resultsFileStart("Боря") + win(one, 1, 1, 0) + win(own, 6, 5, 0));
    writeText(results / "pc3-a.txt", model::resultsFileStart("Аня") + win(one, 3, 1, 0));
    writeText(results / "notes.txt", "Список класса\n");

    const tools::ClassReport report =
        tools::buildClassReport((root / "class").string(), (root / "pack").string());
    EXPECT_EQ(
        tools::reportCsv(report),
        "\xEF\xBB\xBFУченик;Решено;9. Волк;9. Волк: подсказки;10. Один;10. Один: подсказки;"
        "К1. Задача класса;К1. Задача класса: подсказки;Д1. Своя задача;Д1. Своя задача: подсказки\r\n"
        "Кратчайшее решение;;5;;1;;5;;5;\r\n"
        "Аня;3;5;2;3;0;8;0;;\r\n"
        "Боря;2;;;1;0;;;6;0\r\n");
    EXPECT_EQ(report.warnings.size(), 3u);
    const std::string page = tools::reportHtml(report, "/class", "02.03.2026");
    EXPECT_NE(page.find("<td class=\"best\">5<span class=\"star\">★</span><sub>п2</sub></td>"),
              std::string::npos);
    fs::remove_all(root);
}
