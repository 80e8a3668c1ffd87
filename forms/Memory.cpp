#include "forms/Memory.h"

#include "forms/MemoryAccess.h"
#include "model/Card.h"
#include "platform/Canvas.h"
#include "platform/DrawGrid.h"
#include "platform/Gradient.h"
#include "platform/Placement.h"
#include "platform/ResourcePicture.h"
#include "platform/ServerPlace.h"
#include "platform/Styles.h"
#include "platform/SwayPlace.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWindow>
#include <QApplication>
#include <QColor>
#include <QEvent>
#include <QFont>
#include <QGuiApplication>
#include <QMetaObject>
#include <QSize>
#include <QString>
#include <QTimer>

#include <limits>

namespace {

constexpr int SuitCount = 4;
constexpr int RankCount = 13;
constexpr int SignSize = 16;
constexpr int CellSize = 18;
constexpr int TextMargin = 2;
constexpr QSize GridSize(266, 95);

bool InDeck(int Suit, int Rank)
{
    return Suit >= 1 && Suit <= SuitCount && Rank >= 1 && Rank <= RankCount;
}

QString RankHeader(int Rank)
{
    switch (Rank) {
    case 1: return QStringLiteral("A");
    case 11: return QStringLiteral("J");
    case 12: return QStringLiteral("Q");
    case 13: return QStringLiteral("K");
    default: return Rank >= 2 && Rank <= 10 ? QString::number(Rank) : QString();
    }
}

QColor SuitColor(int Suit)
{
    return IsRedSuit(Suit) ? QColor(255, 0, 0) : QColor(0, 0, 0);
}

} // namespace

TfrmMemory::TfrmMemory(QWidget* Parent) : TForm(QStringLiteral("frmMemory"), Parent, Qt::Tool)
{
    SetupForm();
    // A missing or unreadable picture leaves Suits empty; the AND transfer then leaves the cells plain.
    Suits = LoadResourcePicture(QStringLiteral(":/SUITS")).convertToFormat(QImage::Format_RGB32);
    SetupGrid();
    SetupKeys();
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &TfrmMemory::FocusWindowChanged);
    FormPlacement = new TFormPlacement(this, QStringLiteral("frmMemory"), TPlacementRole::OtherWindow);
}

void TfrmMemory::SetupForm()
{
    SetCaption(QStringLiteral("Μνήμη"));
    // A tool window stays above the program's own windows and goes down with
    // them, but never above other programs. Its title bar carries only the
    // close button, so the window draws it itself: window managers and the
    // frames Wayland clients draw add minimise and maximise whatever it asks.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setFixedSize(GridSize.width(), TGradient::StripHeight() + GridSize.height());
    Gradient = new TGradient(QStringLiteral("Gradient"), this, TTitleButtons::CloseOnly);
    Gradient->SetFormCaption(windowTitle());
    // The language files set the window's caption; its title bar shows it.
    connect(this, &QWidget::windowTitleChanged, Gradient, &TGradient::SetFormCaption);
    move(394, 131);
    setFont(WindowFont());
    // Closing only hides the window; the program must go on even when this is
    // the last window left on the screen.
    setAttribute(Qt::WA_QuitOnClose, false);
    // The table window keeps the keyboard when the program shows the aid; the
    // player moves to the aid on purpose. X11 window managers honour this;
    // Wayland compositors and weston's X window manager give the keys to the
    // window shown last whatever it asks, and the aid hands them on until the
    // player chooses it.
    setAttribute(Qt::WA_ShowWithoutActivating);
}

void TfrmMemory::showEvent(QShowEvent* Event)
{
    TForm::showEvent(Event);
    if (Event->spontaneous())
        return;
    FKeysToOwner = !WindowPositionsKnown();
    // Weston's X window manager would show the aid as a part of the table
    // window, never dragged on its own.
    if (!ServerPlacesAreShown())
        NameAsDialog(this);
    FActiveSinceShown = false;
    FOwnerActiveSince = false;
    if (QWindow* Handle = windowHandle())
        Handle->installEventFilter(this);
    emit VisibilityChanged();
}

void TfrmMemory::hideEvent(QHideEvent* Event)
{
    TForm::hideEvent(Event);
    if (!Event->spontaneous())
        emit VisibilityChanged();
}

// Sway centres the aid over the table each time it shows, over the pile;
// it is put beside the table once sway has it on the screen.
void TfrmMemory::PlaceBesideOwnerOnSway(int TriesLeft)
{
    QWidget* Owner = OwnerWidget();
    if (TriesLeft <= 0 || !isVisible() || Owner == nullptr || MoveBesideOnSway(this, Owner))
        return;
    QTimer::singleShot(SwayTryInterval, this, [this, TriesLeft] { PlaceBesideOwnerOnSway(TriesLeft - 1); });
}

QWidget* TfrmMemory::OwnerWidget() const
{
    const QWindow* OwnerWindow = windowHandle() ? windowHandle()->transientParent() : nullptr;
    for (QWidget* Window : QApplication::topLevelWidgets())
        if (Window->windowHandle() == OwnerWindow && OwnerWindow != nullptr)
            return Window;
    return nullptr;
}

