#include "model/Statistics.h"

#include "model/ZentoStack.h"

#include <QList>

#include <algorithm>
#include <iterator>

namespace {

const QByteArray FirstLine = QByteArrayLiteral("ZentoStatistics=1");
// The stored names of the levels, in the order of TLevel; never translated.
constexpr const char* LevelNames[3] = {"Normal", "Easy", "Hard"};

struct TField
{
    const char* Name;
    int64_t TLevelStatistics::*Value;
};

constexpr TField Fields[] = {
    {"Played", &TLevelStatistics::Played},
    {"Won", &TLevelStatistics::Won},
    {"Lost", &TLevelStatistics::Lost},
    {"Drawn", &TLevelStatistics::Drawn},
    {"GivenUp", &TLevelStatistics::GivenUp},
    {"PointsTaken", &TLevelStatistics::PointsTaken},
    {"PointsGiven", &TLevelStatistics::PointsGiven},
    {"MarksMade", &TLevelStatistics::MarksMade},
    {"MarksSuffered", &TLevelStatistics::MarksSuffered},
    {"LongestStreak", &TLevelStatistics::LongestStreak},
    {"CurrentStreak", &TLevelStatistics::CurrentStreak},
    {"ToursPlayed", &TLevelStatistics::ToursPlayed},
    {"ToursWon", &TLevelStatistics::ToursWon},
    {"HighestTargetWon", &TLevelStatistics::HighestTargetWon},
};

int32_t MarksIn(const TCardStack& Tricks)
{
    int32_t Marks = 0;
    for (const TCardNode* Node = Tricks.Top; Node; Node = Node->Next)
        Marks += Node->Item.Face == cfBack;
    return Marks;
}

// The field a stored key names, or none.
int64_t* FieldOf(TStatistics& Statistics, const QByteArray& Key)
{
    const qsizetype Dot = Key.indexOf('.');
    if (Dot < 0)
        return nullptr;
    const QByteArray Level = Key.left(Dot);
    const QByteArray Name = Key.mid(Dot + 1);
    const auto LevelAt = std::find_if(std::begin(LevelNames), std::end(LevelNames),
                                      [&Level](const char* Known) { return Level == Known; });
    const auto FieldAt = std::find_if(std::begin(Fields), std::end(Fields),
                                      [&Name](const TField& Field) { return Name == Field.Name; });
    if (LevelAt == std::end(LevelNames) || FieldAt == std::end(Fields))
        return nullptr;
    return &(Statistics.Levels[size_t(LevelAt - std::begin(LevelNames))].*(FieldAt->Value));
}

bool ReadLine(const QByteArray& Line, TStatistics& Statistics)
{
    const qsizetype Equals = Line.indexOf('=');
    if (Equals < 0)
        return false;
    int64_t* Field = FieldOf(Statistics, Line.left(Equals));
    bool Number = false;
    const qlonglong Value = Line.mid(Equals + 1).toLongLong(&Number);
    if (!Field || !Number || Value < 0)
        return false;
    *Field = Value;
    return true;
}

} // namespace

TLevelStatistics& AtLevel(TStatistics& Statistics, TLevel Level)
{
    return Statistics.Levels[std::min<size_t>(size_t(Level), Statistics.Levels.size() - 1)];
}

const TLevelStatistics& AtLevel(const TStatistics& Statistics, TLevel Level)
{
    return Statistics.Levels[std::min<size_t>(size_t(Level), Statistics.Levels.size() - 1)];
}

TGameResult ResultOf(const TGame& Game)
{
    return {Game.FLevel, ScorePile(Game.FPlayerTricks), ScorePile(Game.FCpuTricks), MarksIn(Game.FPlayerTricks),
            MarksIn(Game.FCpuTricks)};
}

void CountGame(TStatistics& Statistics, const TGameResult& Result)
{
    TLevelStatistics& Level = AtLevel(Statistics, Result.Level);
    ++Level.Played;
    Level.PointsTaken += Result.Taken;
    Level.PointsGiven += Result.Given;
    Level.MarksMade += Result.MarksMade;
    Level.MarksSuffered += Result.MarksSuffered;
    if (Result.Taken > Result.Given) {
        ++Level.Won;
        Level.LongestStreak = std::max(Level.LongestStreak, ++Level.CurrentStreak);
        return;
    }
    ++(Result.Taken < Result.Given ? Level.Lost : Level.Drawn);
    Level.CurrentStreak = 0;
}

void CountGivenUp(TStatistics& Statistics, TLevel Level)
{
    TLevelStatistics& At = AtLevel(Statistics, Level);
    ++At.GivenUp;
    At.CurrentStreak = 0;
}

void CountTournament(TStatistics& Statistics, TLevel Level, TTourOutcome Outcome, int32_t Target)
{
    if (Outcome == TTourOutcome::GoesOn)
        return;
    TLevelStatistics& At = AtLevel(Statistics, Level);
    ++At.ToursPlayed;
    if (Outcome != TTourOutcome::PlayerWon)
        return;
    ++At.ToursWon;
    At.HighestTargetWon = std::max<int64_t>(At.HighestTargetWon, Target);
}

QByteArray StatisticsText(const TStatistics& Statistics)
{
    QByteArray Text = FirstLine + '\n';
    for (size_t Level = 0; Level < Statistics.Levels.size(); ++Level)
        for (const TField& Field : Fields)
            Text += QByteArray(LevelNames[Level]) + '.' + Field.Name + '=' +
                    QByteArray::number(qlonglong(Statistics.Levels[Level].*(Field.Value))) + '\n';
    return Text;
}

bool ReadStatistics(const QByteArray& Text, TStatistics& Statistics)
{
    QList<QByteArray> Lines = Text.split('\n');
    if (Lines.isEmpty() || Lines.first() != FirstLine)
        return false;
    TStatistics Read;
    for (qsizetype Index = 1; Index < Lines.size(); ++Index)
        if (!Lines[Index].isEmpty() && !ReadLine(Lines[Index], Read))
            return false;
    Statistics = Read;
    return true;
}
