#include "model/KeptGame.h"

#include "model/Hand.h"
#include "model/ZentoStack.h"

#include <QList>
#include <QMap>

#include <algorithm>
#include <bitset>
#include <iterator>
#include <limits>
#include <optional>
#include <vector>

namespace {

const QByteArray FirstLine = QByteArrayLiteral("ZentoGame=1");
constexpr const char* LevelNames[3] = {"Normal", "Easy", "Hard"};
// Far beyond any place on the table, any total or any target the game makes;
// the bounds only keep a damaged number from becoming a huge one.
constexpr int32_t MaxPlace = 100000;
constexpr int32_t MaxTotal = 10000000;

using TCards = std::vector<TCard>;

QByteArray CardText(const TCard& Card)
{
    return QByteArray::number(Card.Rank) + '.' + QByteArray::number(Card.Suit) + '.' + QByteArray::number(Card.Face) +
           '.' + QByteArray::number(Card.X) + '.' + QByteArray::number(Card.Y);
}

QByteArray CardsText(const TCards& Cards)
{
    QList<QByteArray> Words;
    for (const TCard& Card : Cards)
        Words << CardText(Card);
    return Words.join(' ');
}

// From the top down.
TCards StackCards(const TCardStack& Stack)
{
    TCards Cards;
    for (const TCardNode* Node = Stack.Top; Node; Node = Node->Next)
        Cards.push_back(Node->Item);
    return Cards;
}

// The selection is no part of a kept game: a selected card lies face up.
TCards HandCards(const THand& Hand)
{
    TCards Cards(Hand.Items, Hand.Items + std::max(Hand.Count, 0));
    for (TCard& Card : Cards)
        if (Card.Face == cfSelected)
            Card.Face = cfFaceUp;
    return Cards;
}

QByteArray NumbersText(const int32_t* Numbers, size_t Count)
{
    QList<QByteArray> Words;
    for (size_t I = 0; I < Count; ++I)
        Words << QByteArray::number(Numbers[I]);
    return Words.join(' ');
}

std::optional<int32_t> Number(const QByteArray& Word, int32_t Low, int32_t High)
{
    bool Ok = false;
    const qlonglong Value = Word.toLongLong(&Ok);
    if (!Ok || Value < Low || Value > High)
        return std::nullopt;
    return int32_t(Value);
}

std::optional<TCard> ReadCard(const QByteArray& Word)
{
    const QList<QByteArray> Parts = Word.split('.');
    if (Parts.size() != 5)
        return std::nullopt;
    const auto Rank = Number(Parts[0], 1, 13);
    const auto Suit = Number(Parts[1], 1, 4);
    const auto Face = Number(Parts[2], cfFaceUp, cfSelected);
    const auto X = Number(Parts[3], -MaxPlace, MaxPlace);
    const auto Y = Number(Parts[4], -MaxPlace, MaxPlace);
    if (!Rank || !Suit || !Face || !X || !Y)
        return std::nullopt;
    return TCard{uint8_t(*Suit), uint8_t(*Rank), CardFace(*Face), *X, *Y};
}

std::optional<TCards> ReadCards(const QByteArray& Text, size_t Most)
{
    TCards Cards;
    for (const QByteArray& Word : Text.split(' ')) {
        if (Word.isEmpty())
            continue;
        const std::optional<TCard> Card = ReadCard(Word);
        if (!Card || Cards.size() == Most)
            return std::nullopt;
        Cards.push_back(*Card);
    }
    return Cards;
}

std::optional<std::vector<int32_t>> ReadNumbers(const QByteArray& Text, size_t Count, int32_t Low, int32_t High)
{
    std::vector<int32_t> Numbers;
    for (const QByteArray& Word : Text.split(' ')) {
        const std::optional<int32_t> Value = Number(Word, Low, High);
        if (!Value || Numbers.size() == Count)
            return std::nullopt;
        Numbers.push_back(*Value);
    }
    if (Numbers.size() != Count)
        return std::nullopt;
    return Numbers;
}

// The lines after the first, by key; a key twice, or a line without "=", is damage.
std::optional<QMap<QByteArray, QByteArray>> Entries(const QByteArray& Text)
{
    QList<QByteArray> Lines = Text.split('\n');
    if (Lines.isEmpty() || Lines.takeFirst() != FirstLine)
        return std::nullopt;
    QMap<QByteArray, QByteArray> Found;
    for (const QByteArray& Line : Lines) {
        if (Line.isEmpty())
            continue;
        const qsizetype Equals = Line.indexOf('=');
        if (Equals <= 0 || Found.contains(Line.left(Equals)))
            return std::nullopt;
        Found.insert(Line.left(Equals), Line.mid(Equals + 1));
    }
    return Found;
}

// Every card of the deck once, and no other.
bool WholeDeck(const std::vector<const TCards*>& Places)
{
    std::bitset<52> Seen;
    size_t Count = 0;
    for (const TCards* Cards : Places)
        for (const TCard& Card : *Cards) {
            const size_t Id = size_t(CardId(Card.Suit, Card.Rank));
            if (Seen.test(Id))
                return false;
            Seen.set(Id);
            ++Count;
        }
    return Count == 52;
}

void FillStack(TCardStack& Stack, const TCards& TopDown, int32_t Owner)
{
    InitStack(Stack);
    for (auto Card = TopDown.rbegin(); Card != TopDown.rend(); ++Card)
        PushCard(Stack, *Card);
    Stack.Owner = Owner;
}

void FillHand(THand& Hand, const TCards& Cards)
{
    InitHand(Hand, HandSize);
    for (const TCard& Card : Cards)
        AddCard(Hand, Card);
}

// The pieces of a kept game, read and judged before anything of the game changes.
struct TRead
{
    TLevel Level = TLevel::Normal;
    int32_t DealsLeft = 0, TurnsLeft = 0, Tournament = 0, PlayerTotal = 0, CpuTotal = 0;
    int32_t PlayerLacks = 0, CpuLacks = 0, LastTaker = 0, Seed = 0;
    TCards Shoe, Pile, PlayerTricks, CpuTricks, PlayerHand, CpuHand;
    std::vector<int32_t> Seen, Marks;
    int32_t Target = 0;
};

bool ReadPieces(const QMap<QByteArray, QByteArray>& Found, TRead& Read)
{
    const auto Level = std::find(std::begin(LevelNames), std::end(LevelNames), Found.value("Level"));
    if (Level == std::end(LevelNames))
        return false;
    Read.Level = TLevel(Level - std::begin(LevelNames));
    struct TNumber { const char* Key; int32_t* Value; int32_t Low, High; };
    const TNumber Numbers[] = {
        {"DealsLeft", &Read.DealsLeft, 1, DealsPerGame}, {"TurnsLeft", &Read.TurnsLeft, 1, HandSize},
        {"Tournament", &Read.Tournament, 0, 1},          {"Target", &Read.Target, 0, MaxTotal},
        {"PlayerTotal", &Read.PlayerTotal, 0, MaxTotal}, {"CpuTotal", &Read.CpuTotal, 0, MaxTotal},
        {"PlayerLacks", &Read.PlayerLacks, 0, 0xFFFF},   {"CpuLacks", &Read.CpuLacks, 0, 0xFFFF},
        {"LastTaker", &Read.LastTaker, 0, PlayerOwner},  {"Seed", &Read.Seed, 0, std::numeric_limits<int32_t>::max()},
    };
    for (const TNumber& Entry : Numbers) {
        const std::optional<int32_t> Value = Number(Found.value(Entry.Key), Entry.Low, Entry.High);
        if (!Value)
            return false;
        *Entry.Value = *Value;
    }
    struct TPlace { const char* Key; TCards* Cards; size_t Most; };
    const TPlace Places[] = {{"Shoe", &Read.Shoe, 52},          {"Pile", &Read.Pile, 52},
                             {"PlayerTricks", &Read.PlayerTricks, 52}, {"CpuTricks", &Read.CpuTricks, 52},
                             {"PlayerHand", &Read.PlayerHand, size_t(HandSize)}, {"CpuHand", &Read.CpuHand, size_t(HandSize)}};
    for (const TPlace& Place : Places) {
        std::optional<TCards> Cards = ReadCards(Found.value(Place.Key), Place.Most);
        if (!Cards)
            return false;
        *Place.Cards = std::move(*Cards);
    }
    const auto Seen = ReadNumbers(Found.value("CpuSeen"), 13, 0, 4);
    const auto Marks = ReadNumbers(Found.value("Marks"), 52, 0, 52);
    if (!Seen || !Marks)
        return false;
    Read.Seen = *Seen;
    Read.Marks = *Marks;
    return Found.size() == qsizetype(std::size(Numbers) + std::size(Places) + 3);
}

// A game the course of play could have reached at the end of a turn: both
// hands hold the turns left, and the shoe holds the later deals' cards.
bool CouldBe(const TRead& Read)
{
    const size_t Held = size_t(Read.TurnsLeft);
    return Read.PlayerHand.size() == Held && Read.CpuHand.size() == Held &&
           Read.Shoe.size() == size_t(2 * HandSize * (Read.DealsLeft - 1)) &&
           WholeDeck({&Read.Shoe, &Read.Pile, &Read.PlayerTricks, &Read.CpuTricks, &Read.PlayerHand, &Read.CpuHand});
}

} // namespace

