#include "model/class_results.hpp"

#include <charconv>
#include <cstdio>

namespace model {

namespace {

std::string oneField(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    }
    return text;
}

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (true) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

template <typename T>
bool number(std::string_view text, T& value, int base = 10) {
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value, base);
    return error == std::errc() && end == last && !text.empty();
}

bool isDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    for (const size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    return true;
}

std::optional<WinRecord> parseWin(const std::vector<std::string_view>& f) {
    WinRecord win;
    if (f.size() != 7 || f[0] != "win" || !isDate(f[1]) || f[2].size() != 16) return std::nullopt;
    if (!number(f[2], win.key, 16) || !number(f[3], win.crossings) || win.crossings < 1)
        return std::nullopt;
    if (f[4] != "-") {
        int shortest = 0;
        if (!number(f[4], shortest) || shortest < 0) return std::nullopt;
        win.shortest = shortest;
    }
    if (!number(f[5], win.hints) || win.hints < 0) return std::nullopt;
    win.date = f[1];
    win.title = f[6];
    return win;
}

}  // namespace

std::string pupilLine(const std::string& pupil) { return "pupil\t" + oneField(pupil) + "\n"; }

std::string resultsFileStart(const std::string& pupil) {
    return std::string(kResultsFirstLine) + "\n" + pupilLine(pupil);
}

std::string winLine(const WinRecord& win) {
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "%016llx\t%d\t", static_cast<unsigned long long>(win.key),
                  win.crossings);
    std::string line = "win\t" + oneField(win.date) + "\t" + numbers;
    line += win.shortest ? std::to_string(*win.shortest) : "-";
    // Appended piece by piece: GCC 12 misreads a literal joined to a temporary string at -O3.
    line += '\t';
    line += std::to_string(win.hints);
    line += '\t';
    line += oneField(win.title);
    line += '\n';
    return line;
}

ResultsFile parseResults(std::string_view text) {
    ResultsFile file;
    if (!text.starts_with(kResultsFirstLine)) return file;
    file.ours = true;
    size_t pos = text.find('\n');
    while (pos != std::string_view::npos && pos < text.size()) {
        const size_t start = pos + 1;
        pos = text.find('\n', start);
        std::string_view line = text.substr(start, pos == std::string_view::npos ? pos : pos - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.empty()) continue;
        const std::vector<std::string_view> fields = splitTabs(line);
        if (fields.size() == 2 && fields[0] == "pupil" && !fields[1].empty()) {
            file.pupil = fields[1];
        } else if (std::optional<WinRecord> win = parseWin(fields)) {
            file.wins.push_back(std::move(*win));
        } else {
            ++file.unreadLines;
        }
    }
    return file;
}

}  // namespace model
