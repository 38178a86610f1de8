#include "convert/Progress.h"

#include <cstdio>

namespace convert {

namespace {

constexpr std::chrono::milliseconds FirstReport{1000};
constexpr std::chrono::milliseconds Repeat{5000};

} // namespace

Progress::Progress(std::string program) : program(std::move(program)), watcher([this] { Watch(); }) {}

Progress::~Progress()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        stop = true;
    }
    wake.notify_all();
    watcher.join();
}

void Progress::Stage(const std::string& what)
{
    std::lock_guard<std::mutex> lock(mutex);
    stage = what;
    stageStart = Clock::now();
    lastReport = {};
}

double Progress::Elapsed() const
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void Progress::Watch()
{
    std::unique_lock<std::mutex> lock(mutex);
    while (!stop) {
        wake.wait_for(lock, std::chrono::milliseconds(100));
        if (stop || stage.empty())
            continue;
        Clock::time_point now = Clock::now();
        bool first = lastReport == Clock::time_point{};
        if ((first && now - stageStart >= FirstReport) || (!first && now - lastReport >= Repeat)) {
            std::fprintf(stderr, "%s: %s... (%.0f s)\n", program.c_str(), stage.c_str(),
                         std::chrono::duration<double>(now - start).count());
            lastReport = now;
        }
    }
}

} // namespace convert
