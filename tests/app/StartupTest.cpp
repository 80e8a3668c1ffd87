#include "app/Startup.h"
#include "app/CommandLine.h"
#include "platform/Placement.h"

#include "forms/About.h"
#include "forms/Main.h"
#include "forms/Memory.h"
#include "forms/SetScore.h"
#include "platform/Components.h"
#include "platform/DrawGrid.h"
#include "platform/IniFile.h"
#include "platform/ResourcePicture.h"
#include "platform/TestSeams.h"
#include "tests/support/Support.h"

#include <QDialog>
#include <QDir>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QIcon>
#include <QImage>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Runs each test in a working folder of its own, where ".\zento.ini" lies.
class StartupFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        OldFolder = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(Folder.Path()));
        SetMessageBoxHandler([this](const QString& Text) { Messages << Text; });
        Windows = CreateWindows();
    }
    void TearDown() override
    {
        DestroyWindows(Windows);
        ClearApplicationComponents();
        SetMessageBoxHandler({});
        QDir::setCurrent(OldFolder);
    }

    void WriteSettings(const QByteArray& Text)
    {
        QFile File(Folder.File(QStringLiteral("zento.ini")));
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write(Text);
    }

    bool English() const { return Windows.frmMain->menuEnglish->isChecked(); }

    QByteArray SettingsBytes() const
    {
        QFile File(Folder.File(QStringLiteral("zento.ini")));
        return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
    }

    TTempFolder Folder;
    QString OldFolder;
    TApplicationWindows Windows;
    QStringList Messages;
};

} // namespace

TEST_F(StartupFixture, WindowsAreCreatedInTheirOrderAndTheMemoryAidShows)
{
    const QList<QObject*> Components = ApplicationComponents();
    ASSERT_EQ(Components.size(), 4);
    EXPECT_EQ(Components[0], Windows.frmMain.get());
    EXPECT_EQ(Components[1], Windows.frmMemory.get());
    EXPECT_EQ(Components[2], Windows.frmSetScore.get());
    EXPECT_EQ(Components[3], Windows.frmAbout.get());
    EXPECT_TRUE(Windows.frmMain->menuMemory->isChecked());
    // It belongs to the table window from its first showing, so it follows it.
    EXPECT_FALSE(Windows.frmMemory->isVisible()) << "not before the table window";
    Windows.frmMain->show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Windows.frmMemory->isVisible());
}

// A box or dialog of the table window is given a native window before it
// shows; the table's own parts must stay drawn into the window's one surface,
// or a Wayland compositor is told their changes in the wrong place.
TEST_F(StartupFixture, ABoxOfTheTableLeavesTheTablesPartsInItsOneSurface)
{
    Windows.frmMain->show();
    QCoreApplication::processEvents();
    QDialog Box(Windows.frmMain.get());
    Box.winId();
    Windows.frmAbout->winId();
    for (const QWidget* Part : Windows.frmMain->findChildren<QWidget*>()) {
        if (Part->isWindow())
            continue;
        EXPECT_FALSE(Part->testAttribute(Qt::WA_NativeWindow)) << Part->objectName().toStdString();
        EXPECT_EQ(Part->internalWinId(), WId(0)) << Part->objectName().toStdString();
    }
}

// Stored minimised, the table window takes the memory aid down with it even
// though the aid shows only once the table window is on the screen.
TEST_F(StartupFixture, TableWindowStoredMinimisedTakesTheMemoryAidDownFromTheStart)
{
    QSettings(StoreOrganisation, StoreApplication).setValue(QStringLiteral("frmMain/ShowCmd"), QStringLiteral("2"));
    Windows.frmMain->show();
    for (int Turn = 0; Turn < 3; ++Turn)
        QCoreApplication::processEvents();
    EXPECT_TRUE(Windows.frmMain->isMinimized());
    EXPECT_TRUE(Windows.frmMemory->isVisible());
    EXPECT_TRUE(Windows.frmMemory->isMinimized()) << "shown alone on the screen";
}

