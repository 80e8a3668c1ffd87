#include "forms/TableAccess.h"

#include "forms/Main.h"
#include "forms/Memory.h"
#include "forms/TableArea.h"
#include "lang/Lang.h"
#include "model/Game.h"
#include "platform/DrawGrid.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

#include <array>

namespace {

const char* const RankKeys[13] = {"ace", "two", "three", "four", "five", "six", "seven",
                                  "eight", "nine", "ten", "jack", "queen", "king"};
const char* const SuitKeys[4] = {"clubs", "diamonds", "hearts", "spades"};

// The texts, each a message key that is also its English text.
constexpr const char* CardKey = "%1 of %2";
constexpr const char* TableKey = "table";
constexpr const char* TableHelpKey = "Left and Right choose a card, Enter or Space plays it, Escape chooses none";
constexpr const char* CpuHandKey = "cards in the computer's hand: %1";
constexpr const char* PileKey = "cards on the pile: %1, on top: %2";
constexpr const char* EmptyPileKey = "the pile is empty";
constexpr const char* NewsKey = "what happened";
constexpr const char* YouPlayedKey = "you played %1";
constexpr const char* CpuPlayedKey = "the computer played %1";
constexpr const char* YouTookKey = "you took the pile";
constexpr const char* CpuTookKey = "the computer took the pile";
constexpr const char* YouTookMarkKey = "you took the pile with a 10-point mark";
constexpr const char* CpuTookMarkKey = "the computer took the pile with a 10-point mark";
constexpr const char* DealKey = "new deal, your cards: %1";
constexpr const char* GameOverKey = "end of game, %1";
constexpr const char* GridKey = "cards played";
constexpr const char* PlayedKey = "played";
constexpr const char* NotPlayedKey = "not played";

const char* const TextKeys[] = {CardKey,      TableKey,     TableHelpKey,   CpuHandKey,  PileKey,
                                EmptyPileKey, NewsKey,      YouPlayedKey,   CpuPlayedKey, YouTookKey,
                                CpuTookKey,   YouTookMarkKey, CpuTookMarkKey, DealKey,   GameOverKey,
                                GridKey,      PlayedKey,    NotPlayedKey};

QString Text(const TLanguage& Languages, const char* Key)
{
    return Languages.LookupMessage(QString::fromLatin1(Key));
}

const TfrmMain* MainOf(const QWidget* Area)
{
    return Area ? qobject_cast<const TfrmMain*>(Area->window()) : nullptr;
}

QRect GlobalRect(const QWidget* Widget, const QRect& Local)
{
    return QRect(Widget->mapToGlobal(Local.topLeft()), Local.size());
}

QRect CardRect(const QWidget* Area, const TCard& Card)
{
    return GlobalRect(Area, QRect(Card.X, Card.Y, CardWidth, CardHeight));
}

// The parts of the table that are no widgets of their own. Each lives as long
// as the program, registered with Qt's accessibility so that events can name
// it; once the table is gone it answers as invalid. The hand has four places
// whether or not they hold a card, so the tree keeps its shape through a game
// and a client's cache needs only the names told anew; an empty place is
// invisible.
enum class TPart { Card, CpuHand, Pile, News };

class TTablePart : public QAccessibleInterface, public QAccessibleTextInterface
{
public:
    TTablePart(QWidget* Area, TPart Part, int Slot) : FArea(Area), FPart(Part), FSlot(Slot) {}

    bool isValid() const override { return MainOf(FArea) != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return FArea ? FArea->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(FArea.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text Kind) const override
    {
        if (!isValid())
            return QString();
        if (FPart == TPart::News)
            return Kind == QAccessible::Name ? FNews : Kind == QAccessible::Description ? Text(Languages(), NewsKey)
                                                                                        : QString();
        return Kind == QAccessible::Name ? Name() : QString();
    }

    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        const TGame& Game = MainOf(FArea)->Game();
        switch (FPart) {
        case TPart::Card: return Holds() ? CardRect(FArea, Game.FPlayerHand.Items[FSlot]) : QRect();
        case TPart::CpuHand: return HandRect(Game.FCpuHand);
        case TPart::Pile: return GlobalRect(FArea, MainOf(FArea)->PileArea());
        case TPart::News: break;
        }
        return QRect();
    }

