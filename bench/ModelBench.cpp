// Costs of the card model's hot paths: drawing a card, shuffling, scoring, the
// computer's choice.
#include "model/Card.h"
#include "model/Shoe.h"
#include "model/ZentoStack.h"
#include "platform/Canvas.h"

#include <QImage>

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
