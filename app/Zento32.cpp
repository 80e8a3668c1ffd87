// The entry procedure: the card pictures, the windows in their order, the
// language from the settings file, the event loop, and the way out.
#include "app/CommandLine.h"
#include "app/Startup.h"
#include "forms/Main.h"
#include "model/Card.h"
#include "platform/Styles.h"
#include "platform/IniFile.h"

#include <QAccessible>
#include <QApplication>

#include <cstdio>
#include <optional>

namespace {

// The options are answered before anything of the game or the display exists,
// so that they work where no display does.
QStringList ArgumentsOf(int argc, char** argv)
{
    QStringList Arguments;
    for (int Index = 1; Index < argc; ++Index)
        Arguments << QString::fromLocal8Bit(argv[Index]);
    return Arguments;
}

} // namespace

int main(int argc, char** argv)
{
    const TCommandLine Command = ReadCommandLine(ArgumentsOf(argc, argv));
    if (Command.Action != caPlay) {
        std::fputs(Command.Text.toLocal8Bit().constData(), Command.Action == caUsageError ? stderr : stdout);
        return CommandStatus(Command.Action);
    }
    CardStartup();
    // The menu bar belongs inside the window, under its own title strip; a
    // desktop's global menu would take it away, and asking the desktop for one
    // costs start-up a message bus query.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    int Result = 0;
    {
        std::optional<TDisplayGuard> Guard(std::in_place);
        QApplication Application(argc, argv);
        Guard.reset();
        // The first question about accessibility connects to the desktop's
        // message bus, and where no bus runs, Qt forks to look for a launcher.
        // After a fork every page the program has written faults once more
        // when it is written again; asked now, before the windows and the
        // table's bitmaps exist, that is a few pages instead of a megabyte.
        QAccessible::isActive();
        QApplication::setStyle(new TProgramStyle);
        QApplication::setApplicationName(QStringLiteral("Zento"));
        // Lets the desktop match the windows to zento.desktop where it goes by that name.
        QGuiApplication::setDesktopFileName(QStringLiteral("zento"));
        QApplication::setWindowIcon(ProgramIcon());

        TApplicationWindows Windows = CreateWindows();
        TIniFile SettingsFile(SettingsFileName);
        SelectLanguage(*Windows.frmMain, SettingsFile);
        SelectLevel(*Windows.frmMain, SettingsFile);
        SelectCardPicker(*Windows.frmMain, SettingsFile);

        Windows.frmMain->show();
        Result = RunEventLoop();

        // One message of a file that cannot be written is enough.
        if (StoreLanguage(*Windows.frmMain, SettingsFile) && StoreLevel(*Windows.frmMain, SettingsFile))
            StoreCardPicker(*Windows.frmMain, SettingsFile);
        DestroyWindows(Windows);
    }
    CardShutdown();
    return Result;
}