QByteArray KeptGameText(const TGame& Game, const TKeptTable& Table)
{
    QByteArray Text = FirstLine + '\n';
    const auto Line = [&Text](const char* Key, const QByteArray& Value) { Text += QByteArray(Key) + '=' + Value + '\n'; };
    const size_t Level = std::min<size_t>(size_t(Game.FLevel), std::size(LevelNames) - 1);
    Line("Level", LevelNames[Level]);
    Line("DealsLeft", QByteArray::number(Game.FDealsLeft));
    Line("TurnsLeft", QByteArray::number(Game.FTurnsLeft));
    Line("Tournament", Game.FTournament ? "1" : "0");
    Line("Target", QByteArray::number(Table.Target));
    Line("PlayerTotal", QByteArray::number(Game.FPlayerTotal));
    Line("CpuTotal", QByteArray::number(Game.FCpuTotal));
    Line("PlayerLacks", QByteArray::number(Game.FPlayerLacks));
    Line("CpuLacks", QByteArray::number(Game.FCpuLacks));
    Line("LastTaker", QByteArray::number(Game.FShoe.Owner));
    Line("Seed", QByteArray::number(Game.FSeed & 0x7FFFFFFFu));
    Line("Shoe", CardsText(StackCards(Game.FShoe)));
    Line("Pile", CardsText(StackCards(Game.FPile)));
    Line("PlayerTricks", CardsText(StackCards(Game.FPlayerTricks)));
    Line("CpuTricks", CardsText(StackCards(Game.FCpuTricks)));
    Line("PlayerHand", CardsText(HandCards(Game.FPlayerHand)));
    Line("CpuHand", CardsText(HandCards(Game.FCpuHand)));
    std::array<int32_t, 13> Seen{};
    std::copy(std::begin(Game.FCpuHand.Seen), std::end(Game.FCpuHand.Seen), Seen.begin());
    Line("CpuSeen", NumbersText(Seen.data(), Seen.size()));
    Line("Marks", NumbersText(Table.Marks.data(), Table.Marks.size()));
    return Text;
}