    QAccessible::Role role() const override
    {
        switch (FPart) {
        case TPart::Card: return QAccessible::ListItem;
        case TPart::News: return QAccessible::Notification;
        default: return QAccessible::StaticText;
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State State;
        State.readOnly = true;
        if (!isValid()) {
            State.invalid = true;
            return State;
        }
        if (FPart == TPart::Card && !Holds())
            State.invisible = true;
        if (FPart == TPart::Card && Holds()) {
            State.selectable = true;
            State.focusable = true;
            State.selected = MainOf(FArea)->Game().FPlayerHand.Items[FSlot].Face == cfSelected;
            State.focused = State.selected && FArea->hasFocus();
        }
        if (FPart == TPart::News)
            State.invisible = true;
        return State;
    }

    // The news is text, so that its events carry the words themselves: a client
    // that asked for the name afterwards would wait for the turn to end and
    // then hear only its last news.
    void* interface_cast(QAccessible::InterfaceType Type) override
    {
        return Type == QAccessible::TextInterface && FPart == TPart::News ? static_cast<QAccessibleTextInterface*>(this)
                                                                          : nullptr;
    }
    void selection(int, int* Start, int* End) const override { *Start = *End = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int Start, int End) const override { return FNews.mid(Start, End - Start); }
    int characterCount() const override { return int(FNews.size()); }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* Start, int* End) const override
    {
        *Start = 0;
        *End = characterCount();
        return QString();
    }

    const QString& News() const { return FNews; }
    void SetNews(const QString& News) { FNews = News; }

private:
    bool Holds() const { return FSlot < MainOf(FArea)->Game().FPlayerHand.Count; }

    const TLanguage& Languages() const { return *MainOf(FArea)->Languages; }

    QString Name() const
    {
        const TGame& Game = MainOf(FArea)->Game();
        switch (FPart) {
        case TPart::Card: return Holds() ? CardName(Game.FPlayerHand.Items[FSlot], Languages()) : QString();
        case TPart::CpuHand: return Text(Languages(), CpuHandKey).arg(Game.FCpuHand.Count);
        case TPart::Pile: {
            if (!Game.FPile.Top)
                return Text(Languages(), EmptyPileKey);
            const QString Top = CardName(Game.FPile.Top->Item, Languages());
            return Text(Languages(), PileKey).arg(QString::number(Game.FPile.Count), Top);
        }
        case TPart::News: break;
        }
        return QString();
    }

    QRect HandRect(const THand& Hand) const
    {
        QRect Rect;
        for (int32_t I = 0; I < Hand.Count; ++I)
            Rect |= CardRect(FArea, Hand.Items[I]);
        return Rect;
    }

    QPointer<QWidget> FArea;
    TPart FPart;
    int FSlot;
    QString FNews;
};

// The table: the four places of the player's hand in hand order, the
// computer's hand, the pile, what happened last, then the status line.
class TTableAccessible : public QAccessibleWidget
{
public:
    // Qt makes the interface of every widget it shows, listened to or not;
    // the parts are made when a client first asks for them.
    explicit TTableAccessible(QWidget* Area) : QAccessibleWidget(Area, QAccessible::Pane) {}

    int childCount() const override { return Parts + QAccessibleWidget::childCount(); }

    QAccessibleInterface* child(int Index) const override
    {
        if (Index < 0)
            return nullptr;
        if (Index < Parts)
            return MadeParts()[Index];
        return QAccessibleWidget::child(Index - Parts);
    }

    int indexOfChild(const QAccessibleInterface* Child) const override
    {
        for (int I = 0; I < Parts; ++I)
            if (child(I) == Child)
                return I;
        const int Widget = QAccessibleWidget::indexOfChild(Child);
        return Widget < 0 ? -1 : Widget + Parts;
    }

    // No part overlaps another, nor the status line: the first that holds the point is the one.
    QAccessibleInterface* childAt(int X, int Y) const override
    {
        for (int I = 0; I < childCount(); ++I) {
            QAccessibleInterface* Child = child(I);
            if (Child && !Child->state().invisible && Child->rect().contains(X, Y))
                return Child;
        }
        return nullptr;
    }

    QAccessibleInterface* focusChild() const override
    {
        const int Selected = Main() ? SelectedIndex(Main()->Game()) : -1;
        return Selected >= 0 && widget()->hasFocus() ? Card(Selected) : nullptr;
    }

