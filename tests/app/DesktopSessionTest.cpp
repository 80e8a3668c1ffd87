// The program's windows on a real display server, as a desktop session runs
// them: a Wayland compositor (headless weston) or an X server, whichever the
// test program was started under.
#include "app/Startup.h"
#include "platform/Gradient.h"
#include "platform/IniFile.h"
#include "platform/Placement.h"

#include "forms/Main.h"
#include "forms/Memory.h"
#include "platform/Components.h"
#include "platform/TestSeams.h"
#include "tests/support/Support.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMargins>
#include <QSettings>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Places an X11 session left behind, under both names and at two resolutions.
const QByteArray StoreOfAnX11Session = "[frmMain]\n"
                                       "Flags=0\n"
                                       "MinMaxPos=\"-1,-1,-1,-1\"\n"
                                       "MinMaxPos(1024x768)=\"-1,-1,-1,-1\"\n"
                                       "NormPos=\"277,148,576,564\"\n"
                                       "NormPos(1024x768)=\"277,148,576,564\"\n"
                                       "NormPos(1920x1080)=\"900,300,1199,716\"\n"
                                       "PixelsPerInch=96\n"
                                       "ShowCmd=1\n"
                                       "Visible=0\n"
                                       "\n"
                                       "[frmMemory]\n"
                                       "Flags=0\n"
                                       "MinMaxPos=\"-1,-1,-1,-1\"\n"
                                       "MinMaxPos(1024x768)=\"-1,-1,-1,-1\"\n"
                                       "NormPos=\"600,131,866,246\"\n"
                                       "NormPos(1024x768)=\"600,131,866,246\"\n"
                                       "NormPos(1920x1080)=\"1300,200,1566,315\"\n"
                                       "PixelsPerInch=96\n"
                                       "ShowCmd=1\n"
                                       "Visible=1\n";

// Serves events until the condition holds, for five seconds at most: a
// compositor answers in its own time.
bool ServeUntil(const std::function<bool()>& Condition)
{
    const QDeadlineTimer Deadline(5000);
    while (!Condition() && !Deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return Condition();
}

// Whether the table window was on the screen, and the memory aid its own,
// when the memory aid's window was first handed to the window system.
class TFirstShowing : public QObject
{
public:
    TFirstShowing(QWindow* Memory, QWindow* Table) : FTable(Table) { Memory->installEventFilter(this); }
    bool Seen = false;
    bool OwnedThen = false;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() == QEvent::Show && !Seen) {
            Seen = true;
            OwnedThen = FTable->isVisible() && static_cast<QWindow*>(Watched)->transientParent() == FTable;
        }
        return QObject::eventFilter(Watched, Event);
    }

private:
    QWindow* FTable;
};

class DesktopSession : public ::testing::Test
{
protected:
    void SetUp() override
    {
        OldFolder = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(Folder.Path()));
        SetMessageBoxHandler([this](const QString& Text) { Messages << Text; });
        QDir().mkpath(Folder.File(QStringLiteral("Varkon")));
        QFile Store(StoreFile());
        ASSERT_TRUE(Store.open(QIODevice::WriteOnly));
        Store.write(StoreOfAnX11Session);
    }
    void TearDown() override
    {
        DestroyWindows(Windows);
        ClearApplicationComponents();
        SetMessageBoxHandler({});
        QDir::setCurrent(OldFolder);
    }

    QString StoreFile() const { return Folder.File(QStringLiteral("Varkon/Zento.conf")); }

    // Start-up as the program runs it, up to both windows on the screen.
    void Start()
    {
        Windows = CreateWindows();
        const TIniFile Settings(SettingsFileName);
        SelectLanguage(*Windows.frmMain, Settings);
        Windows.frmMain->show();
        ASSERT_TRUE(ServeUntil([this] {
            return Windows.frmMain->windowHandle()->isExposed() && Windows.frmMemory->isVisible() &&
                   Windows.frmMemory->windowHandle()->isExposed();
        })) << "both windows show";
    }

    // Closing the table window ends the session; the windows then go.
    void Exit()
    {
        Windows.frmMain->close();
        QCoreApplication::processEvents();
        TIniFile Settings(SettingsFileName);
        StoreLanguage(*Windows.frmMain, Settings);
        DestroyWindows(Windows);
    }

    TTempFolder Folder;
    QString OldFolder;
    TApplicationWindows Windows;
    QStringList Messages;
};

// Decided apart from the program's own test, which is what is tested.
bool OnWayland()
{
    return QGuiApplication::platformName() == QStringLiteral("wayland");
}

std::string Stored(const QString& Key)
{
    return QSettings(StoreOrganisation, StoreApplication).value(Key).toString().toStdString();
}

} // namespace

