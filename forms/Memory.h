// The memory aid: a small always-on-top window that colours every card gone onto
// the pile; its arrow keys go from card to card.
#pragma once
#include "model/Card.h"
#include "platform/Controls.h"

#include <QImage>
#include <QPointer>
#include <QRect>

#include <cstdint>

class TCanvas;
class TDrawGrid;
class TGradient;
class TFormPlacement;
class TLanguage;

class TfrmMemory : public TForm
{
    Q_OBJECT
public:
    explicit TfrmMemory(QWidget* Parent = nullptr);

    // Clears the counters without repainting: the next repaint of the grid shows the empty table.
    void ResetMemory();
    // Counts the card as played; a card outside the deck (joker, no card) is ignored.
    void MarkPlayed(const TCard& Card);
    // How often the card went onto the pile since the last reset; 0 outside the deck.
    int32_t Played(int Suit, int Rank) const;

    void grdMemoryDrawCell(int Col, int Row, const QRect& Rect, TCanvas& Canvas);

    // The window's own title bar, with its close button.
    TGradient* Gradient = nullptr;
    // The callers repaint it themselves after marking, once per batch of cards.
    TDrawGrid* grdMemory = nullptr;
    // The source of the suit signs; never shown itself.
    QImage Suits;
    // The table window's, for naming the cards to assistive technology.
    QPointer<TLanguage> Languages;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void SetupForm();
    void SetupGrid();
    void SetupKeys();

    int32_t FPlayed[4][13] = {};
};