    QString text(QAccessible::Text Kind) const override
    {
        if (!Main())
            return QString();
        if (Kind == QAccessible::Name)
            return Text(*Main()->Languages, TableKey);
        if (Kind == QAccessible::Description || Kind == QAccessible::Help)
            return Text(*Main()->Languages, TableHelpKey);
        return QAccessibleWidget::text(Kind);
    }

    TTablePart* Card(int Slot) const { return Slot >= 0 && Slot < HandSize ? MadeParts()[Slot] : nullptr; }
    TTablePart* News() const { return MadeParts()[Parts - 1]; }
    // Every part whose name follows the game: the hand's places, the
    // computer's hand and the pile.
    QList<QAccessibleInterface*> Changing() const
    {
        return QList<QAccessibleInterface*>(MadeParts().begin(), MadeParts().end() - 1);
    }

private:
    static constexpr int Parts = HandSize + 3;

    // The hand's places in order, then the computer's hand, the pile and the news.
    const std::array<TTablePart*, Parts>& MadeParts() const
    {
        if (!FParts[0]) {
            for (int Slot = 0; Slot < HandSize; ++Slot)
                FParts[Slot] = new TTablePart(widget(), TPart::Card, Slot);
            FParts[HandSize] = new TTablePart(widget(), TPart::CpuHand, 0);
            FParts[HandSize + 1] = new TTablePart(widget(), TPart::Pile, 0);
            FParts[HandSize + 2] = new TTablePart(widget(), TPart::News, 0);
            for (TTablePart* Part : FParts)
                QAccessible::registerAccessibleInterface(Part);
        }
        return FParts;
    }
    const TfrmMain* Main() const { return MainOf(widget()); }

    mutable std::array<TTablePart*, Parts> FParts{};
};

// One card of the memory aid's grid: which card, and whether it has been played.
class TMemoryCell : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    TMemoryCell(QWidget* Grid, int Row, int Column) : FGrid(Grid), FRow(Row), FColumn(Column) {}

    bool isValid() const override { return Memory() != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return FGrid ? FGrid->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return table(); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::Cell; }

    QString text(QAccessible::Text Kind) const override
    {
        const TfrmMemory* Form = Memory();
        if (!Form || !Form->Languages)
            return QString();
        if (Kind == QAccessible::Name)
            return CardName(Suit(), Rank(), *Form->Languages);
        if (Kind == QAccessible::Description || Kind == QAccessible::Value)
            return Text(*Form->Languages, Played() ? PlayedKey : NotPlayedKey);
        return QString();
    }

    QRect rect() const override
    {
        const auto* Grid = qobject_cast<const TDrawGrid*>(FGrid.data());
        return Grid ? GlobalRect(Grid, Grid->CellRect(Rank(), Suit())) : QRect();
    }

    QAccessible::State state() const override
    {
        QAccessible::State State;
        State.readOnly = true;
        State.checkable = true;
        State.checked = Played();
        State.invalid = !isValid();
        return State;
    }

    void* interface_cast(QAccessible::InterfaceType Type) override
    {
        return Type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return FColumn; }
    int rowIndex() const override { return FRow; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return QAccessible::queryAccessibleInterface(FGrid.data()); }

private:
    // Row r of the grid's data shows suit r + 1, column c rank c + 1.
    int Suit() const { return FRow + 1; }
    int Rank() const { return FColumn + 1; }
    const TfrmMemory* Memory() const { return FGrid ? qobject_cast<const TfrmMemory*>(FGrid->window()) : nullptr; }
    bool Played() const { return Memory() && Memory()->Played(Suit(), Rank()) > 0; }

    QPointer<QWidget> FGrid;
    int FRow;
    int FColumn;
};

constexpr int GridRows = 4;
constexpr int GridColumns = 13;

