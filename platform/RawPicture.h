// The raw form the build gives the pictures the program reads at start-up, so
// that they are wrapped where they lie instead of decoded: a four-byte tag,
// the width and the height as 32-bit little-endian numbers, then the rows top
// to bottom as 32-bit pixels in the byte order of the machine that builds.
// The build's tool writes it and the program reads it, both through this header.
#pragma once
#include <cstdint>

// An opaque picture, its pixels 0xffRRGGBB.
inline constexpr char RawOpaqueTag[] = "ZR32";
// A picture with transparency, its pixels 0xAARRGGBB, not premultiplied.
inline constexpr char RawAlphaTag[] = "ZA32";
inline constexpr int RawTagSize = 4;
inline constexpr int RawWidthAt = 4;
inline constexpr int RawHeightAt = 8;
inline constexpr int RawHeaderSize = 12;
// A longer side than this marks a damaged picture.
inline constexpr uint32_t RawLargestSide = 65536;
