// The real program under a virtual X display, driven with xdotool and read
// from screenshots, as a person would play it.
#include "platform/Version.h"
#include "tests/support/DesignedTable.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr int TableWidth = 299;
constexpr int CardWidth = 71;
constexpr int CardHeight = 96;

QByteArray RunTool(const QString& Program, const QStringList& Arguments, int TimeoutMs = 20000)
{
    QProcess Process;
    Process.start(Program, Arguments);
    Process.waitForFinished(TimeoutMs);
    return Process.readAllStandardOutput();
}

void Xdotool(const QStringList& Arguments)
{
    RunTool(QStringLiteral("xdotool"), Arguments);
}

QImage Screenshot()
{
    const QByteArray Png = RunTool(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
    return QImage::fromData(Png, "PNG").convertToFormat(QImage::Format_RGB32);
}

bool IsFeltGreen(QRgb Pixel)
{
    return qGreen(Pixel) > qRed(Pixel) + 40 && qGreen(Pixel) > qBlue(Pixel) + 40;
}

bool IsWhite(QRgb Pixel)
{
    return qRed(Pixel) > 245 && qGreen(Pixel) > 245 && qBlue(Pixel) > 245;
}

// At its designed place the memory aid lies over the table's top right, where
// the computer's cards and the title strip's close button are: the tests keep
// it beside the table, as a player would who wants to see the whole table.
void PlaceMemoryAidBesideTheTable(const QString& ConfigHome)
{
    QDir().mkpath(ConfigHome + QStringLiteral("/Varkon"));
    QFile Store(ConfigHome + QStringLiteral("/Varkon/Zento.conf"));
    if (!Store.exists() && Store.open(QIODevice::WriteOnly))
        Store.write("[frmMemory]\nNormPos=\"600,131,866,246\"\n");
}

// The top-left corner of the table: the corner of the white frame, found by
// its left side and its bottom row, which the memory aid never covers (at its
// designed place it lies over the frame's top right).
std::optional<QPoint> FindTable(const QImage& Shot)
{
    constexpr int FrameBottom = 378 - 19 - 1;
    for (int Y = 0; Y + 378 <= Shot.height(); ++Y)
        for (int X = 0; X + TableWidth <= Shot.width(); X += 1) {
            if (!IsWhite(Shot.pixel(X, Y)) || !IsWhite(Shot.pixel(X, Y + FrameBottom)) ||
                !IsWhite(Shot.pixel(X + TableWidth - 1, Y + FrameBottom)))
                continue;
            bool Frame = true;
            for (int I = 0; I < TableWidth && Frame; I += 7)
                Frame = IsWhite(Shot.pixel(X + I, Y + FrameBottom)) &&
                        IsFeltGreen(Shot.pixel(X + 2 + I * 290 / TableWidth, Y + FrameBottom - 2));
            for (int I = 0; I < FrameBottom && Frame; I += 7)
                Frame = IsWhite(Shot.pixel(X, Y + I)) && IsFeltGreen(Shot.pixel(X + 2, Y + 2 + I * 350 / FrameBottom));
            if (Frame && IsFeltGreen(Shot.pixel(X + 150, Y + 120)))
                return QPoint(X, Y);
        }
    return std::nullopt;
}

// The share of a card-sized area at (X, Y) of the table that is not felt.
double CardCover(const QImage& Shot, QPoint Table, int X, int Y, int W = CardWidth, int H = CardHeight)
{
    int Covered = 0;
    for (int Dy = 2; Dy < H - 2; ++Dy)
        for (int Dx = 2; Dx < W - 2; ++Dx)
            Covered += !IsFeltGreen(Shot.pixel(Table.x() + X + Dx, Table.y() + Y + Dy));
    return double(Covered) / ((W - 4) * (H - 4));
}

class ZentoProgram : public ::testing::Test
{
protected:
    // Screenshots for a person to look at, written to the temporary folder
    // only when a check of the test failed.
    void SaveIfFailed(const QImage& Shot, const QString& Name) { Shots.append({Name, Shot}); }
    QList<QPair<QString, QImage>> Shots;

    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY")) << "run under xvfb-run";
        Settings.reset(new QTemporaryDir);
        StartProgram();
    }

    // In the test's own folder, which is also the home folder and the place of
    // the settings store, so the user's own settings are never touched.
    void StartProgram()
    {
        Table.reset();
        Output.clear();
        Program.setWorkingDirectory(Settings->path());
        QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
        Env.insert(QStringLiteral("HOME"), Settings->path());
        Env.insert(QStringLiteral("XDG_CONFIG_HOME"), Settings->path());
        PlaceMemoryAidBesideTheTable(Settings->path());
        Env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("zento.status.debug=true"));
        Env.insert(QStringLiteral("QT_FORCE_STDERR_LOGGING"), QStringLiteral("1"));
        Env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        Program.setProcessEnvironment(Env);
        Program.setProcessChannelMode(QProcess::MergedChannels);
        Program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/zento"), {});
        ASSERT_TRUE(Program.waitForStarted(10000));
        for (int Try = 0; Try < 100 && !Table; ++Try) {
            QThread::msleep(100);
            Table = FindTable(Screenshot());
        }
        ASSERT_TRUE(Table) << "the table never showed";
    }
    void TearDown() override
    {
        Program.terminate();
        if (!Program.waitForFinished(5000))
            Program.kill();
        if (HasFailure())
            for (const auto& [Name, Shot] : Shots)
                Shot.save(QDir::temp().filePath(Name));
    }

    // Where the table window lies on the screen, as the X server has it.
    static std::optional<QRect> TableWindow()
    {
        const QByteArray Ids = RunTool(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                                  QStringLiteral("--name"), QStringLiteral("^Zento, ")});
        if (Ids.trimmed().isEmpty())
            return std::nullopt;
        const QByteArray Shell = RunTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"),
                                                                    QString::fromLatin1(Ids.trimmed().split('\n').first())});
        QMap<QByteArray, int> Values;
        for (const QByteArray& Line : Shell.split('\n'))
            if (Line.contains('='))
                Values[Line.left(Line.indexOf('='))] = Line.mid(Line.indexOf('=') + 1).toInt();
        return QRect(Values.value("X"), Values.value("Y"), Values.value("WIDTH"), Values.value("HEIGHT"));
    }

    void ClickTable(int X, int Y, int Button)
    {
        Xdotool({QStringLiteral("mousemove"), QString::number(Table->x() + X), QString::number(Table->y() + Y),
                 QStringLiteral("click"), QString::number(Button)});
    }

    // Gives the table the keyboard: without a window manager a click does that.
    void Key(const QString& Name)
    {
        ClickTable(150, 180, 1);
        QThread::msleep(200);
        Xdotool({QStringLiteral("key"), Name});
    }

    QString LastStatus()
    {
        // Without an event loop the pipe is read only when asked.
        while (Program.waitForReadyRead(300))
            Output += Program.readAll();
        Output += Program.readAll();
        const QStringList Lines = QString::fromUtf8(Output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        static const QRegularExpression Status(QStringLiteral("^(Tournament: )?You: \\d+, CPU: \\d+$"));
        // Each line reads "zento.status: " and the text.
        for (auto Line = Lines.crbegin(); Line != Lines.crend(); ++Line) {
            const QString Text = Line->section(QStringLiteral(": "), 1, -1).trimmed();
            if (Status.match(Text).hasMatch())
                return Text;
        }
        return QString();
    }

    std::unique_ptr<QTemporaryDir> Settings;
    QProcess Program;
    std::optional<QPoint> Table;
    QByteArray Output;
};

} // namespace

