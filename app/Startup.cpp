#include "app/Startup.h"

#include "forms/About.h"
#include "forms/Main.h"
#include "forms/Memory.h"
#include "forms/SetScore.h"
#include "platform/Components.h"
#include "platform/Form.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"
#include "platform/OwnedWindow.h"
#include "platform/ResourcePicture.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>

#include <iterator>

// Title bars and window switchers take the window's own icon at 64 pixels at
// most; the window system is handed every size the build stored for the whole
// run. Menus and docks take the larger ones from the icon theme. The build
// stores them as raw pixels, so nothing is decoded at start-up.
QIcon ProgramIcon()
{
    QIcon Icon;
    for (int Size : {ZENTO_WINDOW_ICON_SIZES}) {
        const QImage Picture = RawResourcePicture(QStringLiteral(":/icons/zento-%1").arg(Size));
        if (!Picture.isNull())
            Icon.addPixmap(QPixmap::fromImage(Picture));
    }
    return Icon;
}

TApplicationWindows CreateWindows()
{
    // A dialog or box that belongs to the table window is given a native
    // window of its own before it shows; by default Qt then gives every part
    // of the table window one too. Those parts are drawn into the window's
    // one surface: on Wayland each would become a surface of its own, whose
    // changes Qt 6.4 reports to the compositor in the part's own coordinates.
    QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    TApplicationWindows Windows;
    Windows.frmMain = std::make_unique<TfrmMain>();
    RegisterApplicationComponent(Windows.frmMain.get());
    Windows.frmMemory = std::make_unique<TfrmMemory>();
    RegisterApplicationComponent(Windows.frmMemory.get());
    Windows.frmSetScore = std::make_unique<TfrmSetScore>();
    RegisterApplicationComponent(Windows.frmSetScore.get());
    Windows.frmAbout = std::make_unique<TfrmAbout>();
    RegisterApplicationComponent(Windows.frmAbout.get());
    Windows.frmMain->Attach(Windows.frmMemory.get(), Windows.frmSetScore.get(), Windows.frmAbout.get());
    ShowAfterOwner(Windows.frmMemory.get(), Windows.frmMain.get());
    return Windows;
}

void DestroyWindows(TApplicationWindows& Windows)
{
    Windows.frmAbout.reset();
    Windows.frmSetScore.reset();
    Windows.frmMemory.reset();
    Windows.frmMain.reset();
    for (const QString& Fault : TakeUntoldFaults())
        ShowMessageBox(nullptr, Fault);
}

// Qt's own quit closes every window before the loop ends, and the memory aid
// would then be saved as if the user had closed it; leaving the loop leaves
// the windows alone. The table window is the only window that ends the
// program when it closes, so the last such window closed is the table window.
int RunEventLoop()
{
    const bool QuitOnLastWindowClosed = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    const QMetaObject::Connection Leave =
        QObject::connect(qApp, &QGuiApplication::lastWindowClosed, qApp, [] { QCoreApplication::exit(0); });
    const int Result = QApplication::exec();
    QObject::disconnect(Leave);
    QGuiApplication::setQuitOnLastWindowClosed(QuitOnLastWindowClosed);
    return Result;
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

namespace {

// As the file spells them, in the order of TLevel and of TCardPicker; the
// first is what a missing entry, or any other text, gives.
const QByteArray StoredLevels[] = {"Normal", "Easy", "Hard"};
const QByteArray StoredCardPickers[] = {"LeftRight", "OneClick"};

template <size_t Count>
size_t StoredChoice(const TIniFile& SettingsFile, const char* Key, const QByteArray (&Names)[Count])
{
    const QByteArray Text = SettingsFile.ReadString("Settings", Key, Names[0]);
    for (size_t I = 0; I < Count; ++I)
        if (Text == Names[I])
            return I;
    return 0;
}

bool WriteSetting(TIniFile& SettingsFile, const char* Key, const QByteArray& Value)
{
    if (SettingsFile.WriteString("Settings", Key, Value))
        return true;
    // The file lies in the working folder, which the user may not know: name it in full.
    const QString Path = QDir::cleanPath(QFileInfo(SettingsFile.FileName()).absoluteFilePath());
    ShowMessageBox(nullptr, QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(Path)));
    return false;
}

// Written only when the choice differs from what the file gives.
template <size_t Count>
bool StoreChoice(TIniFile& SettingsFile, const char* Key, const QByteArray (&Names)[Count], size_t Chosen)
{
    if (Chosen == StoredChoice(SettingsFile, Key, Names))
        return true;
    return WriteSetting(SettingsFile, Key, Names[Chosen]);
}

} // namespace

bool StoreLanguage(const TfrmMain& Main, TIniFile& SettingsFile)
{
    return WriteSetting(SettingsFile, "Language", Main.menuEnglish->isChecked() ? "english" : "greek");
}

TLevel StoredLevel(const TIniFile& SettingsFile)
{
    return static_cast<TLevel>(StoredChoice(SettingsFile, "Level", StoredLevels));
}

void SelectLevel(TfrmMain& Main, const TIniFile& SettingsFile)
{
    Main.ChooseLevel(StoredLevel(SettingsFile));
}

bool StoreLevel(const TfrmMain& Main, TIniFile& SettingsFile)
{
    return StoreChoice(SettingsFile, "Level", StoredLevels, static_cast<size_t>(Main.ChosenLevel()));
}

TCardPicker StoredCardPicker(const TIniFile& SettingsFile)
{
    return static_cast<TCardPicker>(StoredChoice(SettingsFile, "CardPicker", StoredCardPickers));
}

void SelectCardPicker(TfrmMain& Main, const TIniFile& SettingsFile)
{
    Main.ChooseCardPicker(StoredCardPicker(SettingsFile));
}

bool StoreCardPicker(const TfrmMain& Main, TIniFile& SettingsFile)
{
    return StoreChoice(SettingsFile, "CardPicker", StoredCardPickers, static_cast<size_t>(Main.CardPicker()));
}
