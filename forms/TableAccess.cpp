#include "forms/TableAccess.h"

#include "forms/MemoryAccess.h"
#include "forms/ScreenRect.h"
#include "forms/TableArea.h"
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

namespace {

const TAccessibleTable* MainOf(const QWidget* Area)
{
    return Area ? dynamic_cast<const TAccessibleTable*>(Area->window()) : nullptr;
}

QRect CardRect(const QWidget* Area, const TCard& Card)
{
    return GlobalRect(Area, QRect(Card.X, Card.Y, CardWidth, CardHeight));
}

// A row of four places, held or not, so that the row has its size and place
// before the first deal and keeps them through a game.
QRect RowRect(const QWidget* Area, void (*SlotPos)(int32_t Slot, TCard& Card))
{
    QRect Rect;
    for (int32_t Slot = 1; Slot <= HandSize; ++Slot) {
        TCard Card{};
        SlotPos(Slot, Card);
        Rect |= CardRect(Area, Card);
    }
    return Rect;
}

// A screen reader reads the table's texts that lie near each other as one
// line; each ends as a sentence, so that they do not run into each other.
QString Sentence(const QString& Text)
{
    return Text.endsWith(QLatin1Char('.')) ? Text : Text + QLatin1Char('.');
}

// One index for each of the 52 cards.
int CardIndex(int Suit, int Rank)
{
    return (Suit - 1) * 13 + Rank - 1;
}

bool IsCard(int Suit, int Rank)
{
    return Suit >= 1 && Suit <= 4 && Rank >= 1 && Rank <= 13;
}

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

TTableAccessible* TableOf(const QWidget* Area)
{
    return Area ? dynamic_cast<TTableAccessible*>(QAccessible::queryAccessibleInterface(const_cast<QWidget*>(Area)))
                : nullptr;
}

TTableAccessible* TableOf(const TAccessibleTable& Main)
{
    return TableOf(Main.TableArea());
}

QAccessibleInterface* TTablePart::HandList() const
{
    TTableAccessible* Table = TableOf(FArea.data());
    return Table ? Table->Hand() : nullptr;
}

const TCard* TTablePart::Held() const
{
    TTableAccessible* Table = TableOf(FArea.data());
    if (!Table || Table->Card(FSuit, FRank) != this)
        return nullptr;
    const THand& Hand = Game().FPlayerHand;
    for (int32_t I = 0; I < Hand.Count; ++I)
        if (Hand.Items[I].Suit == FSuit && Hand.Items[I].Rank == FRank)
            return &Hand.Items[I];
    return nullptr;
}

QAccessibleInterface* TTablePart::child(int Index) const
{
    if (Index < 0 || Index >= childCount())
        return nullptr;
    const TCard& Card = Game().FPlayerHand.Items[Index];
    TTableAccessible* Table = TableOf(FArea.data());
    return Table ? Table->Card(Card.Suit, Card.Rank) : nullptr;
}

int TTablePart::indexOfChild(const QAccessibleInterface* Child) const
{
    for (int I = 0; I < childCount(); ++I)
        if (child(I) == Child)
            return I;
    return -1;
}

QAccessibleInterface* MakeInterface(const QString& ClassName, QObject* Object)
{
    Q_UNUSED(ClassName);
    if (auto* Area = dynamic_cast<TTableArea*>(Object))
        return new TTableAccessible(Area);
    return MakeMemoryGridInterface(Object);
}

void Send(QAccessibleInterface* Part, QAccessible::Event Kind)
{
    QAccessibleEvent Event(Part, Kind);
    QAccessible::updateAccessibility(&Event);
}

// Orca speaks a notification when it shows; it drops text inserted into an
// object that is neither focused nor shown, and ignores a label's new name.
// Each notification shown cuts off the speech of the one before, so the news
// of a turn, whose steps are half a second apart, is held and spoken as one.
// Qt 6.8's announcements are not used: Orca 43 does not know them, and the
// Orcas that do also speak the notification, which would then be heard twice.
void Speak(TTableAccessible& Table, const QString& News)
{
    // A client keeps the names it has read until it is told they changed.
    Send(Table.CpuHand(), QAccessible::NameChanged);
    Send(Table.Pile(), QAccessible::NameChanged);
    Table.News()->SetNews(News);
    Send(Table.News(), QAccessible::NameChanged);
    Send(Table.News(), QAccessible::ObjectShow);
}

void Tell(const TAccessibleTable& Main, const QString& News)
{
    TTableAccessible* Table = TableOf(Main);
    if (!Table || News.isEmpty())
        return;
    Table->FHeld << News;
    if (!Main.InTurn())
        TellHeldNews(Main);
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

void TellHeldNews(const TAccessibleTable& Main)
{
    if (!QAccessible::isActive())
        return;
    TTableAccessible* Table = TableOf(Main);
    if (!Table || Table->FHeld.isEmpty())
        return;
    const QString News = Table->FHeld.join(QStringLiteral(". "));
    Table->FHeld.clear();
    Speak(*Table, News);
}

void TellDeal(const TAccessibleTable& Main)
{
    if (!QAccessible::isActive())
        return;
    TTableAccessible* Table = TableOf(Main);
    if (!Table)
        return;
    const THand& Hand = Main.Game().FPlayerHand;
    QStringList Cards;
    for (int32_t I = 0; I < Hand.Count; ++I) {
        Cards << CardName(Hand.Items[I], Main.Language());
        Send(Table->Card(Hand.Items[I].Suit, Hand.Items[I].Rank), QAccessible::ObjectCreated);
    }
    Tell(Main, SpeechText(Main.Language(), DealKey).arg(Cards.join(QStringLiteral(", "))));
}

void TellCardPlayed(const TAccessibleTable& Main, const TCard& Card, TSide By)
{
    if (QAccessible::isActive())
        Tell(Main, PlayedNews(By, Card, Main.Language()));
}

// Told before the card goes, while the client can still learn which child it was.
void TellCardLeftHand(const TAccessibleTable& Main, const TCard& Card)
{
    if (!QAccessible::isActive())
        return;
    if (TTableAccessible* Table = TableOf(Main))
        Send(Table->Card(Card.Suit, Card.Rank), QAccessible::ObjectDestroyed);
}

void TellPileCaptured(const TAccessibleTable& Main, TSide By, TTake Take)
{
    if (QAccessible::isActive())
        Tell(Main, TakenNews(By, Take, Main.Language()));
}

void TellGameOver(const TAccessibleTable& Main, const char* Key)
{
    if (!QAccessible::isActive())
        return;
    const QString Scores = Main.ScoreText();
    if (qstrcmp(Key, EndOfGameKey) == 0)
        Tell(Main, SpeechText(Main.Language(), GameOverKey).arg(Scores));
    else if (qstrcmp(Key, YouWonKey) == 0)
        Tell(Main, SpeechText(Main.Language(), YouWonTourKey).arg(Scores));
    else if (qstrcmp(Key, ComputerWonKey) == 0)
        Tell(Main, SpeechText(Main.Language(), CpuWonTourKey).arg(Scores));
    else if (qstrcmp(Key, DealingAgainKey) == 0)
        Tell(Main, SpeechText(Main.Language(), TourGoesOnKey));
}

void TellMemoryAid(const TAccessibleTable& Main, bool Shown)
{
    if (QAccessible::isActive())
        Tell(Main, SpeechText(Main.Language(), Shown ? MemoryShownKey : MemoryHiddenKey));
}

void TellLanguage(const TAccessibleTable& Main)
{
    if (!QAccessible::isActive())
        return;
    TTableAccessible* Table = TableOf(Main);
    if (!Table)
        return;
    Send(Table, QAccessible::NameChanged);
    Send(Table, QAccessible::DescriptionChanged);
    for (QAccessibleInterface* Part : {Table->CpuHand(), Table->Pile(), Table->Hand()})
        Send(Part, QAccessible::NameChanged);
    const THand& Hand = Main.Game().FPlayerHand;
    for (int32_t I = 0; I < Hand.Count; ++I)
        Send(Table->Card(Hand.Items[I].Suit, Hand.Items[I].Rank), QAccessible::NameChanged);
}

void TellSelection(const TAccessibleTable& Main, const TCard& Changed)
{
    if (!QAccessible::isActive())
        return;
    TTableAccessible* Table = TableOf(Main);
    if (!Table || !Main.TableArea()->hasFocus())
        return;
    const int Selected = SelectedIndex(Main.Game());
    QAccessibleInterface* Focus = nullptr;
    if (Changed.Face == cfSelected && Selected >= 0) {
        const TCard& Card = Main.Game().FPlayerHand.Items[Selected];
        Focus = Table->Card(Card.Suit, Card.Rank);
        if (Focus == Table->FLastFocus) {
            Send(Focus, QAccessible::ObjectDestroyed);
            Focus = Table->Afresh(Card.Suit, Card.Rank);
            Send(Focus, QAccessible::ObjectCreated);
        }
    } else if (Selected < 0) {
        Focus = Table;
    }
    if (!Focus)
        return;
    Table->FLastFocus = Focus;
    Send(Focus, QAccessible::Focus);
}
