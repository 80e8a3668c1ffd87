#include "tools/cardart/Icons.h"

#include "tools/cardart/SmallPictures.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cstdio>

namespace {

// The icon is designed on a 32-unit square.
constexpr int DesignSize = 32;

bool WriteFile(const QString& FileName, const QByteArray& Bytes)
{
    QSaveFile File(FileName);
    if (File.open(QIODevice::WriteOnly) && File.write(Bytes) == Bytes.size() && File.commit())
        return true;
    std::fprintf(stderr, "cardart: cannot write %s\n", qPrintable(FileName));
    return false;
}

} // namespace

QImage DrawIcon(int Size)
{
    QImage Icon(Size, Size, QImage::Format_ARGB32_Premultiplied);
    Icon.fill(Qt::transparent);
    QPainter Painter(&Icon);
    Painter.setRenderHint(QPainter::Antialiasing);
    Painter.scale(double(Size) / DesignSize, double(Size) / DesignSize);
    PaintIcon(Painter);
    return Icon;
}

QByteArray DrawIconSvg()
{
    QBuffer Buffer;
    QSvgGenerator Svg;
    Svg.setOutputDevice(&Buffer);
    Svg.setSize(QSize(DesignSize, DesignSize));
    Svg.setViewBox(QRect(0, 0, DesignSize, DesignSize));
    Svg.setTitle(QStringLiteral("Zento"));
    Svg.setDescription(QStringLiteral("A fanned pair of cards"));
    {
        QPainter Painter(&Svg);
        Painter.setRenderHint(QPainter::Antialiasing);
        PaintIcon(Painter);
    }
    return Buffer.data();
}

bool WriteIcons(const QDir& Folder)
{
    if (!Folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cardart: cannot create %s\n", qPrintable(Folder.path()));
        return false;
    }
    bool Ok = true;
    for (int Size : IconSizes) {
        QByteArray Png;
        QBuffer Buffer(&Png);
        Buffer.open(QIODevice::WriteOnly);
        DrawIcon(Size).save(&Buffer, "PNG");
        Ok = WriteFile(Folder.filePath(QStringLiteral("zento-%1.png").arg(Size)), Png) && Ok;
    }
    return WriteFile(Folder.filePath(QStringLiteral("zento.svg")), DrawIconSvg()) && Ok;
}
