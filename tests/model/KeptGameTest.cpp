#include "model/KeptGame.h"

#include "model/Levels.h"
#include "model/Shoe.h"
#include "tests/support/FakeTable.h"

#include <QFile>

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<TCard> Cards(const TCardStack& Stack)
{
    std::vector<TCard> Result;
    for (const TCardNode* Node = Stack.Top; Node; Node = Node->Next)
        Result.push_back(Node->Item);
    return Result;
}

std::vector<TCard> Cards(const THand& Hand)
{
    return std::vector<TCard>(Hand.Items, Hand.Items + Hand.Count);
}

bool SameCards(const std::vector<TCard>& A, const std::vector<TCard>& B)
{
    return std::equal(A.begin(), A.end(), B.begin(), B.end(), [](const TCard& X, const TCard& Y) {
        return X.Rank == Y.Rank && X.Suit == Y.Suit && X.Face == Y.Face && X.X == Y.X && X.Y == Y.Y;
    });
}

// Everything the course of the game reads, compared field by field.
void ExpectSameGame(const TGame& Kept, const TGame& Read)
{
    EXPECT_TRUE(SameCards(Cards(Kept.FShoe), Cards(Read.FShoe)));
    EXPECT_TRUE(SameCards(Cards(Kept.FPile), Cards(Read.FPile)));
    EXPECT_TRUE(SameCards(Cards(Kept.FPlayerTricks), Cards(Read.FPlayerTricks)));
    EXPECT_TRUE(SameCards(Cards(Kept.FCpuTricks), Cards(Read.FCpuTricks)));
    EXPECT_TRUE(SameCards(Cards(Kept.FPlayerHand), Cards(Read.FPlayerHand)));
    EXPECT_TRUE(SameCards(Cards(Kept.FCpuHand), Cards(Read.FCpuHand)));
    EXPECT_TRUE(std::equal(std::begin(Kept.FCpuHand.Seen), std::end(Kept.FCpuHand.Seen), std::begin(Read.FCpuHand.Seen)));
    EXPECT_EQ(Kept.FShoe.Owner, Read.FShoe.Owner);
    EXPECT_EQ(Kept.FPlayerTricks.Owner, Read.FPlayerTricks.Owner);
    EXPECT_EQ(Kept.FCpuTricks.Owner, Read.FCpuTricks.Owner);
    EXPECT_EQ(Kept.FDealsLeft, Read.FDealsLeft);
    EXPECT_EQ(Kept.FTurnsLeft, Read.FTurnsLeft);
    EXPECT_EQ(Kept.FTournament, Read.FTournament);
    EXPECT_EQ(Kept.FPlayerTotal, Read.FPlayerTotal);
    EXPECT_EQ(Kept.FCpuTotal, Read.FCpuTotal);
    EXPECT_EQ(Kept.FPlayerLacks, Read.FPlayerLacks);
    EXPECT_EQ(Kept.FCpuLacks, Read.FCpuLacks);
    EXPECT_EQ(Kept.FLevel, Read.FLevel);
    EXPECT_EQ(Kept.FSeed, Read.FSeed);
    EXPECT_EQ(Read.FSelected.Rank, 0);
}

QByteArray Corpus(const char* Name)
{
    QFile File(QStringLiteral(ZENTO_SOURCE_DIR "/tests/fuzz/corpus/keptgame/") + QString::fromLatin1(Name));
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

} // namespace

// A tournament's games kept after every turn: each kept game reads back
// equal, and a copy read back after the third turn and played on alongside
// ends its game exactly as the game does (the next game's shuffle is the
// program's random draw, so the comparison ends with the first game).
TEST(KeptGame, ReadsBackEqualAtEveryTurnAndPlaysOnAsTheGameDoes)
{
    TFakeTable Table, CopyTable;
    Table.Recording = CopyTable.Recording = false;
    Table.Target = CopyTable.Target = 61;
    std::vector<int32_t> Ends, CopyEnds;
    TGame Game{}, Copy{};
    Table.OnMessage = [&](const std::string& Key) {
        if (Key == EndOfGameKey && Ends.empty())
            Ends = {PlayerPoints(Game), CpuPoints(Game), Game.FPlayerTricks.Count};
    };
    ReplaySeeds(36);
    Game.FLevel = TLevel::Hard;
    StartTournament(Game, Table);
    CopyTable.OnMessage = [&](const std::string& Key) {
        if (Key == EndOfGameKey && CopyEnds.empty())
            CopyEnds = {PlayerPoints(Copy), CpuPoints(Copy), Copy.FPlayerTricks.Count};
    };
    int Turns = 0;
    while (GameInProgress(Game) && Turns < 60) {
        SCOPED_TRACE(Turns);
        TKeptTable Kept;
        Kept.Target = Table.Target;
        Kept.Marks[size_t(Turns % 52)] = 1 + Turns % 3;
        const QByteArray Text = KeptGameText(Game, Kept);
        TGame Read{};
        TKeptTable ReadTable;
        ASSERT_TRUE(ReadKeptGame(Text, Read, ReadTable)) << Text.toStdString();
        ExpectSameGame(Game, Read);
        EXPECT_EQ(ReadTable, Kept);
        EXPECT_EQ(KeptGameText(Read, ReadTable), Text);
        if (Turns == 3)
            Copy = Read;
        else
            FreeCards(Read);
        PlayLevelTurn(Game, Table, TLevel::Easy);
        if (Turns >= 3 && CopyEnds.empty())
            PlayLevelTurn(Copy, CopyTable, TLevel::Easy);
        ++Turns;
    }
    EXPECT_GT(Turns, 24) << "more than one game of the tournament";
    ASSERT_EQ(Ends.size(), 3u);
    EXPECT_EQ(CopyEnds, Ends);
    ClockSeeds();
    FreeCards(Game);
    FreeCards(Copy);
}