// Once the table has had the keyboard after the aid was handed it, a return
// to the aid is the player's choice. A box or dialog in between is not: the
// desktop gives the keyboard back to the window that had it before.
void TfrmMemory::changeEvent(QEvent* Event)
{
    TForm::changeEvent(Event);
    if (Event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    if (FOwnerActiveSince)
        FKeysToOwner = false;
    FActiveSinceShown = true;
    FOwnerActiveSince = false;
}

void TfrmMemory::FocusWindowChanged(QWindow* Focus)
{
    const QWindow* Handle = windowHandle();
    if (FActiveSinceShown && Focus != nullptr && Handle != nullptr && Focus == Handle->transientParent())
        FOwnerActiveSince = true;
}

// The aid's window hands on the keys it was given only for being shown; Qt
// tells that the grid took the focus only after the grid has heard it, so the
// card is told after that, and it is what a screen reader keeps.
bool TfrmMemory::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == windowHandle() && Event->type() == QEvent::Show && OnSway())
        PlaceBesideOwnerOnSway(SwayTries);
    if (Watched == grdMemory && Event->type() == QEvent::FocusIn)
        QMetaObject::invokeMethod(this, [this] { TellCurrentCell(*this); }, Qt::QueuedConnection);
    if (Watched == windowHandle() && FKeysToOwner) {
        switch (Event->type()) {
        case QEvent::MouseButtonPress:
            FKeysToOwner = false;
            break;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            if (PassKeyToOwner(static_cast<QKeyEvent*>(Event)))
                return true;
            break;
        default:
            break;
        }
    }
    return TForm::eventFilter(Watched, Event);
}

bool TfrmMemory::PassKeyToOwner(QKeyEvent* Event)
{
    QWidget* Owner = OwnerWidget();
    if (Owner == nullptr || !Owner->isVisible() || !Owner->isEnabled())
        return false;
    // The owner's shortcuts answer only while the owner is the active window.
    if (Event->type() == QEvent::KeyPress) {
        const QKeySequence Pressed(Event->keyCombination());
        for (QAction* Action : Owner->actions())
            if (Action->isEnabled() && Action->shortcut() == Pressed) {
                if (!Event->isAutoRepeat())
                    Action->trigger();
                return true;
            }
    }
    QWidget* Target = Owner->focusWidget();
    // Before the owner was ever active nothing in it has the focus: the first
    // part that takes keys would.
    for (QWidget* Part = Owner->nextInFocusChain(); Target == nullptr && Part != Owner; Part = Part->nextInFocusChain())
        if (Part->isVisibleTo(Owner) && Part->isEnabled() && (Part->focusPolicy() & Qt::TabFocus))
            Target = Part;
    if (Target == nullptr)
        return false;
    QKeyEvent Copy(Event->type(), Event->key(), Event->modifiers(), Event->text(), Event->isAutoRepeat(),
                   ushort(Event->count()));
    QCoreApplication::sendEvent(Target, &Copy);
    return true;
}

void TfrmMemory::SetupGrid()
{
    grdMemory = new TDrawGrid(QStringLiteral("grdMemory"), this);
    grdMemory->SetColCount(RankCount + 1);
    grdMemory->SetRowCount(SuitCount + 1);
    grdMemory->SetFixedCols(1);
    grdMemory->SetFixedRows(1);
    grdMemory->SetDefaultColWidth(CellSize);
    grdMemory->SetDefaultRowHeight(CellSize);
    grdMemory->SetGridLineWidth(1);
    grdMemory->setGeometry(QRect(QPoint(0, TGradient::StripHeight()), GridSize));
    grdMemory->OnDrawCell = [this](int Col, int Row, const QRect& Rect, TCanvas& Canvas) {
        grdMemoryDrawCell(Col, Row, Rect, Canvas);
    };
    grdMemory->Repaint();
}

// The grid takes the keyboard whenever its window does, however the window
// was reached, and its arrow keys go from card to card; it still takes no
// clicks. Every translation pass sets the window's title from the language
// file, so a new title is a new language for the cards' names as well.
void TfrmMemory::SetupKeys()
{
    grdMemory->setFocusPolicy(Qt::TabFocus);
    grdMemory->OnSelectCell = [this](int, int) { TellCurrentCell(*this); };
    grdMemory->installEventFilter(this);
    connect(this, &QWidget::windowTitleChanged, this, [this] { TellLanguage(*this); });
}

void TfrmMemory::ResetMemory()
{
    for (auto& Suit : FPlayed)
        for (auto& Count : Suit)
            Count = 0;
}

void TfrmMemory::MarkPlayed(const TCard& Card)
{
    if (!InDeck(Card.Suit, Card.Rank))
        return;
    int32_t& Count = FPlayed[Card.Suit - 1][Card.Rank - 1];
    if (Count < std::numeric_limits<int32_t>::max())
        ++Count;
}

int32_t TfrmMemory::Played(int Suit, int Rank) const
{
    return InDeck(Suit, Rank) ? FPlayed[Suit - 1][Rank - 1] : 0;
}

void TfrmMemory::grdMemoryDrawCell(int Col, int Row, const QRect& Rect, TCanvas& Canvas)
{
    if (Row == 0) {
        Canvas.TextOut(Rect.left() + TextMargin, Rect.top() + TextMargin, RankHeader(Col));
        return;
    }
    if (Col == 0) {
        // White around a sign keeps the cell's colour; the sign's own colours show on it.
        // The signs are held at the grid's density, taken again when it changes.
        if (!Suits.isNull() && !qFuzzyCompare(Suits.devicePixelRatio(), Canvas.Ratio()))
            Suits = LoadResourceAtRatio(QStringLiteral(":/SUITS"), Canvas.Ratio());
        Canvas.BitBlt(Rect.left() + TextMargin, Rect.top() + TextMargin, SignSize, SignSize, Suits,
                      (Row - 1) * SignSize, 0, TRasterOp::And);
        return;
    }
    const QColor Fill = Played(Row, Col) != 0 ? SuitColor(Row) : QColor(255, 255, 255);
    Canvas.FillRect(Rect.adjusted(1, 1, -1, -1), Fill);
}
