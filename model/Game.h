// The state of one game and its course, from the deal through the turns to the
// end of a game or tournament, apart from any window. The table it is shown on
// is reached through TTable.
#pragma once
#include "model/CrdStack.h"
#include "model/Hand.h"
#include "model/ZentoStack.h"

constexpr int32_t HandSize = 4;
constexpr int32_t DealsPerGame = 6;

// The message keys the game shows; the language file gives their texts.
inline constexpr const char* EndOfGameKey = "end of game...";
inline constexpr const char* YouWonKey = "you won...";
inline constexpr const char* ComputerWonKey = "the computer won...";
inline constexpr const char* DealingAgainKey = "dealing again...";

// What the game asks of the table it is shown on. The window draws on two
// surfaces: its back buffer, which holds the composed table, and the screen.
class TTable
{
public:
    virtual ~TTable() = default;
    virtual void PileCardPos(TCard& Card) = 0;
    virtual void PlayerCardPos(int32_t Slot, TCard& Card) = 0;
    virtual void CpuCardPos(int32_t Slot, TCard& Card) = 0;
    // A card drawn on the back buffer, then on the screen.
    virtual void ShowCard(const TCard& Card) = 0;
    virtual void ShowPileTop() = 0;
    // Both hands, into the back buffer only or on the screen only.
    virtual void DrawHandsOnBackBuffer() = 0;
    virtual void DrawHandsOnScreen() = 0;
    // Copies the felt over a card's place, or over the pile, on the screen only.
    virtual void EraseCard(const TCard& Card) = 0;
    virtual void ErasePile() = 0;
    // Recomposes the whole back buffer from the felt and the cards.
    virtual void ComposeTable() = 0;
    // The whole table anew after a first deal: felt, back buffer, screen.
    virtual void ShowNewTable() = 0;
    virtual void ResetMemory() = 0;
    virtual void MarkPlayed(const TCard& Card) = 0;
    virtual void RefreshMemory() = 0;
    // Keeps a played card in sight before the game goes on.
    virtual void Pause() = 0;
    virtual void ShowMessage(const char* Key) = 0;
    virtual int32_t TargetScore() = 0;
    // From the first deal on, the status line follows the points.
    virtual void ShowScoresWhenIdle() = 0;
};

struct TGame
{
    TCard FTopCard;       // the pile's top card as the computer saw it
    TCard FSelected;      // the player's selection, and every card on its way
    TCard FLastSelected;  // the card the previous left click highlighted
    TCardStack FPlayerTricks;
    TCardStack FCpuTricks;
    TCardStack FPile;
    THand FPlayerHand;
    TCpuHand FCpuHand;
    TCardStack FShoe;  // Owner marks the side that captured last
    int32_t FDealsLeft;
    int32_t FTurnsLeft;
    bool FTournament;
    int32_t FPlayerTotal;
    int32_t FCpuTotal;
};

enum class TTourOutcome { PlayerWon, ComputerWon, GoesOn };

void FreeCards(TGame& Game);
void DealCards(TGame& Game, TTable& Table);
void DealHands(TGame& Game, TTable& Table);

// A left click: selects the card under the point, or nothing.
void SelectAt(TGame& Game, TTable& Table, int32_t X, int32_t Y);
// A right click: with a selection, one whole turn of the player and the computer.
void PlayTurn(TGame& Game, TTable& Table);
void PlayCard(TGame& Game, TTable& Table);
void TakePile(TGame& Game, TTable& Table, TCardStack& Tricks);

// Points so far: the captured cards of this game plus the finished games of a tournament.
int32_t PlayerPoints(const TGame& Game);
int32_t CpuPoints(const TGame& Game);
TTourOutcome DecideTournament(int32_t Player, int32_t Cpu, int32_t Target);

// The two commands that start play; New Tournament only once its target is confirmed.
void StartGame(TGame& Game, TTable& Table);
void StartTournament(TGame& Game, TTable& Table);
