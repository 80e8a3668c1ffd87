#include "platform/Delay.h"
#include "platform/TestSeams.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

std::optional<int> DelayOverride;
std::function<void(int)> DelayWatcher;

} // namespace

void Delay(uint16_t Seconds, uint16_t Milliseconds)
{
    using namespace std::chrono;
    const milliseconds Asked = seconds(Seconds) + milliseconds(Milliseconds);
    if (DelayWatcher)
        DelayWatcher(int(Asked.count()));
    const milliseconds Interval = DelayOverride ? milliseconds(*DelayOverride) : Asked;
    // A wall clock can jump back, and the pause would then never end.
    const auto Deadline = steady_clock::now() + Interval;
    while (steady_clock::now() < Deadline)
        std::this_thread::sleep_for(std::min<steady_clock::duration>(milliseconds(5), Deadline - steady_clock::now()));
}

void SetDelayOverride(std::optional<int> Milliseconds)
{
    DelayOverride = Milliseconds;
}

void SetDelayWatcher(std::function<void(int Milliseconds)> Watcher)
{
    DelayWatcher = std::move(Watcher);
}
