// The table window's statistics: what a game's end and a game given up count,
// the statistics window and its Reset.
#include "forms/Main.h"

#include "forms/Statistics.h"
#include "forms/TableSpeech.h"
#include "platform/MessageBox.h"
#include "platform/ModalRun.h"

#include <string_view>

namespace {

bool Is(const char* Key, const char* Known)
{
    return std::string_view(Key) == Known;
}

} // namespace

TStatisticsFile& TfrmMain::Statistics()
{
    if (!FStatisticsFile)
        FStatisticsFile.emplace();
    return *FStatisticsFile;
}

// The game's end comes before the tournament's decision, and both are counted
// as they are told, so that a program ended at the message box loses nothing.
void TfrmMain::CountEnd(const char* Key)
{
    if (Is(Key, EndOfGameKey)) {
        const TGameResult Result = ResultOf(FGame);
        CountStatistics([Result](TStatistics& Statistics) { CountGame(Statistics, Result); });
        GameEnded();
        return;
    }
    const bool Won = Is(Key, YouWonKey);
    if (!Won && !Is(Key, ComputerWonKey))
        return;
    const TTourOutcome Outcome = Won ? TTourOutcome::PlayerWon : TTourOutcome::ComputerWon;
    CountStatistics([Level = FGame.FLevel, Outcome, Target = TargetScore()](TStatistics& Statistics) {
        CountTournament(Statistics, Level, Outcome, Target);
    });
}

void TfrmMain::CountStatistics(const std::function<void(TStatistics&)>& Change)
{
    Statistics().Count(Change);
    TellStatisticsFaults();
}

void TfrmMain::TellStatisticsFaults()
{
    if (const std::optional<QString> Aside = Statistics().TakeSetAside())
        ShowMessageBox(this, SpeechText(*Languages, StatisticsSetAsideKey).arg(*Aside));
    if (Statistics().TakeWriteFailure())
        ShowMessageBox(this, SpeechText(*Languages, StatisticsUnsavedKey).arg(Statistics().FileName()));
}

void TfrmMain::menuStatisticsClick()
{
    if (WaitsForTurn([this] { menuStatisticsClick(); }))
        return;
    if (!FStatisticsWindow) {
        FStatisticsWindow = new TfrmStatistics(this);
        FStatisticsWindow->OnReset = [this] { ResetStatistics(); };
    }
    const TStatistics Shown = Statistics().Read();
    TellStatisticsFaults();
    FStatisticsWindow->ShowStatistics(Shown, *Languages);
    FStatisticsWindow->CentreOnScreen();
    RunModal(FStatisticsWindow);
}

void TfrmMain::ResetStatistics()
{
    if (!AskQuestion(FStatisticsWindow, SpeechText(*Languages, ResetQuestionKey)))
        return;
    CountStatistics([](TStatistics& Statistics) { Statistics = TStatistics{}; });
    FStatisticsWindow->ShowStatistics(Statistics().Read(), *Languages);
}
