// The state of one game and its course, from the deal through the turns to the
// end of a game or tournament, apart from any window. The table it is shown on
// is reached through TTable.
#pragma once
#include "model/CrdStack.h"
#include "model/Hand.h"
#include "model/Sight.h"
#include "model/ZentoStack.h"

constexpr int32_t HandSize = 4;
constexpr int32_t DealsPerGame = 6;
// How long a card just played stays in sight, in milliseconds.
constexpr uint16_t PlayedCardPauseMs = 500;

// The message keys the game shows; the language file gives their texts.
inline constexpr const char* EndOfGameKey = "end of game...";
inline constexpr const char* YouWonKey = "you won...";
inline constexpr const char* ComputerWonKey = "the computer won...";
inline constexpr const char* DealingAgainKey = "dealing again...";

// Whose card, whose take.
enum class TSide { Player, Computer };
// A take by a capture test, with or without the 10-point mark of a lone card.
enum class TTake { Plain, Mark };

// What happens in a game, told to the table it is shown on in the game's own
// words; how each event looks is the table's business. The three positions are
// the table's answer to where a card goes.
class TTable
{
public:
    virtual ~TTable() = default;
    virtual void PileCardPos(TCard& Card) = 0;
    virtual void PlayerCardPos(int32_t Slot, TCard& Card) = 0;
    virtual void CpuCardPos(int32_t Slot, TCard& Card) = 0;

    // A new game is being dealt: nothing has been played yet.
    virtual void DealStarted() = 0;
    // One of the four cards the pile starts with, then the whole starting pile.
    virtual void StartingCardLaid(const TCard& Card) = 0;
    virtual void StartingPileLaid() = 0;
    // From the first deal on the points are in play.
    virtual void ScoringStarted() = 0;
    // The cards of a new game lie on the table, the felt under them anew.
    virtual void GameDealt() = 0;
    // The four-and-four cards of a later round are in both hands.
    virtual void HandsDealt() = 0;

    // A hand card changed how it shows: selected, or selected no more.
    virtual void HandCardChanged(const TCard& Card) = 0;
    virtual void CardLeftHand(const TCard& Card, TSide From) = 0;
    // The card now on top of the pile, face up where it was given its place,
    // and the side that played it.
    virtual void CardPlayed(const TCard& Card, TSide By) = 0;
    // Keeps the card just played in sight before the game goes on.
    virtual void Pause() = 0;
    virtual void PileTaken() = 0;
    // A side took the pile by a capture test; the rest of the pile given to
    // the last taker at the end of a game is no capture.
    virtual void PileCaptured(TSide By, TTake Take) = 0;
    // The pile's place on the table is empty now.
    virtual void PileCleared() = 0;
    virtual void TurnEnded() = 0;

    virtual void Message(const char* Key) = 0;
    virtual int32_t TargetScore() = 0;
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
    // Bit r: a rank the side has shown it lacks in this deal, by leaving a
    // pile it could have taken with that rank (or with a jack) untaken.
    uint16_t FPlayerLacks;
    uint16_t FCpuLacks;
    TLevel FLevel;   // how the computer plays this game; the table sets it before a new game
    uint32_t FSeed;  // drawn with each deal, so that a replayed shuffle replays the levels' choices
};

enum class TTourOutcome { PlayerWon, ComputerWon, GoesOn };

void FreeCards(TGame& Game);
void DealCards(TGame& Game, TTable& Table);
void DealHands(TGame& Game, TTable& Table);

// A left click: selects the card under the point, or nothing.
void SelectAt(TGame& Game, TTable& Table, int32_t X, int32_t Y);
// A right click: with a selection, one whole turn of the player and the computer.
void PlayTurn(TGame& Game, TTable& Table);
// One click: the card of the player's hand under the point is played at once,
// as a left click on it and a right click would; a point beside the cards
// changes nothing, the selection made before included.
void PlayAt(TGame& Game, TTable& Table, int32_t X, int32_t Y);

// Keyboard play, in terms of the clicks: stepping selects the next or previous
// card of the hand as a left click on it would, round from the last card to
// the first; with nothing selected Next takes the first card and Previous the
// last. An empty hand selects nothing.
enum class TStep { Previous, Next };
void StepSelection(TGame& Game, TTable& Table, TStep Step);
// A left click beside the cards.
void ClearSelection(TGame& Game, TTable& Table);
// Where the selected card lies in the player's hand; -1 for none.
int32_t SelectedIndex(const TGame& Game);
void PlayCard(TGame& Game, TTable& Table, TSide By);
void TakePile(TGame& Game, TTable& Table, TCardStack& Tricks);

// Points so far: the captured cards of this game plus the finished games of a tournament.
int32_t PlayerPoints(const TGame& Game);
int32_t CpuPoints(const TGame& Game);
TTourOutcome DecideTournament(int32_t Player, int32_t Cpu, int32_t Target);

// Selects, as a left click would, the card the hard level would play in the
// player's place; it plays nothing.
void SelectHint(TGame& Game, TTable& Table);
// A turn with the player's card chosen by Level, as a machine plays a game.
void PlayLevelTurn(TGame& Game, TTable& Table, TLevel Level);

// A game is under way from its deal until its last turn; before the first
// deal and after the end there is nothing to give up or keep.
bool GameInProgress(const TGame& Game);

// The two commands that start play; New Tournament only once its target is confirmed.
void StartGame(TGame& Game, TTable& Table);
void StartTournament(TGame& Game, TTable& Table);
