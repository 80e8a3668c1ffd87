#include "model/Layout.h"

#include "model/Shoe.h"

void CpuSlotPos(int32_t Slot, TCard& Card)
{
    Card.X = (Slot - 1) * SlotPitch + EdgeMargin;
    Card.Y = EdgeMargin;
}

void PlayerSlotPos(int32_t Slot, int32_t H, TCard& Card)
{
    Card.X = (Slot - 1) * SlotPitch + EdgeMargin;
    Card.Y = H - StatusHeight - (CardHeight + EdgeMargin);
}

void PilePos(int32_t W, int32_t H, TCard& Card)
{
    const int32_t OffsetX = Random(PileScatterX);
    const int32_t OffsetY = Random(PileScatterY);
    Card.X = (W - CardWidth) / 2 + OffsetX;
    Card.Y = (H - StatusHeight) / 2 - 72 + OffsetY;
}

QRect PileRect(int32_t W, int32_t H)
{
    return QRect((W - CardWidth) / 2, (H - CardHeight - StatusHeight) / 2 - 24, 106, 144);
}
