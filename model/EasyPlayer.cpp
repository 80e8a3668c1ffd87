#include "model/EasyPlayer.h"

namespace {

// One chance in this many to take is missed.
constexpr int32_t MissOneIn = 4;

int32_t FirstCapture(const TSight& Sight)
{
    for (int32_t I = 0; I < Sight.HandCount; ++I)
        if (Captures(Sight, Sight.Hand[I]))
            return I;
    return -1;
}

} // namespace

int32_t ChooseEasyCard(const TSight& Sight, uint32_t Seed)
{
    TDice Dice{Seed};
    const int32_t Capture = FirstCapture(Sight);
    const bool Missed = Dice.Below(MissOneIn) == 0;
    if (Capture >= 0 && !Missed)
        return Capture;
    return Dice.Below(Sight.HandCount);
}
