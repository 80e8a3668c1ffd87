// Every question an assistive technology can put to the windows, with good
// arguments and bad, as Qt's bridge to the desktop's accessibility bus puts
// them for a client: no answer may be fatal, and each must be sound or empty.
// The bridge takes some answers without checking them (the table of an
// object that is a cell, the cell at any row and column a client names), so
// the sweep fails where the bridge would read through nothing.
#include "forms/Main.h"
#include "forms/Memory.h"
#include "forms/SetScore.h"
#include "platform/Components.h"
#include "platform/Delay.h"
#include "platform/DrawGrid.h"
#include "platform/Placement.h"
#include "platform/TestSeams.h"
#include "tests/support/Support.h"
#include "tests/support/TableWindows.h"

#include <QAccessible>
#include <QApplication>
#include <QSettings>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

namespace {

// Numbers a client may send for a row, a column, an index or an offset.
std::vector<int> Numbers(int Count)
{
    return {INT_MIN, -3, -1, 0, 1, Count - 1, Count, Count + 1, 4, 13, 52, INT_MAX};
}

// A second number for a range, far from the first.
int Opposite(int Number)
{
    return Number == INT_MIN ? INT_MAX : -Number;
}

const QAccessible::Text TextKinds[] = {QAccessible::Name,        QAccessible::Description, QAccessible::Value,
                                       QAccessible::Help,        QAccessible::Accelerator, QAccessible::DebugDescription,
                                       QAccessible::UserText};

const QAccessible::TextBoundaryType Boundaries[] = {QAccessible::CharBoundary,     QAccessible::WordBoundary,
                                                    QAccessible::SentenceBoundary, QAccessible::ParagraphBoundary,
                                                    QAccessible::LineBoundary,     QAccessible::NoBoundary};

class TSweep
{
public:
    // The objects met so far, each asked once.
    int Asked() const { return int(FSeen.size()); }
    // The numbers of those that stand for no widget or other object of their own.
    const std::vector<QAccessible::Id>& Parts() const { return FParts; }

    void Walk(QAccessibleInterface* Object, const std::string& Path)
    {
        if (!Object || !FSeen.insert(Object).second)
            return;
        if (!Object->object())
            FParts.push_back(QAccessible::uniqueId(Object));
        SCOPED_TRACE(Path);
        AskAccessible(Object);
        AskComponent(Object);
        AskAction(Object);
        AskText(Object);
        AskEditableText(Object);
        AskValue(Object);
        AskTable(Object);
        AskTableCell(Object);
        AskImage(Object);
        for (int I = 0; I < Object->childCount(); ++I) {
            QAccessibleInterface* Child = Object->child(I);
            Walk(Child, Path + " > " + Describe(Child, I));
        }
    }

    static std::string Describe(QAccessibleInterface* Object, int Index)
    {
        if (!Object)
            return "no object at " + std::to_string(Index);
        return std::to_string(Index) + " role " + std::to_string(int(Object->role())) + " '" +
               Object->text(QAccessible::Name).toStdString() + "'";
    }

private:
    static void AskAccessible(QAccessibleInterface* Object)
    {
        EXPECT_TRUE(Object->isValid());
        for (const QAccessible::Text Kind : TextKinds)
            Object->text(Kind);
        Object->role();
        Object->state();
        Object->rect();
        Object->window();
        Object->object();
        Object->relations();
        Object->focusChild();
        const int Count = Object->childCount();
        EXPECT_GE(Count, 0);
        // The bridge answers a negative index itself; Qt's own menu bar would not.
        for (const int Index : Numbers(Count)) {
            if (Index < 0)
                continue;
            QAccessibleInterface* Child = Object->child(Index);
            if (Index >= Count) {
                EXPECT_EQ(Child, nullptr) << "child " << Index << " of " << Count;
                continue;
            }
            ASSERT_NE(Child, nullptr) << "child " << Index << " of " << Count;
            EXPECT_EQ(Object->indexOfChild(Child), Index);
            EXPECT_EQ(Child->parent(), Object) << "child " << Index;
        }
        EXPECT_EQ(Object->indexOfChild(Object), -1);
        // The application lists the windows on the screen only.
        QAccessibleInterface* Parent = Object->parent();
        if (Parent && Parent->role() != QAccessible::Application)
            EXPECT_GE(Parent->indexOfChild(Object), 0) << "the object is among its parent's children";
    }

