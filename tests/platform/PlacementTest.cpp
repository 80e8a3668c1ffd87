#include "platform/Placement.h"

#include "platform/SwayPlace.h"
#include "platform/TestSeams.h"
#include "tests/support/Support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QMap>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// The program's store, which the test program keeps inside a temporary folder.
const QString Organisation = StoreOrganisation;
const QString Application = QStringLiteral("Zento");

void ClearStore()
{
    QSettings Store(Organisation, Application);
    Store.clear();
}

QStringList StoredGroups()
{
    const QSettings Store(Organisation, Application);
    return Store.childGroups();
}

QString ScreenSuffix()
{
    const QSize Size = QGuiApplication::primaryScreen()->geometry().size();
    return QStringLiteral("(%1x%2)").arg(Size.width()).arg(Size.height());
}

int PixelsPerInch()
{
    return int(std::lround(QGuiApplication::primaryScreen()->logicalDotsPerInch()));
}

class PlacementFixture : public ::testing::Test
{
protected:
    void SetUp() override { ClearStore(); }
    void TearDown() override { ClearStore(); }

    // A fixed-size window at its designed place, as the program's windows are.
    std::unique_ptr<QWidget> MakeWindow(TPlacementRole Role = TPlacementRole::OtherWindow)
    {
        auto Form = std::make_unique<QWidget>();
        Form->setFixedSize(200, 150);
        Form->move(268, 153);
        Placement = new TFormPlacement(Form.get(), QStringLiteral("frmTest"), Role);
        return Form;
    }

    void StoreValue(const QString& Key, const QString& Value)
    {
        QSettings Store(Organisation, Application);
        Store.setValue(QStringLiteral("frmTest/") + Key, Value);
    }

    QString StoredValue(const QString& Key) const
    {
        const QSettings Store(Organisation, Application);
        return Store.value(QStringLiteral("frmTest/") + Key).toString();
    }

    TFormPlacement* Placement = nullptr;
};

} // namespace

TEST(ParseFourNumbers, SplitsAtCommasOrBlanksAndDefaultsBadNumbers)
{
    struct TCase { const char* Text; TFourNumbers Expected; };
    const TFourNumbers Defaults{10, 20, 30, 40};
    const TCase Cases[] = {
        {"1,2,3,4", {1, 2, 3, 4}},       {"1 2  3, 4", {1, 2, 3, 4}}, {"-5,-6,7,8", {-5, -6, 7, 8}},
        {"1,x,3", {1, 20, 3, 40}},       {"", {10, 20, 30, 40}},      {"99999999999,1,2,3", {10, 1, 2, 3}},
        {"1,2,3,4,5", {1, 2, 3, 4}},     {",1,,2 ,3", {10, 1, 2, 3}}, {"1,2,3,", {1, 2, 3, 40}},
    };
    for (const TCase& C : Cases) {
        const TFourNumbers Got = ParseFourNumbers(QString::fromLatin1(C.Text), Defaults);
        EXPECT_EQ(Got.A, C.Expected.A) << C.Text;
        EXPECT_EQ(Got.B, C.Expected.B) << C.Text;
        EXPECT_EQ(Got.C, C.Expected.C) << C.Text;
        EXPECT_EQ(Got.D, C.Expected.D) << C.Text;
    }
}

TEST(ShowStateFor, MapsTheStoredShowCommands)
{
    for (int Cmd : {0, 1, 4, 5, 8, 9, 10, -1, 1000})
        EXPECT_EQ(ShowStateFor(Cmd), TShowState::Normal) << Cmd;
    for (int Cmd : {2, 6, 7})
        EXPECT_EQ(ShowStateFor(Cmd), TShowState::Minimized) << Cmd;
    EXPECT_EQ(ShowStateFor(3), TShowState::Maximized);
}

namespace {

// The store and the screen of the record's tests, apart from any window: a
// fixed window of a 204 x 154 frame at its designed place.
const QSize StoreScreen(1024, 768);
const QRect StoreArea(QPoint(0, 0), StoreScreen);
const TShowingWindow DesignedWindow{QRect(QPoint(268, 153), QSize(204, 154)), 96, true, {StoreArea}};

TStoredPlace Stored(std::initializer_list<std::pair<QString, QString>> Values)
{
    const QMap<QString, QString> Group(Values);
    return ReadStoredPlace([&Group](const QString& Name) { return Group.value(Name); }, StoreScreen);
}

} // namespace

