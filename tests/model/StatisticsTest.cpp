#include "model/Statistics.h"

#include "model/Shoe.h"
#include "tests/support/FakeTable.h"

#include <gtest/gtest.h>

namespace {

TGameResult Result(TLevel Level, int32_t Taken, int32_t Given, int32_t MarksMade = 0, int32_t MarksSuffered = 0)
{
    return {Level, Taken, Given, MarksMade, MarksSuffered};
}

// A record with a different number in every field, so that a field read or
// written in another's place shows.
TStatistics Numbered()
{
    TStatistics Statistics;
    int64_t Next = 1;
    for (TLevelStatistics& Level : Statistics.Levels)
        for (int64_t* Field : {&Level.Played, &Level.Won, &Level.Lost, &Level.Drawn, &Level.GivenUp,
                               &Level.PointsTaken, &Level.PointsGiven, &Level.MarksMade, &Level.MarksSuffered,
                               &Level.LongestStreak, &Level.CurrentStreak, &Level.ToursPlayed, &Level.ToursWon,
                               &Level.HighestTargetWon})
            *Field = Next++ * 1000003;
    return Statistics;
}

} // namespace

// Won, lost and drawn by the game's own points; the streak grows with each
// win and ends with anything else, a game given up too; each level apart.
TEST(CountGame, SortsEachGameAndKeepsTheStreaksPerLevel)
{
    TStatistics Statistics;
    const TGameResult Games[] = {Result(TLevel::Hard, 20, 9, 1, 0), Result(TLevel::Hard, 17, 16),
                                 Result(TLevel::Hard, 6, 30, 0, 2), Result(TLevel::Hard, 12, 11),
                                 Result(TLevel::Hard, 14, 3),       Result(TLevel::Hard, 25, 4, 1, 1),
                                 Result(TLevel::Hard, 8, 8)};
    for (const TGameResult& Game : Games)
        CountGame(Statistics, Game);
    const TLevelStatistics& Hard = AtLevel(Statistics, TLevel::Hard);
    EXPECT_EQ(Hard.Played, 7);
    EXPECT_EQ(Hard.Won, 5);
    EXPECT_EQ(Hard.Lost, 1);
    EXPECT_EQ(Hard.Drawn, 1);
    EXPECT_EQ(Hard.PointsTaken, 102);
    EXPECT_EQ(Hard.PointsGiven, 81);
    EXPECT_EQ(Hard.MarksMade, 2);
    EXPECT_EQ(Hard.MarksSuffered, 3);
    EXPECT_EQ(Hard.LongestStreak, 3);
    EXPECT_EQ(Hard.CurrentStreak, 0);
    EXPECT_EQ(AtLevel(Statistics, TLevel::Normal), TLevelStatistics{});
    EXPECT_EQ(AtLevel(Statistics, TLevel::Easy), TLevelStatistics{});

    CountGame(Statistics, Result(TLevel::Easy, 20, 3));
    CountGame(Statistics, Result(TLevel::Easy, 20, 3));
    CountGivenUp(Statistics, TLevel::Easy);
    CountGame(Statistics, Result(TLevel::Easy, 20, 3));
    const TLevelStatistics& Easy = AtLevel(Statistics, TLevel::Easy);
    EXPECT_EQ(Easy.GivenUp, 1);
    EXPECT_EQ(Easy.Played, 3) << "a game given up is no game played";
    EXPECT_EQ(Easy.Lost, 0) << "nor a loss";
    EXPECT_EQ(Easy.LongestStreak, 2);
    EXPECT_EQ(Easy.CurrentStreak, 1);
}

TEST(CountTournament, CountsOnlyADecisionAndKeepsTheHighestTargetWon)
{
    TStatistics Statistics;
    CountTournament(Statistics, TLevel::Normal, TTourOutcome::GoesOn, 501);
    EXPECT_EQ(Statistics, TStatistics{});
    CountTournament(Statistics, TLevel::Normal, TTourOutcome::PlayerWon, 301);
    CountTournament(Statistics, TLevel::Normal, TTourOutcome::ComputerWon, 1001);
    CountTournament(Statistics, TLevel::Normal, TTourOutcome::PlayerWon, 101);
    const TLevelStatistics& Normal = AtLevel(Statistics, TLevel::Normal);
    EXPECT_EQ(Normal.ToursPlayed, 3);
    EXPECT_EQ(Normal.ToursWon, 2);
    EXPECT_EQ(Normal.HighestTargetWon, 301);
    EXPECT_EQ(Normal.Played, 0) << "the games of a tournament count as they end";
}

