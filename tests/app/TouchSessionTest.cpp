// The program played by a finger on a real compositor: KWin, the one desktop
// that takes touch from a client (tests/support/FakeTouch.cpp), started by
// tests/support/with-desktop.sh. The finger touches the screen where the
// compositor shows the windows, read off the X display it shows on.
#include "app/Startup.h"
#include "forms/About.h"
#include "forms/Main.h"
#include "forms/Memory.h"
#include "model/Game.h"
#include "platform/Components.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"
#include "platform/TestSeams.h"
#include "tests/support/ScreenCheck.h"
#include "tests/support/Support.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStyleHints>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

// The finger: one client of KWin's fake input for the whole test, so that a
// finger put down stays down between two commands.
class TFinger
{
public:
    TFinger()
    {
        FClient.start(QStringLiteral(ZENTO_FAKE_TOUCH), {});
        FClient.waitForStarted();
    }
    ~TFinger()
    {
        FClient.closeWriteChannel();
        if (!FClient.waitForFinished(5000))
            FClient.kill();
        FClient.waitForFinished();
    }

    bool Down(QPoint At) { return Send(QStringLiteral("down 0 %1 %2").arg(At.x()).arg(At.y())); }
    bool Up() { return Send(QStringLiteral("up 0")); }
    bool Tap(QPoint At) { return Down(At) && Up(); }

private:
    // One command and the frame that ends it, each answered once KWin has it;
    // the program's events are served meanwhile.
    bool Send(const QString& Command)
    {
        for (const QString& Line : {Command, QStringLiteral("frame")}) {
            FClient.write((Line + QLatin1Char('\n')).toLatin1());
            if (!ServeEventsUntil([this] { return FClient.canReadLine() || FClient.state() == QProcess::NotRunning; }))
                return false;
            const QByteArray Answer = FClient.readLine().trimmed();
            if (Answer != "ok") {
                ADD_FAILURE() << "the finger: " << Answer.constData() << FClient.readAll().constData();
                return false;
            }
        }
        return true;
    }

    QProcess FClient;
};

// Qt makes a double click of a second tap within its interval.
void WaitOutADoubleClick()
{
    ServeEventsUntil([] { return false; }, QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100);
}

class TouchSession : public ::testing::Test
{
protected:
    void SetUp() override
    {
        OldFolder = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(Folder.Path()));
        SetMessageBoxHandler([this](const QString& Text) { Messages << Text; });
        SetDelayOverride(0);
        Windows = CreateWindows();
        SelectLanguage(*Windows.frmMain, TIniFile(SettingsFileName));
        Windows.frmMain->show();
        ASSERT_TRUE(ServeEventsUntil([this] {
            return Windows.frmMain->windowHandle()->isExposed() && Windows.frmMemory->isVisible() &&
                   Windows.frmMemory->windowHandle()->isExposed();
        })) << "both windows show";
        ASSERT_TRUE(ServeEventsUntil([this] { return (Table = WindowOnScreen(Windows.frmMain.get())).has_value(); }))
            << "the desktop shows the table window";
    }
    void TearDown() override
    {
        DestroyWindows(Windows);
        ClearApplicationComponents();
        SetMessageBoxHandler({});
        SetDelayOverride(std::nullopt);
        QDir::setCurrent(OldFolder);
    }

    // Where the screen shows a point of a widget of the table window.
    QPoint OnScreen(const QWidget* Part, QPoint At) const
    {
        return Table->topLeft() + Part->mapTo(Windows.frmMain.get(), At);
    }
    QPoint CardOnScreen(int Slot) const
    {
        const TCard& Card = Windows.frmMain->Game().FPlayerHand.Items[Slot];
        return OnScreen(Windows.frmMain->TableArea(), QPoint(Card.X + 35, Card.Y + 48));
    }
    // Cards played by the player so far in this game.
    int Played() const
    {
        const TGame& Game = Windows.frmMain->Game();
        return (6 - Game.FDealsLeft) * 4 + (4 - Game.FTurnsLeft);
    }
    bool GameOver() const { return Messages.contains(QStringLiteral("end of game...")); }

    // Plays a whole game, a turn at a time by Turn, each waited for.
    void PlayAGame(const std::function<void()>& Turn)
    {
        Windows.frmMain->menuNewGameClick();
        for (int Turns = 0; !GameOver() && Turns < 24; ++Turns) {
            SCOPED_TRACE(Turns);
            const int Before = Played();
            Turn();
            ASSERT_TRUE(ServeEventsUntil([&] { return GameOver() || Played() > Before; })) << "the turn is played";
            WaitOutADoubleClick();
        }
        EXPECT_TRUE(GameOver());
        EXPECT_EQ(Windows.frmMain->Game().FPlayerHand.Count, 0);
        EXPECT_EQ(Windows.frmMain->Game().FCpuHand.Count, 0);
    }

    TTempFolder Folder;
    QString OldFolder;
    TApplicationWindows Windows;
    QStringList Messages;
    std::optional<QRect> Table;
    TFinger Finger;
};

} // namespace