TEST_F(ZentoProgram, NewGameShowsEightCardsInTheirRowsAndThePile)
{
    const QImage Empty = Screenshot();
    for (int Slot = 0; Slot < SlotsPerRow; ++Slot)
        EXPECT_LT(CardCover(Empty, *Table, SlotLeft(Slot), PlayerRowTop), 0.05) << "no cards before the first deal";
    Key(QStringLiteral("F2"));
    QThread::msleep(800);
    const QImage Shot = Screenshot();
    SaveIfFailed(Shot, QStringLiteral("zento-e2e-newgame.png"));
    for (int Slot = 0; Slot < SlotsPerRow; ++Slot) {
        EXPECT_GT(CardCover(Shot, *Table, SlotLeft(Slot), CpuRowTop), 0.95) << "computer's slot " << Slot + 1;
        EXPECT_GT(CardCover(Shot, *Table, SlotLeft(Slot), PlayerRowTop), 0.95) << "player's slot " << Slot + 1;
    }
    // Four cards scattered over 35 x 48 places cover more than one card's area.
    const double PileCover = CardCover(Shot, *Table, 114, 107, 106, 144);
    EXPECT_GT(PileCover, double(CardWidth * CardHeight) / (106 * 144));
    EXPECT_LT(CardCover(Shot, *Table, 10, 110, 90, 140), 0.02) << "the felt beside the pile is bare";
    EXPECT_EQ(LastStatus(), QStringLiteral("You: 0, CPU: 0"));
}

