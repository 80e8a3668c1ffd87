// The table window as its tests see it: the picture it shows, the table
// composed afresh from the felt and the cards, the status line, and the game
// it holds.
#pragma once
#include "forms/Main.h"
#include "platform/Canvas.h"

#include <QImage>
#include <QLabel>
#include <QStatusBar>

inline const QImage& Shown(TfrmMain& Main)
{
    return Main.WindowCanvas().Image();
}

// What the window must show once a turn or a command is over. Before the
// first deal no card lies on the table, and this is the felt alone.
inline QImage Composed(TfrmMain& Main)
{
    const QImage& Surface = Shown(Main);
    QImage Table(Surface.size(), QImage::Format_RGB32);
    Table.setDevicePixelRatio(Surface.devicePixelRatio());
    // A part the felt does not cover shows as no felt could.
    Table.fill(qRgb(255, 0, 255));
    TCanvas Canvas(Table);
    Main.DrawTable(Canvas);
    return Table;
}

inline QString StatusLine(const TfrmMain& Main)
{
    return Main.StatusBar->findChild<QLabel*>()->text();
}

// The window shows its game read-only; a test lays out cards the shuffle
// would take long to deal, or the totals of games played before, in the game
// the window holds.
inline TGame& GameOf(TfrmMain& Main)
{
    return const_cast<TGame&>(Main.Game());
}
