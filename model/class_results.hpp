// A pupil's results file in the class folder's results/ folder: UTF-8 text a teacher can
// read, one line per record, only ever appended to. The first line marks the file as
// ours; a "pupil" line names the pupil (a later one corrects the name for the whole
// file); each win is one line:
//   win <TAB> date <TAB> task key <TAB> crossings <TAB> shortest or "-" <TAB> hints <TAB> title
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace model {

inline constexpr std::string_view kResultsFirstLine = "Ferrolin class results 1";

struct WinRecord {
    std::string date;  // YYYY-MM-DD
    uint64_t key = 0;
    int crossings = 0;
    std::optional<int> shortest;
    int hints = 0;
    std::string title;  // UTF-8
};

// The lines that start a new file: the first line and the pupil's name.
std::string resultsFileStart(const std::string& pupil);
std::string pupilLine(const std::string& pupil);
std::string winLine(const WinRecord& win);

struct ResultsFile {
    bool ours = false;  // the first line is there; nothing else is read otherwise
    std::string pupil;  // the last name given
    std::vector<WinRecord> wins;
    int unreadLines = 0;  // lines that are neither a name nor a win
};

// Tabs and line breaks in a name or title would break the line apart: they become spaces.
ResultsFile parseResults(std::string_view text);

}  // namespace model
