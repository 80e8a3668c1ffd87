#include "platform/DrawGrid.h"

#include <QColor>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>

#include <algorithm>

namespace {

// Bounds that keep every cell position within an int.
constexpr int MaxCount = 10000;
constexpr int MaxCellSize = 10000;
constexpr int MaxLineWidth = 100;

const QColor LineColor(192, 192, 192);

// The colours are taken from the active group: the grid sits in a tool window
// that is inactive most of the time and should not change colour with it.
QColor PaletteColor(const QWidget& Widget, QPalette::ColorRole Role)
{
    return Widget.palette().color(QPalette::Active, Role);
}

// How many of Count cells of Step pixels start inside Length pixels.
int CellsShown(int Count, int Step, int Length)
{
    if (Step <= 0 || Length <= 0)
        return 0;
    return std::min(Count, (Length + Step - 1) / Step);
}

} // namespace

TDrawGrid::TDrawGrid(const QString& Name, QWidget* Parent) : QWidget(Parent)
{
    setObjectName(Name);
    // The grid only shows; clicks go to the window below and it never takes the focus.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    // The surface covers every pixel, so Qt need not clear the widget first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TDrawGrid::SetColCount(int Value)
{
    FColCount = std::clamp(Value, 0, MaxCount);
    FFixedCols = std::min(FFixedCols, FColCount);
    LayoutChanged();
}

void TDrawGrid::SetRowCount(int Value)
{
    FRowCount = std::clamp(Value, 0, MaxCount);
    FFixedRows = std::min(FFixedRows, FRowCount);
    LayoutChanged();
}

void TDrawGrid::SetFixedCols(int Value)
{
    FFixedCols = std::clamp(Value, 0, FColCount);
    LayoutChanged();
}

void TDrawGrid::SetFixedRows(int Value)
{
    FFixedRows = std::clamp(Value, 0, FRowCount);
    LayoutChanged();
}

void TDrawGrid::SetDefaultColWidth(int Value)
{
    FDefaultColWidth = std::clamp(Value, 0, MaxCellSize);
    LayoutChanged();
}

void TDrawGrid::SetDefaultRowHeight(int Value)
{
    FDefaultRowHeight = std::clamp(Value, 0, MaxCellSize);
    LayoutChanged();
}

void TDrawGrid::SetGridLineWidth(int Value)
{
    FGridLineWidth = std::clamp(Value, 0, MaxLineWidth);
    LayoutChanged();
}

QRect TDrawGrid::CellRect(int Col, int Row) const
{
    if (Col < 0 || Col >= FColCount || Row < 0 || Row >= FRowCount)
        return {};
    return QRect(Col * (FDefaultColWidth + FGridLineWidth), Row * (FDefaultRowHeight + FGridLineWidth),
                 FDefaultColWidth, FDefaultRowHeight);
}

QSize TDrawGrid::GridExtent() const
{
    return QSize(FColCount * (FDefaultColWidth + FGridLineWidth), FRowCount * (FDefaultRowHeight + FGridLineWidth));
}

// Setting up a grid changes its layout many times over and the owner's data
// may change many times while it is out of sight: the cells are drawn only for
// a grid on the screen or when asked for.
void TDrawGrid::Repaint()
{
    FCellsStale = true;
    if (!isVisible())
        return;
    DrawCells();
    repaint();
}

const QImage& TDrawGrid::Surface()
{
    // A screen of another density gets its cells drawn again at its own resolution.
    if (FCellsStale || !qFuzzyCompare(FSurface.devicePixelRatio(), devicePixelRatioF()))
        DrawCells();
    return FSurface;
}

void TDrawGrid::paintEvent(QPaintEvent* Event)
{
    const QImage& Cells = Surface();
    QPainter Painter(this);
    Painter.setClipRect(Event->rect());
    Painter.drawImage(QPoint(0, 0), Cells);
}

void TDrawGrid::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    FCellsStale = true;
}

// The cells are drawn from the owner's current data whenever the grid comes
// into view, so hiding and showing never brings back an old picture.
void TDrawGrid::showEvent(QShowEvent* Event)
{
    QWidget::showEvent(Event);
    FCellsStale = true;
}

void TDrawGrid::SetCurrentCell(int Col, int Row)
{
    const int OldCol = FCol;
    const int OldRow = FRow;
    FCol = Col;
    FRow = Row;
    KeepCurrentCell();
    if (FCol == OldCol && FRow == OldRow)
        return;
    // Only a grid with the keyboard shows where its current cell is.
    if (hasFocus()) {
        FCellsStale = true;
        update();
    }
    if (OnSelectCell)
        OnSelectCell(FCol, FRow);
}

// The keys move as in a table: the arrows by one cell, Home and End to the
// ends of the row, Page Up and Page Down to the ends of the column, and with
// Ctrl, Home and End to the first and last cell. A move past an edge stays.
void TDrawGrid::keyPressEvent(QKeyEvent* Event)
{
    const Qt::KeyboardModifiers Modifiers = Event->modifiers() & ~Qt::KeypadModifier;
    const bool Ctrl = Modifiers == Qt::ControlModifier;
    if ((Modifiers != Qt::NoModifier && !Ctrl) || FCol < 0) {
        QWidget::keyPressEvent(Event);
        return;
    }
    const int Last = MaxCount;
    int Col = FCol;
    int Row = FRow;
    switch (Event->key()) {
    case Qt::Key_Left: --Col; break;
    case Qt::Key_Right: ++Col; break;
    case Qt::Key_Up: --Row; break;
    case Qt::Key_Down: ++Row; break;
    case Qt::Key_Home: Col = 0; Row = Ctrl ? 0 : Row; break;
    case Qt::Key_End: Col = Last; Row = Ctrl ? Last : Row; break;
    case Qt::Key_PageUp: Row = 0; break;
    case Qt::Key_PageDown: Row = Last; break;
    default: QWidget::keyPressEvent(Event); return;
    }
    if (Ctrl && Event->key() != Qt::Key_Home && Event->key() != Qt::Key_End) {
        QWidget::keyPressEvent(Event);
        return;
    }
    SetCurrentCell(Col, Row);
}