// Every window writes in one font at the design's 8 points. The test machines
// have no "MS Sans Serif", and there the windows write in the desktop's own
// sans-serif, the application font, rather than naming the missing family.
TEST_F(StartupFixture, EveryWindowWritesInTheDesktopsSansSerifAtEightPointsWithoutTheDesignFont)
{
    if (QFontDatabase::families().contains(QStringLiteral("MS Sans Serif"), Qt::CaseInsensitive))
        GTEST_SKIP() << "this machine has the design font";
    const QWidget* Forms[] = {Windows.frmMain.get(), Windows.frmMemory.get(), Windows.frmSetScore.get(),
                              Windows.frmAbout.get()};
    for (const QWidget* Form : Forms) {
        SCOPED_TRACE(Form->objectName().toStdString());
        EXPECT_EQ(Form->font().family(), QApplication::font().family());
        EXPECT_EQ(Form->font().pointSize(), 8);
    }
}

TEST_F(StartupFixture, FirstRunSelectsEnglishAndWritesTheSettingsFile)
{
    TIniFile Settings(SettingsFileName);
    SelectLanguage(*Windows.frmMain, Settings);
    EXPECT_TRUE(English());
    EXPECT_FALSE(Windows.frmMain->menuGreek->isChecked());
    EXPECT_EQ(Windows.frmMain->menuNewGame->text(), QStringLiteral("New Game"));
    EXPECT_EQ(Windows.frmMain->windowTitle(), FullTitle());
    Windows.frmMain->menuGreekClick();
    ASSERT_TRUE(StoreLanguage(*Windows.frmMain, Settings));
    EXPECT_EQ(TIniFile(Folder.File(QStringLiteral("zento.ini"))).ReadString("Settings", "Language", ""), "greek");
}

TEST_F(StartupFixture, OnlyEnglishSpelledExactlySelectsEnglish)
{
    struct TCase { QByteArray File; bool English; };
    const TCase Cases[] = {
        {"[Settings]\r\nLanguage=english\r\n", true},
        {"[settings]\nlanguage=english\n", true},
        {"[Settings]\nLanguage=greek\n", false},
        {"[Settings]\nLanguage=\n", false},
        {"[Settings]\nLanguage=English\n", false},
        {"[Settings]\nLanguage=klingon\n", false},
        {"[Other]\nLanguage=greek\n", true},
        {QByteArray("\xff\xfe\x00garbage", 10), true},
    };
    for (const TCase& C : Cases) {
        WriteSettings(C.File);
        const TIniFile Settings(SettingsFileName);
        SelectLanguage(*Windows.frmMain, Settings);
        EXPECT_EQ(English(), C.English) << C.File.toStdString();
        EXPECT_NE(Windows.frmMain->menuGreek->isChecked(), English()) << "exactly one language is checked";
    }
    EXPECT_EQ(Windows.frmMain->Languages->LanguageFile(), Windows.frmMain->LanguageFilePath(QStringLiteral("english")));
    EXPECT_EQ(Windows.frmMain->Languages->Separator(), QStringLiteral("^"));
}

// Only the three names spelled exactly choose a level; anything else, or
// nothing, is Normal, and the menu's check follows.
TEST_F(StartupFixture, LevelIsReadFromTheSettingsFileAndAnythingOddIsNormal)
{
    struct TCase { QByteArray File; TLevel Level; };
    const TCase Cases[] = {
        {"[Settings]\r\nLevel=Hard\r\n", TLevel::Hard},
        {"[settings]\nlevel=Easy\n", TLevel::Easy},
        {"[Settings]\nLanguage=greek\nLevel=Normal\n", TLevel::Normal},
        {"[Settings]\nLevel=hard\n", TLevel::Normal},
        {"[Settings]\nLevel=HARD\n", TLevel::Normal},
        {"[Settings]\nLevel=\n", TLevel::Normal},
        {"[Settings]\nLevel=Impossible\n", TLevel::Normal},
        {"[Other]\nLevel=Hard\n", TLevel::Normal},
        {"[Settings]\nLanguage=english\n", TLevel::Normal},
        {QByteArray("\xff\xfe\x00garbage", 10), TLevel::Normal},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.File.toStdString());
        Windows.frmMain->ChooseLevel(TLevel::Easy);
        WriteSettings(C.File);
        const TIniFile Settings(SettingsFileName);
        SelectLevel(*Windows.frmMain, Settings);
        EXPECT_EQ(Windows.frmMain->ChosenLevel(), C.Level);
        EXPECT_EQ(Windows.frmMain->menuHard->isChecked(), C.Level == TLevel::Hard);
        EXPECT_EQ(Windows.frmMain->menuEasy->isChecked(), C.Level == TLevel::Easy);
        EXPECT_EQ(Windows.frmMain->menuNormal->isChecked(), C.Level == TLevel::Normal);
    }
}

