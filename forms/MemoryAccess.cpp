#include "forms/MemoryAccess.h"

#include "forms/Memory.h"
#include "forms/ScreenRect.h"
#include "forms/TableSpeech.h"
#include "lang/Lang.h"
#include "model/Card.h"
#include "platform/AccessibleParts.h"
#include "platform/DrawGrid.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

#include <array>

namespace {

constexpr int GridRows = 4;
constexpr int GridColumns = 13;
// The place a table answers for a row and column outside it.
constexpr int Outside = -1;

const TfrmMemory* MemoryOf(const QWidget* Grid)
{
    return Grid ? qobject_cast<const TfrmMemory*>(Grid->window()) : nullptr;
}

// One card of the memory aid's grid: which card, and whether it has been
// played. The name says both, as a screen reader's review reads names only.
// A cell at Outside stands for no card: Qt's bridge to the desktop's bus asks
// a table for the cell at any row and column a client names and reads that
// cell without checking that there is one, so the grid answers such a
// question with this empty cell, which covers nothing.
class TMemoryCell : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    TMemoryCell(QWidget* Grid, int Row, int Column) : FGrid(Grid), FRow(Row), FColumn(Column) {}

    bool isValid() const override { return MemoryOf(FGrid) != nullptr && FRow != Outside; }
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
        const TfrmMemory* Form = MemoryOf(FGrid);
        if (!isValid() || !Form->Languages)
            return QString();
        // The state is in the name alone: a screen reader speaks a
        // description after the name, and would say it twice.
        const QString State = SpeechText(*Form->Languages, Played() ? PlayedKey : NotPlayedKey);
        if (Kind == QAccessible::Name)
            return CardName(Suit(), Rank(), *Form->Languages) + QStringLiteral(", ") + State;
        if (Kind == QAccessible::Value)
            return State;
        return QString();
    }

    QRect rect() const override
    {
        const auto* Grid = qobject_cast<const TDrawGrid*>(FGrid.data());
        return Grid && isValid() ? GlobalRect(Grid, Grid->CellRect(Rank(), Suit())) : QRect();
    }

    QAccessible::State state() const override
    {
        QAccessible::State State;
        if (!isValid()) {
            State.invalid = true;
            return State;
        }
        State.readOnly = true;
        State.checkable = true;
        State.checked = Played();
        State.focusable = true;
        State.focused = IsCurrent() && FGrid->hasFocus();
        return State;
    }

    // A cell answers a table's questions for the table it lies in: Qt's
    // bridge puts them to any object that is a cell as well as to tables.
    void* interface_cast(QAccessible::InterfaceType Type) override
    {
        if (Type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (Type == QAccessible::TableInterface) {
            QAccessibleInterface* Table = table();
            return Table ? Table->interface_cast(Type) : nullptr;
        }
        return nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return FColumn; }
    int rowIndex() const override { return FRow; }
    int columnExtent() const override { return FRow == Outside ? 0 : 1; }
    int rowExtent() const override { return FRow == Outside ? 0 : 1; }
    QAccessibleInterface* table() const override { return QAccessible::queryAccessibleInterface(FGrid.data()); }

private:
    // Row r of the grid's data shows suit r + 1, column c rank c + 1.
    int Suit() const { return FRow + 1; }
    int Rank() const { return FColumn + 1; }
    bool Played() const { return MemoryOf(FGrid) && MemoryOf(FGrid)->Played(Suit(), Rank()) > 0; }
    bool IsCurrent() const
    {
        const auto* Grid = qobject_cast<const TDrawGrid*>(FGrid.data());
        return Grid && Grid->Row() == Suit() && Grid->Col() == Rank();
    }

    QPointer<QWidget> FGrid;
    int FRow;
    int FColumn;
};

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
        if (!Child || !FCells[0])
            return -1;
        for (int I = 0; I < childCount(); ++I)
            if (FCells[I] == Child)
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
    QAccessibleInterface* focusChild() const override
    {
        const auto* Grid = static_cast<const TDrawGrid*>(widget());
        return Grid->hasFocus() ? cellAt(Grid->Row() - 1, Grid->Col() - 1) : nullptr;
    }

    QString text(QAccessible::Text Kind) const override
    {
        const TLanguage* Languages = LanguagesOf();
        if (Kind == QAccessible::Name && Languages)
            return SpeechText(*Languages, GridKey);
        return QAccessibleWidget::text(Kind);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int Row, int Column) const override
    {
        if (Row < 0 || Row >= GridRows || Column < 0 || Column >= GridColumns)
            return NoCell();
        return Cells()[Row * GridColumns + Column];
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int Column) const override
    {
        const TLanguage* Languages = LanguagesOf();
        return Languages && Column >= 0 && Column < GridColumns ? SpeechText(*Languages, RankKeys[Column]) : QString();
    }
    QString rowDescription(int Row) const override
    {
        const TLanguage* Languages = LanguagesOf();
        return Languages && Row >= 0 && Row < GridRows ? SpeechText(*Languages, SuitKeys[Row]) : QString();
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
        const TfrmMemory* Form = MemoryOf(widget());
        return Form ? Form->Languages.data() : nullptr;
    }

    // Row by row, a row to a suit.
    const std::array<TMemoryCell*, GridRows * GridColumns>& Cells() const
    {
        if (!FCells[0])
            for (int Row = 0; Row < GridRows; ++Row)
                for (int Column = 0; Column < GridColumns; ++Column)
                    FCells[Row * GridColumns + Column] = FOwned.Keep(new TMemoryCell(widget(), Row, Column));
        return FCells;
    }

    TMemoryCell* NoCell() const
    {
        if (!FNoCell)
            FNoCell = FOwned.Keep(new TMemoryCell(widget(), Outside, Outside));
        return FNoCell;
    }

    mutable TAccessibleParts FOwned;
    mutable std::array<TMemoryCell*, GridRows * GridColumns> FCells{};
    mutable TMemoryCell* FNoCell = nullptr;
};

