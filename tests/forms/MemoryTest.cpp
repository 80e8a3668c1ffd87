#include "forms/Memory.h"
#include "platform/Gradient.h"

#include "forms/MemoryAccess.h"
#include "forms/TableAccess.h"
#include "lang/Lang.h"

#include "platform/Canvas.h"
#include "platform/DrawGrid.h"
#include "platform/ResourcePicture.h"
#include "tests/support/Support.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPalette>
#include <QResource>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

#include <algorithm>
#include <set>
#include <vector>

namespace {

constexpr QRgb White = 0xFFFFFF;
constexpr QRgb Black = 0x000000;
constexpr QRgb Red = 0xFF0000;
constexpr int Cell = 18;

QRgb RoleColor(QPalette::ColorRole Role)
{
    return QApplication::palette().color(QPalette::Active, Role).rgb() & 0xFFFFFF;
}

// A pixel of the grid's picture, at (X, Y) inside the cell.
QRgb CellPixel(const TfrmMemory& Form, int Col, int Row, int X, int Y)
{
    const QRect Rect = Form.grdMemory->CellRect(Col, Row);
    return Form.grdMemory->Surface().pixel(Rect.left() + X, Rect.top() + Y) & 0xFFFFFF;
}

QRgb SuitColor(int Suit)
{
    return Suit == 2 || Suit == 3 ? Red : Black;
}

// Every cell of the 4 x 13 table shows the played colour exactly where the
// counter is set, and keeps the window colour on its one-pixel border.
void ExpectTableShowsCounters(const TfrmMemory& Form)
{
    const QRgb Base = RoleColor(QPalette::Base);
    for (int Suit = 1; Suit <= 4; ++Suit)
        for (int Rank = 1; Rank <= 13; ++Rank) {
            SCOPED_TRACE(testing::Message() << "suit " << Suit << " rank " << Rank);
            const QRgb Fill = Form.Played(Suit, Rank) != 0 ? SuitColor(Suit) : White;
            EXPECT_EQ(CellPixel(Form, Rank, Suit, 1, 1), Fill);
            EXPECT_EQ(CellPixel(Form, Rank, Suit, 9, 9), Fill);
            EXPECT_EQ(CellPixel(Form, Rank, Suit, Cell - 2, Cell - 2), Fill);
            EXPECT_EQ(CellPixel(Form, Rank, Suit, 0, 0), Base);
            EXPECT_EQ(CellPixel(Form, Rank, Suit, Cell - 1, 9), Base);
            EXPECT_EQ(CellPixel(Form, Rank, Suit, 9, Cell - 1), Base);
        }
}

} // namespace

