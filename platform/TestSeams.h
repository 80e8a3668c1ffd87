// The seams the tests and benchmarks reach the program through; the program
// itself never calls them. Each one replaces what would otherwise need a
// person at the screen or a clock to wait for.
#pragma once
#include <QString>

#include <functional>
#include <optional>

// Pauses (Delay): every pause shortened to Milliseconds; no value waits the
// time asked again.
void SetDelayOverride(std::optional<int> Milliseconds);
// Tells a watcher the length of every pause asked for, before it is waited.
void SetDelayWatcher(std::function<void(int Milliseconds)> Watcher);

// Message boxes (ShowMessageBox): the text goes to Handler instead of a modal
// box waiting for a click; an empty handler brings the box back.
void SetMessageBoxHandler(std::function<void(const QString&)> Handler);
// Questions (AskQuestion): Handler answers in the player's place.
void SetQuestionHandler(std::function<bool(const QString&)> Handler);

// The application's components: forgets every registered window, so that a
// test's windows do not stay in the next test's paths.
void ClearApplicationComponents();
