// The pause that keeps a played card in sight. It serves no events on purpose:
// clicks made during a turn wait until the turn is over.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>

// Waits without serving any event. Tests may shorten every pause of the
// program; the program itself always waits the time asked.
void Delay(uint16_t Seconds, uint16_t Milliseconds);
void SetDelayOverride(std::optional<int> Milliseconds);
// Tells a watcher the length of every pause asked for, before it is waited.
void SetDelayWatcher(std::function<void(int Milliseconds)> Watcher);