// With one click a tap on a card plays it: a whole game by taps alone.
TEST_F(TouchSession, AWholeGameByTapsWithOneClick)
{
    Windows.frmMain->menuLeftClick();
    PlayAGame([this] { ASSERT_TRUE(Finger.Tap(CardOnScreen(0))); });
}

// With the left and right buttons a tap selects and a finger held still plays:
// a whole game by long presses alone.
TEST_F(TouchSession, AWholeGameByLongPressesWithLeftAndRightClick)
{
    ASSERT_EQ(Windows.frmMain->CardPicker(), TCardPicker::LeftRight);
    PlayAGame([this] {
        const int Before = Played();
        ASSERT_TRUE(Finger.Down(CardOnScreen(0)));
        EXPECT_TRUE(ServeEventsUntil([&] { return GameOver() || Played() > Before; })) << "held still, the card is played";
        ASSERT_TRUE(Finger.Up());
    });
}

// A tap opens the menu and another chooses its item; the about box it opens
// goes by a tap on its button. The box runs its own loop until then, so the
// box is watched for from inside that loop.
TEST_F(TouchSession, TapsOpenAMenuAndADialogAndCloseIt)
{
    TfrmMain& Main = *Windows.frmMain;
    const QRect Caption = Main.MainMenu->actionGeometry(Main.menuParameters);
    ASSERT_TRUE(Finger.Tap(OnScreen(Main.MainMenu, Caption.center())));
    QMenu* Menu = Main.menuParameters->menu();
    ASSERT_TRUE(ServeEventsUntil([Menu] { return Menu->isVisible() && Menu->windowHandle()->isExposed(); }))
        << "the menu opens";
    // The compositor puts the menu where the table window's own places say, beside its caption.
    const QPoint Item = Menu->mapToGlobal(Menu->actionGeometry(Main.menuAbout).center()) - Main.mapToGlobal(QPoint());
    WaitOutADoubleClick();

    TfrmAbout* About = Windows.frmAbout.get();
    bool Shown = false;
    QTimer Watch;
    QObject::connect(&Watch, &QTimer::timeout, [&] {
        if (!About->isVisible() || !About->windowHandle()->isExposed())
            return;
        Watch.stop();
        Shown = true;
        std::optional<QRect> Box;
        ASSERT_TRUE(ServeEventsUntil([&] { return (Box = WindowOnScreen(About)).has_value(); })) << "the desktop shows it";
        WaitOutADoubleClick();
        const QPoint Button = About->btnClose->mapTo(About, About->btnClose->rect().center());
        EXPECT_TRUE(Finger.Tap(Box->topLeft() + Button));
        if (!ServeEventsUntil([About] { return !About->isVisible(); })) {
            ADD_FAILURE() << "its button closes it";
            About->close();
        }
    });
    Watch.start(50);
    ASSERT_TRUE(Finger.Tap(Table->topLeft() + Item));
    EXPECT_TRUE(ServeEventsUntil([&] { return Shown && !About->isVisible(); }, 15000)) << "the item opens the box";
}