TEST(StoredPlace, PositionForThisScreenSizeWinsOverThePlainOne)
{
    const QString Plain = QStringLiteral("40,50,240,200");
    EXPECT_EQ(CornerToRestore(Stored({{"NormPos", Plain}, {"NormPos(1024x768)", "60,70,260,220"}}), DesignedWindow),
              QPoint(60, 70));
    EXPECT_EQ(CornerToRestore(Stored({{"NormPos", Plain}, {"NormPos(800x600)", "60,70,260,220"}}), DesignedWindow),
              QPoint(40, 50));
    EXPECT_EQ(CornerToRestore(Stored({{"NormPos", Plain}, {"NormPos(1024x768)", "  "}}), DesignedWindow),
              QPoint(40, 50)) << "a blank entry is none";
    EXPECT_EQ(CornerToRestore(Stored({{"MinMaxPos", "1,2,3,4"}}), DesignedWindow), QPoint(268, 153))
        << "a stored position without NormPos keeps the window where it stands";
}

TEST(StoredPlace, OtherPixelsPerInchIgnoresThePositionButKeepsTheState)
{
    const TStoredPlace Place = Stored({{"NormPos", "40,50,240,200"}, {"PixelsPerInch", "120"}, {"ShowCmd", "2"}});
    EXPECT_EQ(CornerToRestore(Place, DesignedWindow), QPoint(268, 153));
    EXPECT_EQ(StateToRestore(Place, DesignedWindow), TShowState::Minimized);
}

// Each nonsense value falls back on its own, so the sane values stored beside
// it still count.
TEST(StoredPlace, NonsenseFallsBackValueByValue)
{
    struct TCase { QString Key, Value, NormPos; QPoint Pos; };
    const TCase Cases[] = {
        {"NormPos", "40,top,right,bottom", {}, {40, 153}},  // bad numbers default to where the window is
        {"NormPos", "500,50,400,200", {}, {268, 153}},      // left not before right
        {"NormPos", "2000000000,2000000000,2000000100,2000000100", {}, {268, 153}},  // on no screen
        {"ShowCmd", "minimise please", "40,50,240,200", {40, 50}},
        {"PixelsPerInch", "lots", "40,50,240,200", {40, 50}},  // reads as this screen's
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE((C.Key + "=" + C.Value).toStdString());
        TStoredPlace Place = Stored({{C.Key, C.Value}});
        if (!C.NormPos.isEmpty())
            Place = Stored({{"NormPos", C.NormPos}, {C.Key, C.Value}});
        EXPECT_EQ(CornerToRestore(Place, DesignedWindow), C.Pos);
        EXPECT_EQ(StateToRestore(Place, DesignedWindow), TShowState::Normal);
    }
}

// A stored place is taken only when the window's title strip would lie on a
// screen at its full height with a grip of it there; anything less and the
// window keeps its designed place. A place taken still comes wholly on screen.
TEST(StoredPlace, IsTakenOnlyWithTheTitleStripInReach)
{
    const QRect Screen = StoreArea;
    const QSize Frame = DesignedWindow.Frame.size();
    const int Strip = 20, Grip = 48;
    const QPoint Designed = DesignedWindow.Frame.topLeft();
    const int Right = Screen.left() + Screen.width(), Bottom = Screen.top() + Screen.height();
    struct TCase { const char* What; QPoint Stored, Pos; };
    const TCase Cases[] = {
        {"strip along the top edge", {100, Screen.top()}, {100, Screen.top()}},
        {"strip one unit off the top", {100, Screen.top() - 1}, Designed},
        {"strip just above the bottom edge", {100, Bottom - Strip}, {100, Bottom - Frame.height()}},
        {"strip one unit over the bottom edge", {100, Bottom - Strip + 1}, Designed},
        {"a grip of the strip at the right", {Right - Grip, 100}, {Right - Frame.width(), 100}},
        {"a sliver of the strip at the right", {Right - Grip + 1, 100}, Designed},
        {"a grip of the strip at the left", {Screen.left() - Frame.width() + Grip, 100}, {Screen.left(), 100}},
        {"a sliver of the strip at the left", {Screen.left() - Frame.width() + Grip - 1, 100}, Designed},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.What);
        const QString NormPos = QStringLiteral("%1,%2,%3,%4").arg(C.Stored.x()).arg(C.Stored.y())
                                    .arg(C.Stored.x() + Frame.width()).arg(C.Stored.y() + Frame.height());
        EXPECT_EQ(CornerToRestore(Stored({{"NormPos", NormPos}}), DesignedWindow), C.Pos);
    }
    TShowingWindow TwoScreens = DesignedWindow;
    TwoScreens.Areas << QRect(1024, 0, 1280, 1024);
    EXPECT_EQ(CornerToRestore(Stored({{"NormPos", "1500,900,1704,1054"}}), TwoScreens), QPoint(1500, 870))
        << "in reach on the second screen, and pulled onto it";
}