TEST_F(ZentoProgram, WholeGameWithTheMouse)
{
    Key(QStringLiteral("F2"));
    QThread::msleep(600);
    for (int Turn = 0; Turn < 24; ++Turn) {
        const int Slot = Turn % 4;
        ClickTable(SlotLeft(Slot) + 35, PlayerRowTop + 48, 1);
        QThread::msleep(150);
        ClickTable(150, 60, 3);
        QThread::msleep(1300);
    }
    // The end-of-game message box: Enter on its OK button.
    QByteArray Box;
    for (int Try = 0; Try < 50 && Box.trimmed().isEmpty(); ++Try) {
        Box = RunTool(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                             QStringLiteral("--name"), QStringLiteral("^Zento$")});
        QThread::msleep(100);
    }
    if (Box.trimmed().isEmpty())
        Screenshot().save(QDir::temp().filePath(QStringLiteral("zento-e2e-nomessage.png")));
    ASSERT_FALSE(Box.trimmed().isEmpty()) << "no end-of-game message";
    const QString BoxId = QString::fromLatin1(Box.trimmed().split('\n').last());
    Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), BoxId, QStringLiteral("5"), QStringLiteral("5"),
             QStringLiteral("click"), QStringLiteral("1")});
    QThread::msleep(200);
    Xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    QThread::msleep(500);
    const QByteArray Still = RunTool(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                            QStringLiteral("--name"), QStringLiteral("^Zento$")});
    EXPECT_TRUE(Still.trimmed().isEmpty()) << "the message box is dismissed";

    const QImage Shot = Screenshot();
    SaveIfFailed(Shot, QStringLiteral("zento-e2e-endgame.png"));
    for (int Slot = 0; Slot < SlotsPerRow; ++Slot) {
        EXPECT_LT(CardCover(Shot, *Table, SlotLeft(Slot), CpuRowTop), 0.05) << "both hands are played out";
        EXPECT_LT(CardCover(Shot, *Table, SlotLeft(Slot), PlayerRowTop), 0.05);
    }
    const QString Status = LastStatus();
    static const QRegularExpression Points(QStringLiteral("^You: (\\d+), CPU: (\\d+)$"));
    const QRegularExpressionMatch Match = Points.match(Status);
    ASSERT_TRUE(Match.hasMatch()) << Status.toStdString();
    const int Sum = Match.captured(1).toInt() + Match.captured(2).toInt();
    // 13 or 16 points for the cards and 10 for each mark, or nothing when no side ever captured.
    EXPECT_TRUE(Sum == 0 || (Sum - 13) % 10 == 0 || (Sum - 16) % 10 == 0) << Status.toStdString();
    EXPECT_NE(Status, QStringLiteral("You: 0, CPU: 0"));
}

namespace {

// The fields of "xdotool getwindowgeometry --shell".
std::optional<QRect> WindowGeometry(const QString& Id)
{
    QMap<QString, int> Fields;
    for (const QByteArray& Line : RunTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), Id}).split('\n'))
        if (const qsizetype Equals = Line.indexOf('='); Equals > 0)
            Fields[QString::fromLatin1(Line.left(Equals))] = Line.mid(Equals + 1).toInt();
    if (!Fields.contains(QStringLiteral("WIDTH")))
        return std::nullopt;
    return QRect(Fields[QStringLiteral("X")], Fields[QStringLiteral("Y")], Fields[QStringLiteral("WIDTH")], Fields[QStringLiteral("HEIGHT")]);
}

QString DesktopEntry(const QString& File, const QString& Key)
{
    QFile Entry(File);
    if (!Entry.open(QIODevice::ReadOnly))
        return QString();
    for (const QByteArray& Line : Entry.readAll().split('\n'))
        if (Line.startsWith(Key.toLatin1() + '='))
            return QString::fromUtf8(Line.mid(Key.size() + 1));
    return QString();
}

