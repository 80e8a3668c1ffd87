// The entry procedure: the card pictures, the windows in their order, the
// language from the settings file, the event loop, and the way out.
#include "app/Startup.h"
#include "forms/Main.h"
#include "model/Card.h"
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

        TApplicationWindows Windows = CreateWindows();
        auto* SettingsFile = new TIniFile(SettingsFileName);
        SelectLanguage(*Windows.frmMain, *SettingsFile);

        Windows.frmMain->show();
        Result = Application.exec();

        StoreLanguage(*Windows.frmMain, *SettingsFile);
        delete SettingsFile;
        DestroyWindows(Windows);
    }
    CardShutdown();
    return Result;
}