    // The bridge descends from child to child at a point until none is left.
    static void AskComponent(QAccessibleInterface* Object)
    {
        const QRect Rect = Object->rect();
        const QPoint Points[] = {Rect.center(), Rect.topLeft(), QPoint(-1, -1), QPoint(INT_MIN, INT_MIN),
                                 QPoint(INT_MAX, INT_MAX)};
        for (const QPoint& Point : Points) {
            QAccessibleInterface* At = Object->childAt(Point.x(), Point.y());
            for (int Depth = 0; At && Depth < 64; ++Depth) {
                QAccessibleInterface* Deeper = At->childAt(Point.x(), Point.y());
                ASSERT_NE(Deeper, At) << "an object that holds the point in itself";
                At = Deeper;
            }
            EXPECT_EQ(At, nullptr) << "the descent at a point ends";
        }
    }

    // Actions are asked about, not taken: taking one is a command, the same
    // the user could give with the mouse.
    static void AskAction(QAccessibleInterface* Object)
    {
        QAccessibleActionInterface* Actions = Object->actionInterface();
        if (!Actions)
            return;
        QStringList Names = Actions->actionNames();
        Names << QString() << QStringLiteral("no such action");
        for (const QString& Name : Names) {
            Actions->localizedActionName(Name);
            Actions->localizedActionDescription(Name);
            Actions->keyBindingsForAction(Name);
        }
        Actions->doAction(QStringLiteral("no such action"));
    }

    static void AskText(QAccessibleInterface* Object)
    {
        QAccessibleTextInterface* Text = Object->textInterface();
        if (!Text)
            return;
        const int Count = Text->characterCount();
        EXPECT_GE(Count, 0);
        EXPECT_EQ(Text->text(0, Count).size(), Count);
        Text->cursorPosition();
        Text->selectionCount();
        const std::vector<int> Offsets = Numbers(Count);
        for (const int Start : Offsets) {
            for (const int End : Offsets)
                EXPECT_LE(Text->text(Start, End).size(), Count) << Start << " to " << End;
            int From = 0, To = 0;
            Text->selection(Start, &From, &To);
            Text->attributes(Start, &From, &To);
            Text->characterRect(Start);
            for (const QAccessible::TextBoundaryType Boundary : Boundaries) {
                Text->textAtOffset(Start, Boundary, &From, &To);
                Text->textBeforeOffset(Start, Boundary, &From, &To);
                Text->textAfterOffset(Start, Boundary, &From, &To);
            }
        }
        Text->offsetAtPoint(Object->rect().center());
        Text->offsetAtPoint(QPoint(INT_MIN, INT_MAX));
        for (const int Offset : Offsets) {
            Text->setSelection(Offset, Offset, Opposite(Offset));
            Text->addSelection(Offset, Count);
            Text->removeSelection(Offset);
            Text->setCursorPosition(Offset);
            Text->scrollToSubstring(Offset, Opposite(Offset));
        }
    }

    // Without an editable text, the bridge writes an object's value back as a whole.
    static void AskEditableText(QAccessibleInterface* Object)
    {
        QAccessibleEditableTextInterface* Editable = Object->editableTextInterface();
        if (!Editable) {
            Object->setText(QAccessible::Value, Object->text(QAccessible::Value));
            return;
        }
        for (const int Offset : Numbers(0)) {
            Editable->insertText(Offset, QString());
            Editable->deleteText(Offset, Offset);
            Editable->replaceText(Offset, Offset, QString());
        }
    }

