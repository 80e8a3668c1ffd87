// The table's parts as assistive technology reaches them: the computer's
// hand, the pile, the player's hand and its cards, and the news, each an
// interface of its own under the table's. Shared by the parts themselves and
// by the news told through them.
#pragma once
#include "forms/ScreenRect.h"
#include "forms/TableAccess.h"
#include "forms/TableSpeech.h"
#include "lang/Lang.h"
#include "model/Game.h"
#include "model/Layout.h"
#include "platform/AccessibleParts.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <array>
#include <cstdint>

namespace TableParts {

const TAccessibleTable* MainOf(const QWidget* Area);
QRect CardRect(const QWidget* Area, const TCard& Card);
// A row of four places, held or not, so that the row has its size and place
// before the first deal and keeps them through a game.
QRect RowRect(const QWidget* Area, void (*SlotPos)(int32_t Slot, TCard& Card));
// A screen reader reads the table's texts that lie near each other as one
// line; each ends as a sentence, so that they do not run into each other.
QString Sentence(const QString& Text);
// One index for each of the 52 cards.
int CardIndex(int Suit, int Rank);
bool IsCard(int Suit, int Rank);

// The parts of the table that are no widgets of their own. Each lives as long
// as the table's interface, registered with Qt's accessibility so that events
// can name it; once the table window is gone it answers as invalid. A card of the player's
// hand is an object that stands for that card, not for a place in the hand:
// moving the selection always moves the focus to another object, which a
// screen reader speaks, and a card's place in the list is its place among the
// cards held.
enum class TPart { CpuHand, Pile, Hand, News, Card };

class TTableAccessible;
TTableAccessible* TableOf(const QWidget* Area);

class TTablePart : public QAccessibleInterface
{
public:
    TTablePart(QWidget* Area, TPart Part, int Suit = 0, int Rank = 0)
        : FArea(Area), FPart(Part), FSuit(Suit), FRank(Rank)
    {
    }

    bool isValid() const override { return MainOf(FArea) != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return FArea ? FArea->window()->windowHandle() : nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

    QAccessibleInterface* parent() const override
    {
        if (FPart == TPart::Card)
            return Table() ? HandList() : nullptr;
        return QAccessible::queryAccessibleInterface(FArea.data());
    }
    int childCount() const override { return FPart == TPart::Hand && isValid() ? Game().FPlayerHand.Count : 0; }
    QAccessibleInterface* child(int Index) const override;
    int indexOfChild(const QAccessibleInterface* Child) const override;
    QAccessibleInterface* childAt(int X, int Y) const override
    {
        for (int I = 0; I < childCount(); ++I)
            if (QAccessibleInterface* Card = child(I); Card && Card->rect().contains(X, Y))
                return Card;
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override
    {
        const int Selected = FPart == TPart::Hand && isValid() ? SelectedIndex(Game()) : -1;
        return Selected >= 0 && FArea->hasFocus() ? child(Selected) : nullptr;
    }

    QString text(QAccessible::Text Kind) const override
    {
        return isValid() && Kind == QAccessible::Name ? Name() : QString();
    }

    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        switch (FPart) {
        case TPart::CpuHand: return RowRect(FArea, CpuSlotPos);
        case TPart::Pile: return GlobalRect(FArea, MainOf(FArea)->PileArea());
        case TPart::Hand: {
            const int Height = FArea->height();
            return RowRect(FArea, [](int32_t Slot, TCard& Card) { PlayerSlotPos(Slot, TableHeight, Card); })
                .translated(0, Height - TableHeight);
        }
        case TPart::Card: return Held() ? CardRect(FArea, *Held()) : QRect();
        case TPart::News: break;
        }
        return QRect();
    }

    QAccessible::Role role() const override
    {
        switch (FPart) {
        case TPart::Hand: return QAccessible::List;
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
        if (FPart == TPart::News)
            State.invisible = FNews.isEmpty();
        if (FPart == TPart::Card) {
            const TCard* Card = Held();
            State.invisible = !Card;
            State.selectable = State.focusable = Card != nullptr;
            State.selected = Card && Card->Face == cfSelected;
            State.focused = State.selected && FArea->hasFocus();
        }
        return State;
    }

    void* interface_cast(QAccessible::InterfaceType) override { return nullptr; }

    void SetNews(const QString& News) { FNews = News; }

private:
    const TGame& Game() const { return MainOf(FArea)->Game(); }
    const TLanguage& Languages() const { return MainOf(FArea)->Language(); }
    QAccessibleInterface* Table() const { return QAccessible::queryAccessibleInterface(FArea.data()); }
    QAccessibleInterface* HandList() const;

    // The card this part stands for, while the player holds it and this part is the card's in the hand.
    const TCard* Held() const;

    QString Name() const
    {
        const TGame& Game = this->Game();
        switch (FPart) {
        case TPart::CpuHand: return Sentence(SpeechText(Languages(), CpuHandKey).arg(Game.FCpuHand.Count));
        case TPart::Pile: {
            if (!Game.FPile.Top)
                return Sentence(SpeechText(Languages(), EmptyPileKey));
            const QString Top = CardName(Game.FPile.Top->Item, Languages());
            return Sentence(SpeechText(Languages(), PileKey).arg(QString::number(Game.FPile.Count), Top));
        }
        case TPart::Hand: return SpeechText(Languages(), HandKey);
        case TPart::Card: return CardName(FSuit, FRank, Languages());
        case TPart::News: return FNews;
        }
        return QString();
    }

    QPointer<QWidget> FArea;
    TPart FPart;
    int FSuit;
    int FRank;
    QString FNews;
};

// The table: the computer's hand, the pile, the player's hand, the news, then
// the status line, in the order they lie from the top.
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
        QAccessibleInterface* Card = Hand()->focusChild();
        return Card ? Card : QAccessibleWidget::focusChild();
    }

