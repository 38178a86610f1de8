// Progress on stderr for conversions that take more than a moment: a stage that is still
// running after a second is announced, and again every few seconds while it lasts.
// Quick conversions print nothing.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace convert {

class Progress {
public:
    explicit Progress(std::string program);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void Stage(const std::string& what);
    // Seconds since construction.
    double Elapsed() const;

private:
    void Watch();

    using Clock = std::chrono::steady_clock;
    std::string program;
    Clock::time_point start = Clock::now();
    std::mutex mutex;
    std::condition_variable wake;
    std::string stage;
    Clock::time_point stageStart = start;
    Clock::time_point lastReport{};
    bool stop = false;
    std::thread watcher;
};

} // namespace convert
