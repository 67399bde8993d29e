#include "puzzle/class_results.hpp"

#include <cstdio>
#include <ctime>
#include <random>

#include "base/cp1251.hpp"
#include "model/class_results.hpp"
#include "model/task_key.hpp"
#include "platform/class_folder.hpp"
#include "platform/files.hpp"
#include "platform/pupil_files.hpp"

namespace puzzle {

namespace {

constexpr std::string_view kPupilFirstLine = "Ferrolin pupil 1";
// A year of wins is some tens of kilobytes; a larger file is not one we wrote.
constexpr size_t kMaxResultsBytes = 4 * 1024 * 1024;
constexpr int kNameAttempts = 10;

// Beside the progress, which is each account's own: on Windows the data folder is shared
// by every account of the computer, and pupils taking turns at it are different pupils.
std::string pupilPath() {
    const std::string folder = platform::progressFolder();
    return folder.empty() ? std::string() : folder + "/pupil.txt";
}

std::vector<uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

void savePupil(const Pupil& pupil) {
    const std::string path = pupilPath();
    if (path.empty()) return;
    std::string text(kPupilFirstLine);
    text += "\nname=" + pupil.name + "\nid=" + pupil.id +
            "\nconfirmed=" + (pupil.confirmed ? "1" : "0") + "\n";
    platform::createFolders(platform::progressFolder());
    if (!platform::replaceFile(path, bytesOf(text))) {
        std::fprintf(stderr, "ferrolin: cannot write %s\n", path.c_str());
    }
}

bool isId(const std::string& text) {
    return text.size() == 16 && text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

std::string freshId() {
    std::random_device random;
    const uint64_t value = (uint64_t{random()} << 32) ^ random();
    char id[17];
    std::snprintf(id, sizeof id, "%016llx", static_cast<unsigned long long>(value));
    return id;
}

std::string today() {
    const std::time_t now = std::time(nullptr);
    char date[16] = "1970-01-01";
    if (const std::tm* local = std::localtime(&now)) std::strftime(date, sizeof date, "%Y-%m-%d", local);
    return date;
}

// A host name may hold anything; a file name on a shared folder keeps to safe letters.
std::string safeName(const std::string& text) {
    std::string safe;
    for (const char c : text.substr(0, 40)) {
        const bool plain =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
        safe += plain ? c : '_';
    }
    return safe.empty() ? std::string("computer") : safe;
}

// Runs on the background thread: nothing here may touch the screen.
void appendWin(const std::string& classFolder, const Pupil& pupil, const std::string& line) {
    const std::string folder = classFolder + "/results";
    platform::createFolders(folder);
    const std::string computer = platform::computerName();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string path = folder + "/" + resultsFileName(computer, pupil.id, attempt);
        switch (platform::writeNewFile(path, bytesOf(model::resultsFileStart(pupil.name) + line))) {
            case platform::WriteResult::Ok:
                return;
            case platform::WriteResult::Failed:
            case platform::WriteResult::NoAnswer:
                std::fprintf(stderr, "ferrolin: cannot write the results file %s\n", path.c_str());
                return;
            case platform::WriteResult::Exists:
                break;
        }
        const auto bytes = platform::readFile(path, kMaxResultsBytes);
        const std::string_view text =
            bytes ? std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()) : "";
        const model::ResultsFile file = model::parseResults(text);
        if (!file.ours) {
            std::fprintf(stderr,
                         "ferrolin: %s is not a results file of this game; it is left as it is\n",
                         path.c_str());
            continue;
        }
        // A line cut short by a crash must not swallow this one; a corrected name goes first.
        std::string record = text.ends_with('\n') ? "" : "\n";
        if (file.pupil != pupil.name) record += model::pupilLine(pupil.name);
        record += line;
        if (!platform::appendToFile(path, bytesOf(record))) {
            std::fprintf(stderr, "ferrolin: cannot add to the results file %s\n", path.c_str());
        }
        return;
    }
}

}  // namespace

Pupil loadPupil() {
    Pupil pupil;
    const std::string path = pupilPath();
    if (const auto bytes = path.empty() ? std::nullopt : platform::readFile(path, 64 * 1024)) {
        const std::string text(bytes->begin(), bytes->end());
        if (text.starts_with(kPupilFirstLine)) {
            size_t pos = 0;
            while (pos < text.size()) {
                size_t end = text.find('\n', pos);
                if (end == std::string::npos) end = text.size();
                const std::string line = text.substr(pos, end - pos);
                pos = end + 1;
                if (line.starts_with("name=")) pupil.name = line.substr(5);
                if (line.starts_with("id=")) pupil.id = line.substr(3);
                if (line == "confirmed=1") pupil.confirmed = true;
            }
        }
    }
    if (isId(pupil.id) && !pupil.name.empty()) return pupil;
    if (pupil.name.empty()) pupil.name = platform::accountName();
    if (pupil.name.empty()) pupil.name = "?";
    if (!isId(pupil.id)) pupil.id = freshId();
    savePupil(pupil);
    return pupil;
}

bool pupilNameWanted() { return !platform::classFolder().empty() && !loadPupil().confirmed; }

void confirmPupilName(const std::string& utf8) {
    Pupil pupil = loadPupil();
    const size_t first = utf8.find_first_not_of(' ');
    if (first != std::string::npos)
        pupil.name = utf8.substr(first, utf8.find_last_not_of(' ') - first + 1);
    pupil.confirmed = true;
    savePupil(pupil);
}

std::string resultsFileName(const std::string& computer, const std::string& id, int attempt) {
    std::string name = safeName(computer) + "-" + id;
    if (attempt > 0) name += "-" + std::to_string(attempt);
    return name + ".txt";
}

void recordClassWin(const model::TaskData& task, int crossings, std::optional<int> shortest, int hints) {
    const std::string classFolder = platform::classFolder();
    if (classFolder.empty()) return;
    model::WinRecord win;
    win.date = today();
    win.key = model::taskKey(task);
    win.crossings = crossings;
    win.shortest = shortest;
    win.hints = hints;
    win.title = base::cp1251::toUtf8(task.title);
    const std::string line = model::winLine(win);
    const Pupil pupil = loadPupil();
    platform::runInBackground([classFolder, pupil, line] { appendWin(classFolder, pupil, line); });
}

}  // namespace puzzle
