#include "forms/Main.h"
#include "platform/Placement.h"

#include "forms/About.h"
#include "forms/Memory.h"
#include "forms/HowToPlay.h"
#include "forms/KeptGameFile.h"
#include "forms/SetScore.h"
#include "forms/Statistics.h"
#include "forms/TableSpeech.h"
#include "model/KeptGame.h"
#include "model/Levels.h"
#include "platform/Bitmap.h"
#include "platform/Components.h"
#include "platform/Delay.h"
#include "platform/PictureDialog.h"
#include "platform/Styles.h"
#include "platform/TestSeams.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/Support.h"
#include "tests/support/TableWindow.h"
#include "tests/support/TableWindows.h"

#include <QAbstractEventDispatcher>
#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTableWidget>
#include <QStyleOption>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest/QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// Answers the next modal dialog as soon as it is open.
void AnswerDialog(std::function<void(QDialog*)> Answer)
{
    auto* Timer = new QTimer;
    QObject::connect(Timer, &QTimer::timeout, Timer, [Timer, Answer] {
        if (auto* Dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            Timer->deleteLater();
            Timer->stop();
            Answer(Dialog);
        }
    });
    Timer->start(5);
}

// A tournament started through its dialog, with these totals from the games
// before and one deal left in this one.
TGame& StartTournamentAtLastDeal(TfrmMain& Main, int32_t PlayerTotal, int32_t CpuTotal)
{
    AnswerDialog([](QDialog* Dialog) { Dialog->accept(); });
    Main.menuNewTourClick();
    TGame& Game = GameOf(Main);
    Game.FPlayerTotal = PlayerTotal;
    Game.FCpuTotal = CpuTotal;
    Game.FDealsLeft = 1;
    return Game;
}

// Runs the event loop until it has been idle once, so the idle handler has run.
void LetIdle()
{
    QEventLoop Loop;
    QTimer::singleShot(30, &Loop, &QEventLoop::quit);
    Loop.exec();
}

class MainFixture : public TableWindowsFixture
{
protected:
    void SetUp() override
    {
        SetMessageBoxHandler([this](const QString& Text) { Messages << Text; });
        MakeWindows();
        QCoreApplication::processEvents();
    }
    void TearDown() override { DestroyWindows(); }

    // Plays the first card of the hand with a left and a right click.
    void PlayFirstCard()
    {
        const TCard& Card = Main->Game().FPlayerHand.Items[0];
        Click(Qt::LeftButton, Card.X + 30, Card.Y + 40);
        Click(Qt::RightButton, 5, 5);
    }

    int ColouredCells() const
    {
        int N = 0;
        for (int Suit = 1; Suit <= 4; ++Suit)
            for (int Rank = 1; Rank <= 13; ++Rank)
                N += Memory->Played(Suit, Rank) > 0;
        return N;
    }

    QStringList Messages;
};

int CardsIn(const TGame& Game)
{
    return Game.FShoe.Count + Game.FPile.Count + Game.FPlayerTricks.Count + Game.FCpuTricks.Count +
           Game.FPlayerHand.Count + Game.FCpuHand.Count;
}

} // namespace

namespace {

QStringList Names(const QList<QAction*>& Items)
{
    QStringList Result;
    for (const QAction* Item : Items)
        Result << Item->objectName();
    return Result;
}

} // namespace

TEST(MainMenu, HasItsDesignedItemsCaptionsShortcutsAndStates)
{
    const TPlayerFolders Folders;
    TfrmMain Main;
    EXPECT_EQ(Names(Main.MainMenu->actions()), QStringList({"menuParameters", "menuGame", "menuHelp"}));
    EXPECT_EQ(Names(Main.menuHelp->menu()->actions()), QStringList({"menuHowToPlay"}));
    EXPECT_EQ(Names(Main.menuParameters->menu()->actions()),
              QStringList({"menuMemory", "menuBackground", "menuCardPicker", "menuLanguage", "menuLevel",
                           "menuFullScreen", "menuSep", "menuAbout"}));
    EXPECT_TRUE(Main.menuSep->isSeparator());
    EXPECT_EQ(Names(Main.menuCardPicker->menu()->actions()), QStringList({"menuLeftRight", "menuLeft"}));
    EXPECT_EQ(Names(Main.menuLanguage->menu()->actions()), QStringList({"menuGreek", "menuEnglish"}));
    EXPECT_EQ(Names(Main.menuLevel->menu()->actions()), QStringList({"menuEasy", "menuNormal", "menuHard"}));
    EXPECT_EQ(Names(Main.menuGame->menu()->actions()),
              QStringList({"menuNewGame", "menuNewTour", "menuContinue", "menuHint", "menuStatistics"}));

    struct TItem { QAction* Item; const char* Caption; QKeySequence Shortcut; bool Checked, Enabled; };
    const TItem Items[] = {
        {Main.menuParameters, "Παράμετροι", {}, false, true},
        {Main.menuMemory, "Μνήμη", QKeySequence(Qt::Key_F10), true, true},
        {Main.menuBackground, "Τσόχα...", {}, false, true},
        {Main.menuCardPicker, "Επιλογή χαρτιού", {}, false, true},
        {Main.menuLeftRight, "Με αριστερό-δεξί click", {}, true, true},
        {Main.menuLeft, "Με ένα click", {}, false, true},
        {Main.menuLanguage, "Γλώσσα", {}, false, true},
        {Main.menuGreek, "Ελληνικά", {}, true, true},
        {Main.menuEnglish, "Αγγλικά", {}, false, true},
        {Main.menuLevel, "Level", {}, false, true},
        {Main.menuEasy, "Easy", {}, false, true},
        {Main.menuNormal, "Normal", {}, true, true},
        {Main.menuHard, "Hard", {}, false, true},
        {Main.menuFullScreen, "Πλήρης οθόνη", {}, false, false},
        {Main.menuAbout, "Κωδονοκρουσίες", QKeySequence(Qt::CTRL | Qt::Key_F1), false, true},
        {Main.menuGame, "Παιχνίδι", {}, false, true},
        {Main.menuNewGame, "Νέα Παρτίδα", QKeySequence(Qt::Key_F2), false, true},
        {Main.menuNewTour, "Νέο Τουρνουά", QKeySequence(Qt::Key_F3), false, true},
        {Main.menuHint, "Hint", QKeySequence(Qt::Key_H), false, true},
        {Main.menuContinue, "Continue", QKeySequence(Qt::Key_F4), false, false},
        {Main.menuStatistics, "Statistics", {}, false, true},
        {Main.menuHelp, "Help", {}, false, true},
        {Main.menuHowToPlay, "How to play", QKeySequence(Qt::Key_F1), false, true},
    };
    for (const TItem& Item : Items) {
        SCOPED_TRACE(Item.Item->objectName().toStdString());
        EXPECT_EQ(Item.Item->text(), QString::fromUtf8(Item.Caption));
        EXPECT_FALSE(Item.Item->text().contains(QLatin1Char('&'))) << "no access keys";
        EXPECT_EQ(Item.Item->shortcut(), Item.Shortcut);
        EXPECT_EQ(Item.Item->isChecked(), Item.Checked);
        EXPECT_EQ(Item.Item->isEnabled(), Item.Enabled);
    }
    for (QAction* Checkable : {Main.menuMemory, Main.menuLeftRight, Main.menuLeft, Main.menuGreek, Main.menuEnglish,
                               Main.menuEasy, Main.menuNormal, Main.menuHard, Main.menuFullScreen})
        EXPECT_TRUE(Checkable->isCheckable()) << Checkable->objectName().toStdString();
    // Shortcuts answer while the menus are closed only when the window holds the items.
    for (QAction* Shortcut : {Main.menuMemory, Main.menuAbout, Main.menuNewGame, Main.menuNewTour, Main.menuHint})
        EXPECT_TRUE(Main.actions().contains(Shortcut)) << Shortcut->objectName().toStdString();
}

// A file dialog that ever existed writes Qt's own settings file when it goes,
// so a window that never showed it must not make one.
TEST(PictureDialog, IsMadeOnFirstUseOnly)
{
    TTempFolder Store;
    const QString QtSettings = Store.File(QStringLiteral("QtProject.conf"));
    {
        TfrmMain Main;
        EXPECT_TRUE(Main.findChildren<QFileDialog*>().isEmpty());
    }
    EXPECT_FALSE(QFile::exists(QtSettings));
    {
        TfrmMain Main;
        TPictureDialog* Dialog = Main.OpenPictureDialog();
        EXPECT_EQ(Main.OpenPictureDialog(), Dialog) << "made once and kept";
        EXPECT_EQ(Dialog->parentWidget(), &Main);
    }
    EXPECT_TRUE(QFile::exists(QtSettings)) << "the check above looks in the right place";
}

TEST_F(MainFixture, WindowHasTheDesignSizeAndAnEmptyStatusLine)
{
    EXPECT_EQ(Main->TableArea()->size(), QSize(299, 378));
    EXPECT_EQ(Main->StatusBar->geometry(), QRect(0, 359, 299, 19));
    EXPECT_EQ(Shown(*Main).size(), QSize(299, 378));
    EXPECT_EQ(Shown(*Main), Composed(*Main)) << "the felt covers the table";
    LetIdle();
    EXPECT_EQ(StatusLine(*Main), QString());
}

TEST_F(MainFixture, ClicksBeforeTheFirstDealDoNothing)
{
    const QImage Before = Shown(*Main);
    Click(Qt::LeftButton, 30, 300);
    Click(Qt::RightButton, 30, 300);
    LetIdle();
    EXPECT_EQ(Shown(*Main), Before);
    EXPECT_EQ(StatusLine(*Main), QString());
    EXPECT_EQ(Main->Game().FSelected.Rank, 0);
    EXPECT_TRUE(Messages.isEmpty()) << "no game ended";
}

TEST_F(MainFixture, FeltIsTiledFromTheTopLeftInsideAWhiteFrame)
{
    const QImage Tile = LoadPicture(DataFile(QStringLiteral("tsoxa.bmp")));
    ASSERT_FALSE(Tile.isNull());
    const QImage& Felt = Composed(*Main);
    for (const QPoint P : {QPoint(0, 0), QPoint(298, 100), QPoint(150, 358), QPoint(0, 358), QPoint(298, 0)})
        EXPECT_EQ(Felt.pixel(P), 0xFFFFFFFFu) << P.x() << "," << P.y();
    for (const QPoint P : {QPoint(1, 1), QPoint(150, 200), QPoint(297, 357), QPoint(200, 370)})
        EXPECT_EQ(Felt.pixel(P), Tile.pixel(P.x() % Tile.width(), P.y() % Tile.height())) << P.x() << "," << P.y();
}

TEST_F(MainFixture, MissingOrDamagedPictureKeepsTheFeltAndDrawsTheFrame)
{
    const QImage Before = Composed(*Main);
    Main->LoadBackground(QStringLiteral("/nonexistent/felt.bmp"));
    EXPECT_EQ(Composed(*Main), Before);
    EXPECT_TRUE(Messages.isEmpty());

    TTempFolder Folder;
    QFile Damaged(Folder.File(QStringLiteral("damaged.bmp")));
    ASSERT_TRUE(Damaged.open(QIODevice::WriteOnly));
    Damaged.write("BM\x10\x00\x00\x00garbage that is no bitmap at all");
    Damaged.close();
    Main->LoadBackground(Damaged.fileName());
    EXPECT_EQ(Composed(*Main), Before);
    EXPECT_EQ(Messages, QStringList{QStringLiteral("Bitmap image is not valid")});
}

