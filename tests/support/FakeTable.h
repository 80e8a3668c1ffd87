// A table that draws nothing and never waits, laid out like the real window;
// it counts what the game asks of it and, unless told otherwise, keeps the
// cards it was given so that tests can read them back.
#pragma once
#include "model/Game.h"
#include "model/Layout.h"

#include <functional>
#include <string>
#include <vector>

class TFakeTable : public TTable
{
public:
    void PileCardPos(TCard& Card) override { PilePos(TableWidth, TableHeight, Card); }
    void PlayerCardPos(int32_t Slot, TCard& Card) override { PlayerSlotPos(Slot, TableHeight, Card); }
    void CpuCardPos(int32_t Slot, TCard& Card) override { CpuSlotPos(Slot, Card); }
    void DealStarted() override { Played.clear(); }
    void StartingCardLaid(const TCard& Card) override { Keep(Played, Card); }
    void StartingPileLaid() override {}
    void ScoringStarted() override { ScoresShown = true; }
    void GameDealt() override { ++GamesDealt; }
    void HandsDealt() override {}
    void HandCardChanged(const TCard& Card) override { Keep(Changed, Card); }
    void CardLeftHand(const TCard& Card, TSide) override { Keep(LeftHand, Card); }
    void CardPlayed(const TCard& Card, TSide By) override
    {
        Keep(Played, Card);
        if (Recording)
            PlayedBy.push_back(By);
    }
    void Pause() override { ++Pauses; }
    void PileTaken() override {}
    void PileCaptured(TSide By, TTake Take) override
    {
        if (Recording)
            Captures.push_back({By, Take});
    }
    void PileCleared() override { ++PileClears; }
    void TurnEnded() override {}
    void Message(const char* Key) override
    {
        if (Recording)
            Messages.emplace_back(Key);
        if (OnMessage)
            OnMessage(Key);
    }
    int32_t TargetScore() override { return Target; }

    // A benchmark plays thousands of games and wants no growing lists.
    bool Recording = true;
    std::vector<TCard> Changed, LeftHand, Played;
    std::vector<TSide> PlayedBy;  // the side of each card played, not of the starting pile
    struct TCapture { TSide By; TTake Take; };
    std::vector<TCapture> Captures;
    std::vector<std::string> Messages;
    std::function<void(const std::string&)> OnMessage;
    int PileClears = 0, GamesDealt = 0, Pauses = 0;
    // The tournament dialog's number; each tournament test sets the target it
    // plays to, so no copy of the dialog's default stands in for it.
    int32_t Target = 0;
    bool ScoresShown = false;

private:
    void Keep(std::vector<TCard>& List, const TCard& Card)
    {
        if (Recording)
            List.push_back(Card);
    }
};