// A copy installed with "cmake --install" below a root of its own, started as a
// user starts it: by its command from some other folder, or from the desktop menu.
class InstalledCopy : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY")) << "run under xvfb-run";
        ASSERT_TRUE(Root.isValid() && Home.isValid());
        QProcess Install;
        QProcessEnvironment InstallEnv = QProcessEnvironment::systemEnvironment();
        InstallEnv.insert(QStringLiteral("DESTDIR"), Root.path());
        Install.setProcessEnvironment(InstallEnv);
        Install.setProcessChannelMode(QProcess::MergedChannels);
        Install.start(QStringLiteral(ZENTO_CMAKE_COMMAND), {QStringLiteral("--install"), QStringLiteral(ZENTO_BUILD_DIR)});
        ASSERT_TRUE(Install.waitForFinished(60000));
        ASSERT_EQ(Install.exitCode(), 0) << Install.readAll().toStdString();
        Prefix = Root.path() + QStringLiteral(ZENTO_INSTALL_PREFIX);
    }
    void TearDown() override
    {
        if (Program.state() != QProcess::NotRunning) {
            Program.kill();
            Program.waitForFinished(5000);
        }
    }

    void Start(const QString& Command)
    {
        QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
        Env.insert(QStringLiteral("HOME"), Home.path());
        Env.insert(QStringLiteral("XDG_CONFIG_HOME"), Home.filePath(QStringLiteral("config")));
        PlaceMemoryAidBesideTheTable(Home.filePath(QStringLiteral("config")));
        Env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("zento.status.debug=true"));
        Env.insert(QStringLiteral("QT_FORCE_STDERR_LOGGING"), QStringLiteral("1"));
        Env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        Program.setProcessEnvironment(Env);
        Program.setProcessChannelMode(QProcess::MergedChannels);
        Program.setWorkingDirectory(Home.path());
        Program.start(Command, {});
        ASSERT_TRUE(Program.waitForStarted(10000));
        for (int Try = 0; Try < 100 && !Table; ++Try) {
            QThread::msleep(100);
            Table = FindTable(Screenshot());
        }
        ASSERT_TRUE(Table) << "no table on green felt ever showed";
        for (int Try = 0; Try < 50 && Window.isEmpty(); ++Try) {
            const QByteArray Found = RunTool(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                                    QStringLiteral("--name"), QStringLiteral("^Zento, ")});
            Window = QString::fromLatin1(Found.trimmed().split('\n').first());
            QThread::msleep(100);
        }
        ASSERT_FALSE(Window.isEmpty()) << "no table window";
    }

    void Key(const QString& Name)
    {
        Xdotool({QStringLiteral("mousemove"), QString::number(Table->x() + 150), QString::number(Table->y() + 180),
                 QStringLiteral("click"), QStringLiteral("1")});
        QThread::msleep(200);
        Xdotool({QStringLiteral("key"), Name});
    }

    QString Output()
    {
        while (Program.waitForReadyRead(300))
            Log += Program.readAll();
        Log += Program.readAll();
        return QString::fromUtf8(Log);
    }

    QString Title() { return QString::fromUtf8(RunTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), Window}).trimmed()); }

    // The close button drawn at the right end of the program's own title bar.
    void CloseWithTheTitleButton()
    {
        const std::optional<QRect> Frame = WindowGeometry(Window);
        ASSERT_TRUE(Frame);
        Xdotool({QStringLiteral("mousemove"), QString::number(Frame->right() - 10), QString::number(Frame->top() + 10),
                 QStringLiteral("click"), QStringLiteral("1")});
        ASSERT_TRUE(Program.waitForFinished(10000)) << "the window did not close";
        EXPECT_EQ(Program.exitCode(), 0);
    }

    static QByteArray Read(const QString& File)
    {
        QFile In(File);
        return In.open(QIODevice::ReadOnly) ? In.readAll() : QByteArray("(missing)");
    }

    QTemporaryDir Root;
    QTemporaryDir Home;
    QString Prefix;
    QProcess Program;
    QByteArray Log;
    std::optional<QPoint> Table;
    QString Window;
};

} // namespace

TEST_F(InstalledCopy, CommandFromAnotherFolderFindsItsFilesAndKeepsTheSettingsThere)
{
    QFile Settings(Home.filePath(QStringLiteral("zento.ini")));
    ASSERT_TRUE(Settings.open(QIODevice::WriteOnly));
    Settings.write("[Settings]\nLanguage=greek\n");
    Settings.close();
    // Through the command's link, so the program's folder is found through it.
    Start(Prefix + QStringLiteral("/" ZENTO_COMMANDDIR "/zento"));

    Key(QStringLiteral("F2"));
    EXPECT_TRUE(Output().contains(QStringLiteral("Εσύ: 0, Υπολογιστής: 0"))) << Output().toStdString();
    // Parameters, then down past Memory Aid and Background (Card Picker is greyed)
    // to Language, into it and down to English.
    Xdotool({QStringLiteral("mousemove"), QString::number(Table->x() + 25), QString::number(Table->y() - 10),
             QStringLiteral("click"), QStringLiteral("1")});
    QThread::msleep(300);
    for (const char* Name : {"Down", "Down", "Down", "Right", "Down", "Return"}) {
        Xdotool({QStringLiteral("key"), QString::fromLatin1(Name)});
        QThread::msleep(150);
    }
    QThread::msleep(300);
    EXPECT_TRUE(Output().contains(QStringLiteral("zento.status: You: 0, CPU: 0"))) << Output().toStdString();
    // The base title comes from english.lng; without the file the suffix would stack up.
    EXPECT_EQ(Title(), QStringLiteral("Zento, ") + VersionText + QLatin1Char(' ') + EditionText);

    // The desktop matches the window to its entry by the window class, and shows its icon.
    const QString Entry = Prefix + QStringLiteral("/share/applications/zento.desktop");
    const QByteArray Class = RunTool(QStringLiteral("xprop"), {QStringLiteral("-id"), Window, QStringLiteral("WM_CLASS")});
    EXPECT_TRUE(Class.trimmed().endsWith("\"" + DesktopEntry(Entry, QStringLiteral("StartupWMClass")).toUtf8() + "\""))
        << Class.toStdString();
    const QByteArray Icon = RunTool(QStringLiteral("xprop"), {QStringLiteral("-id"), Window, QStringLiteral("_NET_WM_ICON")});
    EXPECT_TRUE(Icon.contains("Icon (16 x 16)") && Icon.contains("Icon (64 x 64)") && !Icon.contains("Icon (256 x 256)")) << Icon.left(200).toStdString();

    CloseWithTheTitleButton();
    EXPECT_FALSE(Output().contains(QStringLiteral("zento: missing"))) << Output().toStdString();
    EXPECT_EQ(Read(Settings.fileName()), "[Settings]\nLanguage=english\n");
}

