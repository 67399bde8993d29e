// ferrolin-solve --report: the teacher's overview of the class's results. Pupils are
// rows; the pack's tasks, the class folder's and any other task a pupil solved are
// columns; each cell holds the pupil's best crossings, whether that is the shortest, and
// the hints taken in that win. Written as an HTML page and a CSV file beside it.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tools {

struct ReportTask {
    enum Group { Pack, ClassFolder, Other };
    Group group = Pack;
    std::string label;  // the column heading: the pack's number, "К1", "Д1", ...
    std::string title;  // UTF-8
    uint64_t key = 0;
    std::optional<int> shortest;
};

struct ReportCell {
    int crossings = 0;
    int hints = 0;
    bool shortest = false;
};

struct ReportPupil {
    std::string name;
    std::map<uint64_t, ReportCell> cells;  // by task key
};

struct ClassReport {
    std::vector<ReportTask> tasks;
    std::vector<ReportPupil> pupils;  // by name
    std::vector<std::string> warnings;
};

// Reads the task files of both folders and every file in the class folder's results/;
// files that are no results file (or are folders) and lines that cannot be read are
// left out with a warning. A pupil writing from several computers gets one row.
ClassReport buildClassReport(const std::string& classFolder, const std::string& packFolder);

std::string reportCsv(const ClassReport& report);
std::string reportHtml(const ClassReport& report, const std::string& classFolder,
                       const std::string& date);

// Writes class-results.html and class-results.csv into the class folder (or the page to
// `pagePath` when given, the CSV beside it), prints warnings and where they went, and
// opens the page in the browser when asked. Returns the exit status: 0 written, 2 not.
int writeClassReport(const std::string& classFolder, const std::string& packFolder, std::string pagePath,
                     bool open);

}  // namespace tools