// A tool window stays above its own program's windows; "stays on top" would
// put it above every other program too.
TEST(MemoryWindow, IsAFixedToolWindowOfTheProgramFilledByItsGrid)
{
    TfrmMemory Form;
    EXPECT_EQ(Form.objectName(), "frmMemory");
    EXPECT_EQ(Form.property("Caption").toString(), QString("Μνήμη"));
    EXPECT_EQ(Form.windowType(), Qt::Tool);
    EXPECT_FALSE(Form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(Form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_EQ(Form.size(), QSize(266, TGradient::StripHeight() + 95));
    EXPECT_EQ(Form.minimumSize(), Form.maximumSize());
    EXPECT_EQ(Form.pos(), QPoint(394, 131));
    EXPECT_EQ(Form.grdMemory->geometry(), QRect(0, TGradient::StripHeight(), 266, 95));
    EXPECT_EQ(Form.grdMemory->GridExtent(), QSize(266, 95));
    EXPECT_EQ(Form.grdMemory->focusPolicy(), Qt::TabFocus) << "its keys go from card to card";
    EXPECT_TRUE(Form.grdMemory->testAttribute(Qt::WA_TransparentForMouseEvents));
}

// The window draws its own title bar, so no window system or Wayland frame
// adds minimise and maximise buttons to it.
TEST(MemoryWindow, TitleBarShowsTheCaptionAndOffersOnlyItsCloseButton)
{
    TfrmMemory Form;
    EXPECT_TRUE(Form.windowFlags().testFlag(Qt::FramelessWindowHint));
    ASSERT_NE(Form.Gradient, nullptr);
    EXPECT_EQ(Form.Gradient->geometry(), QRect(0, 0, 266, TGradient::StripHeight()));
    const int Width = Form.Gradient->width();
    EXPECT_EQ(Form.Gradient->ButtonAt(TGradient::ButtonRect(TTitleButton::Close, Width).center()), TTitleButton::Close);
    EXPECT_EQ(Form.Gradient->ButtonAt(TGradient::ButtonRect(TTitleButton::Minimize, Width).center()),
              TTitleButton::None);
    EXPECT_EQ(Form.Gradient->FormCaption(), QStringLiteral("Μνήμη"));
    Form.SetCaption(QStringLiteral("Memory"));
    EXPECT_EQ(Form.Gradient->FormCaption(), QStringLiteral("Memory")) << "a language file's caption shows on it";
}

TEST(MemoryGrid, HeaderRowReadsTheRanksAndTheCornerIsBlank)
{
    const QString Headers[] = {"", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    TfrmMemory Form;
    const QRgb Face = RoleColor(QPalette::Button);
    for (int Col = 0; Col < 14; ++Col) {
        SCOPED_TRACE(testing::Message() << "column " << Col);
        // The same text drawn alone on the button face, where the cell draws it.
        QImage Expected(Cell, Cell, QImage::Format_RGB32);
        TCanvas Canvas(Expected);
        Canvas.FillRect(Expected.rect(), QColor::fromRgb(Face));
        Canvas.Font = Form.grdMemory->font();
        Canvas.FontColor = QApplication::palette().color(QPalette::Active, QPalette::WindowText);
        Canvas.TextOut(2, 2, Headers[Col]);
        int Ink = 0;
        for (int Y = 1; Y < Cell - 1; ++Y)
            for (int X = 1; X < Cell - 1; ++X) {
                const QRgb Want = Expected.pixel(X, Y) & 0xFFFFFF;
                Ink += Want != Face;
                ASSERT_EQ(CellPixel(Form, Col, 0, X, Y), Want) << "at " << X << "," << Y;
            }
        EXPECT_EQ(Ink > 0, Col > 0);
    }
}

TEST(MemoryGrid, FixedCellsHaveTheButtonFaceWithARaisedEdge)
{
    TfrmMemory Form;
    const QRgb Light = RoleColor(QPalette::Light);
    const QRgb Dark = RoleColor(QPalette::Dark);
    const QPoint Fixed[] = {{0, 0}, {1, 0}, {13, 0}, {0, 1}, {0, 4}};
    for (const QPoint& C : Fixed) {
        SCOPED_TRACE(testing::Message() << "cell " << C.x() << "," << C.y());
        EXPECT_EQ(CellPixel(Form, C.x(), C.y(), 0, 0), Light);
        EXPECT_EQ(CellPixel(Form, C.x(), C.y(), 8, 0), Light);
        EXPECT_EQ(CellPixel(Form, C.x(), C.y(), 0, 8), Light);
        EXPECT_EQ(CellPixel(Form, C.x(), C.y(), Cell - 1, 8), Dark);
        EXPECT_EQ(CellPixel(Form, C.x(), C.y(), 8, Cell - 1), Dark);
        EXPECT_EQ(CellPixel(Form, C.x(), C.y(), Cell - 1, Cell - 1), Dark);
    }
    EXPECT_EQ(CellPixel(Form, 0, 0, 9, 9), RoleColor(QPalette::Button));
}

// Clubs and spades are black signs shaded in greys, diamonds and hearts red
// ones, each laid over the button face so that only the sign darkens it.
TEST(MemoryGrid, SuitColumnShowsEachSignAndedOntoTheButtonFace)
{
    TfrmMemory Form;
    const QRgb Face = RoleColor(QPalette::Button);
    const std::vector<QRgb> BlackInks = {Black, 0xC0C0C0, 0x808080};
    const std::vector<QRgb> RedInks = {Red};
    std::vector<std::vector<bool>> Signs;
    for (int Row = 1; Row <= 4; ++Row) {
        SCOPED_TRACE(testing::Message() << "row " << Row);
        const std::vector<QRgb>& Inks = SuitColor(Row) == Red ? RedInks : BlackInks;
        std::vector<bool> Sign;
        int Full = 0;
        for (int Y = 1; Y < Cell - 1; ++Y)
            for (int X = 1; X < Cell - 1; ++X) {
                const QRgb Pixel = CellPixel(Form, 0, Row, X, Y);
                const bool Inked = std::any_of(Inks.begin(), Inks.end(), [&](QRgb Ink) { return Pixel == (Face & Ink); });
                ASSERT_TRUE(Pixel == Face || Inked) << "at " << X << "," << Y << ": " << std::hex << Pixel;
                Sign.push_back(Pixel != Face);
                Full += Pixel == (Face & Inks.front());
            }
        EXPECT_GE(Full, 60) << "a whole sign shows in the suit's colour";
        EXPECT_EQ(CellPixel(Form, 0, Row, 1, 1), Face) << "the sign keeps off the corner";
        Signs.push_back(Sign);
    }
    for (int A = 0; A < 4; ++A)
        for (int B = A + 1; B < 4; ++B)
            EXPECT_NE(Signs[A], Signs[B]) << "rows " << A + 1 << " and " << B + 1 << " show the same sign";
}

// Nothing played, a few cards, the whole deck: each card's cell takes its suit's colour.
TEST(MemoryGrid, PlayedCardsTakeTheirSuitColourInTheirOwnCell)
{
    std::vector<TCard> Deck;
    for (uint8_t Suit = 1; Suit <= 4; ++Suit)
        for (uint8_t Rank = 1; Rank <= 13; ++Rank)
            Deck.push_back(MakeCard(Rank, Suit));
    const std::vector<TCard> Plays[] = {
        {}, {MakeCard(1, 1), MakeCard(13, 2), MakeCard(10, 3), MakeCard(11, 4), MakeCard(10, 2)}, Deck};
    for (const std::vector<TCard>& Played : Plays) {
        SCOPED_TRACE(testing::Message() << Played.size() << " cards played");
        TfrmMemory Form;
        for (const TCard& Card : Played)
            Form.MarkPlayed(Card);
        Form.grdMemory->Repaint();
        ExpectTableShowsCounters(Form);
        for (const TCard& Card : Played)
            EXPECT_EQ(CellPixel(Form, Card.Rank, Card.Suit, 9, 9), SuitColor(Card.Suit));
    }
}

TEST(MemoryCounters, CountEveryMarkAndIgnoreCardsOutsideTheDeck)
{
    TfrmMemory Form;
    Form.MarkPlayed(MakeCard(7, 3));
    Form.MarkPlayed(MakeCard(7, 3));
    const TCard Outside[] = {MakeCard(0, 0),  MakeCard(14, 0), MakeCard(0, 1),     MakeCard(14, 1),
                             MakeCard(1, 0),  MakeCard(1, 5),  MakeCard(255, 255), MakeCard(13, 255)};
    for (const TCard& Card : Outside)
        Form.MarkPlayed(Card);
    for (int Suit = 1; Suit <= 4; ++Suit)
        for (int Rank = 1; Rank <= 13; ++Rank)
            EXPECT_EQ(Form.Played(Suit, Rank), Suit == 3 && Rank == 7 ? 2 : 0) << Suit << "/" << Rank;
    EXPECT_EQ(Form.Played(0, 1), 0);
    EXPECT_EQ(Form.Played(5, 13), 0);
    EXPECT_EQ(Form.Played(1, 14), 0);
}

TEST(MemoryCounters, ResetClearsThemAndTheNextRepaintShowsTheEmptyTable)
{
    TfrmMemory Form;
    Form.show();
    Form.MarkPlayed(MakeCard(5, 2));
    Form.grdMemory->Repaint();
    Form.ResetMemory();
    EXPECT_EQ(Form.Played(2, 5), 0);
    EXPECT_EQ(CellPixel(Form, 5, 2, 9, 9), Red);  // nothing repainted yet
    Form.grdMemory->Repaint();
    EXPECT_EQ(CellPixel(Form, 5, 2, 9, 9), White);
    // Out of sight the grid is drawn when it is next seen or asked for.
    Form.hide();
    Form.MarkPlayed(MakeCard(5, 2));
    Form.grdMemory->Repaint();
    EXPECT_EQ(CellPixel(Form, 5, 2, 9, 9), Red);
    // Coming back into view shows the data of then, though nobody asked for a repaint.
    Form.ResetMemory();
    Form.show();
    EXPECT_EQ(CellPixel(Form, 5, 2, 9, 9), White);
}

TEST(MemoryWindow, CloseButtonOnlyHidesAndShowingAgainDrawsTheCounters)
{
    TfrmMemory Form;
    Form.MarkPlayed(MakeCard(12, 4));
    Form.grdMemory->Repaint();
    // The application reports its last window closed only from inside its event loop.
    bool LastWindowClosed = false;
    const auto Connection =
        QObject::connect(qApp, &QGuiApplication::lastWindowClosed, [&] { LastWindowClosed = true; });
    QTimer::singleShot(0, &Form, [&] {
        Form.show();
        EXPECT_TRUE(Form.close());
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    });
    QApplication::exec();
    QObject::disconnect(Connection);
    EXPECT_FALSE(LastWindowClosed);
    EXPECT_TRUE(Form.isHidden());
    EXPECT_EQ(Form.Played(4, 12), 1);

    // Counters changed while hidden show as soon as the window does.
    Form.MarkPlayed(MakeCard(3, 1));
    Form.show();
    EXPECT_EQ(CellPixel(Form, 12, 4, 9, 9), Black);
    EXPECT_EQ(CellPixel(Form, 3, 1, 9, 9), Black);
}

// The windows' pictures are read as each window is made, from the raw form the
// build makes of the bitmaps: it must hold their very pixels and be read in place.
TEST(WindowPictures, RawFormsHoldTheBitmapsPixelsAndAreReadInPlace)
{
    for (const char* Name : {"SUITS", "GlyphOk", "GlyphCancel", "GlyphClose"}) {
        for (const char* Density : {"", "@2x"}) {
            const QString Resource = QStringLiteral(":/%1%2").arg(QLatin1String(Name), QLatin1String(Density));
            SCOPED_TRACE(Resource.toStdString());
            const QImage Read = LoadResourcePicture(Resource);
            ASSERT_EQ(Read.format(), QImage::Format_RGB32);
            EXPECT_EQ(Read.constBits(), QResource(Resource).data() + 12);
            const QString Source = QStringLiteral(ZENTO_SOURCE_DIR "/resources/%1%2.bmp").arg(QLatin1String(Name), QLatin1String(Density));
            EXPECT_EQ(Read, QImage(Source).convertToFormat(QImage::Format_RGB32));
        }
    }
}

// A screen reader reads the grid as a table of the 52 cards: a row to a suit,
// a column to a rank, each cell telling whether its card has been played.
TEST(MemoryGrid, ReadsAsATableOfCardsPlayedOrNot)
{
    InstallTableAccess();
    TLanguage Languages(QStringLiteral("Languages"), nullptr);
    Languages.SetLanguageFile(DataFile(QStringLiteral("english.lng")));
    TfrmMemory Form;
    Form.Languages = &Languages;
    Form.MarkPlayed(MakeCard(7, Hearts));
    QAccessibleInterface* Grid = QAccessible::queryAccessibleInterface(Form.grdMemory);
    ASSERT_NE(Grid, nullptr);
    EXPECT_EQ(Grid->role(), QAccessible::Table);
    EXPECT_EQ(Grid->text(QAccessible::Name), QStringLiteral("cards played"));
    QAccessibleTableInterface* Table = Grid->tableInterface();
    ASSERT_NE(Table, nullptr);
    EXPECT_EQ(Table->rowCount(), 4);
    EXPECT_EQ(Table->columnCount(), 13);
    EXPECT_EQ(Grid->childCount(), 52);
    EXPECT_EQ(Table->rowDescription(2), QStringLiteral("hearts"));
    EXPECT_EQ(Table->columnDescription(10), QStringLiteral("jack"));
    struct TCase { int Row, Column; const char* Name; bool Played; };
    const TCase Cases[] = {{2, 6, "seven of hearts, played", true}, {2, 5, "six of hearts, not played", false},
                           {0, 0, "ace of clubs, not played", false}, {3, 12, "king of spades, not played", false}};
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        QAccessibleInterface* Cell = Table->cellAt(Case.Row, Case.Column);
        ASSERT_NE(Cell, nullptr);
        EXPECT_EQ(Cell->role(), QAccessible::Cell);
        EXPECT_EQ(Cell->text(QAccessible::Name), QString::fromLatin1(Case.Name));
        EXPECT_EQ(Cell->text(QAccessible::Description), QString()) << "the state is said once, in the name";
        EXPECT_EQ(Cell->state().checked, Case.Played);
        EXPECT_EQ(Cell->tableCellInterface()->rowIndex(), Case.Row);
        EXPECT_EQ(Cell->tableCellInterface()->columnIndex(), Case.Column);
        const QRect Rect(Form.grdMemory->mapToGlobal(Form.grdMemory->CellRect(Case.Column + 1, Case.Row + 1).topLeft()),
                         QSize(18, 18));
        EXPECT_EQ(Cell->rect(), Rect);
        EXPECT_EQ(Grid->childAt(Rect.center().x(), Rect.center().y()), Cell);
    }
    Form.ResetMemory();
    EXPECT_EQ(Table->cellAt(2, 6)->text(QAccessible::Name), QStringLiteral("seven of hearts, not played"));
    Languages.SetLanguageFile(DataFile(QStringLiteral("greek.lng")));
    EXPECT_EQ(Table->cellAt(2, 6)->text(QAccessible::Name), QStringLiteral("επτά κούπα, δεν παίχτηκε"));
}

namespace {

// What the program told assistive technology, in order: the event and the object it names.
struct TTold
{
    QAccessible::Event Kind;
    QAccessibleInterface* Object;
};
std::vector<TTold> Told;

void Record(QAccessibleEvent* Event)
{
    Told.push_back({Event->type(), Event->accessibleInterface()});
}

// Listens as a screen reader would, for the length of a test. Qt tells
// only where its bridge to assistive technology is on, which the offscreen
// platform has not: these tests run on X11 with the bridge held on
// (ctest -R ListenedWindows).
class TListening
{
public:
    TListening()
    {
        Told.clear();
        FOld = QAccessible::installUpdateHandler(Record);
    }
    ~TListening()
    {
        QAccessible::installUpdateHandler(FOld);
        Told.clear();
    }

private:
    QAccessible::UpdateHandler FOld;
};

// Qt's bridge comes on once it has found the accessibility bus.
bool BridgeIsOn()
{
    QElapsedTimer Waited;
    Waited.start();
    while (!QAccessible::isActive() && Waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return QAccessible::isActive();
}

std::vector<QAccessibleInterface*> ToldOf(QAccessible::Event Kind)
{
    std::vector<QAccessibleInterface*> Objects;
    for (const TTold& Event : Told)
        if (Event.Kind == Kind)
            Objects.push_back(Event.Object);
    return Objects;
}

} // namespace

// The aid in English, with Qt's accessibility bridge on and its events recorded.
class ListenedAid : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!BridgeIsOn())
            GTEST_SKIP() << "Qt tells nothing here; the test runs in ListenedWindows";
        InstallTableAccess();
        Languages.SetLanguageFile(DataFile(QStringLiteral("english.lng")));
        // Made once the table's interfaces are installed, as in the program.
        Aid = std::make_unique<TfrmMemory>();
        Aid->Languages = &Languages;
    }

    TListening Listening;
    TLanguage Languages{QStringLiteral("Languages"), nullptr};
    std::unique_ptr<TfrmMemory> Aid;
};

