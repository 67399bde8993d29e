// The pupil's wins recorded in the class folder for the teacher: each pupil writes a file
// of their own in the class folder's results/ folder, named after this computer and an
// id kept with the pupil's progress, so no two computers or accounts ever write the same
// file. The writing happens off the screen's thread: a network folder may hang.
#pragma once

#include <optional>
#include <string>

#include "model/task_data.hpp"

namespace puzzle {

// Whose wins these are, kept in pupil.txt beside the pupil's progress.
struct Pupil {
    std::string name;        // UTF-8; the account's name until the pupil confirms one
    std::string id;          // 16 hexadecimal digits, made once
    bool confirmed = false;  // the pupil has seen the name and accepted or corrected it
};

// Made (and saved) with the account's name and a fresh id the first time.
Pupil loadPupil();
// A class folder is set and the pupil has not yet been asked for their name.
bool pupilNameWanted();
// The pupil's own name from now on; an empty name keeps the account's.
void confirmPupilName(const std::string& utf8);

// The results file's name in results/ for this computer (its host name, kept to letters
// safe on any shared folder) and pupil; `attempt` > 0 picks another name when a file of
// that name is not ours.
std::string resultsFileName(const std::string& computer, const std::string& id, int attempt);

// Queues the win for the class folder's results; nothing when no class folder is set.
void recordClassWin(const model::TaskData& task, int crossings, std::optional<int> shortest, int hints);

}  // namespace puzzle
