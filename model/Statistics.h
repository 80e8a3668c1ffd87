// The player's record at each level, the rules by which a game counts in it,
// and its text form, in keys that no language changes.
#pragma once
#include "model/Game.h"
#include "model/Sight.h"

#include <QByteArray>

#include <array>
#include <cstdint>

struct TLevelStatistics
{
    int64_t Played = 0;  // games that ended: won, lost or drawn
    int64_t Won = 0;
    int64_t Lost = 0;
    int64_t Drawn = 0;
    int64_t GivenUp = 0;  // left for a new game or tournament before their end
    int64_t PointsTaken = 0;
    int64_t PointsGiven = 0;
    int64_t MarksMade = 0;
    int64_t MarksSuffered = 0;
    int64_t LongestStreak = 0;
    int64_t CurrentStreak = 0;
    int64_t ToursPlayed = 0;
    int64_t ToursWon = 0;
    int64_t HighestTargetWon = 0;
    bool operator==(const TLevelStatistics&) const = default;
};

// Indexed by TLevel.
struct TStatistics
{
    std::array<TLevelStatistics, 3> Levels{};
    bool operator==(const TStatistics&) const = default;
};

TLevelStatistics& AtLevel(TStatistics& Statistics, TLevel Level);
const TLevelStatistics& AtLevel(const TStatistics& Statistics, TLevel Level);

// One game's own points and marks, apart from the tournament's earlier games.
struct TGameResult
{
    TLevel Level = TLevel::Normal;
    int32_t Taken = 0;
    int32_t Given = 0;
    int32_t MarksMade = 0;
    int32_t MarksSuffered = 0;
};

// The game just ended, from both sides' captured cards; the end of a game
// has already given the pile's last cards to the last taker.
TGameResult ResultOf(const TGame& Game);

// A won game lengthens the streak; a loss, a draw and a game given up end it.
void CountGame(TStatistics& Statistics, const TGameResult& Result);
void CountGivenUp(TStatistics& Statistics, TLevel Level);
void CountTournament(TStatistics& Statistics, TLevel Level, TTourOutcome Outcome, int32_t Target);

// "Normal.Won=3" lines under a first line naming the format. Reading is
// strict: a key it does not know, a number that is not one, or a negative
// count make the whole text damaged (false); a missing key is 0.
QByteArray StatisticsText(const TStatistics& Statistics);
bool ReadStatistics(const QByteArray& Text, TStatistics& Statistics);
