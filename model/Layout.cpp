#include "model/Layout.h"

#include "model/Shoe.h"

namespace {

int32_t PileLeft(int32_t W)
{
    return (W - CardWidth) / 2;
}

int32_t PileTop(int32_t H)
{
    return (H - StatusHeight) / 2 - PileHeight / 2;
}

} // namespace

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
    Card.X = PileLeft(W) + OffsetX;
    Card.Y = PileTop(H) + OffsetY;
}

QRect PileRect(int32_t W, int32_t H)
{
    return QRect(PileLeft(W), PileTop(H), PileWidth, PileHeight);
}
