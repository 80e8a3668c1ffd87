// A whole game's logic with a table that draws nothing and never pauses, and
// the table window's own drawing and turns.
#include "forms/Main.h"
#include "model/Game.h"
#include "model/Layout.h"
#include "platform/Controls.h"
#include "platform/Delay.h"
#include "platform/TestSeams.h"
#include "tests/support/FakeTable.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

namespace {

void PlayOut(TGame& Game, TTable& Table)
{
    while (Game.FPlayerHand.Count > 0) {
        const TCard& Card = Game.FPlayerHand.Items[0];
        SelectAt(Game, Table, Card.X + 1, Card.Y + 1);
        PlayTurn(Game, Table);
    }
}

void BM_WholeGameLogic(benchmark::State& State)
{
    TGame Game{};
    TFakeTable Table;
    Table.Recording = false;
    for (auto _ : State) {
        StartGame(Game, Table);
        PlayOut(Game, Table);
        benchmark::DoNotOptimize(PlayerPoints(Game) + CpuPoints(Game));
    }
    FreeCards(Game);
}
BENCHMARK(BM_WholeGameLogic)->Unit(benchmark::kMicrosecond);

void BM_DrawTable(benchmark::State& State)
{
    TfrmMain Main;
    Main.menuNewGameClick();
    QImage Image(TableWidth, TableHeight, QImage::Format_RGB32);
    TCanvas Canvas(Image);
    for (auto _ : State) {
        Main.DrawTable(Canvas);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawTable)->Unit(benchmark::kMicrosecond);

// The table window moved to a screen of two device pixels to the unit.
void BM_DrawTableTwiceDense(benchmark::State& State)
{
    TfrmMain Main;
    Main.PixelRatioChanged(2);
    Main.menuNewGameClick();
    QImage Image = CreateSurface(QSize(TableWidth, TableHeight), 2);
    TCanvas Canvas(Image);
    Main.DrawTable(Canvas);
    for (auto _ : State) {
        Main.DrawTable(Canvas);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawTableTwiceDense)->Unit(benchmark::kMicrosecond);

// One turn of the player and the computer on the shown window, pauses left out.
void BM_WindowTurn(benchmark::State& State)
{
    SetDelayOverride(0);
    SetMessageBoxHandler([](const QString&) {});
    TfrmMain Main;
    Main.show();
    QCoreApplication::processEvents();
    Main.menuNewGameClick();
    for (auto _ : State) {
        if (Main.Game().FPlayerHand.Count == 0) {
            State.PauseTiming();
            Main.menuNewGameClick();
            State.ResumeTiming();
        }
        const TCard& Card = Main.Game().FPlayerHand.Items[0];
        Main.FormMouseDown(Qt::LeftButton, Card.X + 1, Card.Y + 1);
        Main.FormMouseDown(Qt::RightButton, 5, 5);
    }
    SetMessageBoxHandler({});
    SetDelayOverride(std::nullopt);
}
BENCHMARK(BM_WindowTurn)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    CardStartup();
    int Result = 0;
    {
        QApplication Application(argc, argv);
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    CardShutdown();
    return Result;
}