TEST(StoredPlace, MaximisedStateIsTakenOnlyByAWindowThatCanGrow)
{
    const TStoredPlace Place = Stored({{"ShowCmd", "3"}});
    EXPECT_EQ(StateToRestore(Place, DesignedWindow), TShowState::Normal);
    TShowingWindow Growing = DesignedWindow;
    Growing.FixedSize = false;
    EXPECT_EQ(StateToRestore(Place, Growing), TShowState::Maximized);
}

// The store's order: the state, the density, each position under the name
// for this screen size and under the plain name, and last whether it was shown.
TEST(StoredPlace, SaveWritesEveryValueAsTextInItsOrder)
{
    const auto Written = [](const TSavingWindow& Window) {
        QStringList Lines;
        for (const TStoredValue& Value : ValuesToSave(Window))
            Lines << Value.Name + QLatin1Char('=') + Value.Text;
        return Lines;
    };
    EXPECT_EQ(Written({false, false, QRect(300, 200, 204, 154), 96, StoreScreen, false}),
              (QStringList{"Flags=0", "ShowCmd=1", "PixelsPerInch=96", "MinMaxPos(1024x768)=-1,-1,-1,-1",
                           "MinMaxPos=-1,-1,-1,-1", "NormPos(1024x768)=300,200,504,354", "NormPos=300,200,504,354",
                           "Visible=0"}));
    EXPECT_EQ(Written({true, true, std::nullopt, 96, StoreScreen, true}),
              (QStringList{"Flags=2", "ShowCmd=2", "Visible=1"}))
        << "minimised from maximised; a place the window system does not tell is not written";
    EXPECT_EQ(Written({false, true, std::nullopt, 96, StoreScreen, false}).mid(0, 2),
              (QStringList{"Flags=0", "ShowCmd=3"}));
}

TEST_F(PlacementFixture, NothingStoredLeavesTheDesignedPlace)
{
    const QString StoreFile = QSettings(Organisation, Application).fileName();
    QFile::remove(StoreFile);
    auto Form = MakeWindow();
    Form->show();
    EXPECT_TRUE(QFile::exists(StoreFile)) << "the store is there from the first show";
    EXPECT_EQ(Form->pos(), QPoint(268, 153));
    EXPECT_TRUE(Placement->TakeFaults().isEmpty());
}

TEST_F(PlacementFixture, ClosingSavesEveryValueAsText)
{
    auto Form = MakeWindow();
    Form->show();
    Form->move(300, 200);
    Placement->Save(TFormPlacement::srClose);
    // The stored rectangle is the frame's: the offscreen platform puts a
    // 2-pixel frame around the 200 x 150 window.
    ASSERT_EQ(Form->frameGeometry().size(), QSize(204, 154));
    const QString NormPos = QStringLiteral("300,200,504,354");
    EXPECT_EQ(StoredValue(QStringLiteral("Flags")), QStringLiteral("0"));
    EXPECT_EQ(StoredValue(QStringLiteral("ShowCmd")), QStringLiteral("1"));
    EXPECT_EQ(StoredValue(QStringLiteral("PixelsPerInch")), QString::number(PixelsPerInch()));
    EXPECT_EQ(StoredValue(QStringLiteral("NormPos")), NormPos);
    EXPECT_EQ(StoredValue(QStringLiteral("NormPos") + ScreenSuffix()), NormPos);
    EXPECT_EQ(StoredValue(QStringLiteral("MinMaxPos")), StoredValue(QStringLiteral("MinMaxPos") + ScreenSuffix()));
    EXPECT_EQ(StoredValue(QStringLiteral("Visible")), QStringLiteral("0"));
    Placement->SaveOnDestroy();
    EXPECT_EQ(StoredValue(QStringLiteral("Visible")), QStringLiteral("0")) << "saved since shown: not again";
}