TEST_F(MainFixture, MissingFeltLeavesTheTableWhiteAndNamesTheFile)
{
    testing::internal::CaptureStderr();
    TfrmMain Bare;
    Bare.BackgroundFile = QStringLiteral("no-such-felt.bmp");
    Bare.show();
    QCoreApplication::processEvents();
    Bare.FormShow();
    const std::string Errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Composed(Bare).pixel(150, 200), 0xFFFFFFFFu);
    const std::string Line = "zento: missing felt " + DataFile(Bare.BackgroundFile).toStdString() + "\n";
    ASSERT_NE(Errors.find(Line), std::string::npos) << Errors;
    EXPECT_EQ(Errors.find(Line, Errors.find(Line) + 1), std::string::npos) << "said once, not at every new game";
}

TEST_F(MainFixture, PictureLargerThanTheTableIsDrawnOnceAndCut)
{
    TTempFolder Folder;
    QImage Big(400, 500, QImage::Format_RGB32);
    Big.fill(qRgb(10, 20, 30));
    Big.setPixel(297, 357, qRgb(200, 100, 50));
    ASSERT_TRUE(Big.save(Folder.File(QStringLiteral("big.bmp"))));
    Main->LoadBackground(Folder.File(QStringLiteral("big.bmp")));
    EXPECT_EQ(Composed(*Main).pixel(297, 357), qRgb(200, 100, 50));
    EXPECT_EQ(Composed(*Main).pixel(5, 5), qRgb(10, 20, 30));
    EXPECT_EQ(Composed(*Main).pixel(298, 5), 0xFFFFFFFFu);
}

TEST_F(MainFixture, NewGameDealsTheTableAndTheMemoryAidShowsThePile)
{
    const QImage Felt = Composed(*Main);
    Main->menuNewGameClick();
    // Where the cards are dealt is the game's, tested with it.
    EXPECT_EQ(ColouredCells(), 4);
    for (const TCardNode* Node = Main->Game().FPile.Top; Node; Node = Node->Next)
        EXPECT_EQ(Memory->Played(Node->Item.Suit, Node->Item.Rank), 1);
    LetIdle();
    EXPECT_EQ(StatusLine(*Main), QStringLiteral("You: 0, CPU: 0"));
    EXPECT_EQ(Shown(*Main), Composed(*Main));
    EXPECT_NE(Shown(*Main).pixel(40, 300), Felt.pixel(40, 300)) << "the player's card shows";
}

TEST_F(MainFixture, SystemRepaintShowsTheCurrentTableNotPlayedCards)
{
    const QImage Felt = Composed(*Main);
    Main->menuNewGameClick();
    const TCard Played = Main->Game().FPlayerHand.Items[0];
    PlayFirstCard();
    Main->TableArea()->repaint();
    EXPECT_EQ(Shown(*Main), Composed(*Main));
    EXPECT_EQ(Shown(*Main).copy(Played.X + 2, Played.Y + 2, 60, 80),
              Felt.copy(Played.X + 2, Played.Y + 2, 60, 80))
        << "the played card's slot shows the felt";
}

TEST_F(MainFixture, StatusLineFollowsTheLanguageAtTheNextIdleMoment)
{
    Main->menuNewGameClick();
    LetIdle();
    EXPECT_TRUE(StatusLine(*Main).startsWith(QStringLiteral("You: ")));
    Main->menuGreekClick();
    LetIdle();
    const QString You = Main->Languages->LookupMessage(QStringLiteral("You"));
    EXPECT_NE(You, QStringLiteral("You")) << "the Greek file names the player";
    EXPECT_TRUE(StatusLine(*Main).startsWith(You + QStringLiteral(": "))) << StatusLine(*Main).toStdString();
}

namespace {

// Counts what would wake an idle program: timers firing and windows painting.
class TWakeCounter : public QObject
{
public:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        const QEvent::Type Type = Event->type();
        if (Type == QEvent::Timer || Type == QEvent::Paint || Type == QEvent::UpdateRequest)
            Wakes << QStringLiteral("%1 for %2").arg(int(Type)).arg(QString::fromLatin1(Watched->metaObject()->className()));
        return QObject::eventFilter(Watched, Event);
    }
    QStringList Wakes;
};

// Counts the questions Qt asks about one widget's interface, and answers none.
QObject* WatchedObject = nullptr;
int InterfaceQuestions = 0;

QAccessibleInterface* CountQuestions(const QString&, QObject* Object)
{
    if (Object == WatchedObject)
        ++InterfaceQuestions;
    return nullptr;
}

} // namespace

