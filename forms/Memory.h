// The memory aid: a small always-on-top window that colours every card gone onto
// the pile; its arrow keys go from card to card.
#pragma once
#include "model/Card.h"
#include "platform/Form.h"

#include <QImage>
#include <QPointer>
#include <QRect>

class QKeyEvent;

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

signals:
    // Shown or hidden by the program or the player; not sent for the window
    // system's own hiding, such as a minimise.
    void VisibilityChanged();

protected:
    void showEvent(QShowEvent* Event) override;
    void hideEvent(QHideEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void SetupForm();
    // Hands a key the window system gave the aid to the window it belongs to.
    bool PassKeyToOwner(QKeyEvent* Event);
    // The window the aid belongs to, once the window system knows it so.
    QWidget* OwnerWidget() const;
    void PlaceBesideOwnerOnSway(int TriesLeft);
    // Sway has a window on the screen within a few frames of its showing.
    static constexpr int SwayTries = 20;
    static constexpr int SwayTryInterval = 50;
    void FocusWindowChanged(QWindow* Focus);
    void SetupGrid();
    void SetupKeys();

    int32_t FPlayed[4][13] = {};
    // Shown by the program, not chosen by the player: a compositor that gave
    // the aid the keyboard for being shown last hands the keys on.
    bool FKeysToOwner = false;
    bool FActiveSinceShown = false;
    // The table window has had the keyboard since the aid last had it.
    bool FOwnerActiveSince = false;
};
