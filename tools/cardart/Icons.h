// The program's icon at every size of the desktop's icon theme, and as a
// scalable picture, all from the one drawing of the window icon.
#pragma once
#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QList>

// The pixel sizes the icon theme gets a picture of, as the build names them.
inline const QList<int> IconSizes = {ZENTO_THEME_ICON_SIZES};

// Size by Size pixels, transparent around the cards.
QImage DrawIcon(int Size);

// The same drawing as an SVG document, 32 units square.
QByteArray DrawIconSvg();

// Writes zento-<size>.png for every size and zento.svg into Folder, creating
// it; false when a file cannot be written, each failure named on stderr.
bool WriteIcons(const QDir& Folder);
