// Counts won games into the statistics file of a folder, as a running copy of
// the game does at each game's end: statistics_counter FOLDER GAMES.
#include "forms/StatisticsFile.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    TStatisticsFile File(QString::fromLocal8Bit(argv[1]));
    const int Games = std::atoi(argv[2]);
    for (int Game = 0; Game < Games; ++Game)
        if (!File.Count([](TStatistics& Statistics) { CountGame(Statistics, {TLevel::Normal, 1, 0, 0, 0}); })) {
            std::fprintf(stderr, "game %d not counted\n", Game);
            return 1;
        }
    return 0;
}
