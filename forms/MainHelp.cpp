// The table window's Help menu: How to play, in the language in use.
#include "forms/Main.h"

#include "forms/HowToPlay.h"
#include "forms/Statistics.h"
#include "forms/TableSpeech.h"
#include "platform/ModalRun.h"

void TfrmMain::menuHowToPlayClick()
{
    if (WaitsForTurn([this] { menuHowToPlayClick(); }))
        return;
    if (!FHowToPlay)
        FHowToPlay = new TfrmHowToPlay(this);
    const QString Language = menuGreek->isChecked() ? QStringLiteral("greek") : QStringLiteral("english");
    const QString FileName = RulesFilePath(LanguageFilePath(Language));
    const std::optional<QString> Rules = ReadRules(FileName);
    FHowToPlay->ShowRules(SpeechText(*Languages, HowToPlayMenuKey),
                          Rules ? *Rules : SpeechText(*Languages, RulesMissingKey).arg(FileName),
                          SpeechText(*Languages, CloseKey));
    FHowToPlay->CentreOnScreen();
    RunModal(FHowToPlay);
}