// A file whose level the player leaves as it gives is not touched, odd value
// and all; a level chosen is written on its own line and nothing else changes.
TEST_F(StartupFixture, LevelIsWrittenOnlyWhenChosenAndAloneOnItsLine)
{
    const QByteArray Odd = "; kept\r\n[Settings]\r\nLanguage=greek\r\nLevel=hard\r\n[Other]\r\nX=1\r\n";
    WriteSettings(Odd);
    TIniFile Settings(SettingsFileName);
    SelectLevel(*Windows.frmMain, Settings);
    Windows.frmMain->menuNormalClick();
    ASSERT_TRUE(StoreLevel(*Windows.frmMain, Settings));
    EXPECT_EQ(SettingsBytes(), Odd);

    Windows.frmMain->menuHardClick();
    ASSERT_TRUE(StoreLevel(*Windows.frmMain, Settings));
    QByteArray Wanted = Odd;
    Wanted.replace("Level=hard", "Level=Hard");
    EXPECT_EQ(SettingsBytes(), Wanted);

    WriteSettings("[Settings]\r\nLanguage=greek\r\n");
    TIniFile Plain(SettingsFileName);
    Windows.frmMain->menuEasyClick();
    ASSERT_TRUE(StoreLevel(*Windows.frmMain, Plain));
    EXPECT_EQ(TIniFile(SettingsFileName).ReadString("Settings", "Level", ""), "Easy");
    EXPECT_EQ(TIniFile(SettingsFileName).ReadString("Settings", "Language", ""), "greek");
    EXPECT_TRUE(Messages.isEmpty());
}

// Only "OneClick" exactly plays with one click; an old file, or any other
// text, keeps the left and right buttons. The choice is written, on its own
// line, only when it differs from what the file gives.
TEST_F(StartupFixture, CardPickerIsReadExactlyAndWrittenOnlyWhenChanged)
{
    struct TCase { QByteArray File; TCardPicker Picker; };
    const TCase Cases[] = {
        {"[Settings]\r\nCardPicker=OneClick\r\n", TCardPicker::OneClick},
        {"[settings]\ncardpicker=OneClick\n", TCardPicker::OneClick},
        {"[Settings]\nCardPicker=oneclick\n", TCardPicker::LeftRight},
        {"[Settings]\nCardPicker=\n", TCardPicker::LeftRight},
        {"[Settings]\nLanguage=greek\nLevel=Hard\n", TCardPicker::LeftRight},
        {"", TCardPicker::LeftRight},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.File.toStdString());
        Windows.frmMain->ChooseCardPicker(C.Picker == TCardPicker::OneClick ? TCardPicker::LeftRight
                                                                             : TCardPicker::OneClick);
        WriteSettings(C.File);
        SelectCardPicker(*Windows.frmMain, TIniFile(SettingsFileName));
        EXPECT_EQ(Windows.frmMain->CardPicker(), C.Picker);
        EXPECT_EQ(Windows.frmMain->menuLeft->isChecked(), C.Picker == TCardPicker::OneClick);
        EXPECT_EQ(Windows.frmMain->menuLeftRight->isChecked(), C.Picker == TCardPicker::LeftRight);
    }

    const QByteArray Odd = "[Settings]\r\nLanguage=greek\r\nCardPicker=one\r\n";
    WriteSettings(Odd);
    TIniFile Settings(SettingsFileName);
    SelectCardPicker(*Windows.frmMain, Settings);
    Windows.frmMain->menuLeftRightClick();
    ASSERT_TRUE(StoreCardPicker(*Windows.frmMain, Settings));
    EXPECT_EQ(SettingsBytes(), Odd);
    Windows.frmMain->menuLeftClick();
    ASSERT_TRUE(StoreCardPicker(*Windows.frmMain, Settings));
    QByteArray Wanted = Odd;
    Wanted.replace("CardPicker=one", "CardPicker=OneClick");
    EXPECT_EQ(SettingsBytes(), Wanted);
    EXPECT_TRUE(Messages.isEmpty());
}