// A Wayland compositor places the windows itself and tells no program where
// they are: the places kept from an X11 session stay as they were, while what
// can be known, shown or hidden and the window state, is saved as ever.
TEST_F(DesktopSession, AWholeSessionKeepsThePlacesItCannotKnowAndSavesTheRest)
{
    Start();
    const QRect TableFrame(Windows.frmMain->pos(), Windows.frmMain->frameGeometry().size());
    Windows.frmMain->menuNewGame->trigger();
    EXPECT_EQ(Windows.frmMain->Game().FPlayerHand.Count, 4) << "a game was dealt";
    Windows.frmMain->menuMemory->trigger();
    EXPECT_TRUE(ServeUntil([this] { return !Windows.frmMemory->isVisible(); }));
    Windows.frmMain->menuMemory->trigger();
    EXPECT_TRUE(ServeUntil([this] { return Windows.frmMemory->windowHandle()->isExposed(); }));
    Exit();

    {
        QFile Copy(Folder.File(QStringLiteral("before.conf")));
        ASSERT_TRUE(Copy.open(QIODevice::WriteOnly));
        Copy.write(StoreOfAnX11Session);
    }
    const QSettings Before(Folder.File(QStringLiteral("before.conf")), QSettings::IniFormat);
    for (const QString& Key : Before.allKeys()) {
        if (Key.endsWith(QStringLiteral("/Visible")) || Key.endsWith(QStringLiteral("/ShowCmd")) ||
            Key.endsWith(QStringLiteral("/Flags")))
            continue;
        const bool Position = Key.contains(QStringLiteral("Pos")) || Key.endsWith(QStringLiteral("PixelsPerInch"));
        if (!OnWayland() && Position)
            continue;
        EXPECT_EQ(Stored(Key), Before.value(Key).toString().toStdString()) << Key.toStdString();
    }
    if (!OnWayland()) {
        const QString Where = QStringLiteral("%1,%2,%3,%4")
                                  .arg(TableFrame.left())
                                  .arg(TableFrame.top())
                                  .arg(TableFrame.left() + TableFrame.width())
                                  .arg(TableFrame.top() + TableFrame.height());
        EXPECT_EQ(Stored(QStringLiteral("frmMain/NormPos")), Where.toStdString()) << "a place the window system tells is saved";
    }
    EXPECT_EQ(Stored(QStringLiteral("frmMain/ShowCmd")), "1");
    EXPECT_EQ(Stored(QStringLiteral("frmMemory/ShowCmd")), "1");
    EXPECT_EQ(Stored(QStringLiteral("frmMain/Visible")), "0") << "saved as it closed";
    EXPECT_EQ(Stored(QStringLiteral("frmMemory/Visible")), "1") << "showing to the end";
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join(QLatin1Char('\n')).toStdString();
}

// A window shown before its owner is on the screen is taken as a window of its
// own: the compositor or window manager places and stacks it anywhere.
TEST_F(DesktopSession, MemoryAidBelongsToTheTableWindowFromItsFirstShowing)
{
    Windows = CreateWindows();
    ASSERT_NE(Windows.frmMemory->windowHandle(), nullptr);
    TFirstShowing First(Windows.frmMemory->windowHandle(), Windows.frmMain->windowHandle());
    Windows.frmMain->show();
    ASSERT_TRUE(ServeUntil([this] { return Windows.frmMemory->isVisible(); })) << "the memory aid shows at start";
    EXPECT_TRUE(First.Seen);
    EXPECT_TRUE(First.OwnedThen) << "handed over before the table window was, or without it";
    EXPECT_EQ(Windows.frmMemory->windowHandle()->transientParent(), Windows.frmMain->windowHandle());
}

// Neither the window system nor Qt's own Wayland frame adds a title bar of
// their choosing, with minimise and maximise: the aid's own has a close button.
TEST_F(DesktopSession, MemoryAidsTitleBarOffersItsCloseButtonOnly)
{
    Start();
    EXPECT_EQ(Windows.frmMemory->windowHandle()->frameMargins(), QMargins()) << "no frame from elsewhere";
    const TGradient* Strip = Windows.frmMemory->findChild<TGradient*>(QStringLiteral("Gradient"));
    ASSERT_NE(Strip, nullptr);
    const int Width = Strip->width();
    EXPECT_EQ(Strip->ButtonAt(TGradient::ButtonRect(TTitleButton::Close, Width).center()), TTitleButton::Close);
    EXPECT_EQ(Strip->ButtonAt(TGradient::ButtonRect(TTitleButton::Minimize, Width).center()), TTitleButton::None);
    EXPECT_EQ(Strip->FormCaption(), Windows.frmMemory->Caption()) << "its title";
}