bool ReadKeptGame(const QByteArray& Text, TGame& Game, TKeptTable& Table)
{
    const std::optional<QMap<QByteArray, QByteArray>> Found = Entries(Text);
    TRead Read;
    if (!Found || !ReadPieces(*Found, Read) || !CouldBe(Read))
        return false;
    Game = TGame{};
    Game.FLevel = Read.Level;
    Game.FSeed = uint32_t(Read.Seed);
    Game.FDealsLeft = Read.DealsLeft;
    Game.FTurnsLeft = Read.TurnsLeft;
    Game.FTournament = Read.Tournament != 0;
    Game.FPlayerTotal = Read.PlayerTotal;
    Game.FCpuTotal = Read.CpuTotal;
    Game.FPlayerLacks = uint16_t(Read.PlayerLacks);
    Game.FCpuLacks = uint16_t(Read.CpuLacks);
    FillStack(Game.FShoe, Read.Shoe, Read.LastTaker);
    FillStack(Game.FPile, Read.Pile, 0);
    FillStack(Game.FPlayerTricks, Read.PlayerTricks, PlayerOwner);
    FillStack(Game.FCpuTricks, Read.CpuTricks, CpuOwner);
    FillHand(Game.FPlayerHand, Read.PlayerHand);
    InitCpuHand(Game.FCpuHand, HandSize);
    for (const TCard& Card : Read.CpuHand)
        AddCard(Game.FCpuHand, Card);
    std::copy(Read.Seen.begin(), Read.Seen.end(), std::begin(Game.FCpuHand.Seen));
    Table.Target = Read.Target;
    std::copy(Read.Marks.begin(), Read.Marks.end(), Table.Marks.begin());
    return true;
}