// The language files come from the program's folder, the settings from the working folder.
TEST_F(StartupFixture, SettingsFileInTheProgramsFolderIsNotTheOneRead)
{
    const QString Beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("zento.ini"));
    ASSERT_FALSE(QFile::exists(Beside)) << "a settings file lies beside the test program";
    {
        const auto Remove = qScopeGuard([&Beside] { QFile::remove(Beside); });
        QFile File(Beside);
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write("[Settings]\nLanguage=greek\n");
        File.close();
        const TIniFile Unset(SettingsFileName);
        SelectLanguage(*Windows.frmMain, Unset);
        EXPECT_TRUE(English());
    }

    WriteSettings("[Settings]\nLanguage=greek\n");
    const TIniFile Settings(SettingsFileName);
    SelectLanguage(*Windows.frmMain, Settings);
    EXPECT_FALSE(English());
    EXPECT_EQ(Windows.frmMain->menuNewGame->text(), QStringLiteral("Νέα παρτίδα"));
    EXPECT_TRUE(QFile::exists(Windows.frmMain->LanguageFilePath(QStringLiteral("greek"))));
    EXPECT_FALSE(Windows.frmMain->LanguageFilePath(QStringLiteral("greek")).startsWith(Folder.Path()));
}

TEST_F(StartupFixture, UnwritableSettingsFileIsReported)
{
    ASSERT_TRUE(QDir(Folder.Path()).mkdir(QStringLiteral("zento.ini")));  // a folder where the file should be
    TIniFile Settings(SettingsFileName);
    SelectLanguage(*Windows.frmMain, Settings);
    EXPECT_TRUE(English());
    EXPECT_FALSE(StoreLanguage(*Windows.frmMain, Settings));
    EXPECT_EQ(Messages, QStringList{"Unable to write to " + QDir::currentPath() + "/zento.ini"});
}

TEST_F(StartupFixture, FullDiskKeepsTheSettingsFileAndIsReported)
{
    const QByteArray Before = "[Settings]\nLanguage=greek\n" + QByteArray(3000, ';') + "\n";
    WriteSettings(Before);
    TIniFile Settings(SettingsFileName);
    SelectLanguage(*Windows.frmMain, Settings);
    Windows.frmMain->menuEnglishClick();
    {
        const TFileSizeLimit Limit(1024);
        EXPECT_FALSE(StoreLanguage(*Windows.frmMain, Settings));
    }
    QFile File(Folder.File(QStringLiteral("zento.ini")));
    ASSERT_TRUE(File.open(QIODevice::ReadOnly));
    EXPECT_EQ(File.readAll(), Before);
    EXPECT_EQ(Messages, QStringList{"Unable to write to " + QDir::currentPath() + "/zento.ini"});
}

// The store cannot be written as the program ends while the memory aid shows
// with the keyboard. The aid saves its place as it goes and cannot tell the
// failure then: the box would take the keyboard from the aid, and its loop
// would repaint the aid's grid from a window half gone. The failure is told
// in a real box once every window is gone, in the words of any failed save.
TEST_F(StartupFixture, PlacementUnsavedAtExitIsToldOnceTheWindowsAreGone)
{
    Windows.frmMain->show();
    QTimer::singleShot(0, Windows.frmMain.get(), [this] { Windows.frmMain->close(); });
    EXPECT_EQ(RunEventLoop(), 0);
    ASSERT_TRUE(Windows.frmMemory->isVisible());
    Windows.frmMemory->activateWindow();
    Windows.frmMemory->grdMemory->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(Windows.frmMemory->grdMemory->hasFocus());
    // A folder where the store's file should be: neither read nor written.
    const QString StoreFile = QSettings(StoreOrganisation, StoreApplication).fileName();
    QFile::remove(StoreFile);
    ASSERT_TRUE(QDir().mkpath(StoreFile));
    const auto Remove = qScopeGuard([&StoreFile] { QDir(StoreFile).removeRecursively(); });
    SetMessageBoxHandler({});
    int WindowsLeft = -1;
    QTimer Answer;
    QObject::connect(&Answer, &QTimer::timeout, [&] {
        auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!Box)
            return;
        Messages << Box->text();
        const QWidgetList Shown = QApplication::topLevelWidgets();
        WindowsLeft = int(std::count_if(Shown.begin(), Shown.end(),
                                        [Box](const QWidget* Window) { return Window != Box && Window->isVisible(); }));
        Box->accept();
    });
    Answer.start(10);
    DestroyWindows(Windows);
    Answer.stop();
    EXPECT_EQ(Messages, QStringList{QStringLiteral("Unable to save the window placement in ") + StoreFile});
    EXPECT_EQ(WindowsLeft, 0);
}