TEST_F(PlacementFixture, DestroyingSavesOnlyWhatWasShownAndNotSavedSince)
{
    {
        auto Hidden = MakeWindow();
        Placement->SaveOnDestroy();
    }
    EXPECT_TRUE(StoredGroups().isEmpty()) << "a window never shown saves nothing";
    auto Form = MakeWindow();
    Form->show();
    Placement->Save(TFormPlacement::srClose);
    Form->hide();
    Form->show();  // showing again clears the saved mark: going saves once more
    Placement->SaveOnDestroy();
    EXPECT_EQ(StoredValue(QStringLiteral("Visible")), QStringLiteral("1"));
}

TEST_F(PlacementFixture, StoredCornerIsRestoredAndTheSizeKept)
{
    StoreValue(QStringLiteral("NormPos"), QStringLiteral("40,50,900,900"));
    StoreValue(QStringLiteral("ShowCmd"), QStringLiteral("1"));
    auto Form = MakeWindow();
    Form->show();
    EXPECT_EQ(Form->pos(), QPoint(40, 50));
    EXPECT_EQ(Form->size(), QSize(200, 150));
}

TEST_F(PlacementFixture, EveryShowRestoresTheLastSave)
{
    auto Form = MakeWindow();
    Form->show();
    Form->move(100, 120);
    Placement->Save(TFormPlacement::srClose);
    Form->move(400, 300);
    Form->hide();
    Form->show();
    EXPECT_EQ(Form->pos(), QPoint(100, 120));
}

TEST_F(PlacementFixture, StoredMinimisedMainWindowMinimisesTheWholeProgram)
{
    StoreValue(QStringLiteral("ShowCmd"), QStringLiteral("2"));
    QWidget Other;
    Other.show();
    auto Main = MakeWindow(TPlacementRole::MainWindow);
    Main->show();
    EXPECT_FALSE(Main->isMinimized()) << "the window itself shows normal first";
    QCoreApplication::processEvents();
    EXPECT_TRUE(Main->isMinimized());
    EXPECT_TRUE(Other.isMinimized());
}

// Whatever the store holds, the windows come back where they can be taken and
// moved, at their own size, and the messages say what really happened.
namespace {

// The strip along the top of the frame, by which the window is moved: on a
// screen at its full height and at least a grip of it wide.
bool TitleStripOnAScreen(const QWidget& Form)
{
    const QRect Strip(Form.pos(), QSize(Form.frameGeometry().width(), 20));
    for (const QScreen* Screen : QGuiApplication::screens()) {
        const QRect Visible = Strip.intersected(Screen->availableGeometry());
        if (Visible.height() == Strip.height() && Visible.width() >= std::min(Strip.width(), 48))
            return true;
    }
    return false;
}

QString StoreFileName()
{
    return QSettings(Organisation, Application).fileName();
}

void WriteStoreFile(const QByteArray& Text)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(StoreFileName()).absolutePath()));
    QFile File(StoreFileName());
    ASSERT_TRUE(File.open(QIODevice::WriteOnly | QIODevice::Truncate));
    File.write(Text);
}

} // namespace

