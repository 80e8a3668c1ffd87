// The program's look: the font of its windows, and the platform's own style
// with the changes the program's windows need.
#pragma once
#include <QFont>
#include <QProxyStyle>

class QStyleOptionMenuItem;

// "MS Sans Serif" at 8 points, the font of every window; where it is missing the
// platform's sans serif stands in.
QFont WindowFont();

// The program's style: the platform's own, except that it reads no picture for
// a menu bar's overflow button. The table window's menu bar never overflows
// (its captions are cut to fit), and reading Qt's picture for it at start-up
// would make Qt load every picture format plugin to find out which one reads it.
class TProgramStyle : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap Icon, const QStyleOption* Option, const QWidget* Widget) const override;
};

// Menu bar items share the bar's width; a caption too long for its share ends
// in an ellipsis instead of widening the bar, and with it a window of fixed size.
class TMenuBarStyle : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;
    QSize sizeFromContents(ContentsType Type, const QStyleOption* Option, const QSize& Size,
                           const QWidget* Widget) const override;
    void drawControl(ControlElement Element, const QStyleOption* Option, QPainter* Painter,
                     const QWidget* Widget) const override;
    // The caption as the item shows it: whole when it fits its place on the bar.
    QString ShownText(const QStyleOptionMenuItem& Item, const QWidget* Widget) const;
};