// Whole seeded games: the points of both sides make the game's 13 card
// points, the majority's 3 when a side has it, and 10 for every mark.
TEST(ResultOf, SharesTheGamesPointsAndMarksBetweenTheSides)
{
    TFakeTable Table;
    Table.Recording = false;
    TGame Game{};
    int32_t MarksSeen = 0;
    for (int Seed = 1; Seed <= 20; ++Seed) {
        SCOPED_TRACE(Seed);
        ReplaySeeds(uint32_t(Seed));
        Game.FLevel = TLevel::Easy;
        StartGame(Game, Table);
        EXPECT_TRUE(GameInProgress(Game));
        while (GameInProgress(Game))
            PlayLevelTurn(Game, Table, TLevel::Normal);
        const TGameResult Result = ResultOf(Game);
        EXPECT_EQ(Result.Level, TLevel::Easy);
        EXPECT_EQ(Result.Taken, PlayerPoints(Game));
        EXPECT_EQ(Result.Given, CpuPoints(Game));
        const bool Majority = Game.FPlayerTricks.Count >= 27 || Game.FCpuTricks.Count >= 27;
        EXPECT_EQ(Result.Taken + Result.Given, 13 + (Majority ? 3 : 0) + 10 * (Result.MarksMade + Result.MarksSuffered));
        MarksSeen += Result.MarksMade + Result.MarksSuffered;
    }
    ClockSeeds();
    EXPECT_GT(MarksSeen, 0) << "the seeds should bring marks";
    FreeCards(Game);
}

TEST(StatisticsText, ReadsBackEveryFieldOfEveryLevel)
{
    const TStatistics Written = Numbered();
    TStatistics Read;
    ASSERT_TRUE(ReadStatistics(StatisticsText(Written), Read));
    EXPECT_EQ(Read, Written);
    EXPECT_TRUE(StatisticsText(Written).contains("\nHard.HighestTargetWon="));
    EXPECT_TRUE(StatisticsText(Written).startsWith("ZentoStatistics=1\nNormal.Played="));
}

// Anything but the program's own lines is damaged and changes nothing; a
// key left out is zero.
TEST(StatisticsText, IsDamagedByAnyLineItDoesNotKnow)
{
    const QByteArray Damaged[] = {
        "",
        "ZentoStatistics=2\nNormal.Won=1\n",
        "Normal.Won=1\n",
        "ZentoStatistics=1\nNormal.Won=one\n",
        "ZentoStatistics=1\nNormal.Won=-1\n",
        "ZentoStatistics=1\nNormal.Won\n",
        "ZentoStatistics=1\nNormal.Wins=1\n",
        "ZentoStatistics=1\nExpert.Won=1\n",
        "ZentoStatistics=1\nWon=1\n",
        "ZentoStatistics=1\nNormal.Won=99999999999999999999\n",
        QByteArray("ZentoStatistics=1\nNormal.Won=1\0\n", 33),
    };
    for (const QByteArray& Text : Damaged) {
        SCOPED_TRACE(Text.toStdString());
        TStatistics Statistics = Numbered();
        EXPECT_FALSE(ReadStatistics(Text, Statistics));
        EXPECT_EQ(Statistics, Numbered());
    }
    TStatistics Statistics = Numbered();
    ASSERT_TRUE(ReadStatistics("ZentoStatistics=1\nEasy.Won=4\n\nHard.ToursWon=2", Statistics));
    TStatistics Expected;
    AtLevel(Expected, TLevel::Easy).Won = 4;
    AtLevel(Expected, TLevel::Hard).ToursWon = 2;
    EXPECT_EQ(Statistics, Expected);
}
