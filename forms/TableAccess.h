// What assistive technology learns of the table: the computer's hand, the
// pile, the player's hand as a list of the cards held, and the status line;
// and what happens on the table, told as it happens. Qt asks for none of it
// until an assistive technology listens, and every Tell does nothing until then.
#pragma once
#include <QRect>
#include <QString>

class QWidget;
class TLanguage;
struct TCard;
struct TGame;
enum class TSide;
enum class TTake;

// What the table's accessible parts read of the table window, which gives it
// to them: the game, the language it speaks, where its parts are and the
// status line's text.
class TAccessibleTable
{
public:
    virtual const TGame& Game() const = 0;
    virtual const TLanguage& Language() const = 0;
    // The playing area with the status line: what holds the cards.
    virtual QWidget* TableArea() const = 0;
    virtual QRect PileArea() const = 0;
    // Both sides' points as the status line shows them.
    virtual QString ScoreText() const = 0;
    // While a turn runs its news is held, and told together when it ends.
    virtual bool InTurn() const = 0;

protected:
    ~TAccessibleTable() = default;
};

// Hands Qt the makers of the table's and the memory aid's grid's interfaces;
// nothing is made until one is asked for.
void InstallTableAccess();

// A new deal: the player's new cards.
void TellDeal(const TAccessibleTable& Main);
void TellCardPlayed(const TAccessibleTable& Main, const TCard& Card, TSide By);
// A card left the player's hand.
void TellCardLeftHand(const TAccessibleTable& Main, const TCard& Card);
void TellPileCaptured(const TAccessibleTable& Main, TSide By, TTake Take);
// The end of a game with both sides' points, or a tournament's decision
// (the key of the message the game shows).
void TellGameOver(const TAccessibleTable& Main, const char* Key);
void TellMemoryAid(const TAccessibleTable& Main, bool Shown);
// The names of every part changed with the language.
void TellLanguage(const TAccessibleTable& Main);
// Speaks the news held during a turn; a window that opens next would speak over it.
void TellHeldNews(const TAccessibleTable& Main);
// The keyboard focus follows the selected card, or goes back to the table.
void TellSelection(const TAccessibleTable& Main, const TCard& Changed);
