// The entry procedure: the card pictures, the four windows in their order, the
// language from the settings file, the event loop, and the way out.
#include "forms/Main.h"
#include "forms/Memory.h"
#include "forms/SetScore.h"
#include "model/Card.h"
#include "platform/Components.h"
#include "platform/IniFile.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    CardStartup();
    int Result = 0;
    {
        QApplication Application(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Zento"));
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/zento.png")));

        auto* frmMain = new TfrmMain;
        RegisterApplicationComponent(frmMain);
        auto* frmMemory = new TfrmMemory;
        RegisterApplicationComponent(frmMemory);
        auto* frmSetScore = new TfrmSetScore;
        RegisterApplicationComponent(frmSetScore);
        frmMain->Attach(frmMemory, frmSetScore);
        // Only the table window ends the program when it closes.
        frmMemory->setAttribute(Qt::WA_QuitOnClose, false);
        frmMemory->show();

        frmMain->menuGreek->setChecked(false);
        frmMain->menuEnglish->setChecked(true);
        frmMain->Languages->SetSeparator(QStringLiteral("^"));
        frmMain->Languages->SetLanguageFile(frmMain->LanguageFilePath(QStringLiteral("english")));
        auto* SettingsFile = new TIniFile(QStringLiteral("./zento.ini"));
        const QByteArray Language = SettingsFile->ReadString("Settings", "Language", "english");
        if (Language == "english")
            frmMain->menuEnglishClick();
        else
            frmMain->menuGreekClick();

        frmMain->show();
        Result = Application.exec();

        const QByteArray Chosen = frmMain->menuEnglish->isChecked() ? "english" : "greek";
        if (!SettingsFile->WriteString("Settings", "Language", Chosen))
            ShowMessageBox(nullptr, QStringLiteral("Unable to write to %1").arg(SettingsFile->FileName()));
        delete SettingsFile;

        delete frmSetScore;
        delete frmMemory;
        delete frmMain;
    }
    CardShutdown();
    return Result;
}
