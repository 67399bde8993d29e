// Any bytes a teacher might receive as a task or solution file: the reader must answer
// without a fault, whatever it accepts must stay inside the game's tables and come back
// unchanged through the writer, and its moves must replay without a fault.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "model/solution_check.hpp"
#include "model/task_file.hpp"

namespace {

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "task reader invariant broken: %s\n", what);
    std::abort();
}

bool sameTask(const model::TaskData& a, const model::TaskData& b) {
    if (a.title != b.title || a.statement != b.statement || a.boat != b.boat) return false;
    if (a.characters.size() != b.characters.size() || a.rules.size() != b.rules.size() ||
        a.moves.size() != b.moves.size()) {
        return false;
    }
    for (size_t i = 0; i < a.characters.size(); ++i) {
        const model::CharacterData& x = a.characters[i];
        const model::CharacterData& y = b.characters[i];
        if (x.leftX != y.leftX || x.leftY != y.leftY || x.rightX != y.rightX || x.rightY != y.rightY ||
            x.weight != y.weight || x.colour != y.colour || x.name != y.name) {
            return false;
        }
    }
    for (size_t i = 0; i < a.rules.size(); ++i) {
        const model::RuleData& x = a.rules[i];
        const model::RuleData& y = b.rules[i];
        if (x.first != y.first || x.second != y.second || x.third != y.third || x.kind != y.kind) {
            return false;
        }
    }
    for (size_t i = 0; i < a.moves.size(); ++i) {
        if (a.moves[i].mask != b.moves[i].mask || a.moves[i].direction != b.moves[i].direction) {
            return false;
        }
    }
    return true;
}

bool hasZero(const std::string& text) { return text.find('\0') != std::string::npos; }

bool placeInBounds(int32_t place) { return place >= -model::kPlaceLimit && place <= model::kPlaceLimit; }

// The moves played as the screen plays them: a passenger goes from where it stands to its
// place on the bank reached, moved by the difference, and a picture of the largest size
// hangs below and right of it. Sanitizers see any sum that overflows.
void replayMoves(const model::TaskData& task) {
    constexpr int32_t kLargestPicture = 2048;
    std::vector<int32_t> x, y;
    for (const model::CharacterData& c : task.characters) {
        require(placeInBounds(c.leftX) && placeInBounds(c.leftY) && placeInBounds(c.rightX) &&
                    placeInBounds(c.rightY),
                "places in bounds");
        x.push_back(c.leftX);
        y.push_back(c.leftY);
    }
    int32_t reach = 0;
    for (const model::MoveData& move : task.moves) {
        for (size_t i = 0; i < task.characters.size(); ++i) {
            if (!move.mask.test(i)) continue;
            const model::CharacterData& c = task.characters[i];
            const bool toRight = move.direction > 0;
            const int32_t dx = (toRight ? c.rightX : c.leftX) - x[i];
            const int32_t dy = (toRight ? c.rightY : c.leftY) - y[i];
            x[i] += dx;
            y[i] += dy;
            reach = std::max({reach, x[i] + kLargestPicture, y[i] + kLargestPicture});
        }
    }
    require(reach <= model::kPlaceLimit + kLargestPicture, "replayed places in bounds");
    // The teacher's check replays them with the rule check.
    const model::SolutionCheck check = model::checkSolution(task);
    require(check.crossings == static_cast<int>(task.moves.size()), "every crossing checked");
}

void checkAccepted(const model::TaskData& task) {
    // What the game copies into fixed buffers and tables must fit them.
    require(task.title.size() < model::kTitleBytes && !hasZero(task.title), "title fits");
    require(task.statement.size() < model::kStatementBytes && !hasZero(task.statement),
            "statement fits");
    require(task.characters.size() <= model::kMaxCharacters, "character table");
    require(task.rules.size() <= model::kMaxRules, "rule table");
    require(task.moves.size() <= model::kMaxMoves, "move list");
    for (const model::CharacterData& c : task.characters) {
        require(c.name.size() <= model::kNameBytes && !hasZero(c.name), "picture name fits");
    }

    // Saving what was read and reading it again gives the same task, and the bytes are
    // stable from then on.
    const std::vector<uint8_t> written = model::encodeTask(task, true);
    const std::optional<model::TaskData> again = model::decodeTask(written);
    require(again.has_value(), "written solution is readable");
    require(sameTask(task, *again), "solution round trip");
    require(model::encodeTask(*again, true) == written, "writer is stable");
    // A solution cut short by a byte is damaged: never read as some other solution.
    require(!model::decodeTask(std::vector<uint8_t>(written.begin(), written.end() - 1)),
            "cut solution is refused");

    // A task file (no moves) reads back with no moves.
    const std::optional<model::TaskData> plain = model::decodeTask(model::encodeTask(task, false));
    require(plain.has_value() && plain->moves.empty(), "task file has no moves");

    // The catalogue shows the title decoded from the file name made from it.
    require(model::decodeTaskFileName(model::taskFileStem(task.title)) == task.title,
            "file name round trip");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    const std::optional<model::TaskData> task = model::decodeTask(bytes);
    if (task) {
        checkAccepted(*task);
        replayMoves(*task);
    }
    return 0;
}
