// What assistive technology learns of the table: the computer's hand, the
// pile, the player's hand as a list of the cards held, and the status line.
// Qt asks for none of it until an assistive technology listens.
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
