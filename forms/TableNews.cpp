#include "forms/TableNews.h"

#include "forms/TableParts.h"

using namespace TableParts;

namespace {

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

void TellLevel(const TAccessibleTable& Main, TLevel Level)
{
    if (QAccessible::isActive())
        Tell(Main, SpeechText(Main.Language(), LevelChosenKey).arg(LevelName(Level, Main.Language())));
}

void TellCardPicker(const TAccessibleTable& Main, bool OneClick)
{
    if (QAccessible::isActive())
        Tell(Main, SpeechText(Main.Language(), OneClick ? OneClickKey : LeftRightKey));
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