TEST_F(PlacementFixture, FarAwayStoredPlacesOpenWithTheTitleStripOnAScreen)
{
    const QRect Screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QString Cases[] = {
        QStringLiteral("2147483600,2147483600,2147483647,2147483647"),
        QStringLiteral("2147483000,100,2147483647,300"),  // the right edge is past the largest number
        QStringLiteral("-2147483648,-2147483648,-2147483600,-2147483600"),
        QStringLiteral("-2147483648,100,-2147483000,300"),
        QStringLiteral("-190,100,10,250"),   // ten pixels of the strip on the screen
        QStringLiteral("100,-15,300,135"),   // the strip above the screen
        QStringLiteral("100,%1,300,%2").arg(Screen.bottom() - 5).arg(Screen.bottom() + 145),
    };
    for (const QString& NormPos : Cases) {
        ClearStore();
        StoreValue(QStringLiteral("NormPos"), NormPos);
        auto Form = MakeWindow();
        Form->show();
        EXPECT_TRUE(TitleStripOnAScreen(*Form)) << NormPos.toStdString() << " opened at " << Form->x() << ","
                                                << Form->y();
        Placement->Save(TFormPlacement::srClose);
        Form->hide();
        Form->show();
        EXPECT_TRUE(TitleStripOnAScreen(*Form)) << NormPos.toStdString() << ", saved and shown again";
    }
    ClearStore();
    StoreValue(QStringLiteral("NormPos"), QStringLiteral("-100,100,100,250"));
    auto Form = MakeWindow();
    Form->show();
    EXPECT_EQ(Form->pos(), QPoint(Screen.left(), 100)) << "half off the screen: the whole strip comes in, the height stays";
}

TEST_F(PlacementFixture, DamagedStoreIsToldOnceAndTheSaveOverItIsNot)
{
    WriteStoreFile("[frmTest\nNormPos=\"40,50,240,200\"\n[frmOther]\nShowCmd\n");
    auto Form = MakeWindow();
    QWidget OtherForm;
    new TFormPlacement(&OtherForm, QStringLiteral("frmOther"), TPlacementRole::OtherWindow);
    Form->show();
    OtherForm.show();
    EXPECT_EQ(Placement->TakeFaults() + OtherForm.findChild<TFormPlacement*>()->TakeFaults(),
              QStringList{QStringLiteral("Unable to read the window placement in ") + StoreFileName()});
    Form->move(120, 130);
    Placement->Save(TFormPlacement::srClose);
    EXPECT_EQ(Placement->TakeFaults(), QStringList());
    const QSettings Store(Organisation, Application);
    EXPECT_EQ(Store.status(), QSettings::NoError) << "written anew";
    EXPECT_EQ(StoredValue(QStringLiteral("NormPos")).section(QLatin1Char(','), 0, 1), QStringLiteral("120,130"));
}

TEST_F(PlacementFixture, StoreThatCannotBeWrittenIsToldAtEachSave)
{
    // A folder where the store's file should be: neither read nor written.
    QFile::remove(StoreFileName());
    ASSERT_TRUE(QDir().mkpath(StoreFileName()));
    auto Form = MakeWindow();
    Form->show();
    Placement->TakeFaults();
    Placement->Save(TFormPlacement::srClose);
    Placement->Save(TFormPlacement::srClose);
    EXPECT_EQ(Placement->TakeFaults(),
              QStringList(2, QStringLiteral("Unable to save the window placement in ") + StoreFileName()));
    QDir(StoreFileName()).removeRecursively();
}

TEST_F(PlacementFixture, ClosingAWindowThatIsGoneKeepsThePlaceItClosedAt)
{
    auto Form = MakeWindow();
    Form->show();
    Form->move(300, 200);
    Placement->Save(TFormPlacement::srClose);
    Form->hide();
    const QString Closed = StoredValue(QStringLiteral("NormPos"));
    // What a window manager reports for a window it has let go of, asked to
    // close once more as Qt does with every window when a program quits.
    Form->move(0, 0);
    Placement->Save(TFormPlacement::srClose);
    EXPECT_EQ(StoredValue(QStringLiteral("NormPos")), Closed);
}

TEST_F(PlacementFixture, PositionWrittenByHandWithoutQuotesIsRead)
{
    WriteStoreFile("[frmTest]\nNormPos=40,50,240,200\n");
    auto Form = MakeWindow();
    Form->show();
    EXPECT_EQ(Form->pos(), QPoint(40, 50));
    EXPECT_TRUE(Placement->TakeFaults().isEmpty());
}

TEST_F(PlacementFixture, StoredMaximisedStateLeavesAFixedSizeWindowAtItsSize)
{
    StoreValue(QStringLiteral("ShowCmd"), QStringLiteral("3"));
    auto Form = MakeWindow();
    Form->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(Form->size(), QSize(200, 150));
    EXPECT_FALSE(Form->isMaximized());
}