TMemoryGridAccessible* GridOf(const TfrmMemory& Memory)
{
    if (!QAccessible::isActive())
        return nullptr;
    return dynamic_cast<TMemoryGridAccessible*>(QAccessible::queryAccessibleInterface(Memory.grdMemory));
}

void Tell(QAccessibleInterface* Object, QAccessible::Event Kind)
{
    QAccessibleEvent Event(Object, Kind);
    QAccessible::updateAccessibility(&Event);
}

} // namespace

QAccessibleInterface* MakeMemoryGridInterface(QObject* Object)
{
    auto* Grid = qobject_cast<TDrawGrid*>(Object);
    if (Grid && qobject_cast<TfrmMemory*>(Grid->window()))
        return new TMemoryGridAccessible(Grid);
    return nullptr;
}

// A cell a client has read keeps its name and state there until it is told
// they changed.
void TellMarked(const TfrmMemory& Memory, const TCard* Card)
{
    const TMemoryGridAccessible* Grid = GridOf(Memory);
    if (!Grid)
        return;
    const QList<QAccessibleInterface*> Cells = Grid->MadeCells();
    for (int I = 0; I < Cells.size(); ++I) {
        const bool Changed = !Card || (I / GridColumns == Card->Suit - 1 && I % GridColumns == Card->Rank - 1);
        if (!Changed)
            continue;
        Tell(Cells[I], QAccessible::NameChanged);
        QAccessible::State Checked;
        Checked.checked = true;
        QAccessibleStateChangeEvent State(Cells[I], Checked);
        QAccessible::updateAccessibility(&State);
    }
}

void TellLanguage(const TfrmMemory& Memory)
{
    TMemoryGridAccessible* Grid = GridOf(Memory);
    if (!Grid)
        return;
    Tell(Grid, QAccessible::NameChanged);
    for (QAccessibleInterface* Cell : Grid->MadeCells())
        Tell(Cell, QAccessible::NameChanged);
}

// A screen reader speaks the object that takes the focus, and speaks it again
// only for a new object: each card is its own.
void TellCurrentCell(const TfrmMemory& Memory)
{
    const TMemoryGridAccessible* Grid = GridOf(Memory);
    if (!Grid || !Memory.grdMemory->hasFocus())
        return;
    if (QAccessibleInterface* Cell = Grid->focusChild())
        Tell(Cell, QAccessible::Focus);
}
