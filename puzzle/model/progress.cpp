#include "puzzle/model/progress.hpp"

#include <charconv>
#include <cstdio>

namespace model {

namespace {

constexpr std::string_view kFirstLine = "Ferrolin progress 1";

}  // namespace

std::string formatProgress(const Progress& progress) {
    std::string text(kFirstLine);
    text += "\n# One solved task a line: the task's key, the fewest crossings it was solved in.\n";
    for (const auto& [key, crossings] : progress) {
        char line[48];
        std::snprintf(line, sizeof line, "%016llx %d\n", static_cast<unsigned long long>(key),
                      crossings);
        text += line;
    }
    return text;
}

Progress parseProgress(std::string_view text) {
    Progress progress;
    if (text.substr(0, kFirstLine.size()) != kFirstLine) return progress;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        uint64_t key = 0;
        int crossings = 0;
        const char* const last = line.data() + line.size();
        const auto [afterKey, keyError] = std::from_chars(line.data(), last, key, 16);
        if (keyError != std::errc() || afterKey - line.data() != 16 || afterKey == last ||
            *afterKey != ' ') {
            continue;
        }
        const auto [afterCount, countError] = std::from_chars(afterKey + 1, last, crossings);
        const bool clean = afterCount == last || (afterCount + 1 == last && *afterCount == '\r');
        if (countError != std::errc() || !clean || crossings < 1) continue;
        recordSolved(progress, key, crossings);
    }
    return progress;
}

void carryOverRenamed(Progress& progress, std::string_view renamed) {
    size_t pos = 0;
    while (pos < renamed.size()) {
        size_t end = renamed.find('\n', pos);
        if (end == std::string_view::npos) end = renamed.size();
        const std::string_view line = renamed.substr(pos, end - pos);
        pos = end + 1;
        uint64_t from = 0, to = 0;
        const char* const last = line.data() + line.size();
        const auto [afterFrom, fromError] = std::from_chars(line.data(), last, from, 16);
        if (fromError != std::errc() || afterFrom == last || *afterFrom != ' ') continue;
        if (std::from_chars(afterFrom + 1, last, to, 16).ec != std::errc()) continue;
        if (const auto found = progress.find(from); found != progress.end()) {
            recordSolved(progress, to, found->second);
        }
    }
}

bool recordSolved(Progress& progress, uint64_t key, int crossings) {
    const auto [it, added] = progress.emplace(key, crossings);
    if (added) return true;
    if (crossings >= it->second) return false;
    it->second = crossings;
    return true;
}

}  // namespace model