// The memory aid's grid as a table of the 52 cards, a row to a suit and a
// column to a rank; its fixed row and column are the headers.
class TMemoryGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    // As with the table, the cells are made when a client first asks for them.
    explicit TMemoryGridAccessible(QWidget* Grid) : QAccessibleWidget(Grid, QAccessible::Table) {}

    void* interface_cast(QAccessible::InterfaceType Type) override
    {
        if (Type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(Type);
    }

    int childCount() const override { return GridRows * GridColumns; }
    QAccessibleInterface* child(int Index) const override
    {
        return Index >= 0 && Index < childCount() ? Cells()[Index] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* Child) const override
    {
        for (int I = 0; I < childCount(); ++I)
            if (Cells()[I] == Child)
                return I;
        return -1;
    }
    QAccessibleInterface* childAt(int X, int Y) const override
    {
        for (TMemoryCell* Cell : Cells())
            if (Cell->rect().contains(X, Y))
                return Cell;
        return nullptr;
    }

    QString text(QAccessible::Text Kind) const override
    {
        const TLanguage* Languages = LanguagesOf();
        if (Kind == QAccessible::Name && Languages)
            return Text(*Languages, GridKey);
        return QAccessibleWidget::text(Kind);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int Row, int Column) const override
    {
        if (Row < 0 || Row >= GridRows || Column < 0 || Column >= GridColumns)
            return nullptr;
        return Cells()[Row * GridColumns + Column];
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int Column) const override
    {
        const TLanguage* Languages = LanguagesOf();
        return Languages && Column >= 0 && Column < GridColumns ? Text(*Languages, RankKeys[Column]) : QString();
    }
    QString rowDescription(int Row) const override
    {
        const TLanguage* Languages = LanguagesOf();
        return Languages && Row >= 0 && Row < GridRows ? Text(*Languages, SuitKeys[Row]) : QString();
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return GridColumns; }
    int rowCount() const override { return GridRows; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    // The cells a client has been given; none before it first asks.
    QList<QAccessibleInterface*> MadeCells() const
    {
        return FCells[0] ? QList<QAccessibleInterface*>(FCells.begin(), FCells.end()) : QList<QAccessibleInterface*>();
    }

private:
    const TLanguage* LanguagesOf() const
    {
        const auto* Form = qobject_cast<const TfrmMemory*>(widget()->window());
        return Form ? Form->Languages.data() : nullptr;
    }

    // Row by row, a row to a suit.
    const std::array<TMemoryCell*, GridRows * GridColumns>& Cells() const
    {
        if (!FCells[0])
            for (int Row = 0; Row < GridRows; ++Row)
                for (int Column = 0; Column < GridColumns; ++Column) {
                    auto* Cell = new TMemoryCell(widget(), Row, Column);
                    QAccessible::registerAccessibleInterface(Cell);
                    FCells[Row * GridColumns + Column] = Cell;
                }
        return FCells;
    }

    mutable std::array<TMemoryCell*, GridRows * GridColumns> FCells{};
};

QAccessibleInterface* MakeInterface(const QString& ClassName, QObject* Object)
{
    Q_UNUSED(ClassName);
    if (auto* Area = dynamic_cast<TTableArea*>(Object))
        return new TTableAccessible(Area);
    auto* Grid = qobject_cast<TDrawGrid*>(Object);
    if (Grid && qobject_cast<TfrmMemory*>(Grid->window()))
        return new TMemoryGridAccessible(Grid);
    return nullptr;
}

TTableAccessible* TableOf(const TfrmMain& Main)
{
    return dynamic_cast<TTableAccessible*>(QAccessible::queryAccessibleInterface(Main.TableArea()));
}

void Tell(const TfrmMain& Main, const QString& News)
{
    TTableAccessible* Table = TableOf(Main);
    if (!Table)
        return;
    // A client keeps the names it has read until it is told they changed.
    for (QAccessibleInterface* Part : Table->Changing()) {
        QAccessibleEvent Changed(Part, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&Changed);
    }
    const QString Old = Table->News()->News();
    Table->News()->SetNews(News);
    QAccessibleEvent Named(Table->News(), QAccessible::NameChanged);
    QAccessible::updateAccessibility(&Named);
    QAccessibleTextUpdateEvent Told(Table->News(), 0, Old, News);
    QAccessible::updateAccessibility(&Told);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent Announcement(Main.TableArea(), News);
    QAccessible::updateAccessibility(&Announcement);
#endif
}

} // namespace

void InstallTableAccess()
{
    static bool Installed = false;
    if (Installed)
        return;
    Installed = true;
    QAccessible::installFactory(MakeInterface);
}

QString CardName(int Suit, int Rank, const TLanguage& Languages)
{
    if (Suit < 1 || Suit > 4 || Rank < 1 || Rank > 13)
        return QString();
    return Text(Languages, CardKey).arg(Text(Languages, RankKeys[Rank - 1]), Text(Languages, SuitKeys[Suit - 1]));
}

QString CardName(const TCard& Card, const TLanguage& Languages)
{
    return CardName(Card.Suit, Card.Rank, Languages);
}

