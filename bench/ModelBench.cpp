// Costs of the card model's hot paths: drawing a card, shuffling, scoring, the
// computer's choice.
#include "model/Card.h"
#include "model/HardPlayer.h"
#include "model/Shoe.h"
#include "model/ZentoStack.h"
#include "platform/Canvas.h"

#include <QImage>

#include <algorithm>
#include <iterator>

#include <benchmark/benchmark.h>

namespace {

void BM_DrawCard(benchmark::State& State)
{
    QImage Image(299, 378, QImage::Format_RGB32);
    Image.fill(Qt::darkGreen);
    TCanvas Canvas(Image);
    const CardFace Face = static_cast<CardFace>(State.range(0));
    TCard Card{2, 12, Face, 114, 107};
    for (auto _ : State) {
        DrawCard(Card, Canvas);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawCard)->Arg(cfFaceUp)->Arg(cfBack)->Arg(cfSelected);

// The same on a high-density screen: four times the pixels a card.
void BM_DrawCardTwiceDense(benchmark::State& State)
{
    QImage Image = CreateSurface(QSize(299, 378), 2);
    Image.fill(Qt::darkGreen);
    TCanvas Canvas(Image);
    const CardFace Face = static_cast<CardFace>(State.range(0));
    TCard Card{2, 12, Face, 114, 107};
    DrawCard(Card, Canvas);  // the pictures for this density are made on first use
    for (auto _ : State) {
        DrawCard(Card, Canvas);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawCardTwiceDense)->Arg(cfFaceUp)->Arg(cfBack)->Arg(cfSelected);

void BM_ShuffleStack52(benchmark::State& State)
{
    TCardStack Shoe{};
    BuildShoe(Shoe, 1, AllRanks);
    for (auto _ : State) {
        ShuffleStack(Shoe);
        benchmark::DoNotOptimize(Shoe.Top);
    }
    ClearStack(Shoe);
}
BENCHMARK(BM_ShuffleStack52);

void BM_ScorePile52(benchmark::State& State)
{
    TCardStack Deck{};
    BuildShoe(Deck, 1, AllRanks);
    for (auto _ : State)
        benchmark::DoNotOptimize(ScorePile(Deck));
    ClearStack(Deck);
}
BENCHMARK(BM_ScorePile52);

void BM_ChooseCpuCard(benchmark::State& State)
{
    TCpuHand Hand{};
    InitCpuHand(Hand, 4);
    const TCard Cards[4] = {{1, 5, cfBack, 3, 3}, {2, 9, cfBack, 77, 3}, {3, 11, cfBack, 151, 3}, {4, 4, cfBack, 225, 3}};
    const TCard Top{1, 7, cfFaceUp, 120, 120};
    Hand.Seen[4] = 2;
    Hand.Seen[8] = 2;
    TCard Chosen{};
    for (auto _ : State) {
        Hand.Count = 0;
        for (const TCard& Card : Cards)
            AddCard(Hand, Card);
        ChooseCpuCard(Hand, false, Top, Chosen);
        benchmark::DoNotOptimize(Chosen);
    }
    FreeHand(Hand);
}
BENCHMARK(BM_ChooseCpuCard);

// The hard computer's answer to the game's first card, the move with the
// whole game still to play out; each iteration with another seed.
void BM_HardMove(benchmark::State& State)
{
    TSight Sight{};
    const TCard Hand[MaxHeld] = {
        {1, 5, cfBack, 0, 0}, {2, 9, cfBack, 0, 0}, {3, 11, cfBack, 0, 0}, {4, 4, cfBack, 0, 0}};
    const TCard Pile[] = {{1, 7, cfFaceUp, 0, 0}, {3, 1, cfFaceUp, 0, 0}, {4, 12, cfFaceUp, 0, 0},
                          {2, 13, cfFaceUp, 0, 0}, {4, 6, cfFaceUp, 0, 0}};
    std::copy(std::begin(Hand), std::end(Hand), Sight.Hand);
    Sight.HandCount = MaxHeld;
    for (const TCard& Card : Pile)
        Sight.Gone |= uint64_t{1} << CardId(Card.Suit, Card.Rank);
    Sight.PileTop = Pile[std::size(Pile) - 1];
    Sight.PileCount = static_cast<int32_t>(std::size(Pile));
    Sight.PilePoints = 1;
    Sight.OtherHeld = MaxHeld - 1;
    Sight.ShoeCount = 40;
    uint32_t Seed = 1;
    for (auto _ : State)
        benchmark::DoNotOptimize(ChooseHardCard(Sight, Seed++));
}
BENCHMARK(BM_HardMove)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    CardStartup();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    CardShutdown();
    return 0;
}
