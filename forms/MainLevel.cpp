// The table window's levels and hint: the level chosen for the next game,
// the one in force on the status line, and the hint's command.
#include "forms/Main.h"

#include "forms/Statistics.h"
#include "forms/TableNews.h"
#include "forms/TableSpeech.h"

#include <QLabel>

#include <iterator>

// The level chosen by then plays the whole game, or the whole tournament.
void TfrmMain::StartPlay(void (*Start)(TGame&, TTable&))
{
    // A game left for another before its end is given up; one kept at exit is not.
    if (GameInProgress(FGame))
        CountStatistics([Level = FGame.FLevel](TStatistics& Statistics) { CountGivenUp(Statistics, Level); });
    FGame.FLevel = FChosenLevel;
    Start(FGame, *this);
    ShowLevel();
    // The new game takes the kept one's place.
    KeepGame();
}

void TfrmMain::menuHintClick()
{
    if (!WaitsForTurn([this] { menuHintClick(); }))
        RunTurn([this] { SelectHint(FGame, *this); });
}

void TfrmMain::menuEasyClick()
{
    LevelClicked(TLevel::Easy);
}

void TfrmMain::menuNormalClick()
{
    LevelClicked(TLevel::Normal);
}

void TfrmMain::menuHardClick()
{
    LevelClicked(TLevel::Hard);
}

void TfrmMain::LevelClicked(TLevel Level)
{
    ChooseLevel(Level);
    TellLevel(*this, Level);
}

void TfrmMain::ChooseLevel(TLevel Level)
{
    FChosenLevel = Level;
    menuEasy->setChecked(Level == TLevel::Easy);
    menuNormal->setChecked(Level == TLevel::Normal);
    menuHard->setChecked(Level == TLevel::Hard);
    ShowLevel();
}

TLevel TfrmMain::LevelInForce() const
{
    return FScoresInstalled ? FGame.FLevel : FChosenLevel;
}

void TfrmMain::ShowLevel()
{
    FLevelText->setText(LevelName(LevelInForce(), *Languages));
}

void TfrmMain::TranslateLevelTexts()
{
    menuLevel->setText(Languages->LookupMessage(QString::fromLatin1(LevelMenuKey)));
    TMenuItem* const Items[] = {menuNormal, menuEasy, menuHard};
    for (size_t I = 0; I < std::size(Items); ++I)
        Items[I]->setText(LevelName(static_cast<TLevel>(I), *Languages));
    menuHint->setText(Languages->LookupMessage(QString::fromLatin1(HintMenuKey)));
    menuStatistics->setText(SpeechText(*Languages, StatisticsKey));
    menuContinue->setText(SpeechText(*Languages, ContinueMenuKey));
    menuHelp->setText(SpeechText(*Languages, HelpMenuKey));
    menuHowToPlay->setText(SpeechText(*Languages, HowToPlayMenuKey));
}
