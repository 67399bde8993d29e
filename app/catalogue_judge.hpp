// What the catalogue learns about each listed file (can it be read, which task it holds,
// the task's verdict), found away from the screen's thread: the rows fill in as they are
// known, and a class folder that stops answering or a task that takes long to judge never
// holds a frame.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/task_verdict.hpp"

namespace app {

struct RowFacts {
    bool read = false;                // the file answered and could be read
    std::optional<uint64_t> taskKey;  // it holds a task
    std::optional<model::TaskVerdict> verdict;
};

class CatalogueJudge {
public:
    struct File {
        std::string path;
        // On the class folder, which may stop answering: each access is bounded in time, and
        // after one that got no answer the rest of the folder is not waited on.
        bool slowFolder = false;
    };
    // Starts on the files at once, in the order given.
    explicit CatalogueJudge(std::vector<File> files);
    // Lets the work end; never waits on a file that does not answer.
    ~CatalogueJudge();
    CatalogueJudge(const CatalogueJudge&) = delete;
    CatalogueJudge& operator=(const CatalogueJudge&) = delete;

    // (path, facts) of the files learnt about since the last call.
    std::vector<std::pair<std::string, RowFacts>> take();
    // Every file is known.
    bool done() const;
    // Waits until every file is known (scripts and tests, for a picture that does not depend
    // on the machine's speed); the bounds on the class folder hold here too.
    void waitUntilDone();

    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace app
