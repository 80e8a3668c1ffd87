// The kept game's reader on any bytes. The rules checked: it never fails on
// its own, a game it accepts holds the whole deck once and can be played on to
// its end, and its text reads back the same.
#include "model/KeptGame.h"
#include "model/Levels.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/support/FakeTable.h"

#include <cstdint>

namespace {

int32_t CardsIn(const TGame& Game)
{
    return Game.FShoe.Count + Game.FPile.Count + Game.FPlayerTricks.Count + Game.FCpuTricks.Count +
           Game.FPlayerHand.Count + Game.FCpuHand.Count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const QByteArray Text(reinterpret_cast<const char*>(Data), qsizetype(Size));
    TGame Game{};
    TKeptTable Table;
    if (!ReadKeptGame(Text, Game, Table)) {
        CHECK(Game.FShoe.Top == nullptr && Game.FPlayerHand.Items == nullptr);
        return 0;
    }
    CHECK(CardsIn(Game) == 52);
    const QByteArray Again = KeptGameText(Game, Table);
    TGame Copy{};
    TKeptTable CopyTable;
    CHECK(ReadKeptGame(Again, Copy, CopyTable));
    CHECK(KeptGameText(Copy, CopyTable) == Again);
    CHECK(CopyTable == Table);
    FreeCards(Copy);
    TFakeTable Fake;
    Fake.Recording = false;
    Fake.Target = Table.Target;
    // Easy and Normal cost nothing to play; the game must go on to its end.
    for (int Turn = 0; Turn < 24 && Game.FTurnsLeft > 0; ++Turn) {
        if (Game.FTournament && Turn > 0 && Game.FDealsLeft == DealsPerGame && Game.FTurnsLeft == HandSize)
            break;
        PlayLevelTurn(Game, Fake, TLevel::Normal);
        CHECK(CardsIn(Game) == 52);
    }
    FreeCards(Game);
    return 0;
}
