// Start-up and exit of the program: its windows in their order, and the language
// kept in the settings file between runs.
#pragma once
#include "forms/About.h"
#include "forms/Main.h"
#include "forms/Memory.h"
#include "forms/SetScore.h"

#include <QIcon>
#include <QString>

#include <memory>

class TIniFile;

// ".\zento.ini": the settings file lies in the folder the program is started from.
inline const QString SettingsFileName = QStringLiteral("./zento.ini");

// The application's four windows; declared in their order of creation, so
// that they go in the reverse order, the table window last.
struct TApplicationWindows
{
    std::unique_ptr<TfrmMain> frmMain;
    std::unique_ptr<TfrmMemory> frmMemory;
    std::unique_ptr<TfrmSetScore> frmSetScore;
    std::unique_ptr<TfrmAbout> frmAbout;
};

// Creates the windows in their order and registers them as the application's
// components; the memory aid shows as soon as the table window does, so that
// it belongs to it from its first showing.
TApplicationWindows CreateWindows();
// The windows go in the reverse order of their creation; a window whose
// place could not be saved as it went is told of once all are gone.
void DestroyWindows(TApplicationWindows& Windows);

// The window icon, from the program's resources, at the sizes a window is given.
QIcon ProgramIcon();

// Runs the event loop until the table window is closed. The other windows stay
// as they are, to be saved as they were when they are destroyed.
int RunEventLoop();

// English unless the file says otherwise; only "english" exactly is English.
void SelectLanguage(TfrmMain& Main, const TIniFile& SettingsFile);
// Writes the language whose item is checked; a failure is reported and answered false.
bool StoreLanguage(const TfrmMain& Main, TIniFile& SettingsFile);
// The level kept in the settings file: "Easy", "Normal" or "Hard" exactly;
// none, or any other text, is Normal.
TLevel StoredLevel(const TIniFile& SettingsFile);
void SelectLevel(TfrmMain& Main, const TIniFile& SettingsFile);
// Writes the chosen level only when it differs from what the file gives, so
// that a file the player's choice leaves as it was is not touched; a failure
// is reported and answered false.
bool StoreLevel(const TfrmMain& Main, TIniFile& SettingsFile);
// The card picker kept in the settings file: "LeftRight" or "OneClick"
// exactly; none, or any other text, is LeftRight. Written, as the level, only
// when the choice differs from what the file gives.
TCardPicker StoredCardPicker(const TIniFile& SettingsFile);
void SelectCardPicker(TfrmMain& Main, const TIniFile& SettingsFile);
bool StoreCardPicker(const TfrmMain& Main, TIniFile& SettingsFile);
