#include "forms/TableAccess.h"

#include "forms/MemoryAccess.h"
#include "forms/TableArea.h"
#include "forms/TableParts.h"

namespace TableParts {

const TAccessibleTable* MainOf(const QWidget* Area)
{
    return Area ? dynamic_cast<const TAccessibleTable*>(Area->window()) : nullptr;
}

QRect CardRect(const QWidget* Area, const TCard& Card)
{
    return GlobalRect(Area, QRect(Card.X, Card.Y, CardWidth, CardHeight));
}

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

QString Sentence(const QString& Text)
{
    return Text.endsWith(QLatin1Char('.')) ? Text : Text + QLatin1Char('.');
}

int CardIndex(int Suit, int Rank)
{
    return (Suit - 1) * 13 + Rank - 1;
}

bool IsCard(int Suit, int Rank)
{
    return Suit >= 1 && Suit <= 4 && Rank >= 1 && Rank <= 13;
}

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

} // namespace TableParts

namespace {

QAccessibleInterface* MakeInterface(const QString& ClassName, QObject* Object)
{
    Q_UNUSED(ClassName);
    if (auto* Area = dynamic_cast<TTableArea*>(Object))
        return new TableParts::TTableAccessible(Area);
    return MakeMemoryGridInterface(Object);
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