TEST_F(InstalledCopy, DesktopEntryKeepsTheSettingsInTheConfigFolder)
{
    const QString Entry = Prefix + QStringLiteral("/share/applications/zento.desktop");
    const QString Exec = DesktopEntry(Entry, QStringLiteral("Exec"));
    ASSERT_EQ(Exec, QStringLiteral(ZENTO_INSTALL_PREFIX "/" ZENTO_PROGRAMDIR "/zento-desktop"));
    Start(Root.path() + Exec);
    CloseWithTheTitleButton();
    EXPECT_EQ(Read(Home.filePath(QStringLiteral("config/zento/zento.ini"))), "[Settings]\nLanguage=english\n");
    EXPECT_FALSE(QFile::exists(Home.filePath(QStringLiteral("zento.ini")))) << "no settings file in the home folder";
}

TEST_F(InstalledCopy, MissingFilesLeaveAWorkingGameAndAreNamed)
{
    const QString Folder = Prefix + QStringLiteral("/" ZENTO_PROGRAMDIR "/");
    ASSERT_TRUE(QFile::remove(Folder + QStringLiteral("english.lng")));
    ASSERT_TRUE(QFile::remove(Folder + QStringLiteral("tsoxa.bmp")));
    QProcess Bare;
    QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
    Env.insert(QStringLiteral("XDG_CONFIG_HOME"), Home.filePath(QStringLiteral("config")));
    PlaceMemoryAidBesideTheTable(Home.filePath(QStringLiteral("config")));
    Env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    Bare.setProcessEnvironment(Env);
    Bare.setWorkingDirectory(Home.path());
    Bare.start(Prefix + QStringLiteral("/" ZENTO_COMMANDDIR "/zento"), {});
    ASSERT_TRUE(Bare.waitForStarted(10000));
    QString Errors;
    for (int Try = 0; Try < 100 && !Errors.contains(QStringLiteral("missing felt")); ++Try) {
        Bare.waitForReadyRead(100);
        Errors += QString::fromUtf8(Bare.readAllStandardError());
    }
    Bare.kill();
    Bare.waitForFinished(5000);
    const QString Real = QDir(Folder).canonicalPath();
    EXPECT_TRUE(Errors.contains(QStringLiteral("zento: missing language file %1/english.lng\n").arg(Real))) << Errors.toStdString();
    EXPECT_TRUE(Errors.contains(QStringLiteral("zento: missing felt %1/tsoxa.bmp\n").arg(Real))) << Errors.toStdString();
}

