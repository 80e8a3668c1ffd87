// A translation pass from a fuzzed language file over the program's four real windows,
// then every message the program looks up, and the status line built from them.
// Checked: nothing crashes, each list-of-lines value shows as many lines as it was split
// into, and every lookup gives the file's entry (at most 1023 characters) or the key.
#include "app/Startup.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/support/TableWindow.h"
#include "forms/About.h"
#include "forms/Main.h"
#include "lang/Lang.h"
#include "model/Card.h"
#include "platform/Components.h"
#include "platform/Controls.h"
#include "platform/IniFile.h"
#include "platform/TestSeams.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// The application and its windows are made once for the whole run; the per-user settings
// store and the language file live in a folder of their own, removed at exit.
struct TWorld
{
    TWorld()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_CONFIG_HOME", Folder.path().toUtf8());
        App = new QApplication(Argc, Argv);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Folder.path());
        CardStartup();
        Windows = CreateWindows();
        // A message box would wait for a click that never comes.
        SetMessageBoxHandler([](const QString&) {});
        LanguageFile = Folder.filePath(QStringLiteral("fuzz.lng"));
    }
    ~TWorld()
    {
        SetMessageBoxHandler({});
        DestroyWindows(Windows);
        ClearApplicationComponents();
        CardShutdown();
        delete App;
    }

    QTemporaryDir Folder;
    int Argc = 1;
    char Name[5] = "fuzz";
    char* Argv[2] = {Name, nullptr};
    QApplication* App = nullptr;
    TApplicationWindows Windows;
    QString LanguageFile;
};

TWorld& World()
{
    static TWorld Instance;
    return Instance;
}

void CheckLines(const TIniFile& File, const TLanguage& Languages, const char* Path, const TMemo& Memo)
{
    const QString Value = FromWindows1253(File.ReadString("Translations", Path, QByteArray()));
    if (Value.isEmpty())
        return; // an empty entry leaves the box as it was
    Check(Memo.Lines().size() == Languages.SplitLines(Value).size(), "a list of lines shows the lines it was split into");
}

QString Expected(const TIniFile& File, const QString& Key)
{
    const std::optional<QByteArray> Value = File.FindString("Messages", ToWindows1253(Key));
    return Value ? FromWindows1253(*Value) : Key;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TWorld& W = World();
    PutFile(W.LanguageFile, Data, Size);
    TfrmMain& Main = *W.Windows.frmMain;
    TLanguage& Languages = *Main.Languages;
    Languages.SetLanguageFile(W.LanguageFile);
    Languages.Translate();

    const TIniFile File(W.LanguageFile);
    CheckLines(File, Languages, "frmAbout.Credits.Lines", *W.Windows.frmAbout->Credits);
    CheckLines(File, Languages, "frmAbout.lblDevInfo.Lines", *W.Windows.frmAbout->lblDevInfo);

    for (const char* Key : {"You", "CPU", "Tournament", "end of game...", "you won...", "the computer won...",
                            "dealing again..."}) {
        const QString Text = Languages.LookupMessage(QString::fromLatin1(Key));
        Check(Text == Expected(File, QString::fromLatin1(Key)), "a lookup gives the entry or the key");
        Check(Text.size() <= MaxProfileValueLength || Text == QString::fromLatin1(Key), "a message is cut at 1023");
    }
    Main.ShowScores();
    Check(StatusLine(Main).startsWith(Expected(File, QStringLiteral("You")) + QStringLiteral(": ")),
          "the status line starts with the player's label");
    return 0;
}
