#include "platform/pupil_files.hpp"

#ifndef _WIN32
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <thread>

namespace platform {

namespace {

struct Worker {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::function<void()>> jobs;
    uint64_t queued = 0, done = 0;
    bool running = false;
};

// Never destroyed: a job hanging on a dead network folder may still be running when the
// program ends, and its thread must not find the worker gone.
Worker& worker() {
    static Worker* w = new Worker;
    return *w;
}

void work() {
    Worker& w = worker();
    std::unique_lock lock(w.mutex);
    while (true) {
        w.changed.wait(lock, [&] { return !w.jobs.empty(); });
        std::function<void()> job = std::move(w.jobs.front());
        w.jobs.pop_front();
        lock.unlock();
        job();
        lock.lock();
        ++w.done;
        w.changed.notify_all();
    }
}

}  // namespace

#ifndef _WIN32  // Windows: platform/windows/pupil_system.cpp
std::string accountName() {
    if (const passwd* entry = ::getpwuid(::getuid())) {
        std::string full = entry->pw_gecos != nullptr ? entry->pw_gecos : "";
        full = full.substr(0, full.find(','));
        if (full.find_first_not_of(' ') != std::string::npos) return full;
        if (entry->pw_name != nullptr && *entry->pw_name != '\0') return entry->pw_name;
    }
    const char* user = std::getenv("USER");
    return user != nullptr ? user : "";
}

std::string computerName() {
    char name[256] = "";
    if (::gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

bool appendToFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok && !bytes.empty()) {
        ssize_t written;
        do {
            written = ::write(fd, bytes.data(), bytes.size());
        } while (written < 0 && errno == EINTR);
        ok = written == static_cast<ssize_t>(bytes.size());
    }
    ok = ::close(fd) == 0 && ok;
    return ok;
}
#endif

void runInBackground(std::function<void()> job) {
    Worker& w = worker();
    std::lock_guard lock(w.mutex);
    if (!w.running) {
        std::thread(work).detach();
        w.running = true;
    }
    w.jobs.push_back(std::move(job));
    ++w.queued;
    w.changed.notify_all();
}

bool waitForBackground(int timeoutMs) {
    Worker& w = worker();
    std::unique_lock lock(w.mutex);
    const uint64_t target = w.queued;
    return w.changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return w.done >= target; });
}

}  // namespace platform
