#include "app/Startup.h"

#include "forms/About.h"
#include "forms/Main.h"
#include "forms/Memory.h"
#include "forms/SetScore.h"
#include "platform/Components.h"
#include "platform/Controls.h"
#include "platform/IniFile.h"

#include <QDir>
#include <QFileInfo>

QIcon ProgramIcon()
{
    QIcon Icon;
    for (int Size : {16, 24, 32, 48, 64, 128, 256})
        Icon.addFile(QStringLiteral(":/icons/zento-%1.png").arg(Size), QSize(Size, Size));
    return Icon;
}

TApplicationWindows CreateWindows()
{
    TApplicationWindows Windows;
    Windows.frmMain = new TfrmMain;
    RegisterApplicationComponent(Windows.frmMain);
    Windows.frmMemory = new TfrmMemory;
    RegisterApplicationComponent(Windows.frmMemory);
    Windows.frmSetScore = new TfrmSetScore;
    RegisterApplicationComponent(Windows.frmSetScore);
    Windows.frmAbout = new TfrmAbout;
    RegisterApplicationComponent(Windows.frmAbout);
    Windows.frmMain->Attach(Windows.frmMemory, Windows.frmSetScore, Windows.frmAbout);
    Windows.frmMemory->show();
    return Windows;
}

void DestroyWindows(TApplicationWindows& Windows)
{
    delete Windows.frmAbout;
    delete Windows.frmSetScore;
    delete Windows.frmMemory;
    delete Windows.frmMain;
    Windows = {};
}

void SelectLanguage(TfrmMain& Main, const TIniFile& SettingsFile)
{
    Main.menuGreek->setChecked(false);
    Main.menuEnglish->setChecked(true);
    Main.Languages->SetSeparator(QStringLiteral("^"));
    Main.Languages->SetLanguageFile(Main.LanguageFilePath(QStringLiteral("english")));
    if (SettingsFile.ReadString("Settings", "Language", "english") == "english")
        Main.menuEnglishClick();
    else
        Main.menuGreekClick();
}

bool StoreLanguage(const TfrmMain& Main, TIniFile& SettingsFile)
{
    const QByteArray Language = Main.menuEnglish->isChecked() ? "english" : "greek";
    if (SettingsFile.WriteString("Settings", "Language", Language))
        return true;
    // The file lies in the working folder, which the user may not know: name it in full.
    const QString Path = QDir::cleanPath(QFileInfo(SettingsFile.FileName()).absoluteFilePath());
    ShowMessageBox(nullptr, QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(Path)));
    return false;
}