    static void AskValue(QAccessibleInterface* Object)
    {
        QAccessibleValueInterface* Value = Object->valueInterface();
        if (!Value)
            return;
        const QVariant Current = Value->currentValue();
        Value->maximumValue();
        Value->minimumValue();
        Value->minimumStepSize();
        for (const QVariant& Bad : {QVariant(), QVariant(QStringLiteral("x")), QVariant(1e300), QVariant(-1e300)})
            Value->setCurrentValue(Bad);
        Value->setCurrentValue(Current);
    }

    // The bridge puts a table's questions to any object that is a table or a
    // cell, and reads the cell at a row and column without checking it.
    static void AskTable(QAccessibleInterface* Object)
    {
        if (!Object->tableInterface() && !Object->tableCellInterface())
            return;
        QAccessibleTableInterface* Table = Object->tableInterface();
        ASSERT_NE(Table, nullptr) << "a cell that answers no table question";
        Table->caption();
        Table->summary();
        const int Rows = Table->rowCount();
        const int Columns = Table->columnCount();
        EXPECT_GE(Rows, 0);
        EXPECT_GE(Columns, 0);
        Table->selectedCellCount();
        Table->selectedCells();
        Table->selectedColumnCount();
        Table->selectedRowCount();
        Table->selectedColumns();
        Table->selectedRows();
        for (const int Row : Numbers(Rows)) {
            Table->rowDescription(Row);
            Table->isRowSelected(Row);
            for (const int Column : Numbers(Columns))
                AskCellAt(Object, Table, Row, Column);
        }
        for (const int Column : Numbers(Columns)) {
            Table->columnDescription(Column);
            Table->isColumnSelected(Column);
        }
        for (const int Index : Numbers(Rows * Columns)) {
            if (Columns > 0)
                AskCellAt(Object, Table, Index / Columns, Index % Columns);
            QAccessibleInterface* Child = Index >= 0 ? Object->child(Index) : nullptr;
            if (Child && Child->role() != QAccessible::ColumnHeader && Child->role() != QAccessible::RowHeader) {
                ASSERT_NE(Child->tableCellInterface(), nullptr) << "child " << Index << " of a table is no cell";
                Child->tableCellInterface()->rowIndex();
                Child->tableCellInterface()->columnIndex();
            }
        }
    }

    static void AskCellAt(QAccessibleInterface* Object, QAccessibleTableInterface* Table, int Row, int Column)
    {
        SCOPED_TRACE(testing::Message() << "cell at row " << Row << ", column " << Column);
        QAccessibleInterface* Cell = Table->cellAt(Row, Column);
        ASSERT_NE(Cell, nullptr);
        QAccessibleTableCellInterface* Place = Cell->tableCellInterface();
        ASSERT_NE(Place, nullptr);
        const bool Inside = Row >= 0 && Row < Table->rowCount() && Column >= 0 && Column < Table->columnCount();
        EXPECT_EQ(Place->rowExtent() > 0, Inside);
        EXPECT_EQ(Place->columnExtent() > 0, Inside);
        EXPECT_EQ(Cell->isValid(), Inside);
        if (Inside) {
            EXPECT_EQ(Place->rowIndex(), Row);
            EXPECT_EQ(Place->columnIndex(), Column);
        }
        Place->isSelected();
        Place->rowHeaderCells();
        Place->columnHeaderCells();
        Object->indexOfChild(Cell);
    }

    static void AskTableCell(QAccessibleInterface* Object)
    {
        QAccessibleTableCellInterface* Cell = Object->tableCellInterface();
        if (!Cell)
            return;
        EXPECT_EQ(Cell->rowExtent(), 1);
        EXPECT_EQ(Cell->columnExtent(), 1);
        Cell->isSelected();
        Cell->rowHeaderCells();
        Cell->columnHeaderCells();
        QAccessibleInterface* Table = Cell->table();
        ASSERT_NE(Table, nullptr);
        ASSERT_NE(Table->tableInterface(), nullptr);
        EXPECT_EQ(Table->tableInterface()->cellAt(Cell->rowIndex(), Cell->columnIndex()), Object);
    }