// A screen reader hears a new object take the focus at each arrow key: the
// card the key moved to, named with whether it was played.
TEST_F(ListenedAid, TellsEachArrowKeyAsTheFocusMovingFromCardToCard)
{
    Aid->MarkPlayed(MakeCard(2, Clubs));
    Aid->show();
    EXPECT_EQ(Aid->grdMemory->focusPolicy(), Qt::TabFocus) << "the grid takes the keyboard with its window";
    QApplication::setActiveWindow(Aid.get());
    Aid->grdMemory->setFocus();
    ASSERT_TRUE(Aid->grdMemory->hasFocus());
    QAccessibleTableInterface* Table = QAccessible::queryAccessibleInterface(Aid->grdMemory)->tableInterface();
    struct TCase { int Key; Qt::KeyboardModifiers Modifiers; int Row, Column; const char* Name; };
    const TCase Cases[] = {{Qt::Key_Right, Qt::NoModifier, 0, 1, "two of clubs, played"},
                           {Qt::Key_Down, Qt::NoModifier, 1, 1, "two of diamonds, not played"},
                           {Qt::Key_End, Qt::NoModifier, 1, 12, "king of diamonds, not played"},
                           {Qt::Key_Right, Qt::NoModifier, 1, 12, nullptr},
                           {Qt::Key_PageDown, Qt::NoModifier, 3, 12, "king of spades, not played"},
                           {Qt::Key_Home, Qt::ControlModifier, 0, 0, "ace of clubs, not played"},
                           {Qt::Key_Up, Qt::NoModifier, 0, 0, nullptr},
                           {Qt::Key_Left, Qt::NoModifier, 0, 0, nullptr}};
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(testing::Message() << "key " << Case.Key << " to " << Case.Row << ", " << Case.Column);
        Told.clear();
        QKeyEvent Press(QEvent::KeyPress, Case.Key, Case.Modifiers);
        QApplication::sendEvent(Aid->grdMemory, &Press);
        EXPECT_EQ(Aid->grdMemory->Row(), Case.Row + 1);
        EXPECT_EQ(Aid->grdMemory->Col(), Case.Column + 1);
        QAccessibleInterface* Cell = Table->cellAt(Case.Row, Case.Column);
        EXPECT_TRUE(Cell->state().focused);
        const std::vector<QAccessibleInterface*> Focused = ToldOf(QAccessible::Focus);
        if (!Case.Name) {
            EXPECT_TRUE(Focused.empty()) << "a key past the edge moves nothing";
            continue;
        }
        ASSERT_EQ(Focused.size(), 1u);
        EXPECT_EQ(Focused[0], Cell);
        EXPECT_EQ(Focused[0]->text(QAccessible::Name), QString::fromLatin1(Case.Name));
    }
    EXPECT_FALSE(Table->cellAt(1, 1)->state().focused) << "only the current card has the focus";
}

