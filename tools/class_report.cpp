#include "tools/class_report.hpp"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <set>

#include "base/cp1251.hpp"
#include "model/class_results.hpp"
#include "model/solver.hpp"
#include "model/task_file.hpp"
#include "model/task_key.hpp"
#include "platform/files.hpp"
#include "platform/system.hpp"

namespace fs = std::filesystem;

namespace tools {

namespace {

constexpr size_t kMaxResultsBytes = 4 * 1024 * 1024;

// "12. Отряд" -> 12; titles without a number come after the numbered ones.
int leadingNumber(const std::string& title) {
    int number = 0;
    size_t i = 0;
    while (i < title.size() && i < 6 && title[i] >= '0' && title[i] <= '9')
        number = number * 10 + (title[i++] - '0');
    return i > 0 && i < title.size() && title[i] == '.' ? number : 1'000'000;
}

void addTaskFiles(ClassReport& report, const std::string& folder, ReportTask::Group group,
                  std::set<uint64_t>& seen) {
    std::vector<ReportTask> found;
    for (const std::string& name : platform::listFolder(folder, "", ".dat")) {
        const auto bytes = platform::readFile(folder + "/" + name, model::kMaxTaskFileBytes);
        const std::optional<model::TaskData> task = bytes ? model::decodeTask(*bytes) : std::nullopt;
        if (!task) continue;
        ReportTask column;
        column.group = group;
        column.key = model::taskKey(*task);
        column.title = base::cp1251::toUtf8(task->title);
        if (!seen.insert(column.key).second) continue;
        // Tasks too large to solve at once have no shortest count in the report either.
        const model::SolveResult solved = model::solveTask(*task, model::kInteractiveStateLimit);
        if (solved.status == model::SolveStatus::Solved)
            column.shortest = static_cast<int>(solved.moves.size());
        found.push_back(std::move(column));
    }
    std::sort(found.begin(), found.end(), [](const ReportTask& a, const ReportTask& b) {
        const int na = leadingNumber(a.title), nb = leadingNumber(b.title);
        return na != nb ? na < nb : a.title < b.title;
    });
    int index = 0;
    for (ReportTask& column : found) {
        ++index;
        const int number = leadingNumber(column.title);
        column.label = group == ReportTask::Pack && number < 1'000'000 ? std::to_string(number)
                                                                       : "К" + std::to_string(index);
        report.tasks.push_back(std::move(column));
    }
}

void addWin(ClassReport& report, ReportPupil& pupil, const model::WinRecord& win,
            std::set<uint64_t>& seen) {
    if (seen.insert(win.key).second) {
        ReportTask column;
        column.group = ReportTask::Other;
        column.key = win.key;
        column.title = win.title;
        column.shortest = win.shortest;
        report.tasks.push_back(std::move(column));
    }
    const ReportTask& column = *std::find_if(report.tasks.begin(), report.tasks.end(),
                                             [&](const ReportTask& t) { return t.key == win.key; });
    const std::optional<int> shortest = column.shortest ? column.shortest : win.shortest;
    const auto [cell, fresh] = pupil.cells.try_emplace(win.key);
    const bool better = fresh || win.crossings < cell->second.crossings ||
                        (win.crossings == cell->second.crossings && win.hints < cell->second.hints);
    if (!better) return;
    cell->second.crossings = win.crossings;
    cell->second.hints = win.hints;
    cell->second.shortest = shortest && win.crossings <= *shortest;
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(";\"\n\r") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string html(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '&':
                escaped += "&amp;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string shortestText(const std::optional<int>& shortest) {
    return shortest ? std::to_string(*shortest) : std::string();
}

std::string todayText() {
    const std::time_t now = std::time(nullptr);
    char date[32] = "";
    if (const std::tm* local = std::localtime(&now))
        std::strftime(date, sizeof date, "%d.%m.%Y %H:%M", local);
    return date;
}

const char* const kStyle = R"(
  body { margin: 1.5rem; color: #1f2a33; font-family: "DejaVu Sans", Verdana, Arial, sans-serif; }
  h1 { margin: 0 0 0.25rem; color: #0f568f; font-size: 1.6rem; }
  h2 { margin: 2rem 0 0.5rem; color: #0f568f; font-size: 1.2rem; }
  p { margin: 0.25rem 0; }
  .about { color: #56636e; }
  .scroll { overflow-x: auto; margin-top: 1rem; }
  table { border-collapse: collapse; font-size: 0.85rem; }
  th, td { border: 1px solid #c6d3dc; padding: 0.2rem 0.3rem; text-align: center; white-space: nowrap; }
  thead th { background: #1a78bd; color: #fff; font-weight: bold; }
  thead tr.shortest th, thead tr.shortest td { background: #e6f1f8; color: #1f2a33; font-weight: normal; }
  th.pupil { text-align: left; min-width: 9rem; }
  th.pupil, tbody th { position: sticky; left: 0; z-index: 1; }
  tbody th { text-align: left; font-weight: normal; background: #fffdf7; }
  tbody tr:nth-child(even) td, tbody tr:nth-child(even) th { background: #f4f8fb; }
  td.best { background: #e3f5d6 !important; font-weight: bold; }
  td.none { color: #b0bcc5; }
  .star { color: #2f8a1f; }
  sub { color: #a0611b; font-weight: normal; }
  button { font: inherit; color: inherit; background: none; border: 0; padding: 0; cursor: pointer; }
  ol.tasks { columns: 2; font-size: 0.9rem; }
  ol.tasks li { list-style: none; break-inside: avoid; }
  ol.tasks b { display: inline-block; min-width: 2.2rem; }
  .warning { color: #a0611b; }
  @media print {
    @page { size: landscape; margin: 1cm; }
    body { margin: 0; }
    .scroll { overflow: visible; }
    table { font-size: 7pt; }
    th, td { padding: 1px 2px; }
    thead th { background: #fff; color: #000; }
    thead { display: table-header-group; }
    tr { break-inside: avoid; }
    .noprint { display: none; }
  }
)";

const char* const kSortScript = R"(
document.getElementById('by-pupil').addEventListener('click', function () {
  var table = document.getElementById('results');
  var body = table.tBodies[0];
  var rows = Array.prototype.slice.call(body.rows);
  var down = this.getAttribute('data-order') !== 'down';
  rows.sort(function (a, b) {
    var x = a.cells[0].textContent, y = b.cells[0].textContent;
    return down ? y.localeCompare(x, 'ru') : x.localeCompare(y, 'ru');
  });
  rows.forEach(function (row) { body.appendChild(row); });
  this.setAttribute('data-order', down ? 'down' : 'up');
  this.querySelector('span').textContent = down ? '\u25BC' : '\u25B2';
});
)";

// Started from the desktop menu there is no terminal to read: the desktop's message box.
void showError(const char* utf8) {
    platform::showErrorBox(base::cp1251::fromUtf8("Итоги класса").c_str(),
                           base::cp1251::fromUtf8(utf8).c_str());
}

}  // namespace

ClassReport buildClassReport(const std::string& classFolder, const std::string& packFolder) {
    ClassReport report;
    std::set<uint64_t> seen;
    if (!packFolder.empty()) addTaskFiles(report, packFolder, ReportTask::Pack, seen);
    addTaskFiles(report, classFolder, ReportTask::ClassFolder, seen);

    std::vector<fs::path> files;
    std::error_code error;
    const fs::path results = fs::path(classFolder) / "results";
    for (fs::directory_iterator it(results, error), end; !error && it != end; it.increment(error)) {
        files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    std::map<std::string, ReportPupil> pupils;
    for (const fs::path& path : files) {
        const std::string shown = path.string();
        if (!fs::is_regular_file(path, error)) {
            report.warnings.push_back(shown + ": not a file, skipped");
            continue;
        }
        const auto bytes = platform::readFile(shown, kMaxResultsBytes);
        if (!bytes) {
            report.warnings.push_back(shown + ": cannot be read, skipped");
            continue;
        }
        const model::ResultsFile file = model::parseResults(
            std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
        if (!file.ours) {
            report.warnings.push_back(shown + ": not a results file, skipped");
            continue;
        }
        if (file.unreadLines > 0) {
            report.warnings.push_back(shown + ": " + std::to_string(file.unreadLines) +
                                      " unreadable lines skipped");
        }
        const std::string name = file.pupil.empty() ? path.stem().string() : file.pupil;
        ReportPupil& pupil = pupils[name];
        pupil.name = name;
        for (const model::WinRecord& win : file.wins) addWin(report, pupil, win, seen);
    }
    int others = 0;
    for (ReportTask& task : report.tasks) {
        if (task.group == ReportTask::Other) task.label = "Д" + std::to_string(++others);
    }
    for (auto& [name, pupil] : pupils) report.pupils.push_back(std::move(pupil));
    return report;
}

std::string reportCsv(const ClassReport& report) {
    std::string csv = "\xEF\xBB\xBF";  // the byte order mark tells spreadsheets it is UTF-8
    csv += "Ученик;Решено";
    for (const ReportTask& task : report.tasks) {
        const std::string name =
            task.group == ReportTask::Pack ? task.title : task.label + ". " + task.title;
        csv += ";" + csvField(name) + ";" + csvField(name + ": подсказки");
    }
    csv += "\r\nКратчайшее решение;";
    for (const ReportTask& task : report.tasks) csv += ";" + shortestText(task.shortest) + ";";
    csv += "\r\n";
    for (const ReportPupil& pupil : report.pupils) {
        csv += csvField(pupil.name) + ";" + std::to_string(pupil.cells.size());
        for (const ReportTask& task : report.tasks) {
            const auto cell = pupil.cells.find(task.key);
            if (cell == pupil.cells.end()) {
                csv += ";;";
            } else {
                csv += ";" + std::to_string(cell->second.crossings) + ";" +
                       std::to_string(cell->second.hints);
            }
        }
        csv += "\r\n";
    }
    return csv;
}

std::string reportHtml(const ClassReport& report, const std::string& classFolder,
                       const std::string& date) {
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Итоги класса — Ферролин</title>\n<style>";
    page += kStyle;
    page += "</style>\n</head>\n<body>\n<h1>Итоги класса</h1>\n";
    page += "<p class=\"about\">Папка класса: " + html(platform::shownPath(classFolder)) +
            " · составлено " + html(date) + " · учеников: " + std::to_string(report.pupils.size()) +
            "</p>\n";
    page +=
        "<p>В клетке — самое короткое решение ученика, число переправ. <span class=\"star\">★</span> — "
        "быстрее не бывает. <sub>п2</sub> — в этой победе он взял 2 подсказки. Кратчайшее решение "
        "каждой задачи — во второй строке.</p>\n";
    page +=
        "<div class=\"scroll\">\n<table id=\"results\">\n<thead>\n<tr><th class=\"pupil\">"
        "<button id=\"by-pupil\" title=\"Упорядочить по имени\">Ученик <span>▲</span></button></th>"
        "<th title=\"Сколько задач решено\">Решено</th>";
    for (const ReportTask& task : report.tasks)
        page += "<th title=\"" + html(task.title) + "\">" + html(task.label) + "</th>";
    page += "</tr>\n<tr class=\"shortest\"><th class=\"pupil\">Кратчайшее решение</th><td></td>";
    for (const ReportTask& task : report.tasks) page += "<td>" + shortestText(task.shortest) + "</td>";
    page += "</tr>\n</thead>\n<tbody>\n";
    for (const ReportPupil& pupil : report.pupils) {
        page +=
            "<tr><th>" + html(pupil.name) + "</th><td>" + std::to_string(pupil.cells.size()) + "</td>";
        for (const ReportTask& task : report.tasks) {
            const auto found = pupil.cells.find(task.key);
            if (found == pupil.cells.end()) {
                page += "<td class=\"none\">·</td>";
                continue;
            }
            const ReportCell& cell = found->second;
            page += cell.shortest ? "<td class=\"best\">" : "<td>";
            page += std::to_string(cell.crossings);
            if (cell.shortest) page += "<span class=\"star\">★</span>";
            if (cell.hints > 0) page += "<sub>п" + std::to_string(cell.hints) + "</sub>";
            page += "</td>";
        }
        page += "</tr>\n";
    }
    if (report.pupils.empty()) {
        page += "<tr><td colspan=\"" + std::to_string(report.tasks.size() + 2) +
                "\">Пока никто не решил ни одной задачи.</td></tr>\n";
    }
    page += "</tbody>\n</table>\n</div>\n";
    const char* const headings[] = {"Задачи игры", "Задачи папки класса",
                                    "Другие задачи, которые решали ученики"};
    for (const ReportTask::Group group :
         {ReportTask::Pack, ReportTask::ClassFolder, ReportTask::Other}) {
        std::string items;
        for (const ReportTask& task : report.tasks) {
            if (task.group != group) continue;
            std::string title = task.title;
            if (group == ReportTask::Pack && title.starts_with(task.label + ". "))
                title.erase(0, task.label.size() + 2);
            items += "<li><b>" + html(task.label) + "</b> " + html(title) + "</li>\n";
        }
        if (!items.empty())
            page += "<h2>" + std::string(headings[group]) + "</h2>\n<ol class=\"tasks\">\n" + items +
                    "</ol>\n";
    }
    if (!report.warnings.empty()) {
        page += "<h2 class=\"noprint\">Пропущенные файлы</h2>\n<ul class=\"warning noprint\">\n";
        for (const std::string& warning : report.warnings) page += "<li>" + html(warning) + "</li>\n";
        page += "</ul>\n";
    }
    page += "<script>";
    page += kSortScript;
    page += "</script>\n</body>\n</html>\n";
    return page;
}

int writeClassReport(const std::string& classFolder, const std::string& packFolder, std::string pagePath,
                     bool open) {
    std::error_code error;
    if (classFolder.empty() || !fs::is_directory(classFolder, error)) {
        std::fprintf(stderr, "ferrolin-solve: no class folder %s\n", classFolder.c_str());
        if (open) {
            showError(classFolder.empty()
                          ? "Папка класса не настроена. Как её указать, написано в справке игры."
                          : "Папка класса недоступна. Проверьте, подключена ли сетевая папка.");
        }
        return 2;
    }
    const ClassReport report = buildClassReport(classFolder, packFolder);
    for (const std::string& warning : report.warnings) std::fprintf(stderr, "%s\n", warning.c_str());
    if (pagePath.empty()) pagePath = (fs::path(classFolder) / "class-results.html").string();
    const std::string csvPath = fs::path(pagePath).replace_extension(".csv").string();
    const std::string page = reportHtml(report, classFolder, todayText());
    const std::string csv = reportCsv(report);
    if (!platform::replaceFile(pagePath, {page.begin(), page.end()}) ||
        !platform::replaceFile(csvPath, {csv.begin(), csv.end()})) {
        std::fprintf(stderr, "ferrolin-solve: cannot write %s\n", pagePath.c_str());
        if (open) showError("Не удалось записать итоги в папку класса.");
        return 2;
    }
    std::printf("%s\n%s\n%zu pupils, %zu tasks\n", pagePath.c_str(), csvPath.c_str(),
                report.pupils.size(), report.tasks.size());
    if (open) platform::openDocument(pagePath);
    return 0;
}

}  // namespace tools