TEST_F(ZentoProgram, ClosingTheTableWindowSavesTheLanguageAndBothPlacesAndTheyComeBack)
{
    const std::optional<QRect> Designed = TableWindow();
    ASSERT_TRUE(Designed);
    EXPECT_EQ(Designed->topLeft(), QPoint(268, 153));
    // Dragged by its title strip, as a person moves it without a window manager.
    const QPoint Grip = Designed->topLeft() + QPoint(100, 10);
    Xdotool({QStringLiteral("mousemove"), QString::number(Grip.x()), QString::number(Grip.y()), QStringLiteral("mousedown"), QStringLiteral("1")});
    for (int Step = 1; Step <= 4; ++Step)
        Xdotool({QStringLiteral("mousemove"), QString::number(Grip.x() - 25 * Step), QString::number(Grip.y() - 15 * Step)});
    Xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
    QThread::msleep(300);
    const std::optional<QRect> Moved = TableWindow();
    ASSERT_TRUE(Moved);
    ASSERT_EQ(Moved->topLeft(), Designed->topLeft() - QPoint(100, 60));

    // The close button at the right end of the title strip.
    Xdotool({QStringLiteral("mousemove"), QString::number(Moved->right() - 9), QString::number(Moved->top() + 10),
             QStringLiteral("click"), QStringLiteral("1")});
    ASSERT_TRUE(Program.waitForFinished(10000)) << "the program goes on after its table window closed";
    EXPECT_EQ(Program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(Program.exitCode(), 0);

    QFile Ini(Settings->filePath(QStringLiteral("zento.ini")));
    ASSERT_TRUE(Ini.open(QIODevice::ReadOnly));
    const QByteArray Written = Ini.readAll();
    EXPECT_TRUE(Written.contains("[Settings]") && Written.contains("Language=english")) << Written.constData();
    const QSettings Store(Settings->filePath(QStringLiteral("Varkon/Zento.conf")), QSettings::IniFormat);
    const QString NormPos = QStringLiteral("%1,%2,%3,%4").arg(Moved->left()).arg(Moved->top())
                                .arg(Moved->left() + Moved->width()).arg(Moved->top() + Moved->height());
    EXPECT_EQ(Store.value(QStringLiteral("frmMain/NormPos")).toString(), NormPos);
    EXPECT_EQ(Store.value(QStringLiteral("frmMain/ShowCmd")).toString(), QStringLiteral("1"));
    EXPECT_EQ(Store.value(QStringLiteral("frmMain/Visible")).toString(), QStringLiteral("0")) << "saved as it closed";
    EXPECT_EQ(Store.value(QStringLiteral("frmMemory/NormPos")).toString(), QStringLiteral("600,131,866,246"));
    EXPECT_EQ(Store.value(QStringLiteral("frmMemory/Visible")).toString(), QStringLiteral("1")) << "saved as it was, shown";

    // Only the position comes back from the store; the size is the window's own.
    StartProgram();
    const QRect Back = TableWindow().value_or(QRect());
    EXPECT_EQ(Back, *Moved) << "came back at " << Back.x() << "," << Back.y() << " " << Back.width() << "x"
                            << Back.height();
}

namespace {

// The memory aid's window on the X server, which shows just after the table
// window; empty when none shows.
QString MemoryWindowId()
{
    QByteArray Ids;
    for (int Try = 0; Try < 30 && Ids.trimmed().isEmpty(); ++Try) {
        Ids = RunTool(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                 QStringLiteral("--name"), QStringLiteral("^Memory$")});
        if (Ids.trimmed().isEmpty())
            QThread::msleep(100);
    }
    return QString::fromLatin1(Ids.trimmed().split('\n').first());
}

QString Property(const QString& Window, const QString& Name)
{
    return QString::fromLatin1(RunTool(QStringLiteral("xprop"), {QStringLiteral("-id"), Window, Name}).trimmed());
}

// A person's drag: press, a pause, twenty small moves, release.
void Drag(const QPoint& From, const QPoint& By)
{
    Xdotool({QStringLiteral("mousemove"), QString::number(From.x()), QString::number(From.y()), QStringLiteral("mousedown"),
             QStringLiteral("1")});
    QThread::msleep(300);
    for (int Step = 1; Step <= 20; ++Step) {
        const QPoint To = From + By * Step / 20;
        Xdotool({QStringLiteral("mousemove"), QString::number(To.x()), QString::number(To.y())});
        QThread::msleep(20);
    }
    Xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
    QThread::msleep(500);
}

// The same program under a window manager that frames, stacks and minimises
// its windows: openbox, as small desktops run it.
class ZentoUnderOpenbox : public ZentoProgram
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY")) << "run under xvfb-run";
        Manager.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        ASSERT_TRUE(Manager.waitForStarted(10000)) << "openbox is missing";
        for (int Try = 0; Try < 200 && !ManagerRuns(); ++Try)
            QThread::msleep(100);
        ASSERT_TRUE(ManagerRuns()) << "openbox did not start";
        ZentoProgram::SetUp();
    }
    void TearDown() override
    {
        ZentoProgram::TearDown();
        Manager.terminate();
        if (!Manager.waitForFinished(5000))
            Manager.kill();
    }
    static bool ManagerRuns()
    {
        return RunTool(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
            .contains("window id");
    }

    QProcess Manager;
};

} // namespace