// The grid taking the keyboard is told as its current card taking it, after
// Qt has told of the grid itself, so that the card is what a client keeps.
TEST_F(ListenedAid, TellsTheCurrentCardLastWhenTheGridTakesTheKeyboard)
{
    Aid->show();
    QApplication::setActiveWindow(Aid.get());
    Aid->grdMemory->setFocus();
    QCoreApplication::processEvents();
    const std::vector<QAccessibleInterface*> Focused = ToldOf(QAccessible::Focus);
    ASSERT_FALSE(Focused.empty());
    EXPECT_EQ(Focused.back()->text(QAccessible::Name), QStringLiteral("ace of clubs, not played"));
}

// A client keeps the names it has read until it is told they changed: a
// card marked played, and every card when the language changes.
TEST_F(ListenedAid, TellsTheCardsWhoseNamesChanged)
{
    QAccessibleTableInterface* Table = QAccessible::queryAccessibleInterface(Aid->grdMemory)->tableInterface();
    QAccessibleInterface* Nine = Table->cellAt(1, 8);
    Told.clear();
    const TCard Card = MakeCard(9, Diamonds);
    Aid->MarkPlayed(Card);
    TellMarked(*Aid, &Card);
    EXPECT_EQ(ToldOf(QAccessible::NameChanged), std::vector<QAccessibleInterface*>{Nine});
    EXPECT_EQ(Nine->text(QAccessible::Name), QStringLiteral("nine of diamonds, played"));

    Told.clear();
    Languages.SetLanguageFile(DataFile(QStringLiteral("greek.lng")));
    Aid->SetCaption(QStringLiteral("Μνήμη ") + QStringLiteral("2"));
    const std::vector<QAccessibleInterface*> Renamed = ToldOf(QAccessible::NameChanged);
    std::set<QAccessibleInterface*> Cells;
    for (QAccessibleInterface* Object : Renamed)
        if (Object && Object->role() == QAccessible::Cell)
            Cells.insert(Object);
    EXPECT_EQ(Cells.size(), 52u) << "every card is told";
    EXPECT_NE(std::find(Renamed.begin(), Renamed.end(), QAccessible::queryAccessibleInterface(Aid->grdMemory)),
              Renamed.end()) << "and the grid";
    EXPECT_EQ(Nine->text(QAccessible::Name), QStringLiteral("εννιά καρό, παίχτηκε"));
}
