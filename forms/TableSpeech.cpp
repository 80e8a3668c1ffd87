#include "forms/TableSpeech.h"

#include "forms/Statistics.h"
#include "lang/Lang.h"
#include "model/Game.h"

#include <iterator>

namespace {

constexpr const char* CardKey = "%1 of %2";
constexpr const char* YouPlayedKey = "you played %1";
constexpr const char* CpuPlayedKey = "the computer played %1";
constexpr const char* YouTookKey = "you took the pile";
constexpr const char* CpuTookKey = "the computer took the pile";
constexpr const char* YouTookMarkKey = "you took the pile with a 10-point mark";
constexpr const char* CpuTookMarkKey = "the computer took the pile with a 10-point mark";

const char* const TextKeys[] = {CardKey,        TableKey,      TableHelpKey,   CpuHandKey,     PileKey,
                                EmptyPileKey,   HandKey,       YouPlayedKey,   CpuPlayedKey,   YouTookKey,
                                CpuTookKey,     YouTookMarkKey, CpuTookMarkKey, DealKey,       GameOverKey,
                                YouWonTourKey,  CpuWonTourKey, TourGoesOnKey,  MemoryShownKey, MemoryHiddenKey,
                                GridKey,        PlayedKey,     NotPlayedKey,   LevelMenuKey,   HintMenuKey,
                                LevelChosenKey, ContinueMenuKey, GameUnkeptKey, GameSetAsideKey,
                                HelpMenuKey,    HowToPlayMenuKey, RulesMissingKey, OneClickKey,
                                LeftRightKey};

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

QString LevelName(TLevel Level, const TLanguage& Languages)
{
    const auto Index = static_cast<size_t>(Level);
    return Index < std::size(LevelKeys) ? SpeechText(Languages, LevelKeys[Index]) : QString();
}

QStringList SpeechKeys()
{
    QStringList Keys;
    for (const char* Key : RankKeys)
        Keys << QString::fromLatin1(Key);
    for (const char* Key : SuitKeys)
        Keys << QString::fromLatin1(Key);
    for (const char* Key : LevelKeys)
        Keys << QString::fromLatin1(Key);
    for (const char* Key : TextKeys)
        Keys << QString::fromLatin1(Key);
    return Keys + StatisticsKeys();
}

QString PlayedNews(TSide By, const TCard& Card, const TLanguage& Languages)
{
    return SpeechText(Languages, By == TSide::Player ? YouPlayedKey : CpuPlayedKey).arg(CardName(Card, Languages));
}

QString TakenNews(TSide By, TTake Take, const TLanguage& Languages)
{
    const bool Mark = Take == TTake::Mark;
    if (By == TSide::Player)
        return SpeechText(Languages, Mark ? YouTookMarkKey : YouTookKey);
    return SpeechText(Languages, Mark ? CpuTookMarkKey : CpuTookKey);
}
