// How strong each level plays, measured: seeded whole games between two
// levels, the player's side played by a level too and the seats swapped every
// other game, on every core; one line a pairing.
#include "model/Game.h"
#include "model/Layout.h"
#include "model/Shoe.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

// A table that shows nothing and never waits; the cards still get their
// places, since a card is selected by a click on it.
class TSilentTable : public TTable
{
public:
    void PileCardPos(TCard& Card) override { Card.X = Card.Y = 0; }
    void PlayerCardPos(int32_t Slot, TCard& Card) override { PlayerSlotPos(Slot, TableHeight, Card); }
    void CpuCardPos(int32_t Slot, TCard& Card) override { CpuSlotPos(Slot, Card); }
    void DealStarted() override {}
    void StartingCardLaid(const TCard&) override {}
    void StartingPileLaid() override {}
    void ScoringStarted() override {}
    void GameDealt() override {}
    void HandsDealt() override {}
    void HandCardChanged(const TCard&) override {}
    void CardLeftHand(const TCard&, TSide) override {}
    void CardPlayed(const TCard&, TSide) override {}
    void Pause() override {}
    void PileTaken() override {}
    void PileCaptured(TSide, TTake) override {}
    void PileCleared() override {}
    void TurnEnded() override {}
    void Message(const char*) override {}
    int32_t TargetScore() override { return 0; }
};

enum class TOutcome : int8_t { Lost = -1, Drawn = 0, Won = 1 };

struct TPairing
{
    TLevel First;
    TLevel Second;
};

const char* LevelName(TLevel Level)
{
    switch (Level) {
    case TLevel::Easy: return "Easy";
    case TLevel::Normal: return "Normal";
    case TLevel::Hard: return "Hard";
    }
    return "?";
}

// Game Index of a pairing; First sits in the player's seat in the even games.
TOutcome PlayGame(const TPairing& Pairing, uint32_t Index)
{
    const bool FirstLeads = Index % 2 == 0;
    const TLevel PlayerLevel = FirstLeads ? Pairing.First : Pairing.Second;
    TGame Game{};
    Game.FLevel = FirstLeads ? Pairing.Second : Pairing.First;
    TSilentTable Table;
    ReplaySeeds(0x5EED0000u + Index);
    StartGame(Game, Table);
    while (Game.FPlayerHand.Count > 0)
        PlayLevelTurn(Game, Table, PlayerLevel);
    const int32_t Player = PlayerPoints(Game);
    const int32_t Cpu = CpuPoints(Game);
    FreeCards(Game);
    const int32_t FirstMargin = FirstLeads ? Player - Cpu : Cpu - Player;
    return FirstMargin > 0 ? TOutcome::Won : FirstMargin < 0 ? TOutcome::Lost : TOutcome::Drawn;
}

std::vector<TOutcome> PlayPairing(const TPairing& Pairing, uint32_t Games)
{
    std::vector<TOutcome> Outcomes(Games);
    std::atomic<uint32_t> Next{0};
    auto Work = [&] {
        for (uint32_t Index = Next++; Index < Games; Index = Next++)
            Outcomes[Index] = PlayGame(Pairing, Index);
    };
    const unsigned Cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> Threads;
    for (unsigned I = 0; I < Cores; ++I)
        Threads.emplace_back(Work);
    for (std::thread& Thread : Threads)
        Thread.join();
    return Outcomes;
}

// The Wilson score interval at 95%.
void Interval(double Won, double Decided, double& Low, double& High)
{
    constexpr double Z = 1.959964;
    if (Decided <= 0) {
        Low = 0;
        High = 1;
        return;
    }
    const double P = Won / Decided;
    const double Centre = (P + Z * Z / (2 * Decided)) / (1 + Z * Z / Decided);
    const double Half = Z / (1 + Z * Z / Decided) * std::sqrt(P * (1 - P) / Decided + Z * Z / (4 * Decided * Decided));
    Low = Centre - Half;
    High = Centre + Half;
}

void Report(const TPairing& Pairing, const std::vector<TOutcome>& Outcomes)
{
    int Won = 0, Lost = 0, Drawn = 0;
    for (TOutcome Outcome : Outcomes)
        (Outcome == TOutcome::Won ? Won : Outcome == TOutcome::Lost ? Lost : Drawn) += 1;
    const int Decided = Won + Lost;
    double Low = 0, High = 0;
    Interval(Won, Decided, Low, High);
    std::printf("%s vs %s: %d won, %d lost, %d drawn of %zu games; won %.1f%% of decided games "
                "(95%% interval %.1f\u2013%.1f%%)\n",
                LevelName(Pairing.First), LevelName(Pairing.Second), Won, Lost, Drawn, Outcomes.size(),
                Decided > 0 ? 100.0 * Won / Decided : 0.0, 100 * Low, 100 * High);
    std::fflush(stdout);
}

} // namespace

// zento_strength [games a pairing]
int main(int argc, char** argv)
{
    const long Asked = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 4000;
    const uint32_t Games = Asked > 0 ? static_cast<uint32_t>(Asked) : 4000;
    for (const TPairing& Pairing : {TPairing{TLevel::Hard, TLevel::Normal}, TPairing{TLevel::Normal, TLevel::Easy},
                                    TPairing{TLevel::Hard, TLevel::Easy}})
        Report(Pairing, PlayPairing(Pairing, Games));
    return 0;
}
