#include "forms/TableSpeech.h"

#include "lang/Lang.h"
#include "model/Game.h"

namespace {

constexpr const char* CardKey = "%1 of %2";
constexpr const char* YouPlayedKey = "you played %1";
constexpr const char* CpuPlayedKey = "the computer played %1";
constexpr const char* YouTookKey = "you took the pile";
constexpr const char* CpuTookKey = "the computer took the pile";
constexpr const char* YouTookMarkKey = "you took the pile with a 10-point mark";
constexpr const char* CpuTookMarkKey = "the computer took the pile with a 10-point mark";

const char* const TextKeys[] = {CardKey,      TableKey,     TableHelpKey,   CpuHandKey,  PileKey,
                                EmptyPileKey, NewsKey,      YouPlayedKey,   CpuPlayedKey, YouTookKey,
                                CpuTookKey,   YouTookMarkKey, CpuTookMarkKey, DealKey,   GameOverKey,
                                GridKey,      PlayedKey,    NotPlayedKey};

} // namespace

QString SpeechText(const TLanguage& Languages, const char* Key)
{
    return Languages.LookupMessage(QString::fromLatin1(Key));
}

QString CardName(int Suit, int Rank, const TLanguage& Languages)
{
    if (Suit < 1 || Suit > 4 || Rank < 1 || Rank > 13)
        return QString();
    return SpeechText(Languages, CardKey)
        .arg(SpeechText(Languages, RankKeys[Rank - 1]), SpeechText(Languages, SuitKeys[Suit - 1]));
}

QString CardName(const TCard& Card, const TLanguage& Languages)
{
    return CardName(Card.Suit, Card.Rank, Languages);
}

QStringList SpeechKeys()
{
    QStringList Keys;
    for (const char* Key : RankKeys)
        Keys << QString::fromLatin1(Key);
    for (const char* Key : SuitKeys)
        Keys << QString::fromLatin1(Key);
    for (const char* Key : TextKeys)
        Keys << QString::fromLatin1(Key);
    return Keys;
}

// The player's card leaves the hand before it is played, the computer's after:
// while the player's card is on its way the player holds one card fewer.
QString PlayedNews(const TGame& Game, const TCard& Card, const TLanguage& Languages)
{
    const bool ByPlayer = Game.FPlayerHand.Count < Game.FCpuHand.Count;
    return SpeechText(Languages, ByPlayer ? YouPlayedKey : CpuPlayedKey).arg(CardName(Card, Languages));
}

// A lone capture marks the pile's top card, which the taking turns over to
// lie second on the taker's stack; no other card on the pile is ever marked.
QString TakenNews(const TGame& Game, const TLanguage& Languages)
{
    if (Game.FTurnsLeft == 0)
        return QString();
    const bool ByPlayer = Game.FPlayerHand.Count < Game.FCpuHand.Count;
    const TCardStack& Tricks = ByPlayer ? Game.FPlayerTricks : Game.FCpuTricks;
    const bool Marked = Tricks.Top && Tricks.Top->Next && Tricks.Top->Next->Item.Face == cfBack;
    const char* Key = ByPlayer ? (Marked ? YouTookMarkKey : YouTookKey) : (Marked ? CpuTookMarkKey : CpuTookKey);
    return SpeechText(Languages, Key);
}
