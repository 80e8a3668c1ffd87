// The words assistive technology hears of the game: the cards by name, the
// table's parts, the memory aid's grid and the news of each turn, in the
// language in effect.
#pragma once
#include "model/Sight.h"

#include <QString>
#include <QStringList>

class TLanguage;
struct TCard;
enum class TSide;
enum class TTake;

// The texts, each a message key that is also its English text. Those only the
// card names and the news use stay with them.
inline constexpr const char* RankKeys[13] = {"ace",   "two",  "three", "four", "five",  "six", "seven",
                                             "eight", "nine", "ten",   "jack", "queen", "king"};
inline constexpr const char* SuitKeys[4] = {"clubs", "diamonds", "hearts", "spades"};
inline constexpr const char* TableKey = "table";
inline constexpr const char* TableHelpKey =
    "Left and Right choose a card, Enter or Space plays it, Escape chooses none";
inline constexpr const char* CpuHandKey = "cards in the computer's hand: %1";
inline constexpr const char* PileKey = "cards on the pile: %1, on top: %2";
inline constexpr const char* EmptyPileKey = "the pile is empty";
inline constexpr const char* HandKey = "your cards";
inline constexpr const char* DealKey = "new deal, your cards: %1";
inline constexpr const char* GameOverKey = "end of game, %1";
inline constexpr const char* YouWonTourKey = "you won the tournament, %1";
inline constexpr const char* CpuWonTourKey = "the computer won the tournament, %1";
inline constexpr const char* TourGoesOnKey = "nobody has reached the target, the next game is dealt";
inline constexpr const char* MemoryShownKey = "the memory aid is shown";
inline constexpr const char* MemoryHiddenKey = "the memory aid is hidden";
inline constexpr const char* GridKey = "cards played";
inline constexpr const char* PlayedKey = "played";
inline constexpr const char* NotPlayedKey = "not played";
// The levels in the order of TLevel, the menu's two new captions and the news of a choice.
inline constexpr const char* LevelKeys[3] = {"Normal", "Easy", "Hard"};
inline constexpr const char* LevelMenuKey = "Level";
inline constexpr const char* HintMenuKey = "Hint";
inline constexpr const char* LevelChosenKey = "level %1, from the next game";
// The kept game: its menu item and what the player hears of a file that fails.
inline constexpr const char* ContinueMenuKey = "Continue";
// The Help menu, its one item, and what its window shows without its file.
inline constexpr const char* HelpMenuKey = "Help";
inline constexpr const char* HowToPlayMenuKey = "How to play";
inline constexpr const char* RulesMissingKey = "The rules cannot be shown: %1 cannot be read.";
inline constexpr const char* GameUnkeptKey = "Unable to keep the game in %1";
inline constexpr const char* GameSetAsideKey = "The kept game could not be read; it was set aside as %1";
// The card picker's two ways, as a choice of one is told.
inline constexpr const char* OneClickKey = "cards are played with one click";
inline constexpr const char* LeftRightKey = "a left click selects a card, a right click plays it";

QString SpeechText(const TLanguage& Languages, const char* Key);

// "seven of hearts" in the language in effect; empty for no card.
QString CardName(const TCard& Card, const TLanguage& Languages);
QString CardName(int Suit, int Rank, const TLanguage& Languages);
QString LevelName(TLevel Level, const TLanguage& Languages);
// Every message key the accessible texts use, for the language files.
QStringList SpeechKeys();

// The news of a card just played, and of a pile just taken, as the game tells them.
QString PlayedNews(TSide By, const TCard& Card, const TLanguage& Languages);
QString TakenNews(TSide By, TTake Take, const TLanguage& Languages);
