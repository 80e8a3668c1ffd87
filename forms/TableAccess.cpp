#include "forms/TableAccess.h"

#include "forms/MemoryAccess.h"
#include "forms/ScreenRect.h"
#include "forms/TableArea.h"
#include "forms/TableSpeech.h"
#include "lang/Lang.h"
#include "model/Game.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
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
            return Kind == QAccessible::Name          ? FNews
                   : Kind == QAccessible::Description ? SpeechText(Languages(), NewsKey)
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

    const TLanguage& Languages() const { return MainOf(FArea)->Language(); }

    QString Name() const
    {
        const TGame& Game = MainOf(FArea)->Game();
        switch (FPart) {
        case TPart::Card: return Holds() ? CardName(Game.FPlayerHand.Items[FSlot], Languages()) : QString();
        case TPart::CpuHand: return SpeechText(Languages(), CpuHandKey).arg(Game.FCpuHand.Count);
        case TPart::Pile: {
            if (!Game.FPile.Top)
                return SpeechText(Languages(), EmptyPileKey);
            const QString Top = CardName(Game.FPile.Top->Item, Languages());
            return SpeechText(Languages(), PileKey).arg(QString::number(Game.FPile.Count), Top);
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
            return SpeechText(Main()->Language(), TableKey);
        if (Kind == QAccessible::Description || Kind == QAccessible::Help)
            return SpeechText(Main()->Language(), TableHelpKey);
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
    const TAccessibleTable* Main() const { return MainOf(widget()); }

    mutable std::array<TTablePart*, Parts> FParts{};
};

QAccessibleInterface* MakeInterface(const QString& ClassName, QObject* Object)
{
    Q_UNUSED(ClassName);
    if (auto* Area = dynamic_cast<TTableArea*>(Object))
        return new TTableAccessible(Area);
    return MakeMemoryGridInterface(Object);
}

TTableAccessible* TableOf(const TAccessibleTable& Main)
{
    return dynamic_cast<TTableAccessible*>(QAccessible::queryAccessibleInterface(Main.TableArea()));
}

void Tell(const TAccessibleTable& Main, const QString& News)
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

void TellDeal(const TAccessibleTable& Main)
{
    if (!QAccessible::isActive())
        return;
    const THand& Hand = Main.Game().FPlayerHand;
    QStringList Cards;
    for (int32_t I = 0; I < Hand.Count; ++I)
        Cards << CardName(Hand.Items[I], Main.Language());
    Tell(Main, SpeechText(Main.Language(), DealKey).arg(Cards.join(QStringLiteral(", "))));
}

void TellCardPlayed(const TAccessibleTable& Main, const TCard& Card)
{
    if (QAccessible::isActive())
        Tell(Main, PlayedNews(Main.Game(), Card, Main.Language()));
}

void TellPileTaken(const TAccessibleTable& Main)
{
    if (!QAccessible::isActive())
        return;
    const QString News = TakenNews(Main.Game(), Main.Language());
    if (!News.isEmpty())
        Tell(Main, News);
}

void TellGameOver(const TAccessibleTable& Main)
{
    if (!QAccessible::isActive())
        return;
    Tell(Main, SpeechText(Main.Language(), GameOverKey).arg(Main.ScoreText()));
}

void TellSelection(const TAccessibleTable& Main, const TCard& Changed)
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