// The aid lies over the table's top right, at its designed place, and stays
// over it when the table window is clicked and becomes the active window; the
// manager adds no frame of its own with buttons of its choosing.
TEST_F(ZentoUnderOpenbox, MemoryAidStaysOverTheActiveTableWindowWithItsOwnTitleBar)
{
    Program.terminate();
    ASSERT_TRUE(Program.waitForFinished(5000));
    QFile Store(Settings->filePath(QStringLiteral("Varkon/Zento.conf")));
    ASSERT_TRUE(Store.open(QIODevice::WriteOnly));
    Store.write("[frmMemory]\nNormPos=\"394,131,660,246\"\n");
    Store.close();
    StartProgram();
    ClickTable(150, 200, 1);
    QThread::msleep(500);
    const QString Memory = MemoryWindowId();
    ASSERT_FALSE(Memory.isEmpty());
    EXPECT_TRUE(Property(Memory, QStringLiteral("_NET_FRAME_EXTENTS")).endsWith(QStringLiteral("= 0, 0, 0, 0")))
        << Property(Memory, QStringLiteral("_NET_FRAME_EXTENTS")).toStdString();
    const QImage Shot = Screenshot();
    SaveIfFailed(Shot, QStringLiteral("zento-e2e-aid-over-table.png"));
    // The unplayed cards' white cells of the grid, below the aid's title bar,
    // where the table window lies under it.
    const QPoint Grid(394, 131 + 20);
    int White = 0, Cells = 0;
    for (int Row = 1; Row <= 4; ++Row)
        for (int Col = 1; 394 + Col * 19 + 17 < Table->x() + TableWidth; ++Col, ++Cells)
            White += IsWhite(Shot.pixel(Grid.x() + Col * 19 + 9, Grid.y() + Row * 19 + 9));
    EXPECT_GT(Cells, 20);
    EXPECT_EQ(White, Cells) << "the table window covers the memory aid";
}

TEST_F(ZentoUnderOpenbox, TwoDragsInARowByTheTitleStripBothMoveTheWindowAndItIsSavedThere)
{
    const std::optional<QRect> Start = TableWindow();
    ASSERT_TRUE(Start);
    Drag(Start->topLeft() + QPoint(100, 10), QPoint(100, 80));
    const std::optional<QRect> Once = TableWindow();
    ASSERT_TRUE(Once);
    EXPECT_EQ(Once->topLeft(), Start->topLeft() + QPoint(100, 80));
    Drag(Once->topLeft() + QPoint(100, 10), QPoint(100, 80));
    const std::optional<QRect> Twice = TableWindow();
    ASSERT_TRUE(Twice);
    EXPECT_EQ(Twice->topLeft(), Once->topLeft() + QPoint(100, 80)) << "the second drag moved nothing";

    // Saved where the manager shows it, not where Qt last heard it was.
    Xdotool({QStringLiteral("mousemove"), QString::number(Twice->right() - 9), QString::number(Twice->top() + 10),
             QStringLiteral("click"), QStringLiteral("1")});
    ASSERT_TRUE(Program.waitForFinished(10000)) << "the close button did nothing";
    const QSettings Store(Settings->filePath(QStringLiteral("Varkon/Zento.conf")), QSettings::IniFormat);
    EXPECT_EQ(Store.value(QStringLiteral("frmMain/NormPos")).toString(),
              QStringLiteral("%1,%2,%3,%4").arg(Twice->left()).arg(Twice->top()).arg(Twice->left() + Twice->width())
                  .arg(Twice->top() + Twice->height()));
}

TEST_F(ZentoUnderOpenbox, GameKeysWorkWhileTheMemoryAidHasTheFocus)
{
    const QString Memory = MemoryWindowId();
    ASSERT_FALSE(Memory.isEmpty());
    Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), Memory, QStringLiteral("130"), QStringLiteral("70"),
             QStringLiteral("click"), QStringLiteral("1")});
    const auto Active = [] {
        return RunTool(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")}).trimmed().toLongLong();
    };
    for (int Try = 0; Try < 30 && Active() != Memory.toLongLong(); ++Try)
        QThread::msleep(100);
    ASSERT_EQ(Active(), Memory.toLongLong()) << "the memory aid has the focus";
    Xdotool({QStringLiteral("key"), QStringLiteral("F2")});
    QString Status;
    for (int Try = 0; Try < 10 && Status.isEmpty(); ++Try)
        Status = LastStatus();
    EXPECT_EQ(Status, QStringLiteral("You: 0, CPU: 0")) << "F2 dealt no game";
}

// As a task bar or the manager's keys minimise it.
TEST_F(ZentoUnderOpenbox, MemoryAidGoesDownAndComesBackWithTheTableWindowMinimisedByTheManager)
{
    const QString Memory = MemoryWindowId();
    ASSERT_FALSE(Memory.isEmpty());
    const QString Main = QString::fromLatin1(
        RunTool(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                            QStringLiteral("^Zento, ")})
            .trimmed()
            .split('\n')
            .first());
    Xdotool({QStringLiteral("windowminimize"), Main});
    QThread::msleep(800);
    EXPECT_TRUE(Property(Main, QStringLiteral("WM_STATE")).contains(QStringLiteral("Iconic")));
    EXPECT_TRUE(Property(Memory, QStringLiteral("WM_STATE")).contains(QStringLiteral("Iconic"))) << "left alone on the screen";
    Xdotool({QStringLiteral("windowactivate"), Main});
    QThread::msleep(800);
    EXPECT_TRUE(Property(Main, QStringLiteral("WM_STATE")).contains(QStringLiteral("Normal")));
    EXPECT_TRUE(Property(Memory, QStringLiteral("WM_STATE")).contains(QStringLiteral("Normal"))) << "it came back with it";
}

