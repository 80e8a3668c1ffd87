// A green baize tile whose left edge continues its right one and its top its bottom.
#pragma once
#include <QImage>

#include <cstdint>

// A Size x Size tile; the same Seed always gives the same tile. Size must be a
// multiple of 48 so that every noise layer repeats within it; any other size
// answers a null image.
QImage MakeFelt(int Size, uint32_t Seed);
