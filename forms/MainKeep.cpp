// The table window's kept game: written after every turn and when the window
// closes, discarded when a game ends, and laid out again by Continue.
#include "forms/Main.h"

#include "forms/KeptGameFile.h"
#include "forms/Memory.h"
#include "forms/MemoryAccess.h"
#include "forms/SetScore.h"
#include "forms/TableSpeech.h"
#include "model/KeptGame.h"
#include "platform/Controls.h"
#include "platform/DrawGrid.h"
#include "platform/MessageBox.h"
#include "platform/SharedFile.h"

#include <QFile>

namespace {

size_t MarkIndex(int Suit, int Rank)
{
    return size_t((Suit - 1) * 13 + Rank - 1);
}

} // namespace

// Only a game that could go on is offered; while one is played here, the
// kept game is that one.
void TfrmMain::OfferContinue(bool Kept)
{
    menuContinue->setEnabled(Kept && !GameInProgress(FGame));
}

TKeptTable TfrmMain::KeptTable() const
{
    TKeptTable Table;
    if (FGame.FTournament && FSetScore)
        Table.Target = FSetScore->Score();
    for (int Suit = 1; FMemory && Suit <= 4; ++Suit)
        for (int Rank = 1; Rank <= 13; ++Rank)
            Table.Marks[MarkIndex(Suit, Rank)] = FMemory->Played(Suit, Rank);
    return Table;
}

void TfrmMain::KeepGame()
{
    const bool Written = GameInProgress(FGame) ? SaveKeptGame(KeptGameText(FGame, KeptTable())) : DiscardKeptGame();
    OfferContinue(false);
    if (Written || FKeepFailureTold)
        return;
    FKeepFailureTold = true;
    ShowMessageBox(this, SpeechText(*Languages, GameUnkeptKey).arg(KeptGameFileName()));
}

// An ended game is never kept; a tournament that goes on keeps the last turn's
// game until the next game is dealt, so that nothing of it is lost meanwhile.
void TfrmMain::GameEnded()
{
    if (FGame.FTournament && DecideTournament(PlayerPoints(FGame), CpuPoints(FGame), TargetScore()) == TTourOutcome::GoesOn)
        return;
    DiscardKeptGame();
}

void TfrmMain::menuContinueClick()
{
    if (!WaitsForTurn([this] { menuContinueClick(); }))
        RunTurn([this] { ContinueGame(); });
}

void TfrmMain::ContinueGame()
{
    if (GameInProgress(FGame))
        return;
    QFile File(KeptGameFileName());
    TGame Kept{};
    TKeptTable Table;
    if (!File.open(QIODevice::ReadOnly)) {
        OfferContinue(false);
        return;
    }
    if (!ReadKeptGame(File.readAll(), Kept, Table)) {
        File.close();
        const QString Aside = SetFileAside(File.fileName());
        OfferContinue(false);
        ShowMessageBox(this, SpeechText(*Languages, GameSetAsideKey).arg(Aside.isEmpty() ? File.fileName() : Aside));
        return;
    }
    FreeCards(FGame);
    FGame = Kept;
    LayKeptTable(Table);
    OfferContinue(false);
}

// The table as after a deal: the memory aid's marks, the tournament's target,
// the cards, the status line and the level, and a screen reader hears the deal.
void TfrmMain::LayKeptTable(const TKeptTable& Table)
{
    if (FGame.FTournament && FSetScore)
        FSetScore->edScore->setValue(Table.Target);
    if (FMemory) {
        FMemory->ResetMemory();
        for (int Suit = 1; Suit <= 4; ++Suit)
            for (int Rank = 1; Rank <= 13; ++Rank)
                for (int32_t Mark = 0; Mark < Table.Marks[MarkIndex(Suit, Rank)]; ++Mark)
                    FMemory->MarkPlayed(TCard{uint8_t(Suit), uint8_t(Rank), cfFaceUp, 0, 0});
        FMemory->grdMemory->Repaint();
        TellMarked(*FMemory, nullptr);
    }
    ScoringStarted();
    GameDealt();
    ShowLevel();
}
