// The memory aid: a small always-on-top window that colours every card gone onto the pile.
#pragma once
#include "model/Card.h"
#include "platform/Controls.h"

#include <QImage>
#include <QRect>

#include <cstdint>

class TCanvas;
class TDrawGrid;
class TFormPlacement;

class TfrmMemory : public TForm
{
    Q_OBJECT
public:
    explicit TfrmMemory(QWidget* Parent = nullptr);
    ~TfrmMemory() override;

    // Clears the counters without repainting: the next repaint of the grid shows the empty table.
    void ResetMemory();
    // Counts the card as played; a card outside the deck (joker, no card) is ignored.
    void MarkPlayed(const TCard& Card);
    // How often the card went onto the pile since the last reset; 0 outside the deck.
    int32_t Played(int Suit, int Rank) const;

    void grdMemoryDrawCell(int Col, int Row, const QRect& Rect, TCanvas& Canvas);

    // The callers repaint it themselves after marking, once per batch of cards.
    TDrawGrid* grdMemory = nullptr;
    // The source of the suit signs; never shown itself.
    QImage Suits;
    TFormPlacement* FormPlacement = nullptr;

protected:
    // Its own close button only hides the window, and keeps where it was.
    void closeEvent(QCloseEvent* Event) override;

private:
    void SetupForm();
    void SetupGrid();

    int32_t FPlayed[4][13] = {};
};
