#include "platform/Delay.h"
#include "platform/TestSeams.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

std::optional<int> DelayOverride;
std::function<void(int)> DelayWatcher;

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// With no application, or once it is quitting, there is nothing to serve.
void SleepUntil(steady_clock::time_point Deadline)
{
    while (steady_clock::now() < Deadline)
        std::this_thread::sleep_for(std::min<steady_clock::duration>(milliseconds(5), Deadline - steady_clock::now()));
}

} // namespace

void Delay(uint16_t Seconds, uint16_t Milliseconds)
{
    const milliseconds Asked = std::chrono::seconds(Seconds) + milliseconds(Milliseconds);
    if (DelayWatcher)
        DelayWatcher(int(Asked.count()));
    const milliseconds Interval = DelayOverride ? milliseconds(*DelayOverride) : Asked;
    // A wall clock can jump back, and the pause would then never end.
    const auto Deadline = steady_clock::now() + Interval;
    if (!QCoreApplication::instance()) {
        SleepUntil(Deadline);
        return;
    }
    // Served once even when no time is left, so what arrived before the pause is answered.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    while (steady_clock::now() < Deadline) {
        const auto Left = std::chrono::ceil<milliseconds>(Deadline - steady_clock::now());
        QEventLoop Loop;
        QTimer::singleShot(Left, Qt::PreciseTimer, &Loop, &QEventLoop::quit);
        // A loop refuses to run once the application is quitting.
        if (Loop.exec(QEventLoop::ExcludeUserInputEvents) != 0) {
            SleepUntil(Deadline);
            return;
        }
    }
}

void SetDelayOverride(std::optional<int> Milliseconds)
{
    DelayOverride = Milliseconds;
}

void SetDelayWatcher(std::function<void(int Milliseconds)> Watcher)
{
    DelayWatcher = std::move(Watcher);
}
