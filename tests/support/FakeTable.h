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
    void ShowCard(const TCard& Card) override { Keep(Shown, Card); }
    void ShowPileTop() override {}
    void DrawHandsOnBackBuffer() override {}
    void DrawHandsOnScreen() override {}
    void EraseCard(const TCard& Card) override { Keep(Erased, Card); }
    void ErasePile() override { ++PileErases; }
    void ComposeTable() override {}
    void ShowNewTable() override { ++NewTables; }
    void ResetMemory() override { Marked.clear(); }
    void MarkPlayed(const TCard& Card) override { Keep(Marked, Card); }
    void RefreshMemory() override {}
    void Pause() override { ++Pauses; }
    void ShowMessage(const char* Key) override
    {
        if (Recording)
            Messages.emplace_back(Key);
        if (OnMessage)
            OnMessage(Key);
    }
    int32_t TargetScore() override { return Target; }
    void ShowScoresWhenIdle() override { ScoresShown = true; }

    // A benchmark plays thousands of games and wants no growing lists.
    bool Recording = true;
    std::vector<TCard> Shown, Erased, Marked;
    std::vector<std::string> Messages;
    std::function<void(const std::string&)> OnMessage;
    int PileErases = 0, NewTables = 0, Pauses = 0;
    int32_t Target = 151;
    bool ScoresShown = false;

private:
    void Keep(std::vector<TCard>& List, const TCard& Card)
    {
        if (Recording)
            List.push_back(Card);
    }
};
