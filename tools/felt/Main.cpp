// felt <output.bmp>: writes the default table cloth, a seamless 24-bit baize tile.
#include "tools/BmpWriter.h"
#include "tools/felt/Felt.h"

#include <QString>

#include <cstdio>

namespace {

constexpr int TileSize = 96;
// Fixed, so that regenerating the artwork changes nothing that was not meant to.
constexpr uint32_t TileSeed = 19071;

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: felt <output.bmp>\n");
        return 2;
    }
    if (!WriteBmp(QString::fromLocal8Bit(argv[1]), MakeFelt(TileSize, TileSeed), 24)) {
        std::fprintf(stderr, "felt: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
