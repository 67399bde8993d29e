#include "model/progress.hpp"

#include <charconv>
#include <cstdio>
#include <optional>

namespace model {

namespace {

constexpr std::string_view kFirstLine = "Ferrolin progress 1";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A text editor may have put a byte-order mark in front.
std::string_view withoutMark(std::string_view text) {
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    return text;
}

// The task line `line` holds, if it is one.
bool readLine(std::string_view line, uint64_t& key, int& crossings) {
    const char* const last = line.data() + line.size();
    const auto [afterKey, keyError] = std::from_chars(line.data(), last, key, 16);
    if (keyError != std::errc() || afterKey - line.data() != 16 || afterKey == last || *afterKey != ' ')
        return false;
    const auto [afterCount, countError] = std::from_chars(afterKey + 1, last, crossings);
    const bool clean = afterCount == last || (afterCount + 1 == last && *afterCount == '\r');
    return countError == std::errc() && clean && crossings >= 1;
}

std::string taskLine(uint64_t key, int crossings) {
    char line[48];
    std::snprintf(line, sizeof line, "%016llx %d", static_cast<unsigned long long>(key), crossings);
    return line;
}

}  // namespace

std::string formatProgress(const Progress& progress) {
    std::string text(kFirstLine);
    text += "\n# One solved task a line: the task's key, the fewest crossings it was solved in.\n";
    for (const auto& [key, crossings] : progress) text += taskLine(key, crossings) + "\n";
    return text;
}

bool isProgressText(std::string_view text) {
    return withoutMark(text).substr(0, kFirstLine.size()) == kFirstLine;
}

Progress parseProgress(std::string_view text) {
    Progress progress;
    if (!isProgressText(text)) return progress;
    text = withoutMark(text);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        uint64_t key = 0;
        int crossings = 0;
        if (readLine(text.substr(pos, end - pos), key, crossings))
            recordSolved(progress, key, crossings);
        pos = end + 1;
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

std::optional<std::string> withWin(std::string_view text, uint64_t key, int crossings) {
    const Progress progress = parseProgress(text);
    const auto found = progress.find(key);
    if (found != progress.end() && found->second <= crossings) return std::nullopt;
    std::string out(text);
    // The task's first line gets the better count; every other line stays as it was.
    size_t pos = 0;
    while (found != progress.end() && pos < out.size()) {
        size_t end = out.find('\n', pos);
        if (end == std::string::npos) end = out.size();
        uint64_t lineKey = 0;
        int lineCount = 0;
        if (readLine(std::string_view(out).substr(pos, end - pos), lineKey, lineCount) &&
            lineKey == key) {
            const bool crlf = end > pos && out[end - 1] == '\r';
            out.replace(pos, end - pos - (crlf ? 1 : 0), taskLine(key, crossings));
            return out;
        }
        pos = end + 1;
    }
    if (!out.empty() && out.back() != '\n') out += '\n';
    return out + taskLine(key, crossings) + "\n";
}

bool recordSolved(Progress& progress, uint64_t key, int crossings) {
    const auto [it, added] = progress.emplace(key, crossings);
    if (added) return true;
    if (crossings >= it->second) return false;
    it->second = crossings;
    return true;
}

}  // namespace model