// The window icon comes at every size of the program's icon pictures that
// title bars take (64 pixels at most; the larger ones are the icon theme's),
// with its transparency: an opaque one would show a black square around the cards.
TEST(ProgramIcon, HasTheTitleBarSizesWithTheirTransparency)
{
    QList<int> TitleBarSizes;
    const QDir Pictures(QStringLiteral(ZENTO_SOURCE_DIR "/resources/icons"));
    for (const QString& Name : Pictures.entryList({QStringLiteral("zento-*.png")})) {
        const int Size = QImage(Pictures.filePath(Name)).width();
        if (Size <= 64)
            TitleBarSizes << Size;
    }
    std::sort(TitleBarSizes.begin(), TitleBarSizes.end());
    ASSERT_FALSE(TitleBarSizes.isEmpty());
    const QIcon Icon = ProgramIcon();
    QList<QSize> Sizes;
    for (int Size : TitleBarSizes)
        Sizes << QSize(Size, Size);
    EXPECT_EQ(Icon.availableSizes(), Sizes);
    for (int Size : TitleBarSizes) {
        SCOPED_TRACE(Size);
        const QImage Raw = RawResourcePicture(QStringLiteral(":/icons/zento-%1").arg(Size));
        ASSERT_EQ(Raw.format(), QImage::Format_ARGB32);
        const QString Source = QStringLiteral(ZENTO_SOURCE_DIR "/resources/icons/zento-%1.png").arg(Size);
        EXPECT_EQ(Raw, QImage(Source).convertToFormat(QImage::Format_ARGB32));
        EXPECT_EQ(qAlpha(Icon.pixmap(Size).toImage().pixel(0, 0)), 0);
    }
}

// The options are answered alone; anything else is named and refused with
// status 2, before a window or a display is asked for.
TEST(ReadCommandLine, AnswersItsOptionsAndRefusesTheRest)
{
    struct TCase
    {
        QStringList Arguments;
        TCommandAction Action;
        const char* Names;
    };
    const TCase Cases[] = {
        {{}, caPlay, ""},
        {{QStringLiteral("--help")}, caHelp, "--version"},
        {{QStringLiteral("-h")}, caHelp, "--help"},
        {{QStringLiteral("--version")}, caVersion, "Zento, ver "},
        {{QStringLiteral("-v")}, caVersion, "Zento, ver "},
        {{QStringLiteral("--colour")}, caUsageError, "zento: unknown option '--colour'\n"},
        {{QStringLiteral("--help"), QStringLiteral("-x")}, caUsageError, "unknown option '-x'"},
        {{QStringLiteral("game.txt")}, caUsageError, "unexpected argument 'game.txt'"},
        {{QStringLiteral("--help"), QStringLiteral("--version")}, caUsageError, "one option at a time"},
        {{QStringLiteral("-platform"), QStringLiteral("xcb")}, caUsageError, "unknown option '-platform'"},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Arguments.join(QLatin1Char(' ')).toStdString());
        const TCommandLine Command = ReadCommandLine(Case.Arguments);
        EXPECT_EQ(Command.Action, Case.Action);
        EXPECT_TRUE(Command.Text.contains(QLatin1String(Case.Names))) << Command.Text.toStdString();
        EXPECT_EQ(CommandStatus(Command.Action), Case.Action == caUsageError ? 2 : 0);
    }
}

// Every option the help names is in the manual page's options, as troff writes it.
TEST(ReadCommandLine, ManualPageListsEveryOptionOfTheHelp)
{
    QFile Page(QStringLiteral(ZENTO_SOURCE_DIR "/dist/zento.6"));
    ASSERT_TRUE(Page.open(QIODevice::ReadOnly));
    const QString Text = QString::fromUtf8(Page.readAll());
    const QString Options = Text.section(QStringLiteral(".SH OPTIONS\n"), 1).section(QStringLiteral(".SH "), 0, 0);
    static const QRegularExpression Option(QStringLiteral("(?<![\\w-])--?[a-z]+"));
    const QString Help = ReadCommandLine({QStringLiteral("--help")}).Text;
    int Named = 0;
    for (const QRegularExpressionMatch& Match : Option.globalMatch(Help)) {
        const QString Troff = Match.captured().replace(QLatin1Char('-'), QStringLiteral("\\-"));
        const QRegularExpression Listed(QStringLiteral("(^|\\s)%1(\\s|$)").arg(QRegularExpression::escape(Troff)),
                                        QRegularExpression::MultilineOption);
        EXPECT_TRUE(Options.contains(Listed)) << Match.captured().toStdString();
        ++Named;
    }
    EXPECT_GE(Named, 4);
}