    static void AskImage(QAccessibleInterface* Object)
    {
        if (QAccessibleImageInterface* Image = Object->imageInterface()) {
            Image->imageDescription();
            Image->imageSize();
            Image->imagePosition();
        }
    }

    std::set<QAccessibleInterface*> FSeen;
    std::vector<QAccessible::Id> FParts;
};

class AccessSweep : public TableWindowsFixture
{
protected:
    void SetUp() override
    {
        SetMessageBoxHandler([](const QString&) {});
        // Events go to this handler instead of a bridge; the program tells
        // them as it would to a screen reader.
        FOldHandler = QAccessible::installUpdateHandler([](QAccessibleEvent*) {});
        QAccessible::setActive(true);
        MakeWindows();
        Memory->show();
        QCoreApplication::processEvents();
    }
    void TearDown() override
    {
        DestroyWindows();
        QAccessible::setActive(false);
        QAccessible::installUpdateHandler(FOldHandler);
    }

    // Both windows and all they hold.
    int SweepAll(std::vector<QAccessible::Id>* Parts = nullptr)
    {
        TSweep Sweep;
        for (QWidget* Window : std::initializer_list<QWidget*>{Main, Memory}) {
            QAccessibleInterface* Object = QAccessible::queryAccessibleInterface(Window);
            EXPECT_NE(Object, nullptr);
            Sweep.Walk(Object, Window->objectName().toStdString());
        }
        if (Parts)
            *Parts = Sweep.Parts();
        return Sweep.Asked();
    }

    QAccessible::UpdateHandler FOldHandler = nullptr;
};

} // namespace

TEST_F(AccessSweep, EveryObjectAnswersEveryQuestionBeforeTheFirstDeal)
{
    EXPECT_GT(SweepAll(), 52 + 8) << "the memory aid's cards and the table's parts are among them";
}

TEST_F(AccessSweep, EveryObjectAnswersEveryQuestionDuringAGameAndInGreek)
{
    Main->menuNewGameClick();
    PressKey(Main->TableArea(), Qt::Key_Right);
    PressKey(Main->TableArea(), Qt::Key_Return);
    PressKey(Main->TableArea(), Qt::Key_Right);
    SweepAll();
    Memory->activateWindow();
    Memory->grdMemory->setFocus();
    PressKey(Memory->grdMemory, Qt::Key_Down);
    Main->menuGreekClick();
    SweepAll();
    while (Main->Game().FPlayerHand.Count > 0) {
        PressKey(Main->TableArea(), Qt::Key_Left);
        PressKey(Main->TableArea(), Qt::Key_Return);
    }
    SweepAll();
}

// A screen reader finds a window's title, and the status line inside it,
// only in a frame.
TEST_F(AccessSweep, BothWindowsAreFramesNamedByTheirTitles)
{
    for (QWidget* Window : std::initializer_list<QWidget*>{Main, Memory}) {
        SCOPED_TRACE(Window->objectName().toStdString());
        QAccessibleInterface* Frame = QAccessible::queryAccessibleInterface(Window);
        ASSERT_NE(Frame, nullptr);
        EXPECT_EQ(Frame->role(), QAccessible::Window);
        EXPECT_EQ(Frame->text(QAccessible::Name), Window->windowTitle());
        EXPECT_FALSE(Window->windowTitle().isEmpty());
    }
}

// The table's parts and the grid's cells are no widgets: each goes with the
// window whose interface made it, and nothing is left to be asked for.
TEST_F(AccessSweep, EveryPartGoesWithItsWindow)
{
    Main->menuNewGameClick();
    std::vector<QAccessible::Id> Parts;
    SweepAll(&Parts);
    ASSERT_GE(Parts.size(), size_t(52 + 4 + 4)) << "the grid's cells, the table's parts and the cards held";
    delete SetScore;
    SetScore = nullptr;
    delete Memory;
    Memory = nullptr;
    delete Main;
    Main = nullptr;
    for (const QAccessible::Id Id : Parts)
        EXPECT_EQ(QAccessible::accessibleInterface(Id), nullptr) << "part " << Id;
}