// A selected card is kept face up: the selection is not part of the game.
TEST(KeptGame, KeepsNoSelection)
{
    TFakeTable Table;
    TGame Game{};
    StartGame(Game, Table);
    StepSelection(Game, Table, TStep::Next);
    ASSERT_EQ(Game.FPlayerHand.Items[0].Face, cfSelected);
    TGame Read{};
    TKeptTable ReadTable;
    ASSERT_TRUE(ReadKeptGame(KeptGameText(Game, {}), Read, ReadTable));
    EXPECT_EQ(Read.FPlayerHand.Items[0].Face, cfFaceUp);
    EXPECT_EQ(Read.FSelected.Rank, 0);
    FreeCards(Game);
    FreeCards(Read);
}

// Another version, a card twice or one too many, numbers out of their range,
// a line missing, doubled or unknown, and hands or a shoe that play could not
// have left: each is damaged and changes nothing.
TEST(KeptGame, RefusesWhatPlayCouldNotHaveLeft)
{
    const QByteArray Sound = Corpus("tournament-third-deal.txt");
    ASSERT_FALSE(Sound.isEmpty());
    {
        TGame Read{};
        TKeptTable Table;
        ASSERT_TRUE(ReadKeptGame(Sound, Read, Table));
        FreeCards(Read);
    }
    const QList<QByteArray> Lines = Sound.split('\n');
    const auto Changed = [&Lines](const QByteArray& Key, const QByteArray& Value) {
        QList<QByteArray> Copy = Lines;
        for (QByteArray& Line : Copy)
            if (Line.startsWith(Key + '='))
                Line = Value.isNull() ? QByteArray() : Key + '=' + Value;
        return Copy.join('\n');
    };
    const auto Value = [&Lines](const QByteArray& Key) {
        for (const QByteArray& Line : Lines)
            if (Line.startsWith(Key + '='))
                return Line.mid(Key.size() + 1);
        return QByteArray();
    };
    const QByteArray Shoe = Value("Shoe");
    const QByteArray FirstOfShoe = Shoe.left(Shoe.indexOf(' '));
    const QByteArray Pile = Value("Pile");
    const QByteArray Hand = Value("PlayerHand");
    const QByteArray Damaged[] = {
        QByteArray(),
        QByteArray(Sound).replace("ZentoGame=1", "ZentoGame=2"),
        Changed("Pile", Pile + ' ' + FirstOfShoe),                       // a card twice, 53 cards
        Changed("Shoe", FirstOfShoe + ' ' + Shoe.mid(Shoe.indexOf(' ') + 1, Shoe.lastIndexOf(' ') - Shoe.indexOf(' '))),
        Changed("Pile", Pile + " 14.0.1.0.0"),                            // the joker
        Changed("Pile", Pile.left(Pile.lastIndexOf(' '))),                // 51 cards
        Changed("PlayerHand", Hand.mid(Hand.indexOf(' ') + 1)),
        Changed("DealsLeft", "4"),
        Changed("DealsLeft", "7"),
        Changed("TurnsLeft", "0"),
        Changed("Level", "Expert"),
        Changed("Tournament", "2"),
        Changed("CpuSeen", "0 0 0"),
        Changed("CpuSeen", "9 0 0 0 0 0 0 0 0 0 0 0 0"),
        Changed("Marks", "1"),
        Changed("LastTaker", "3"),
        Changed("Seed", "-1"),
        Changed("Seed", QByteArray()),
        Sound + "Seed=1\n",
        Sound + "Colour=green\n",
        QByteArray(Sound).replace("Pile=", "Pile=1.1.1.1 "),
    };
    for (const QByteArray& Text : Damaged) {
        SCOPED_TRACE(Text.toStdString());
        TGame Game{};
        TKeptTable Table;
        Table.Target = 7;
        EXPECT_FALSE(ReadKeptGame(Text, Game, Table));
        EXPECT_EQ(Game.FShoe.Top, nullptr);
        EXPECT_EQ(Game.FPlayerHand.Items, nullptr);
        EXPECT_EQ(Table.Target, 7);
    }
}