namespace {

// Gives the table window the keyboard, so that its shortcuts answer keys.
bool ActivateTable(TfrmMain& Main)
{
    Main.activateWindow();
    QDeadlineTimer Deadline(5000);
    while (!Main.isActiveWindow() && !Deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return Main.isActiveWindow();
}

QString LevelShown(const TfrmMain& Main)
{
    return Main.StatusBar->findChild<QLabel*>(QStringLiteral("lblLevel"))->text();
}

} // namespace

// A whole game at each level by keys alone, every turn's card first chosen by
// the hint: H selects the hard level's card and plays nothing, Left, Right
// and Escape move and drop that selection as any other, and Enter plays it.
TEST_F(MainFixture, WholeGameAtEachLevelWithTheHintByKeys)
{
    ASSERT_TRUE(ActivateTable(*Main));
    const TGame& Game = Main->Game();
    const std::pair<TMenuItem*, TLevel> Levels[] = {
        {Main->menuEasy, TLevel::Easy}, {Main->menuNormal, TLevel::Normal}, {Main->menuHard, TLevel::Hard}};
    for (const auto& [Item, Level] : Levels) {
        SCOPED_TRACE(Item->objectName().toStdString());
        Item->trigger();
        Messages.clear();
        Main->menuNewGameClick();
        EXPECT_EQ(Game.FLevel, Level);
        int Turns = 0;
        while (Game.FPlayerHand.Count > 0 && Turns < 30) {
            const int32_t Count = Game.FPlayerHand.Count;
            const int32_t Hinted = LevelChoice(Game, TSide::Player, TLevel::Hard);
            QTest::keyClick(Main->TableArea(), Qt::Key_H);
            ASSERT_EQ(SelectedIndex(Game), Hinted);
            EXPECT_EQ(Game.FPlayerHand.Items[Hinted].Face, cfSelected);
            EXPECT_EQ(Game.FPlayerHand.Count, Count) << "the hint plays nothing";
            EXPECT_EQ(Shown(*Main), Composed(*Main)) << "the hinted card is drawn selected";
            PressKey(Main->TableArea(), Qt::Key_Right);
            EXPECT_EQ(SelectedIndex(Game), (Hinted + 1) % Count);
            PressKey(Main->TableArea(), Qt::Key_Left);
            EXPECT_EQ(SelectedIndex(Game), Hinted);
            PressKey(Main->TableArea(), Qt::Key_Escape);
            EXPECT_EQ(SelectedIndex(Game), -1);
            PressKey(Main->TableArea(), Qt::Key_Return);
            EXPECT_EQ(Game.FPlayerHand.Count, Count) << "with nothing selected Enter plays nothing";
            QTest::keyClick(Main->TableArea(), Qt::Key_H);
            PressKey(Main->TableArea(), Qt::Key_Return);
            ASSERT_EQ(CardsIn(Game), 52);
            ++Turns;
        }
        EXPECT_EQ(Turns, 24);
        EXPECT_EQ(Messages.size(), 1);
    }
}

// A level chosen in the middle of a game waits for the next one: the game
// and the status line keep the level in force, in the language in effect.
TEST_F(MainFixture, LevelChosenAppliesFromTheNextGameAndShowsInTheStatusLine)
{
    EXPECT_EQ(LevelShown(*Main), QStringLiteral("Normal"));
    Main->menuNewGameClick();
    Main->menuHardClick();
    EXPECT_TRUE(Main->menuHard->isChecked());
    EXPECT_FALSE(Main->menuNormal->isChecked());
    EXPECT_EQ(Main->Game().FLevel, TLevel::Normal);
    EXPECT_EQ(LevelShown(*Main), QStringLiteral("Normal"));
    PlayFirstCard();
    EXPECT_EQ(Main->Game().FLevel, TLevel::Normal);
    Main->menuNewGameClick();
    EXPECT_EQ(Main->Game().FLevel, TLevel::Hard);
    EXPECT_EQ(LevelShown(*Main), QStringLiteral("Hard"));
    Main->menuGreekClick();
    EXPECT_EQ(LevelShown(*Main), QStringLiteral("Δύσκολο"));
    EXPECT_EQ(Main->menuLevel->text(), QStringLiteral("Επίπεδο"));
    EXPECT_EQ(Main->menuEasy->text(), QStringLiteral("Εύκολο"));
    EXPECT_EQ(Main->menuHint->text(), QStringLiteral("Υπόδειξη"));
}

// A whole game in Greek, its turns by clicks and by keys in turn: every card
// stays in play and the screen keeps in step with the game, the memory aid
// colours every card, the end is the language file's message, and nothing
// plays after it. With no assistive technology listening nothing of what would
// be told is put together; once the game is over no timer of any window runs,
// and being idle again paints nothing.
TEST_F(MainFixture, WholeGameByClicksAndKeys)
{
    EXPECT_EQ(Main->focusWidget(), Main->TableArea()) << "the table takes the keys when the window is active";
    Main->menuGreekClick();
    const QString EndOfGame = Main->Languages->LookupMessage(QStringLiteral("end of game..."));
    EXPECT_NE(EndOfGame, QStringLiteral("end of game..."));
    ASSERT_FALSE(QAccessible::isActive());
    // Qt makes the interface of every widget it shows, listened to or not:
    // it is forgotten here, so that any later question reaches the factories.
    QAccessible::deleteAccessibleInterface(
        QAccessible::uniqueId(QAccessible::queryAccessibleInterface(Main->TableArea())));
    WatchedObject = Main->TableArea();
    InterfaceQuestions = 0;
    QAccessible::installFactory(CountQuestions);

    Main->menuNewGameClick();
    const TGame& Game = Main->Game();
    int Turns = 0;
    while (Game.FPlayerHand.Count > 0 && Turns < 30) {
        if (Turns % 2 == 0) {
            PlayFirstCard();
        } else {
            PressKey(Main->TableArea(), Qt::Key_Left);
            PressKey(Main->TableArea(), Qt::Key_Return);
        }
        ++Turns;
        ASSERT_EQ(CardsIn(Game), 52);
        ASSERT_EQ(Game.FPlayerHand.Count, Game.FCpuHand.Count);
        EXPECT_EQ(Game.FSelected.Rank, 0);
        EXPECT_EQ(Shown(*Main), Composed(*Main)) << "after turn " << Turns;
    }
    EXPECT_EQ(Turns, 24);
    EXPECT_EQ(ColouredCells(), 52);
    ASSERT_EQ(Messages, QStringList{EndOfGame});
    Click(Qt::LeftButton, 30, 300);
    Click(Qt::RightButton, 30, 300);
    PressKey(Main->TableArea(), Qt::Key_Right);
    PressKey(Main->TableArea(), Qt::Key_Return);
    EXPECT_EQ(CardsIn(Game), 52) << "clicks and keys after the end do nothing";
    QAccessible::removeFactory(CountQuestions);
    WatchedObject = nullptr;
    EXPECT_EQ(InterfaceQuestions, 0);

    LetIdle();
    EXPECT_EQ(StatusLine(*Main), QStringLiteral("Εσύ: %1, Υπολογιστής: %2")
                                     .arg(ScorePile(Game.FPlayerTricks))
                                     .arg(ScorePile(Game.FCpuTricks)));
    // The window system's own windows count too: a repaint may wait on their timers.
    QObjectList Objects{qApp};
    for (QWidget* Window : QApplication::topLevelWidgets())
        Objects << Window << Window->findChildren<QObject*>();
    for (QWindow* Window : QGuiApplication::allWindows())
        Objects << Window;
    for (QObject* Object : Objects)
        EXPECT_TRUE(QAbstractEventDispatcher::instance()->registeredTimers(Object).isEmpty())
            << Object->metaObject()->className() << " " << Object->objectName().toStdString();
    // Told it is idle, as the event loop tells it each time it is about to
    // wait, the program asks for nothing more to be done.
    TWakeCounter Counter;
    qApp->installEventFilter(&Counter);
    for (int Pass = 0; Pass < 3; ++Pass) {
        emit QAbstractEventDispatcher::instance()->aboutToBlock();
        QCoreApplication::processEvents();
    }
    qApp->removeEventFilter(&Counter);
    EXPECT_TRUE(Counter.Wakes.isEmpty()) << Counter.Wakes.join(QStringLiteral(", ")).toStdString();
}

// A tournament as the window shows it: its dialog starts it, the status line
// names it in the language file's word, a cancelled dialog keeps the running
// tournament but its new target holds, read when the game ends, and the
// decision comes in a box after the end of the game's.
TEST_F(MainFixture, TournamentStartsByItsDialogAndEndsInABox)
{
    SetScore->edScore->setValue(1001);
    StartTournamentAtLastDeal(*Main, 500, 0);
    LetIdle();
    EXPECT_EQ(StatusLine(*Main), QStringLiteral("Tournament: You: 500, CPU: 0"));
    Main->menuGreekClick();
    LetIdle();
    EXPECT_EQ(StatusLine(*Main), QStringLiteral("Τουρνουά: Εσύ: 500, Υπολογιστής: 0"));
    Main->menuEnglishClick();
    PlayFirstCard();
    const TCard Kept = Main->Game().FPlayerHand.Items[0];
    AnswerDialog([this](QDialog* Dialog) {
        SetScore->edScore->setValue(31);
        Dialog->reject();
    });
    Main->menuNewTourClick();
    EXPECT_TRUE(Main->Game().FTournament);
    EXPECT_EQ(Main->Game().FPlayerHand.Count, 3);
    EXPECT_EQ(Main->Game().FPlayerHand.Items[0].Rank, Kept.Rank);
    EXPECT_EQ(SetScore->Score(), 31);
    Messages.clear();
    while (Main->Game().FPlayerHand.Count > 0)
        PlayFirstCard();
    // Four turns give either side at most 53 points: 500 reaches 31, never 1001.
    EXPECT_EQ(Messages, (QStringList{QStringLiteral("end of game..."), QStringLiteral("you won...")}));
    LetIdle();
    EXPECT_TRUE(StatusLine(*Main).startsWith(QStringLiteral("Tournament: You: "))) << "the decided tournament stays";
    Main->menuNewGameClick();
    LetIdle();
    EXPECT_EQ(StatusLine(*Main), QStringLiteral("You: 0, CPU: 0"));
}

TEST_F(MainFixture, MemoryItemInvertsVisibilityAndItsCheckMarkFollows)
{
    Memory->show();
    EXPECT_TRUE(Main->menuMemory->isChecked());
    Main->menuMemoryClick();
    EXPECT_FALSE(Memory->isVisible());
    EXPECT_FALSE(Main->menuMemory->isChecked());
    Memory->close();  // its own close button only hides it
    Main->menuMemoryClick();
    EXPECT_TRUE(Memory->isVisible());
    EXPECT_TRUE(Main->menuMemory->isChecked());
    Memory->close();
    EXPECT_FALSE(Main->menuMemory->isChecked()) << "closed by its own button";
    Main->menuMemoryClick();
    EXPECT_TRUE(Memory->isVisible());
    EXPECT_TRUE(Main->menuMemory->isChecked());
}

TEST_F(MainFixture, LanguageSwitchSetsTheTitleWithOneSuffix)
{
    Main->menuGreekClick();
    Main->menuGreekClick();
    EXPECT_EQ(Main->Gradient->FormCaption(), FullTitle());
    EXPECT_EQ(Main->windowTitle(), Main->Gradient->FormCaption());
    EXPECT_TRUE(Main->menuGreek->isChecked());
    EXPECT_FALSE(Main->menuEnglish->isChecked());
    EXPECT_EQ(Main->menuNewGame->text(), QStringLiteral("Νέα παρτίδα"));
    Main->menuEnglishClick();
    EXPECT_EQ(Main->menuNewGame->text(), QStringLiteral("New Game"));
    EXPECT_EQ(Main->LanguageFilePath(QStringLiteral("GrEEk")), DataFile(QStringLiteral("greek.lng")));
    // A file without the title's base text leaves the title as it is, suffix and all.
    TTempFolder Folder;
    QFile Bare(Folder.File(QStringLiteral("bare.lng")));
    ASSERT_TRUE(Bare.open(QIODevice::WriteOnly));
    Bare.write("[Translations]\r\nfrmMain.menuGame.Caption=Play\r\n");
    Bare.close();
    Main->Languages->SetLanguageFile(Bare.fileName());
    for (int Switch = 0; Switch < 2; ++Switch) {
        Main->Languages->Translate();
        Main->UpdateCaption();
    }
    EXPECT_EQ(Main->menuGame->text(), QStringLiteral("Play"));
    EXPECT_EQ(Main->Gradient->FormCaption(), FullTitle());
}

// Each item ticks itself and unticks the other; the item ticked, chosen
// again, stays ticked.
TEST_F(MainFixture, CardPickerItemsSwapTheirCheckMarks)
{
    Main->menuLeftClick();
    EXPECT_FALSE(Main->menuLeftRight->isChecked());
    EXPECT_TRUE(Main->menuLeft->isChecked());
    Main->menuLeft->trigger();
    EXPECT_TRUE(Main->menuLeft->isChecked());
    EXPECT_EQ(Main->CardPicker(), TCardPicker::OneClick);
    Main->menuLeftRight->trigger();
    EXPECT_TRUE(Main->menuLeftRight->isChecked());
    EXPECT_FALSE(Main->menuLeft->isChecked());
    EXPECT_EQ(Main->CardPicker(), TCardPicker::LeftRight);
}

namespace {

QString SavePicture(const TTempFolder& Folder, const QString& Name, QSize Size, QRgb Color)
{
    QImage Picture(Size, QImage::Format_RGB32);
    Picture.fill(Color);
    const QString Path = Folder.File(Name);
    EXPECT_TRUE(Picture.save(Path, "BMP"));
    return Path;
}

} // namespace

TEST_F(MainFixture, ChosenBackgroundIsTiledKeptAndShownAtOnce)
{
    TTempFolder Folder;
    const QString Path = SavePicture(Folder, QStringLiteral("blue.bmp"), QSize(40, 30), qRgb(0, 0, 200));
    // A file dialog takes a chosen name only while it is hidden.
    Main->OpenPictureDialog()->setDirectory(Folder.Path());
    Main->OpenPictureDialog()->selectFile(Path);
    AnswerDialog([](QDialog* Dialog) { Dialog->accept(); });
    Main->menuBackgroundClick();
    EXPECT_EQ(Main->BackgroundFile, Path);
    EXPECT_EQ(Composed(*Main).pixel(150, 200), qRgb(0, 0, 200));
    EXPECT_EQ(Composed(*Main).pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(Composed(*Main), Shown(*Main));
    EXPECT_EQ(Shown(*Main).pixel(150, 200), qRgb(0, 0, 200));

    Main->menuNewGameClick();
    EXPECT_EQ(Shown(*Main).pixel(5, 200), qRgb(0, 0, 200)) << "a new game keeps the chosen felt";
}

TEST_F(MainFixture, CancelledOrDamagedChoiceChangesNothing)
{
    const QImage Felt = Composed(*Main);
    AnswerDialog([](QDialog* Dialog) { Dialog->reject(); });
    Main->menuBackgroundClick();
    EXPECT_EQ(Composed(*Main), Felt);
    EXPECT_EQ(Main->BackgroundFile, QStringLiteral("tsoxa.bmp"));

    TTempFolder Folder;
    QFile Damaged(Folder.File(QStringLiteral("broken.bmp")));
    ASSERT_TRUE(Damaged.open(QIODevice::WriteOnly));
    Damaged.write(QByteArray(200, 'x'));
    Damaged.close();
    Main->OpenPictureDialog()->setDirectory(Folder.Path());
    Main->OpenPictureDialog()->selectFile(Damaged.fileName());
    AnswerDialog([](QDialog* Dialog) { Dialog->accept(); });
    Main->menuBackgroundClick();
    EXPECT_EQ(Composed(*Main), Felt);
    EXPECT_EQ(Main->BackgroundFile, QStringLiteral("tsoxa.bmp"));
    EXPECT_EQ(Messages, QStringList{QStringLiteral("Bitmap image is not valid")});
}

TEST_F(MainFixture, PictureDialogPreviewsPicturesOnly)
{
    TTempFolder Folder;
    const QString Path = SavePicture(Folder, QStringLiteral("green.bmp"), QSize(300, 100), qRgb(0, 150, 0));
    EXPECT_EQ(Main->OpenPictureDialog()->windowTitle(), QStringLiteral("Background"));
    EXPECT_EQ(Main->OpenPictureDialog()->nameFilters(), QStringList{QStringLiteral("Bitmaps (*.bmp)")});
    const auto* Preview = Main->OpenPictureDialog()->findChild<QLabel*>(QStringLiteral("Preview"));
    ASSERT_NE(Preview, nullptr);
    emit Main->OpenPictureDialog()->currentChanged(Path);
    const QImage Picture = Preview->pixmap().toImage();
    ASSERT_FALSE(Picture.isNull());
    EXPECT_EQ(Picture.pixel(Picture.rect().center()), qRgb(0, 150, 0));
    emit Main->OpenPictureDialog()->currentChanged(Folder.Path());
    EXPECT_TRUE(Preview->pixmap().isNull());
}

TEST_F(MainFixture, FullScreenKeepsPlacedCardsAndResizesTheSurfaces)
{
    Main->menuNewGameClick();
    const TCard First = Main->Game().FPlayerHand.Items[0];
    Main->menuFullScreenClick();
    EXPECT_TRUE(Main->menuFullScreen->isChecked());
    EXPECT_EQ(Main->Game().FPlayerHand.Items[0].Y, First.Y) << "placed cards stay where they are";
    EXPECT_EQ(Shown(*Main).size(), Main->TableArea()->size());
    EXPECT_EQ(Shown(*Main), Composed(*Main)) << "the felt covers the whole screen";
    Main->menuFullScreenClick();
    EXPECT_FALSE(Main->menuFullScreen->isChecked());
    EXPECT_EQ(Shown(*Main).size(), QSize(299, 378));
}

TEST_F(MainFixture, PictureTooLargeToHoldIsTreatedAsDamaged)
{
    TTempFolder Folder;
    // A valid header that asks for 40000 x 40000 pixels, some six gigabytes.
    const QByteArray Header = BitmapHeaders(40000, 40000, 32, 16) + QByteArray(16, '\0');
    QFile Huge(Folder.File(QStringLiteral("huge.bmp")));
    ASSERT_TRUE(Huge.open(QIODevice::WriteOnly));
    Huge.write(Header);
    Huge.close();
    const QImage Before = Composed(*Main);
    Main->LoadBackground(Huge.fileName());
    EXPECT_EQ(Composed(*Main), Before);
    EXPECT_EQ(Messages, QStringList{QStringLiteral("Bitmap image is not valid")});
}

TEST_F(MainFixture, MemoryAidComesBackWhereItWasLastSaved)
{
    Memory->show();
    Memory->move(520, 60);
    Memory->close();  // its own close button saves first
    Memory->move(10, 10);
    Main->menuMemoryClick();
    EXPECT_TRUE(Memory->isVisible());
    EXPECT_EQ(Memory->pos(), QPoint(520, 60));
    Memory->move(30, 30);
    Main->menuMemoryClick();  // hidden by the menu: nothing is saved
    Main->menuMemoryClick();
    EXPECT_EQ(Memory->pos(), QPoint(520, 60));
}

TEST_F(MainFixture, AboutBoxOpensModallyAndItsButtonClosesIt)
{
    TfrmAbout About;
    Main->Attach(Memory, SetScore, &About);
    bool WasModal = false;
    AnswerDialog([&](QDialog* Dialog) {
        WasModal = Dialog == &About;
        About.btnClose->click();
    });
    Main->menuAbout->trigger();
    EXPECT_TRUE(WasModal);
    Main->Attach(Memory, SetScore, nullptr);
}

// A click on the greyed item of the open menu must not run its command, and
// nothing in a session enables it; the card picker stays within reach.
TEST_F(MainFixture, GreyedItemsCannotBeChosenAndStayGreyed)
{
    Main->menuNewGameClick();
    Main->menuGreekClick();
    Main->menuEnglishClick();
    EXPECT_TRUE(Main->menuCardPicker->isEnabled());
    EXPECT_FALSE(Main->menuFullScreen->isEnabled());
    QMenu* Menu = Main->menuParameters->menu();
    Menu->popup(Main->mapToGlobal(QPoint(0, 0)));
    QCoreApplication::processEvents();
    for (QAction* Item : {static_cast<QAction*>(Main->menuFullScreen)}) {
        const QPoint At = Menu->actionGeometry(Item).center();
        for (QEvent::Type Type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent Event(Type, QPointF(At), Menu->mapToGlobal(QPointF(At)), Qt::LeftButton,
                              Type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(Menu, &Event);
        }
    }
    Menu->close();
    EXPECT_FALSE(Main->menuFullScreen->isChecked());
    EXPECT_FALSE(Main->isMaximized());
    EXPECT_EQ(Shown(*Main).size(), QSize(299, 378));
}

TEST_F(MainFixture, EachCardPlayedPausesHalfASecond)
{
    std::vector<int> Pauses;
    SetDelayWatcher([&](int Milliseconds) { Pauses.push_back(Milliseconds); });
    Main->menuNewGameClick();
    EXPECT_TRUE(Pauses.empty()) << "dealing does not pause";
    for (int Turn = 1; Turn <= 5; ++Turn) {  // the fourth turn redeals
        Pauses.clear();
        PlayFirstCard();
        EXPECT_EQ(Pauses, (std::vector<int>{500, 500})) << "turn " << Turn;
    }
    SetDelayWatcher({});
}

TEST_F(MainFixture, HintIsKeptButShiftF1ShowsNothing)
{
    EXPECT_EQ(Main->property("Hint").toString(),
              QStringLiteral("αριστερό click πάνω στο τραπουλόχαρτο για επιλογή,\r\n"
                             "δεξί click για να σταλεί στη στίβα στη μέση."));
    EXPECT_TRUE(Main->whatsThis().isEmpty());
    for (const QWidget* Child : Main->findChildren<QWidget*>())
        EXPECT_TRUE(Child->whatsThis().isEmpty()) << Child->objectName().toStdString();
    QKeyEvent Key(QEvent::KeyPress, Qt::Key_F1, Qt::ShiftModifier);
    QApplication::sendEvent(Main->TableArea(), &Key);
    QCoreApplication::processEvents();
    for (const QWidget* Window : QApplication::topLevelWidgets())
        EXPECT_FALSE(Window->isVisible() && Window->inherits("QWhatsThat")) << "a What's This pop-up opened";
}

TEST_F(MainFixture, ClicksOnTheStatusLineAreNotPlays)
{
    Main->menuNewGameClick();
    Click(Qt::LeftButton, 10, 300);
    ASSERT_NE(Main->Game().FSelected.Rank, 0);
    const QPoint OnStatus = Main->StatusBar->geometry().center();
    QWidget* Target = Main->TableArea()->childAt(OnStatus);
    ASSERT_NE(Target, nullptr);
    const QPoint Local = Target->mapFrom(Main->TableArea(), OnStatus);
    QMouseEvent Event(QEvent::MouseButtonPress, QPointF(Local), Target->mapToGlobal(QPointF(Local)), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(Target, &Event);
    EXPECT_EQ(Main->Game().FPlayerHand.Count, 4) << "a right click on the status line plays nothing";
    EXPECT_NE(Main->Game().FSelected.Rank, 0);
}

TEST_F(MainFixture, LongCaptionsAreCutAndNoWindowGrows)
{
    const QString Long(1000, QLatin1Char('W'));
    const QSize MemorySize = Memory->size();
    const QSize SetScoreSize = SetScore->size();
    Main->menuParameters->SetCaption(Long);
    Main->menuGame->SetCaption(Long);
    Main->Gradient->SetFormCaption(Long);
    Memory->SetCaption(Long);
    SetScore->SetCaption(Long);
    SetScore->lblFirstMan->SetCaption(Long);
    SetScore->btnClose->SetCaption(Long);
    QCoreApplication::processEvents();
    EXPECT_EQ(Main->width(), 299);
    EXPECT_EQ(Main->MainMenu->width(), 299);
    EXPECT_TRUE(Main->MainMenu->rect().contains(Main->MainMenu->actionGeometry(Main->menuGame)))
        << "both menus keep their place on the bar";
    EXPECT_EQ(Memory->size(), MemorySize);
    EXPECT_EQ(SetScore->size(), SetScoreSize);
    const QChar Ellipsis(0x2026);
    EXPECT_TRUE(SetScore->lblFirstMan->ShownText().endsWith(Ellipsis));
    EXPECT_LE(SetScore->lblFirstMan->fontMetrics().horizontalAdvance(SetScore->lblFirstMan->ShownText()),
              SetScore->lblFirstMan->width());
    EXPECT_TRUE(SetScore->btnClose->ShownText().endsWith(Ellipsis));
    EXPECT_LE(SetScore->btnClose->fontMetrics().horizontalAdvance(SetScore->btnClose->ShownText()),
              SetScore->btnClose->width());
    EXPECT_EQ(SetScore->lblPoints->ShownText(), SetScore->lblPoints->Caption()) << "a text that fits is whole";
}

// The bar's own captions fit their places and show whole, in both languages.
TEST_F(MainFixture, MenuBarCaptionsThatFitShowWhole)
{
    const auto* Style = qobject_cast<const TMenuBarStyle*>(Main->MainMenu->style());
    ASSERT_NE(Style, nullptr);
    for (const bool Greek : {false, true}) {
        if (Greek)
            Main->menuGreekClick();
        QCoreApplication::processEvents();
        for (TMenuItem* Item : {Main->menuParameters, Main->menuGame}) {
            QStyleOptionMenuItem Option;
            Option.initFrom(Main->MainMenu);
            Option.text = Item->text();
            Option.rect = Main->MainMenu->actionGeometry(Item);
            EXPECT_EQ(Style->ShownText(Option, Main->MainMenu), Item->text());
        }
    }
}

// The memory aid belongs to the game: it goes down with the table window,
// whether by the title strip's button or the window manager, and comes back
// with it (stored minimised at start-up too, tested there).
TEST_F(MainFixture, MemoryAidGoesDownAndComesBackWithTheTableWindow)
{
    EXPECT_EQ(Memory->windowHandle()->transientParent(), Main->windowHandle()) << "it belongs to the table window";
    Memory->show();
    QCoreApplication::processEvents();
    const QPoint Button = TGradient::ButtonRect(TTitleButton::Minimize, Main->Gradient->width()).center();
    for (QEvent::Type Type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent Event(Type, QPointF(Button), Main->Gradient->mapToGlobal(QPointF(Button)), Qt::LeftButton,
                          Type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Main->Gradient, &Event);
    }
    EXPECT_TRUE(Main->isMinimized());
    EXPECT_TRUE(Memory->isMinimized());
    Main->showNormal();
    QCoreApplication::processEvents();
    EXPECT_FALSE(Memory->isMinimized());
    EXPECT_TRUE(Memory->isVisible());
    // Minimised by the window manager or a task bar, not by its own button.
    Main->setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Memory->isMinimized()) << "left alone on the screen";
    Main->setWindowState(Qt::WindowNoState);
    QCoreApplication::processEvents();
    EXPECT_FALSE(Memory->isMinimized());
}

namespace {

// What the table's interface for assistive technology holds, child by child.
QAccessibleInterface* TableInterface(QWidget* Area)
{
    return QAccessible::queryAccessibleInterface(Area);
}

QAccessibleInterface* ChildNamed(QAccessibleInterface* Parent, QAccessible::Role Role)
{
    for (int I = 0; I < Parent->childCount(); ++I)
        if (Parent->child(I) && Parent->child(I)->role() == Role)
            return Parent->child(I);
    return nullptr;
}

} // namespace

// The keys stand for the clicks: each key leaves the table exactly as the
// click it stands for, picture and selection alike. How the steps go round
// the hand is the game's, tested with it.
TEST_F(MainFixture, SelectionByKeysAndClicksIsDrawnAndPlayed)
{
    Main->menuNewGameClick();
    const TGame& Game = Main->Game();
    const QImage Plain = Shown(*Main);
    struct TCase { int Key; int Selected; };
    const TCase Cases[] = {{Qt::Key_Right, 0},    {Qt::Key_Right, 1},     {Qt::Key_Left, 0},
                           {Qt::Key_Escape, -1},  {Qt::Key_Return, -1},   {Qt::Key_Space, -1}};
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(testing::Message() << "key " << Case.Key << " to " << Case.Selected);
        PressKey(Main->TableArea(), Case.Key);
        ASSERT_EQ(Game.FPlayerHand.Count, 4) << "nothing is played without a selection";
        EXPECT_EQ(SelectedIndex(Game), Case.Selected);
        const QImage ByKey = Shown(*Main);
        if (Case.Selected < 0) {
            EXPECT_EQ(ByKey, Plain);
            continue;
        }
        const TCard& Card = Game.FPlayerHand.Items[Case.Selected];
        EXPECT_EQ(Card.Face, cfSelected);
        // The same card clicked again keeps the table as the key left it.
        Click(Qt::LeftButton, Card.X + 5, Card.Y + 5);
        EXPECT_EQ(Shown(*Main), ByKey);
        EXPECT_EQ(Shown(*Main), Composed(*Main));
    }
    QKeyEvent WithCtrl(QEvent::KeyPress, Qt::Key_Right, Qt::ControlModifier);
    QApplication::sendEvent(Main->TableArea(), &WithCtrl);
    EXPECT_EQ(SelectedIndex(Game), -1) << "Ctrl+Right is no move of the selection";
    Click(Qt::LeftButton, 10, 300);
    EXPECT_NE(Shown(*Main), Plain);
    EXPECT_EQ(Shown(*Main), Composed(*Main));
    Click(Qt::LeftButton, 150, 200);  // beside the cards: the highlight goes
    EXPECT_EQ(Shown(*Main), Plain);
    Click(Qt::RightButton, 150, 200);
    EXPECT_EQ(Game.FPlayerHand.Count, 4) << "nothing selected, nothing played";
    Click(Qt::MiddleButton, 10, 300);
    EXPECT_EQ(Game.FSelected.Rank, 0) << "the middle button selects nothing";

    for (const int Play : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        const int Before = Game.FPlayerHand.Count;
        PressKey(Main->TableArea(), Qt::Key_Right);
        const TCard Chosen = Game.FPlayerHand.Items[0];
        PressKey(Main->TableArea(), Play);
        EXPECT_EQ(Game.FPlayerHand.Count, Before - 1) << "key " << Play;
        EXPECT_EQ(Game.FSelected.Rank, 0);
        EXPECT_EQ(Memory->Played(Chosen.Suit, Chosen.Rank), 1);
    }
}

TEST_F(MainFixture, TableNamesItsCardsThePileTheComputersHandAndTheStatusLine)
{
    Main->menuNewGameClick();
    TGame& Game = GameOf(*Main);
    // The hand stays four different cards: a seven of hearts dealt to another
    // place takes the second place's card instead.
    TCard& Seven = Game.FPlayerHand.Items[1];
    for (int32_t Slot = 0; Slot < Game.FPlayerHand.Count; ++Slot) {
        TCard& Other = Game.FPlayerHand.Items[Slot];
        if (Slot != 1 && Other.Rank == 7 && Other.Suit == Hearts) {
            Other.Rank = Seven.Rank;
            Other.Suit = Seven.Suit;
        }
    }
    Seven.Rank = 7;
    Seven.Suit = Hearts;
    Game.FPile.Top->Item.Rank = 12;
    Game.FPile.Top->Item.Suit = Spades;
    PressKey(Main->TableArea(), Qt::Key_Right);
    PressKey(Main->TableArea(), Qt::Key_Right);
    LetIdle();
    QAccessibleInterface* Table = TableInterface(Main->TableArea());
    ASSERT_NE(Table, nullptr);
    EXPECT_EQ(Table->text(QAccessible::Name), QStringLiteral("table"));
    ASSERT_GE(Table->childCount(), 4 + 1);
    QAccessibleInterface* Hand = Table->child(2);
    ASSERT_NE(Hand, nullptr);
    EXPECT_EQ(Hand->role(), QAccessible::List);
    EXPECT_EQ(Hand->text(QAccessible::Name), QStringLiteral("your cards"));
    ASSERT_EQ(Hand->childCount(), 4);
    for (int Slot = 0; Slot < 4; ++Slot) {
        SCOPED_TRACE(Slot);
        QAccessibleInterface* Card = Hand->child(Slot);
        ASSERT_NE(Card, nullptr);
        EXPECT_EQ(Card->role(), QAccessible::ListItem);
        EXPECT_EQ(Hand->indexOfChild(Card), Slot);
        EXPECT_EQ(Card->parent(), Hand);
        const TCard& Held = Game.FPlayerHand.Items[Slot];
        EXPECT_EQ(Card->text(QAccessible::Name), CardName(Held, *Main->Languages));
        EXPECT_EQ(Card->state().selected, Slot == 1);
        const QRect Rect(Main->TableArea()->mapToGlobal(QPoint(Held.X, Held.Y)), QSize(CardWidth, CardHeight));
        EXPECT_EQ(Card->rect(), Rect);
        EXPECT_TRUE(Hand->rect().contains(Rect));
        EXPECT_EQ(Table->childAt(Rect.center().x(), Rect.center().y()), Hand) << "a screen reader points at it";
        EXPECT_EQ(Hand->childAt(Rect.center().x(), Rect.center().y()), Card);
    }
    EXPECT_EQ(Hand->child(1)->text(QAccessible::Name), QStringLiteral("seven of hearts"));
    EXPECT_EQ(Table->focusChild(), Hand->child(1)) << "the focus follows the selected card";
    EXPECT_EQ(Table->child(0)->text(QAccessible::Name), QStringLiteral("cards in the computer's hand: 4."));
    EXPECT_EQ(Table->child(1)->text(QAccessible::Name),
              QStringLiteral("cards on the pile: 4, on top: queen of spades."));
    QAccessibleInterface* Status = ChildNamed(Table, QAccessible::StatusBar);
    ASSERT_NE(Status, nullptr);
    ASSERT_GE(Status->childCount(), 1);
    EXPECT_EQ(Status->child(0)->text(QAccessible::Name), QStringLiteral("You: 0, CPU: 0"));

    Main->menuGreekClick();
    EXPECT_EQ(Hand->child(1)->text(QAccessible::Name), QStringLiteral("επτά κούπα"));
    EXPECT_EQ(Table->child(1)->text(QAccessible::Name),
              QStringLiteral("χαρτιά στη στοίβα: 4, πάνω πάνω: ντάμα μπαστούνι."));
    EXPECT_EQ(Table->text(QAccessible::Name), QStringLiteral("τραπέζι"));

    QAccessibleInterface* Played = Hand->child(1);
    PressKey(Main->TableArea(), Qt::Key_Return);
    ASSERT_EQ(Hand->childCount(), 3) << "the hand lists the cards held";
    for (int Slot = 0; Slot < 3; ++Slot)
        EXPECT_NE(Hand->child(Slot), Played);
    EXPECT_EQ(Hand->indexOfChild(Played), -1);
    EXPECT_TRUE(Played->state().invisible) << "the card played is held no more";
    EXPECT_EQ(Table->child(0)->text(QAccessible::Name),
              QStringLiteral("χαρτιά στο χέρι του υπολογιστή: 3."));
    while (Game.FPlayerHand.Count > 0)
        PlayFirstCard();
    const QString Pile = Table->child(1)->text(QAccessible::Name);
    const QString Wanted = Game.FPile.Count == 0 ? QStringLiteral("η στοίβα είναι άδεια") : QStringLiteral("χαρτιά στη στοίβα: ");
    EXPECT_TRUE(Pile.startsWith(Wanted)) << Pile.toStdString();
}

// Each part has its own size and place before the first deal, and no two
// share a line, so that a screen reader's review of the screen reads them apart.
TEST_F(MainFixture, EveryPartOfTheTableHasItsOwnPlaceBeforeTheFirstDeal)
{
    QAccessibleInterface* Table = TableInterface(Main->TableArea());
    ASSERT_NE(Table, nullptr);
    std::vector<QRect> Rects;
    for (int I = 0; I < 3; ++I)
        Rects.push_back(Table->child(I)->rect());
    QAccessibleInterface* Status = ChildNamed(Table, QAccessible::StatusBar);
    ASSERT_NE(Status, nullptr);
    Rects.push_back(Status->rect());
    for (size_t I = 0; I < Rects.size(); ++I) {
        EXPECT_FALSE(Rects[I].isEmpty()) << I;
        EXPECT_TRUE(Table->rect().contains(Rects[I])) << I;
        for (size_t J = I + 1; J < Rects.size(); ++J)
            EXPECT_LT(Rects[I].bottom(), Rects[J].top()) << I << " lies above " << J << " on lines of its own";
    }
    EXPECT_EQ(Table->child(0)->text(QAccessible::Name), QStringLiteral("cards in the computer's hand: 0."));
    EXPECT_EQ(Table->child(1)->text(QAccessible::Name), QStringLiteral("the pile is empty."));
    EXPECT_EQ(Table->child(2)->childCount(), 0);
}

// Every name the table and the memory aid give has its Greek text.
TEST(TableSpeech, GreekFileGivesEveryTextAndNamesEveryCardApart)
{
    TLanguage Languages(QStringLiteral("Languages"), nullptr);
    Languages.SetLanguageFile(DataFile(QStringLiteral("greek.lng")));
    for (const QString& Key : SpeechKeys()) {
        const QString Greek = Languages.LookupMessage(Key);
        EXPECT_NE(Greek, Key) << Key.toStdString();
        EXPECT_EQ(Greek.count(QStringLiteral("%1")), Key.count(QStringLiteral("%1"))) << Key.toStdString();
        EXPECT_EQ(Greek.count(QStringLiteral("%2")), Key.count(QStringLiteral("%2"))) << Key.toStdString();
    }
    for (const char* File : {"greek.lng", "english.lng"}) {
        Languages.SetLanguageFile(DataFile(QString::fromLatin1(File)));
        std::set<QString> Names;
        for (int Suit = 1; Suit <= 4; ++Suit)
            for (int Rank = 1; Rank <= 13; ++Rank)
                Names.insert(CardName(Suit, Rank, Languages));
        EXPECT_EQ(Names.size(), 52u) << File;
        EXPECT_EQ(Names.count(QString()), 0u);
    }
    Languages.SetLanguageFile(DataFile(QStringLiteral("english.lng")));
    EXPECT_EQ(CardName(MakeCard(1, Clubs), Languages), QStringLiteral("ace of clubs"));
    EXPECT_EQ(CardName(MakeCard(13, Diamonds), Languages), QStringLiteral("king of diamonds"));
    EXPECT_EQ(CardName(MakeCard(0, 0), Languages), QString());
}

namespace {

// One event the program sent to assistive technology, with what its object
// said of itself at that moment.
struct TToldEvent
{
    QAccessible::Event Type;
    QAccessibleInterface* Object;
    QAccessible::Role Role;
    QString Name;
    bool Invisible;
};
std::vector<TToldEvent> ToldEvents;

void RecordEvent(QAccessibleEvent* Event)
{
    QAccessibleInterface* Object = Event->accessibleInterface();
    if (!Object)
        return;
    ToldEvents.push_back({Event->type(), Object, Object->role(), Object->text(QAccessible::Name),
                          bool(Object->state().invisible)});
}

// Listens as a screen reader would, for the length of one test.
class ListenedFixture : public MainFixture
{
protected:
    void SetUp() override
    {
        MainFixture::SetUp();
        // Only a platform that talks to an accessibility bus listens; the
        // test of that name runs these under X with such a bus named.
        // The platform's bridge turns on once it finds the accessibility bus.
        QDeadlineTimer Deadline(5000);
        while (!QAccessible::isActive() && !Deadline.hasExpired() && QAccessible::queryAccessibleInterface(Main))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (!QAccessible::isActive())
            GTEST_SKIP() << "no assistive technology can listen on this platform";
        ToldEvents.clear();
        FOldHandler = QAccessible::installUpdateHandler(RecordEvent);
    }
    void TearDown() override
    {
        QAccessible::installUpdateHandler(FOldHandler);
        ToldEvents.clear();
        MainFixture::TearDown();
    }

    // What the notification said each time it was shown, from event First on.
    static QStringList Spoken(size_t First = 0)
    {
        QStringList News;
        for (size_t I = First; I < ToldEvents.size(); ++I)
            if (ToldEvents[I].Type == QAccessible::ObjectShow && ToldEvents[I].Role == QAccessible::Notification) {
                EXPECT_FALSE(ToldEvents[I].Invisible) << "a notification is spoken when it shows";
                News << ToldEvents[I].Name;
            }
        return News;
    }
    static std::vector<TToldEvent> Focused(size_t First = 0)
    {
        std::vector<TToldEvent> Result;
        for (size_t I = First; I < ToldEvents.size(); ++I)
            if (ToldEvents[I].Type == QAccessible::Focus)
                Result.push_back(ToldEvents[I]);
        return Result;
    }
    QString Name(const TCard& Card) const { return CardName(Card, *Main->Languages); }

    // Hands the player Player and the computer Cpu and lays Pile, bottom first.
    void Arrange(const TCard& Player, const TCard& Cpu, std::initializer_list<TCard> Pile)
    {
        TGame& Game = GameOf(*Main);
        Game.FPlayerHand.Items[0].Rank = Player.Rank;
        Game.FPlayerHand.Items[0].Suit = Player.Suit;
        Game.FCpuHand.Count = 1;
        Game.FCpuHand.Items[0].Rank = Cpu.Rank;
        Game.FCpuHand.Items[0].Suit = Cpu.Suit;
        ClearStack(Game.FPile);
        InitStack(Game.FPile);
        for (TCard Card : Pile) {
            Card.X = Main->PileArea().left();
            Card.Y = Main->PileArea().top();
            PushCard(Game.FPile, Card);
        }
    }

    QAccessible::UpdateHandler FOldHandler = nullptr;
};

} // namespace

// A turn is told once, when it ends, in the game's own words: who played
// which card, who took the pile and with the mark; a notification that shows,
// as a screen reader speaks it. A deal is told with the player's new cards.
TEST_F(ListenedFixture, EachTurnIsToldOnceInTheGamesOwnWords)
{
    Main->menuNewGameClick();
    const TGame& Game = Main->Game();
    QStringList Cards;
    for (int I = 0; I < 4; ++I)
        Cards << Name(Game.FPlayerHand.Items[I]);
    EXPECT_EQ(Spoken(), QStringList{QStringLiteral("new deal, your cards: ") + Cards.join(QStringLiteral(", "))});

    // The player's seven takes a lone seven with the mark; the computer's
    // card then falls on an empty pile.
    const TCard Seven = MakeCard(7, Spades), Lone = MakeCard(7, Diamonds), Five = MakeCard(5, Clubs);
    Arrange(Seven, Five, {Lone});
    QStringList DuringPauses;
    SetDelayWatcher([&](int) { DuringPauses << Spoken(); });
    size_t Before = ToldEvents.size();
    PressKey(Main->TableArea(), Qt::Key_Right);
    PressKey(Main->TableArea(), Qt::Key_Return);
    SetDelayWatcher({});
    EXPECT_EQ(DuringPauses.size(), 2) << "nothing is spoken in the middle of a turn";
    EXPECT_EQ(Spoken(Before), QStringList{QStringLiteral(
                                  "you played seven of spades. you took the pile with a 10-point mark. "
                                  "the computer played five of clubs")});

    // The computer's jack takes the player's card without the mark.
    const TCard Four = MakeCard(4, Hearts), Jack = MakeCard(11, Clubs);
    Arrange(Four, Jack, {MakeCard(9, Hearts), MakeCard(2, Hearts)});
    Before = ToldEvents.size();
    PressKey(Main->TableArea(), Qt::Key_Right);
    PressKey(Main->TableArea(), Qt::Key_Return);
    EXPECT_EQ(Spoken(Before), QStringList{QStringLiteral(
                                  "you played four of hearts. the computer played jack of clubs. "
                                  "the computer took the pile")});

    Main->menuGreekClick();
    Arrange(Jack, Four, {MakeCard(9, Hearts)});
    Before = ToldEvents.size();
    PressKey(Main->TableArea(), Qt::Key_Right);
    PressKey(Main->TableArea(), Qt::Key_Return);
    EXPECT_EQ(Spoken(Before), QStringList{QStringLiteral(
                                  "έπαιξες βαλές σπαθί. μάζεψες τη στοίβα. ο υπολογιστής έπαιξε τέσσερα κούπα")});
}

// Every Left and Right moves the focus to the object that stands for the card
// now selected, a different object after each play, and for the one card
// left, chosen again, too: a screen reader speaks only a focus that moves. Escape gives
// the focus back to the table and leaves no card selected.
TEST_F(ListenedFixture, EverySelectionMovesTheFocusToTheCardChosen)
{
    Main->activateWindow();
    QDeadlineTimer Deadline(5000);
    while (!Main->TableArea()->hasFocus() && !Deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(Main->TableArea()->hasFocus()) << "the focus is told only while the table has the keys";
    Main->menuNewGameClick();
    const TGame& Game = Main->Game();
    QAccessibleInterface* Hand = TableInterface(Main->TableArea())->child(2);
    QAccessibleInterface* LastFocus = nullptr;
    while (Game.FPlayerHand.Count > 0) {
        SCOPED_TRACE(Game.FPlayerHand.Count);
        const int FirstOfTurn = -1;
        for (const int Key : {FirstOfTurn, int(Qt::Key_Right)}) {
            const size_t Before = ToldEvents.size();
            PressKey(Main->TableArea(), Qt::Key_Right);
            const std::vector<TToldEvent> Focus = Focused(Before);
            ASSERT_FALSE(Focus.empty());
            const TToldEvent& Card = Focus.back();
            const int Selected = SelectedIndex(Game);
            EXPECT_EQ(Card.Role, QAccessible::ListItem);
            EXPECT_EQ(Card.Name, Name(Game.FPlayerHand.Items[Selected]));
            EXPECT_EQ(Card.Object->parent(), Hand);
            EXPECT_EQ(Hand->indexOfChild(Card.Object), Selected) << "its place among the cards held";
            EXPECT_EQ(Hand->childCount(), Game.FPlayerHand.Count);
            EXPECT_EQ(Focus.size(), 1u);
            EXPECT_NE(Card.Object, LastFocus) << "a screen reader speaks only a focus that moves";
            if (LastFocus) {
                // The card played before is held no more; the one card left,
                // chosen again, is held by a new object.
                const bool Gone = Hand->indexOfChild(LastFocus) < 0;
                EXPECT_EQ(Gone, Key == FirstOfTurn || Game.FPlayerHand.Count == 1) << Key;
            }
            LastFocus = Card.Object;
        }
        PressKey(Main->TableArea(), Qt::Key_Return);
    }
    Main->menuNewGameClick();
    PressKey(Main->TableArea(), Qt::Key_Left);
    const size_t Before = ToldEvents.size();
    PressKey(Main->TableArea(), Qt::Key_Escape);
    const std::vector<TToldEvent> Focus = Focused(Before);
    ASSERT_EQ(Focus.size(), 1u);
    EXPECT_EQ(Focus[0].Object, TableInterface(Main->TableArea()));
    for (int I = 0; I < Hand->childCount(); ++I)
        EXPECT_FALSE(Hand->child(I)->state().selected) << I;
    EXPECT_EQ(Hand->focusChild(), nullptr) << "no card has the focus";
}

// A level chosen is told, with when it applies; the hint's card takes the
// focus as any card chosen does, so a screen reader says it.
TEST_F(ListenedFixture, LevelChosenIsToldAndTheHintsCardTakesTheFocus)
{
    ASSERT_TRUE(ActivateTable(*Main));
    size_t Before = ToldEvents.size();
    Main->menuHardClick();
    EXPECT_EQ(Spoken(Before), QStringList{QStringLiteral("level Hard, from the next game")});
    Main->menuGreekClick();
    Before = ToldEvents.size();
    Main->menuEasyClick();
    EXPECT_EQ(Spoken(Before), QStringList{QStringLiteral("επίπεδο Εύκολο, από το επόμενο παιχνίδι")});

    Main->menuNewGameClick();
    const TGame& Game = Main->Game();
    Before = ToldEvents.size();
    Main->menuHintClick();
    const std::vector<TToldEvent> Focus = Focused(Before);
    ASSERT_EQ(Focus.size(), 1u);
    EXPECT_EQ(Focus[0].Name, Name(Game.FPlayerHand.Items[LevelChoice(Game, TSide::Player, TLevel::Hard)]));
    EXPECT_TRUE(Spoken(Before).isEmpty()) << "the hint is a selection, not news";
}

// The way of choosing cards is told as it is chosen; a card played by one
// click is news as any card played.
TEST_F(ListenedFixture, CardPickerChosenIsToldAndAOneClickPlayIsNews)
{
    ASSERT_TRUE(ActivateTable(*Main));
    size_t Before = ToldEvents.size();
    Main->menuLeft->trigger();
    EXPECT_EQ(Spoken(Before), QStringList{QStringLiteral("cards are played with one click")});
    Before = ToldEvents.size();
    Main->menuLeftRight->trigger();
    EXPECT_EQ(Spoken(Before), QStringList{QStringLiteral("a left click selects a card, a right click plays it")});
    Main->menuGreekClick();
    Before = ToldEvents.size();
    Main->menuLeftClick();
    EXPECT_EQ(Spoken(Before), QStringList{QStringLiteral("τα χαρτιά παίζονται με ένα click")});

    Main->menuEnglishClick();
    Main->menuNewGameClick();
    const TCard Card = Main->Game().FPlayerHand.Items[1];
    Before = ToldEvents.size();
    Click(Qt::LeftButton, Card.X + 30, Card.Y + 40);
    const QStringList News = Spoken(Before);
    ASSERT_EQ(News.size(), 1);
    EXPECT_TRUE(News[0].startsWith(QStringLiteral("you played ") + CardName(Card, *Main->Languages))) << News[0].toStdString();
}

// A switch of language tells every part of the table its name changed, and
// the memory aid's item tells whether the aid now shows.
TEST_F(ListenedFixture, LanguageSwitchAndTheMemoryAidAreTold)
{
    Main->menuNewGameClick();
    size_t Before = ToldEvents.size();
    Main->menuGreekClick();
    std::set<QString> Renamed;
    for (size_t I = Before; I < ToldEvents.size(); ++I)
        if (ToldEvents[I].Type == QAccessible::NameChanged)
            Renamed.insert(ToldEvents[I].Name);
    const QString Card = CardName(Main->Game().FPlayerHand.Items[0], *Main->Languages);
    for (const QString& Wanted : {QStringLiteral("τραπέζι"), QStringLiteral("τα χαρτιά σου"),
                                  QStringLiteral("χαρτιά στο χέρι του υπολογιστή: 4."), Card})
        EXPECT_EQ(Renamed.count(Wanted), 1u) << Wanted.toStdString();

    for (int Time = 0; Time < 2; ++Time) {
        Before = ToldEvents.size();
        Main->menuMemoryClick();
        const QString Wanted = Memory->isVisible() ? QStringLiteral("η βοήθεια μνήμης φαίνεται")
                                                   : QStringLiteral("η βοήθεια μνήμης κρύφτηκε");
        EXPECT_EQ(Spoken(Before), QStringList{Wanted});
    }
}

// The pauses keep serving what is no input of the player's, so that a screen
// reader's questions are answered; a close, keys and clicks that arrive
// meanwhile wait for the turn's end, and are then carried out in order.
TEST_F(MainFixture, PauseAnswersButTheTurnRunsToItsEndBeforeCloseKeysAndClicks)
{
    Main->menuNewGameClick();
    const TGame& Game = Main->Game();
    QWidget* Window = Main;
    int Served = 0, Pause = 0;
    bool Mid = true;
    SetDelayWatcher([&](int) {
        if (++Pause == 1) {
            QTimer::singleShot(0, Window, [&] { ++Served; });
            QCoreApplication::postEvent(Window->windowHandle(), new QCloseEvent);
            QCoreApplication::postEvent(Main->TableArea(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier));
            return;
        }
        Mid = Mid && Window->isVisible() && SelectedIndex(Game) < 0 && Game.FPlayerHand.Count == 3;
    });
    PressKey(Main->TableArea(), Qt::Key_Left);
    PressKey(Main->TableArea(), Qt::Key_Return);
    SetDelayWatcher({});
    EXPECT_EQ(Served, 1) << "the first pause served the events that came";
    EXPECT_EQ(Pause, 2);
    EXPECT_TRUE(Mid) << "no close, key or click reached the game mid-turn";
    EXPECT_FALSE(Window->isVisible()) << "the close was carried out after the turn";
    EXPECT_EQ(Game.FPlayerHand.Count, 3);

    // Without a close, the key waits for the turn and is then carried out.
    Window->show();
    Pause = 0;
    SetDelayWatcher([&](int) {
        if (++Pause == 1) {
            QCoreApplication::postEvent(Main->TableArea(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier));
            const TCard& Card = Game.FPlayerHand.Items[1];
            const QPointF Point(Card.X + 5, Card.Y + 5);
            QCoreApplication::postEvent(Main->TableArea(), new QMouseEvent(QEvent::MouseButtonPress, Point,
                                                                Main->TableArea()->mapToGlobal(Point), Qt::LeftButton,
                                                                Qt::LeftButton, Qt::NoModifier));
        }
    });
    PressKey(Main->TableArea(), Qt::Key_Left);
    PressKey(Main->TableArea(), Qt::Key_Return);
    SetDelayWatcher({});
    EXPECT_EQ(Game.FPlayerHand.Count, 2);
    EXPECT_EQ(SelectedIndex(Game), 1) << "Right, then the click on the second card, after the turn";
    EXPECT_EQ(Game.FPlayerHand.Items[0].Face, cfFaceUp);
}

// With one click a left click on a card plays it, and a click beside the
// cards leaves the selection made by keys; the right button and the keys
// still play. Back on the two buttons, a left click only selects again.
TEST_F(MainFixture, OneClickPlaysTheCardClickedAndKeepsTheOtherWays)
{
    Main->menuNewGameClick();
    const TGame& Game = Main->Game();
    Main->menuLeft->trigger();
    PressKey(Main->TableArea(), Qt::Key_Right);
    Click(Qt::LeftButton, 5, 5);
    EXPECT_EQ(SelectedIndex(Game), 0) << "a click beside the cards does nothing";
    EXPECT_EQ(Game.FPlayerHand.Count, 4);

    const TCard Clicked = Game.FPlayerHand.Items[2];
    Click(Qt::LeftButton, Clicked.X + 30, Clicked.Y + 40);
    ASSERT_EQ(Game.FPlayerHand.Count, 3);
    EXPECT_EQ(Memory->Played(Clicked.Suit, Clicked.Rank), 1) << "the card clicked is the one played";
    EXPECT_EQ(SelectedIndex(Game), -1);

    PressKey(Main->TableArea(), Qt::Key_Right);
    Click(Qt::RightButton, 5, 5);
    EXPECT_EQ(Game.FPlayerHand.Count, 2) << "the right button plays the selection";
    PressKey(Main->TableArea(), Qt::Key_Right);
    PressKey(Main->TableArea(), Qt::Key_Return);
    EXPECT_EQ(Game.FPlayerHand.Count, 1) << "and so do the keys";

    Main->menuLeftRight->trigger();
    const TCard Last = Game.FPlayerHand.Items[0];
    Click(Qt::LeftButton, Last.X + 30, Last.Y + 40);
    EXPECT_EQ(Game.FPlayerHand.Count, 1);
    EXPECT_EQ(SelectedIndex(Game), 0);
}

// A hint asked for in a pause (by a screen reader's action on its item, say)
// waits for the turn's end, and then selects the card for the new position.
TEST_F(MainFixture, HintAskedMidTurnWaitsForTheTurnsEnd)
{
    Main->menuHardClick();
    Main->menuNewGameClick();
    const TGame& Game = Main->Game();
    int Pause = 0;
    bool Mid = true;
    SetDelayWatcher([&](int) {
        if (++Pause == 1)
            Main->menuHint->trigger();
        Mid = Mid && SelectedIndex(Game) < 0;
    });
    PressKey(Main->TableArea(), Qt::Key_Right);
    PressKey(Main->TableArea(), Qt::Key_Return);
    SetDelayWatcher({});
    EXPECT_EQ(Pause, 2);
    EXPECT_TRUE(Mid) << "nothing was selected mid-turn";
    EXPECT_EQ(Game.FPlayerHand.Count, 3);
    EXPECT_EQ(SelectedIndex(Game), LevelChoice(Game, TSide::Player, TLevel::Hard));
}

// A close asked in the pause of the game's last turn waits for the end-of-game
// message and is then carried out.
TEST_F(MainFixture, CloseInTheLastPauseIsCarriedOutAfterTheEndOfGameMessage)
{
    Main->menuNewGameClick();
    TGame& Game = GameOf(*Main);
    while (Game.FDealsLeft > 1 || Game.FTurnsLeft > 1)
        PlayFirstCard();
    bool ShownAtTheMessage = false;
    SetMessageBoxHandler([&](const QString& Text) {
        Messages << Text;
        ShownAtTheMessage = Main->isVisible();
    });
    SetDelayWatcher([&](int) { QCoreApplication::postEvent(Main->windowHandle(), new QCloseEvent); });
    PlayFirstCard();
    SetDelayWatcher({});
    EXPECT_EQ(Messages, QStringList{QStringLiteral("end of game...")});
    EXPECT_TRUE(ShownAtTheMessage);
    EXPECT_FALSE(Main->isVisible());
}

// A tournament's decision is told before its message shows, with both sides'
// points; a tournament that goes on tells the next game's deal with it.
TEST_F(ListenedFixture, TournamentsDecisionIsTold)
{
    struct TCase { int32_t PlayerTotal, CpuTotal; const char* Told; };
    const TCase Cases[] = {{1000, 0, "you won the tournament, "},
                           {0, 1000, "the computer won the tournament, "},
                           {0, 0, "nobody has reached the target, the next game is dealt"}};
    SetScore->edScore->setValue(500);
    for (const TCase& C : Cases) {
        StartTournamentAtLastDeal(*Main, C.PlayerTotal, C.CpuTotal);
        QStringList AtTheMessages;
        SetMessageBoxHandler([&](const QString&) { AtTheMessages << Spoken().last(); });
        for (int Turn = 0; Turn < 4; ++Turn)
            PlayFirstCard();
        SetMessageBoxHandler([this](const QString& Text) { Messages << Text; });
        ASSERT_EQ(AtTheMessages.size(), 2);
        const QString Decision = AtTheMessages[1];
        EXPECT_TRUE(Decision.startsWith(QString::fromLatin1(C.Told))) << Decision.toStdString();
        if (C.PlayerTotal + C.CpuTotal > 0) {
            EXPECT_TRUE(Decision.endsWith(Main->ScoreText())) << Decision.toStdString();
        } else {
            EXPECT_TRUE(Spoken().last().startsWith(QStringLiteral("new deal, your cards: ")))
                << "the next game's deal follows the decision";
        }
    }
}

namespace {

// The statistics in a data folder of the test's own.
class StatisticsFixture : public MainFixture
{
protected:
    void SetUp() override
    {
        Folders = std::make_unique<TPlayerFolders>();
        MainFixture::SetUp();
    }
    void TearDown() override
    {
        MainFixture::TearDown();
        SetQuestionHandler({});
        Folders.reset();
    }

    TLevelStatistics Kept(TLevel Level) const
    {
        return AtLevel(TStatisticsFile(Folders->Data() + QStringLiteral("/zento")).Read(), Level);
    }

    void PlayToTheEnd()
    {
        while (GameInProgress(Main->Game()))
            PlayFirstCard();
    }

    // The figures the window shows in a level's column, read while it is open.
    QStringList Shown(int Column)
    {
        QStringList Figures;
        AnswerDialog([&Figures, Column](QDialog* Dialog) {
            auto* Table = Dialog->findChild<QTableWidget*>(QStringLiteral("tblStatistics"));
            for (int Row = 0; Table && Row < Table->rowCount(); ++Row)
                Figures << Table->item(Row, Column)->text();
            Dialog->accept();
        });
        Main->menuStatisticsClick();
        return Figures;
    }

    std::unique_ptr<TPlayerFolders> Folders;
};

} // namespace

// A game counts at its end, at the level it was dealt with; one left for a
// new game is given up, not lost; the window shows them in the level's column.
TEST_F(StatisticsFixture, GameEndedAndGameGivenUpAreCountedAndShown)
{
    Main->ChooseLevel(TLevel::Hard);
    Main->menuNewGameClick();
    Main->ChooseLevel(TLevel::Easy);
    PlayToTheEnd();
    const TGameResult Result = ResultOf(Main->Game());
    TLevelStatistics Hard = Kept(TLevel::Hard);
    EXPECT_EQ(Hard.Played, 1);
    EXPECT_EQ(Hard.Won + Hard.Lost + Hard.Drawn, 1);
    EXPECT_EQ(Hard.PointsTaken, Result.Taken);
    EXPECT_EQ(Hard.PointsGiven, Result.Given);
    EXPECT_EQ(Hard.MarksMade, Result.MarksMade);
    EXPECT_EQ(Kept(TLevel::Easy), TLevelStatistics{});

    Main->menuNewGameClick();
    PlayFirstCard();
    Main->menuNewGameClick();
    Main->menuNewGameClick();
    EXPECT_EQ(Kept(TLevel::Easy).GivenUp, 2);
    EXPECT_EQ(Kept(TLevel::Easy).Played, 0);
    EXPECT_EQ(Kept(TLevel::Hard).Played, 1) << "the ended game is given up by nothing";

    // Columns: Easy, Normal, Hard.
    const QStringList HardColumn = Shown(2);
    ASSERT_EQ(HardColumn.size(), 14);
    EXPECT_EQ(HardColumn[0], QStringLiteral("1"));
    EXPECT_TRUE(HardColumn[5].startsWith(QString::number(Result.Taken) + QStringLiteral(", "))) << HardColumn[5].toStdString();
    EXPECT_EQ(Shown(0)[4], QStringLiteral("2"));
    EXPECT_TRUE(Messages.filter(QStringLiteral("statistics")).isEmpty()) << Messages.join(QLatin1Char('|')).toStdString();
}

// A tournament counts each of its games as it ends, and itself once decided.
TEST_F(StatisticsFixture, TournamentCountsItsGamesAndItsDecision)
{
    StartTournamentAtLastDeal(*Main, 2000, 0);
    PlayToTheEnd();
    const TLevelStatistics Normal = Kept(TLevel::Normal);
    EXPECT_EQ(Normal.Played, 1);
    EXPECT_EQ(Normal.ToursPlayed, 1);
    EXPECT_EQ(Normal.ToursWon, 1);
    EXPECT_EQ(Normal.HighestTargetWon, SetScore->Score());
}

// Reset asks first: No keeps every count, Yes forgets them, and the window
// shows what the file now holds.
TEST_F(StatisticsFixture, ResetAsksFirstAndForgetsOnlyOnYes)
{
    Main->menuNewGameClick();
    PlayToTheEnd();
    QStringList Questions;
    QStringList AfterNo, AfterYes;
    AnswerDialog([&](QDialog* Dialog) {
        auto* Window = qobject_cast<TfrmStatistics*>(Dialog);
        ASSERT_TRUE(Window);
        for (bool Answer : {false, true}) {
            SetQuestionHandler([&Questions, Answer](const QString& Text) {
                Questions << Text;
                return Answer;
            });
            Window->btnReset->click();
            (Answer ? AfterYes : AfterNo) << Window->tblStatistics->item(0, 1)->text();
        }
        Dialog->accept();
    });
    Main->menuStatisticsClick();
    EXPECT_EQ(Questions, QStringList(2, QStringLiteral("Forget the statistics of every level?")));
    EXPECT_EQ(AfterNo, QStringList{QStringLiteral("1")});
    EXPECT_EQ(AfterYes, QStringList{QStringLiteral("0")});
    EXPECT_EQ(Kept(TLevel::Normal), TLevelStatistics{});
}

namespace {

// The windows made, closed and made again, as the program is started anew,
// with the player's folders kept between the runs.
class KeptGameFixture : public StatisticsFixture
{
protected:
    void Restart()
    {
        Main->close();
        DestroyWindows();
        SetMessageBoxHandler([this](const QString& Text) { Messages << Text; });
        MakeWindows();
        QCoreApplication::processEvents();
    }

    static QByteArray KeptBytes()
    {
        QFile File(KeptGameFileName());
        return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
    }

    // The kept file's game, without the table's part.
    static QByteArray KeptGamePart()
    {
        TGame Read{};
        TKeptTable Table;
        if (!ReadKeptGame(KeptBytes(), Read, Table))
            return QByteArray("(unreadable)");
        const QByteArray Text = KeptGameText(Read, {});
        FreeCards(Read);
        return Text;
    }

    QImage TableShown() const { return Main->TableArea()->grab().toImage(); }

    QList<int32_t> Marks() const
    {
        QList<int32_t> Result;
        for (int Suit = 1; Suit <= 4; ++Suit)
            for (int Rank = 1; Rank <= 13; ++Rank)
                Result << Memory->Played(Suit, Rank);
        return Result;
    }
};

} // namespace

// Closed in the middle of a tournament and started again, F4 lays the table
// exactly as it was left: the cards, the memory aid, the status line, the
// level and the target; play then goes on, and the game's end counts.
TEST_F(KeptGameFixture, ClosedMidTournamentContinuesWhereItWasLeft)
{
    Main->ChooseLevel(TLevel::Hard);
    AnswerDialog([](QDialog* Dialog) { Dialog->accept(); });
    Main->menuNewTourClick();
    const int Target = SetScore->Score();
    PlayFirstCard();
    PlayFirstCard();
    const QByteArray Game = KeptGameText(Main->Game(), {});
    EXPECT_FALSE(Main->menuContinue->isEnabled()) << "the kept game is the one in play";
    LetIdle();
    const QImage Table = TableShown();
    const QList<int32_t> Marked = Marks();
    const QString Status = Main->ScoreText();

    Restart();
    Main->ChooseLevel(TLevel::Easy);
    SetScore->edScore->setValue(501);
    ASSERT_TRUE(Main->menuContinue->isEnabled());
    QTest::keyClick(Main->TableArea(), Qt::Key_F4);
    LetIdle();
    EXPECT_EQ(KeptGameText(Main->Game(), {}), Game);
    EXPECT_EQ(Main->Game().FLevel, TLevel::Hard);
    EXPECT_EQ(SetScore->Score(), Target);
    EXPECT_EQ(Marks(), Marked);
    EXPECT_EQ(Main->ScoreText(), Status);
    EXPECT_EQ(TableShown(), Table);
    EXPECT_FALSE(Main->menuContinue->isEnabled());

    while (!Messages.contains(QStringLiteral("end of game...")))
        PlayFirstCard();
    EXPECT_EQ(Kept(TLevel::Hard).Played, 1);
    EXPECT_TRUE(GameInProgress(Main->Game())) << "the tournament's next game";
    EXPECT_EQ(Messages.filter(QStringLiteral("keep")), QStringList());
}

// An ended game is never kept, a new game takes the kept one's place, and a
// kept game not continued stays for the next run.
TEST_F(KeptGameFixture, EndedGameIsNotKeptAndAnUnusedOneStays)
{
    Main->menuNewGameClick();
    PlayFirstCard();
    const QByteArray First = KeptBytes();
    ASSERT_FALSE(First.isEmpty());
    Main->menuNewGameClick();
    EXPECT_NE(KeptBytes(), First);
    EXPECT_EQ(KeptGamePart(), KeptGameText(Main->Game(), {}));
    const QByteArray Second = KeptBytes();
    Restart();
    Restart();
    EXPECT_EQ(KeptBytes(), Second) << "two runs that did not continue it";
    QTest::keyClick(Main->TableArea(), Qt::Key_F4);
    while (GameInProgress(Main->Game()))
        PlayFirstCard();
    EXPECT_FALSE(QFile::exists(KeptGameFileName()));
    Restart();
    EXPECT_FALSE(Main->menuContinue->isEnabled());
}

// A kept file that is damaged is set aside with one message and leaves the
// table as it was; a state folder that cannot be written is told once.
TEST_F(KeptGameFixture, DamagedFileIsSetAsideAndAFailedWriteIsToldOnce)
{
    ASSERT_TRUE(SaveKeptGame("ZentoGame=1\nShoe=1.1.1.0.0 1.1.1.0.0\n"));
    Restart();
    ASSERT_TRUE(Main->menuContinue->isEnabled());
    Main->menuContinueClick();
    EXPECT_FALSE(GameInProgress(Main->Game()));
    EXPECT_FALSE(Main->menuContinue->isEnabled());
    EXPECT_EQ(Messages, QStringList{QStringLiteral("The kept game could not be read; it was set aside as ") +
                                    KeptGameFileName() + QStringLiteral(".damaged")});
    EXPECT_TRUE(QFile::exists(KeptGameFileName() + QStringLiteral(".damaged")));
    EXPECT_FALSE(QFile::exists(KeptGameFileName()));

    Messages.clear();
    QFile::remove(KeptGameFileName() + QStringLiteral(".damaged"));
    ASSERT_TRUE(QDir(QFileInfo(KeptGameFileName()).absolutePath()).removeRecursively());
    QFile Blocker(QFileInfo(KeptGameFileName()).absolutePath());
    ASSERT_TRUE(Blocker.open(QIODevice::WriteOnly));
    Blocker.close();
    Main->menuNewGameClick();
    PlayFirstCard();
    PlayFirstCard();
    EXPECT_EQ(Messages, QStringList{QStringLiteral("Unable to keep the game in ") + KeptGameFileName()});
}

namespace {

QString RulesIn(const char* Language)
{
    return ReadRules(RulesFilePath(DataFile(QString::fromLatin1(Language) + QStringLiteral(".lng")))).value_or(QString());
}

} // namespace

// Both rules files, beside the language files, name every key the table
// window answers and the memory aid's keys, and the points.
TEST(HowToPlay, RulesInBothLanguagesNameEveryKey)
{
    TfrmMain Main;
    QStringList Keys{QStringLiteral("Left"),      QStringLiteral("Right"),    QStringLiteral("Enter"),
                     QStringLiteral("Space"),     QStringLiteral("Escape"),   QStringLiteral("Home"),
                     QStringLiteral("End"),       QStringLiteral("Page Up"),  QStringLiteral("Page Down"),
                     QStringLiteral("Ctrl+Home"), QStringLiteral("Ctrl+End"), QStringLiteral("27")};
    for (const QAction* Item : Main.actions())
        if (!Item->shortcut().isEmpty())
            Keys << Item->shortcut().toString(QKeySequence::PortableText);
    ASSERT_TRUE(Keys.contains(QStringLiteral("F1")) && Keys.contains(QStringLiteral("F4")));
    for (const char* Language : {"english", "greek"}) {
        const QString Rules = RulesIn(Language);
        ASSERT_FALSE(Rules.isEmpty()) << Language;
        for (const QString& Key : Keys)
            EXPECT_TRUE(Rules.contains(QRegularExpression(QStringLiteral("(^|[\\s(])%1[\\s,)]").arg(QRegularExpression::escape(Key)))))
                << Language << " lacks " << Key.toStdString();
    }
    EXPECT_TRUE(RulesIn("greek").contains(QStringLiteral("ζέντο")));
    EXPECT_FALSE(ReadRules(RulesFilePath(DataFile(QStringLiteral("klingon.lng")))).has_value());
}

// F1 opens the rules of the language in use as one text, Escape closes them.
TEST_F(MainFixture, HowToPlayShowsTheRulesOfTheLanguageAndEscapeCloses)
{
    QString Shown, Caption, Heard;
    bool Closed = false;
    const auto Look = [&](QDialog* Dialog) {
        auto* Window = qobject_cast<TfrmHowToPlay*>(Dialog);
        ASSERT_TRUE(Window);
        Caption = Window->Caption();
        Shown = Window->txtRules->toPlainText();
        QAccessibleInterface* Text = QAccessible::queryAccessibleInterface(Window->txtRules);
        QAccessibleTextInterface* Whole = Text ? Text->textInterface() : nullptr;
        Heard = Whole ? Whole->text(0, Whole->characterCount()) : QString();
        QTest::keyClick(Window->txtRules, Qt::Key_Escape);
        Closed = !Window->isVisible();
    };
    AnswerDialog(Look);
    QTest::keyClick(Main->TableArea(), Qt::Key_F1);
    EXPECT_EQ(Caption, QStringLiteral("How to play"));
    EXPECT_EQ(Shown, RulesIn("english"));
    EXPECT_EQ(Heard, Shown) << "a screen reader gets the whole text";
    EXPECT_TRUE(Closed);

    Main->menuGreekClick();
    Closed = false;
    AnswerDialog(Look);
    Main->menuHowToPlay->trigger();
    EXPECT_EQ(Caption, QStringLiteral("Πώς παίζεται"));
    EXPECT_EQ(Shown, RulesIn("greek"));
    EXPECT_TRUE(Closed);
}