    QString text(QAccessible::Text Kind) const override
    {
        if (!Main())
            return QString();
        if (Kind == QAccessible::Name)
            return SpeechText(Main()->Language(), TableKey);
        if (Kind == QAccessible::Description || Kind == QAccessible::Help)
            return SpeechText(Main()->Language(), TableHelpKey);
        return QAccessibleWidget::text(Kind);
    }

    TTablePart* CpuHand() const { return MadeParts()[0]; }
    TTablePart* Pile() const { return MadeParts()[1]; }
    TTablePart* Hand() const { return MadeParts()[2]; }
    TTablePart* News() const { return MadeParts()[3]; }

    // The part that stands for a card, made when first asked for; null for no card.
    TTablePart* Card(int Suit, int Rank) const
    {
        if (!IsCard(Suit, Rank))
            return nullptr;
        const int Index = CardIndex(Suit, Rank);
        TTablePart*& Made = FCards[Index][FTwin[Index]];
        if (!Made)
            Made = FOwned.Keep(new TTablePart(widget(), TPart::Card, Suit, Rank));
        return Made;
    }
    // Orca speaks no object again that already has its focus, however it is
    // told (a focus event for another object just before is skipped as
    // outdated): a card chosen again while it has the focus is handed over to
    // a second object that stands for the same card.
    TTablePart* Afresh(int Suit, int Rank)
    {
        if (!IsCard(Suit, Rank))
            return nullptr;
        FTwin[CardIndex(Suit, Rank)] ^= 1;
        return Card(Suit, Rank);
    }

    // What a turn told, waiting for its end.
    QStringList FHeld;
    // The object last told to have the focus: focusing it again would be ignored.
    QAccessibleInterface* FLastFocus = nullptr;

private:
    static constexpr int Parts = 4;
    static constexpr TPart PartKinds[Parts] = {TPart::CpuHand, TPart::Pile, TPart::Hand, TPart::News};

    const std::array<TTablePart*, Parts>& MadeParts() const
    {
        if (!FParts[0])
            for (int I = 0; I < Parts; ++I)
                FParts[I] = FOwned.Keep(new TTablePart(widget(), PartKinds[I]));
        return FParts;
    }
    const TAccessibleTable* Main() const { return MainOf(widget()); }

    mutable TAccessibleParts FOwned;
    mutable std::array<TTablePart*, Parts> FParts{};
    mutable std::array<std::array<TTablePart*, 2>, 52> FCards{};
    std::array<uint8_t, 52> FTwin{};
};

TTableAccessible* TableOf(const TAccessibleTable& Main);

} // namespace TableParts
