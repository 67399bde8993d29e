// Task and solution files: a pure conversion between bytes and TaskData.
// Layout (little-endian): magic string "PA*GPFF*0.99*", title, statement, boat word,
// character count and entries, rule count and entries, and for solutions the move count
// and moves. Strings are a 4-byte length and that many bytes, no terminator.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/task_data.hpp"

namespace model {

constexpr size_t kMaxTaskFileBytes = 16 * 1024 * 1024;

// A file name holds 255 bytes. "_", two hexadecimal digits a title byte, " - 99" and
// ".dat" leave room for 122 title bytes: every title the editor takes can be saved and
// numbered, and so found again.
constexpr int kMaxFileNameBytes = 255;
constexpr int kSavableTitleBytes = (kMaxFileNameBytes - 1 - 5 - 4) / 2;

// withMoves: append the move count and moves (solution files). Only what the file can
// hold is written: ask solutionFits first.
std::vector<uint8_t> encodeTask(const TaskData& task, bool withMoves);
// The moves fit a solution file: at most kMaxMoves, no passenger past kFileMaskBits - 1.
bool solutionFits(const TaskData& task);

// Nothing when the magic is wrong, a count is out of bounds (negative, more than 128
// characters or 256 rules) or the file is damaged: it must end right after its rules (a
// task) or after all of its moves (a solution), and no length or count may run past its
// end. Bytes after the last move are ignored. Places are held within ±kPlaceLimit.
// Over-long strings are cut to their buffers. Moves beyond 256 are dropped.
std::optional<TaskData> decodeTask(const std::vector<uint8_t>& bytes);

// "_" + two lowercase hex digits per title byte; number 0 means no " - N" part.
std::string taskFileStem(const std::string& title);
std::string taskFileName(const std::string& title, int number);
// The title shown for a file stem, as the catalogue decodes it.
std::string decodeTaskFileName(const std::string& stem);

}  // namespace model