// Framed by the manager, the window is saved where the manager shows it, not
// where the program last heard it was (Qt may still hold 0,0 for it).
TEST_F(ZentoUnderOpenbox, ClickedAndClosedTheTableWindowIsSavedWhereItShows)
{
    ClickTable(150, 200, 1);
    QThread::msleep(500);
    const std::optional<QRect> Shown = TableWindow();
    ASSERT_TRUE(Shown);
    Xdotool({QStringLiteral("mousemove"), QString::number(Shown->right() - 9), QString::number(Shown->top() + 10),
             QStringLiteral("click"), QStringLiteral("1")});
    ASSERT_TRUE(Program.waitForFinished(10000)) << "the close button did nothing";
    const QSettings Store(Settings->filePath(QStringLiteral("Varkon/Zento.conf")), QSettings::IniFormat);
    EXPECT_EQ(Store.value(QStringLiteral("frmMain/NormPos")).toString().toStdString(),
              QStringLiteral("%1,%2,%3,%4").arg(Shown->left()).arg(Shown->top()).arg(Shown->left() + Shown->width())
                  .arg(Shown->top() + Shown->height()).toStdString());
}

// The first click on a menu caption, as soon as the table window shows, opens
// the menu under it (and the end of the game's box over the table): both are
// placed from Qt's own record of the table window's place, which must be where
// the manager put the window from the start. It stayed at 0,0 until the first
// drag in one start of four or so; six starts in a row are tried.
TEST_F(ZentoUnderOpenbox, FirstMenuOpensUnderItsCaptionAtOnce)
{
    for (int Start = 0; Start < 6; ++Start) {
        SCOPED_TRACE(Start);
        Program.terminate();
        ASSERT_TRUE(Program.waitForFinished(5000));
        QFile::remove(Settings->filePath(QStringLiteral("Varkon/Zento.conf")));
        Program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/zento"), {});
        ASSERT_TRUE(Program.waitForStarted(10000));
        // Asked again at once: a search fails outright while the previous
        // start's windows go.
        std::optional<QRect> Window;
        for (int Try = 0; Try < 200 && !Window; ++Try) {
            Window = TableWindow();
            if (!Window)
                QThread::msleep(20);
        }
        ASSERT_TRUE(Window) << "the table never showed";
        // The first caption of the menu bar, below the title strip.
        Xdotool({QStringLiteral("mousemove"), QString::number(Window->x() + 12), QString::number(Window->y() + 20 + 9),
                 QStringLiteral("click"), QStringLiteral("1")});
        // The menu: the program's window named after the program alone.
        std::optional<QRect> Menu;
        for (int Try = 0; Try < 50 && !Menu; ++Try) {
            const QByteArray Ids = RunTool(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                                      QStringLiteral("--classname"), QStringLiteral("zento")});
            for (const QByteArray& Id : Ids.trimmed().split('\n')) {
                const QString Name = QString::fromUtf8(
                    RunTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), QString::fromLatin1(Id)}).trimmed());
                if (Id.isEmpty() || Name != QStringLiteral("Zento"))
                    continue;
                const QByteArray Shell = RunTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"),
                                                                            QStringLiteral("--shell"), QString::fromLatin1(Id)});
                QMap<QByteArray, int> Values;
                for (const QByteArray& Line : Shell.split('\n'))
                    if (Line.contains('='))
                        Values[Line.left(Line.indexOf('='))] = Line.mid(Line.indexOf('=') + 1).toInt();
                Menu = QRect(Values.value("X"), Values.value("Y"), Values.value("WIDTH"), Values.value("HEIGHT"));
            }
            if (!Menu)
                QThread::msleep(100);
        }
        ASSERT_TRUE(Menu) << "no menu opened";
        const QPoint Offset = Menu->topLeft() - Window->topLeft();
        EXPECT_TRUE(Offset.x() >= 0 && Offset.x() <= 12 && Offset.y() >= 20 + 10 && Offset.y() <= 20 + 30)
            << "the menu opened at " << Menu->x() << "," << Menu->y() << ", the table window is at " << Window->x()
            << "," << Window->y();
    }
}