QStringList SpeechKeys()
{
    QStringList Keys;
    for (const char* Key : RankKeys)
        Keys << QString::fromLatin1(Key);
    for (const char* Key : SuitKeys)
        Keys << QString::fromLatin1(Key);
    for (const char* Key : TextKeys)
        Keys << QString::fromLatin1(Key);
    return Keys;
}

void TellDeal(const TfrmMain& Main)
{
    if (!QAccessible::isActive())
        return;
    const THand& Hand = Main.Game().FPlayerHand;
    QStringList Cards;
    for (int32_t I = 0; I < Hand.Count; ++I)
        Cards << CardName(Hand.Items[I], *Main.Languages);
    Tell(Main, Text(*Main.Languages, DealKey).arg(Cards.join(QStringLiteral(", "))));
}

// The player's card leaves the hand before it is played, the computer's after:
// while the player's card is on its way the player holds one card fewer.
QString PlayedNews(const TGame& Game, const TCard& Card, const TLanguage& Languages)
{
    const bool ByPlayer = Game.FPlayerHand.Count < Game.FCpuHand.Count;
    return Text(Languages, ByPlayer ? YouPlayedKey : CpuPlayedKey).arg(CardName(Card, Languages));
}

// A lone capture marks the pile's top card, which the taking turns over to
// lie second on the taker's stack; no other card on the pile is ever marked.
QString TakenNews(const TGame& Game, const TLanguage& Languages)
{
    if (Game.FTurnsLeft == 0)
        return QString();
    const bool ByPlayer = Game.FPlayerHand.Count < Game.FCpuHand.Count;
    const TCardStack& Tricks = ByPlayer ? Game.FPlayerTricks : Game.FCpuTricks;
    const bool Marked = Tricks.Top && Tricks.Top->Next && Tricks.Top->Next->Item.Face == cfBack;
    const char* Key = ByPlayer ? (Marked ? YouTookMarkKey : YouTookKey) : (Marked ? CpuTookMarkKey : CpuTookKey);
    return Text(Languages, Key);
}

void TellCardPlayed(const TfrmMain& Main, const TCard& Card)
{
    if (QAccessible::isActive())
        Tell(Main, PlayedNews(Main.Game(), Card, *Main.Languages));
}

void TellPileTaken(const TfrmMain& Main)
{
    if (!QAccessible::isActive())
        return;
    const QString News = TakenNews(Main.Game(), *Main.Languages);
    if (!News.isEmpty())
        Tell(Main, News);
}

// A cell a client has read keeps its state there until it is told it changed.
void TellMarked(const TfrmMemory& Memory, const TCard* Card)
{
    if (!QAccessible::isActive())
        return;
    const auto* Grid = dynamic_cast<TMemoryGridAccessible*>(QAccessible::queryAccessibleInterface(Memory.grdMemory));
    if (!Grid)
        return;
    const QList<QAccessibleInterface*> Cells = Grid->MadeCells();
    for (int I = 0; I < Cells.size(); ++I) {
        const bool Changed = !Card || (I / GridColumns == Card->Suit - 1 && I % GridColumns == Card->Rank - 1);
        if (!Changed)
            continue;
        QAccessibleEvent Described(Cells[I], QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&Described);
        QAccessible::State Checked;
        Checked.checked = true;
        QAccessibleStateChangeEvent State(Cells[I], Checked);
        QAccessible::updateAccessibility(&State);
    }
}

void TellGameOver(const TfrmMain& Main)
{
    if (!QAccessible::isActive())
        return;
    Tell(Main, Text(*Main.Languages, GameOverKey).arg(Main.ScoreText()));
}

void TellSelection(const TfrmMain& Main, const TCard& Changed)
{
    if (!QAccessible::isActive())
        return;
    TTableAccessible* Table = TableOf(Main);
    if (!Table || !Main.TableArea()->hasFocus())
        return;
    const int Selected = SelectedIndex(Main.Game());
    if (Changed.Face == cfSelected && Selected >= 0) {
        QAccessibleEvent Focus(Table->Card(Selected), QAccessible::Focus);
        QAccessible::updateAccessibility(&Focus);
    } else if (Selected < 0) {
        QAccessibleEvent Focus(Main.TableArea(), QAccessible::Focus);
        QAccessible::updateAccessibility(&Focus);
    }
}