// A high-density laptop screen at scale 2 leaves 640 x 450 for windows: the
// table window at its designed place would hang below it.
TEST(IntoReach, WholeTitleStripAndBottomEdgeOnTheScreenThatHoldsMostOfTheWindow)
{
    const QSize Table(299, 416);
    const QList<QRect> Small{QRect(0, 0, 640, 450)};
    EXPECT_EQ(IntoReach(QPoint(268, 153), Table, Small), QPoint(268, 34));
    EXPECT_EQ(IntoReach(QPoint(500, -40), Table, Small), QPoint(341, 0));
    EXPECT_EQ(IntoReach(QPoint(100, 20), Table, Small), QPoint(100, 20)) << "a window in reach stays";
    EXPECT_EQ(IntoReach(QPoint(100, 20), QSize(700, 500), Small), QPoint(0, 0)) << "too big: its top-left shows";
    const QList<QRect> Two{QRect(0, 0, 1024, 768), QRect(1024, 0, 1280, 1024)};
    EXPECT_EQ(IntoReach(QPoint(2200, 900), Table, Two), QPoint(2005, 608)) << "kept on the second screen";
    EXPECT_EQ(IntoReach(QPoint(5000, 5000), Table, Two), QPoint(725, 352)) << "on no screen: the first";
    EXPECT_EQ(IntoReach(QPoint(2147483000, -2147483600), Table, Two), QPoint(725, 0));
}

// Sway, asked to put the memory aid beside the table: the first side where
// the whole aid stays on the table's screen.
TEST(SwayPlace, BesideTheTableOnTheFirstSideWithRoom)
{
    const QRect Output(0, 0, 1024, 768);
    const QSize Aid(266, 115);
    EXPECT_EQ(PlaceBeside(QRect(362, 176, 299, 416), Aid, Output), QPoint(669, 176)) << "right";
    EXPECT_EQ(PlaceBeside(QRect(700, 176, 299, 416), Aid, Output), QPoint(426, 176)) << "left";
    EXPECT_EQ(PlaceBeside(QRect(100, 100, 900, 400), Aid, Output), QPoint(100, 508)) << "below";
    EXPECT_EQ(PlaceBeside(QRect(100, 300, 900, 460), Aid, Output), QPoint(100, 177)) << "above";
    EXPECT_EQ(PlaceBeside(Output, Aid, Output), std::nullopt) << "no room anywhere";
    EXPECT_EQ(PlaceBeside(QRect(1324, 176, 299, 416), Aid, QRect(1024, 0, 1280, 1024)), QPoint(1631, 176))
        << "on a second screen";
}

TEST(SwayPlace, FindsTheProgramsWindowByProcessAndTitleWithItsScreen)
{
    const QJsonObject Tree = QJsonDocument::fromJson(R"({"type": "root", "nodes": [
        {"type": "output", "name": "X11-1", "rect": {"x": 1024, "y": 0, "width": 800, "height": 600}, "nodes": [
            {"type": "workspace", "nodes": [], "floating_nodes": [
                {"id": 7, "pid": 41, "name": "Memory", "rect": {"x": 10, "y": 20, "width": 266, "height": 115}},
                {"id": 9, "pid": 42, "name": "Memory", "rect": {"x": 1300, "y": 200, "width": 266, "height": 115}},
                {"id": 8, "pid": 42, "name": "Zento", "rect": {"x": 1100, "y": 100, "width": 299, "height": 416}}
            ]}]}]})")
                                 .object();
    const std::optional<TSwayNode> Aid = FindSwayNode(Tree, 42, QStringLiteral("Memory"));
    ASSERT_TRUE(Aid.has_value());
    EXPECT_EQ(Aid->Id, 9) << "another program's window of the same title";
    EXPECT_EQ(Aid->Rect, QRect(1300, 200, 266, 115));
    EXPECT_EQ(Aid->Output, QRect(1024, 0, 800, 600));
    EXPECT_EQ(FindSwayNode(Tree, 42, QStringLiteral("Zento, ver")), std::nullopt);
    EXPECT_EQ(FindSwayNode(QJsonObject(), 42, QStringLiteral("Memory")), std::nullopt);
}
