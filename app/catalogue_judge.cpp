#include "app/catalogue_judge.hpp"

#include <condition_variable>
#include <mutex>

#include "app/task_difficulty.hpp"
#include "app/task_list_box.hpp"
#include "model/task_file.hpp"
#include "model/task_key.hpp"
#include "platform/background.hpp"
#include "platform/class_folder.hpp"
#include "platform/files.hpp"

namespace app {

struct CatalogueJudge::State {
    std::vector<File> files;
    std::mutex guard;
    std::condition_variable changed;
    std::vector<std::pair<std::string, RowFacts>> learnt;
    size_t finished = 0;
    bool stop = false;
};

namespace {

RowFacts judgeFile(const CatalogueJudge::File& file, bool& folderAnswers, CatalogueJudge::State& state) {
    RowFacts facts;
    std::optional<std::vector<uint8_t>> bytes;
    if (!file.slowFolder) {
        bytes = platform::readFile(file.path, model::kMaxTaskFileBytes);
    } else if (folderAnswers) {
        platform::TimedRead read = platform::readFileWithin(file.path, model::kMaxTaskFileBytes,
                                                            TaskListBox::kClassFolderPatienceMs);
        folderAnswers = read.answered;
        bytes = std::move(read.bytes);
    }
    if (!bytes) return facts;
    facts.read = true;
    const std::optional<model::TaskData> task = model::decodeTask(*bytes);
    if (!task) return facts;
    facts.taskKey = model::taskKey(*task);
    const uint64_t key = model::contentKey(*bytes);
    {
        // The cache is the program's: a catalogue closed meanwhile (it may belong to a test
        // that has cleared the cache since) leaves it alone.
        std::lock_guard<std::mutex> lock(state.guard);
        if (state.stop) return facts;
        facts.verdict = knownVerdict(key);
    }
    if (facts.verdict) return facts;
    // Bounded by the work it may take, so no file, however crafted, holds its row for long.
    facts.verdict =
        model::judgeTask(*task, model::SearchBudget::forPositions(model::kInteractiveStateLimit));
    {
        std::lock_guard<std::mutex> lock(state.guard);
        if (!state.stop) rememberVerdict(key, *facts.verdict);
    }
    return facts;
}

void judgeAll(const std::shared_ptr<CatalogueJudge::State>& state) {
    bool classAnswers = true;
    for (size_t i = 0; i < state->files.size(); ++i) {
        {
            std::lock_guard<std::mutex> lock(state->guard);
            if (state->stop) return;
        }
        RowFacts facts = judgeFile(state->files[i], classAnswers, *state);
        std::lock_guard<std::mutex> lock(state->guard);
        state->learnt.emplace_back(state->files[i].path, std::move(facts));
        ++state->finished;
        state->changed.notify_all();
    }
}

}  // namespace

CatalogueJudge::CatalogueJudge(std::vector<File> files) : state_(std::make_shared<State>()) {
    state_->files = std::move(files);
    platform::startBackgroundJob([state = state_] { judgeAll(state); });
}

CatalogueJudge::~CatalogueJudge() {
    std::lock_guard<std::mutex> lock(state_->guard);
    state_->stop = true;
}

std::vector<std::pair<std::string, RowFacts>> CatalogueJudge::take() {
    std::lock_guard<std::mutex> lock(state_->guard);
    return std::exchange(state_->learnt, {});
}

bool CatalogueJudge::done() const {
    std::lock_guard<std::mutex> lock(state_->guard);
    return state_->finished == state_->files.size();
}

void CatalogueJudge::waitUntilDone() {
    std::unique_lock<std::mutex> lock(state_->guard);
    state_->changed.wait(lock, [&] { return state_->finished == state_->files.size(); });
}

}  // namespace app
