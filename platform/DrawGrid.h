// A grid of equal cells drawn by a callback into the widget's own image. It
// takes no mouse input; given a focus policy, its arrow keys move a current
// cell among the cells that are not fixed.
#pragma once
#include "platform/Canvas.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

#include <functional>

class TDrawGrid : public QWidget
{
    Q_OBJECT
public:
    // Gets every cell after its background is filled; fixed cells get their
    // raised edge afterwards, so the callback need not keep clear of it.
    using TDrawCell = std::function<void(int Col, int Row, const QRect& Rect, TCanvas& Canvas)>;

    TDrawGrid(const QString& Name, QWidget* Parent);

    int ColCount() const { return FColCount; }
    int RowCount() const { return FRowCount; }
    int FixedCols() const { return FFixedCols; }
    int FixedRows() const { return FFixedRows; }
    int DefaultColWidth() const { return FDefaultColWidth; }
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    int GridLineWidth() const { return FGridLineWidth; }
    // Values out of range are brought into it: counts and sizes are never
    // negative and the fixed cells never outnumber the cells.
    void SetColCount(int Value);
    void SetRowCount(int Value);
    void SetFixedCols(int Value);
    void SetFixedRows(int Value);
    void SetDefaultColWidth(int Value);
    void SetDefaultRowHeight(int Value);
    void SetGridLineWidth(int Value);

    // The cell without the grid line after it; empty for a cell outside the grid.
    QRect CellRect(int Col, int Row) const;
    // All cells with their grid lines.
    QSize GridExtent() const;
    bool IsFixedCell(int Col, int Row) const { return Col < FFixedCols || Row < FFixedRows; }

    // The current cell: the first cell that is not fixed until the keys or
    // SetCurrentCell move it; -1 when every cell is fixed.
    int Col() const { return FCol; }
    int Row() const { return FRow; }
    // A place outside the cells that are not fixed is brought to the nearest one.
    void SetCurrentCell(int Col, int Row);

    // Draws every cell into the surface again and puts it on the screen before
    // returning; a hidden grid is drawn when it next comes into view.
    void Repaint();
    // The cells as they would show now.
    const QImage& Surface();

    QSize sizeHint() const override { return GridExtent(); }

    TDrawCell OnDrawCell;
    // The current cell moved, by a key or by SetCurrentCell.
    std::function<void(int Col, int Row)> OnSelectCell;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void showEvent(QShowEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;

private:
    void LayoutChanged();
    void DrawCells();
    void DrawGridLines(TCanvas& Canvas);
    void DrawCell(TCanvas& Canvas, int Col, int Row);
    void DrawRaisedEdge(TCanvas& Canvas, const QRect& Rect);
    void KeepCurrentCell();

    QImage FSurface;
    // The surface no longer shows the owner's data or the layout.
    bool FCellsStale = true;
    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    int FGridLineWidth = 1;
    int FCol = 1;
    int FRow = 1;
};
