// What a pupil's results in the class folder need from the system: who is logged in,
// which computer this is, appending a line to a file, and doing such slow work off the
// screen's thread (a network folder may hang for minutes).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// The account's full name where the system has one (the first field of its GECOS
// entry), else its login name; UTF-8. Empty when neither is known.
std::string accountName();
// This computer's host name, or empty.
std::string computerName();

// Appends the bytes with one write to an existing regular file opened for appending, so
// lines written by several programs at once never mix. False when the file is missing,
// is not a regular file, or the write was short.
bool appendToFile(const std::string& path, const std::vector<uint8_t>& bytes);

// Runs the jobs one after another, in order, on a thread of their own; a job that hangs
// holds up only the jobs queued after it.
void runInBackground(std::function<void()> job);
// Waits until every job queued so far has run; false when that takes longer than
// timeoutMs (of the real clock). Tests, scripts and the end of the program use it.
bool waitForBackground(int timeoutMs);

}  // namespace platform