void TDrawGrid::focusInEvent(QFocusEvent* Event)
{
    QWidget::focusInEvent(Event);
    FCellsStale = true;
    update();
}

void TDrawGrid::focusOutEvent(QFocusEvent* Event)
{
    QWidget::focusOutEvent(Event);
    FCellsStale = true;
    update();
}

void TDrawGrid::KeepCurrentCell()
{
    if (FFixedCols >= FColCount || FFixedRows >= FRowCount) {
        FCol = FRow = -1;
        return;
    }
    FCol = std::clamp(FCol, FFixedCols, FColCount - 1);
    FRow = std::clamp(FRow, FFixedRows, FRowCount - 1);
}

void TDrawGrid::LayoutChanged()
{
    KeepCurrentCell();
    updateGeometry();
    FCellsStale = true;
    update();
}

void TDrawGrid::DrawCells()
{
    FCellsStale = false;
    // A hidden widget gets its resize event only when shown, but the surface
    // must have the widget's size as soon as anything is drawn.
    const double Ratio = devicePixelRatioF();
    if (FSurface.deviceIndependentSize() != QSizeF(size()) || !qFuzzyCompare(FSurface.devicePixelRatio(), Ratio))
        FSurface = size().isEmpty() ? QImage() : CreateSurface(size(), Ratio);
    if (FSurface.isNull())
        return;
    TCanvas Canvas(FSurface);
    Canvas.FillRect(QRect(0, 0, Canvas.Width(), Canvas.Height()), PaletteColor(*this, QPalette::Base));
    DrawGridLines(Canvas);
    const int Cols = CellsShown(FColCount, FDefaultColWidth + FGridLineWidth, Canvas.Width());
    const int Rows = CellsShown(FRowCount, FDefaultRowHeight + FGridLineWidth, Canvas.Height());
    for (int Row = 0; Row < Rows; ++Row)
        for (int Col = 0; Col < Cols; ++Col)
            DrawCell(Canvas, Col, Row);
    // The dotted frame of the classic grids, inside the cell's own fill.
    if (hasFocus() && FCol >= 0) {
        const QRect Current = CellRect(FCol, FRow).adjusted(2, 2, -2, -2);
        if (!Current.isEmpty())
            Canvas.DrawFocusRect(Current);
    }
}

void TDrawGrid::DrawGridLines(TCanvas& Canvas)
{
    if (FGridLineWidth == 0)
        return;
    const QSize Extent = GridExtent();
    const int ColStep = FDefaultColWidth + FGridLineWidth;
    const int RowStep = FDefaultRowHeight + FGridLineWidth;
    const int Cols = CellsShown(FColCount, ColStep, Canvas.Width());
    const int Rows = CellsShown(FRowCount, RowStep, Canvas.Height());
    for (int Col = 0; Col < Cols; ++Col)
        Canvas.FillRect(QRect(Col * ColStep + FDefaultColWidth, 0, FGridLineWidth, Extent.height()), LineColor);
    for (int Row = 0; Row < Rows; ++Row)
        Canvas.FillRect(QRect(0, Row * RowStep + FDefaultRowHeight, Extent.width(), FGridLineWidth), LineColor);
}

void TDrawGrid::DrawCell(TCanvas& Canvas, int Col, int Row)
{
    const QRect Rect = CellRect(Col, Row);
    if (Rect.isEmpty())
        return;
    const bool Fixed = IsFixedCell(Col, Row);
    Canvas.FillRect(Rect, PaletteColor(*this, Fixed ? QPalette::Button : QPalette::Base));
    // Each cell starts from the grid's own font, whatever the cell before it chose.
    Canvas.Font = font();
    Canvas.FontColor = PaletteColor(*this, QPalette::WindowText);
    if (OnDrawCell)
        OnDrawCell(Col, Row, Rect, Canvas);
    if (Fixed)
        DrawRaisedEdge(Canvas, Rect);
}

void TDrawGrid::DrawRaisedEdge(TCanvas& Canvas, const QRect& Rect)
{
    const QColor Dark = PaletteColor(*this, QPalette::Dark);
    const QColor Light = PaletteColor(*this, QPalette::Light);
    // The light edge goes on last and stops one pixel short, so each corner
    // where light meets dark belongs to the dark side.
    Canvas.FillRect(QRect(Rect.left(), Rect.bottom(), Rect.width(), 1), Dark);
    Canvas.FillRect(QRect(Rect.right(), Rect.top(), 1, Rect.height()), Dark);
    Canvas.FillRect(QRect(Rect.left(), Rect.top(), Rect.width() - 1, 1), Light);
    Canvas.FillRect(QRect(Rect.left(), Rect.top(), 1, Rect.height() - 1), Light);
}
