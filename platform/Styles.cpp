#include "platform/Styles.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>

// Where "MS Sans Serif" is not installed, the desktop's own sans-serif (the
// application font) stands in at the same 8 points. Asking for the missing
// family instead would have the font system sort every installed font for a
// substitute at start-up, on top of the search it makes for the application
// font, which other parts of the windows use anyway. The family list is read
// as it is: asking whether a family exists would run the font system's own
// substitutions, which may name an installed font for a missing one.
QFont WindowFont()
{
    const QString Design = QStringLiteral("MS Sans Serif");
    QFont Font = QApplication::font();
    if (QFontDatabase::families().contains(Design, Qt::CaseInsensitive)) {
        Font = QFont(Design);
        Font.setStyleHint(QFont::SansSerif);
    }
    Font.setPointSize(8);
    return Font;
}

QIcon TProgramStyle::standardIcon(StandardPixmap Icon, const QStyleOption* Option, const QWidget* Widget) const
{
    if (Icon == SP_ToolBarHorizontalExtensionButton || Icon == SP_ToolBarVerticalExtensionButton)
        return {};
    return QProxyStyle::standardIcon(Icon, Option, Widget);
}

QSize TMenuBarStyle::sizeFromContents(ContentsType Type, const QStyleOption* Option, const QSize& Size,
                                      const QWidget* Widget) const
{
    QSize Result = QProxyStyle::sizeFromContents(Type, Option, Size, Widget);
    if (Type == CT_MenuBarItem && Widget && Widget->width() > 0) {
        const int Items = std::max<int>(1, Widget->actions().size());
        const int Margins = 2 * (pixelMetric(PM_MenuBarHMargin, Option, Widget) +
                                 pixelMetric(PM_MenuBarPanelWidth, Option, Widget));
        const int Share = (Widget->width() - Margins) / Items - pixelMetric(PM_MenuBarItemSpacing, Option, Widget);
        Result.setWidth(std::min(Result.width(), std::max(Share, 0)));
    }
    return Result;
}

void TMenuBarStyle::drawControl(ControlElement Element, const QStyleOption* Option, QPainter* Painter,
                                const QWidget* Widget) const
{
    const auto* Item = qstyleoption_cast<const QStyleOptionMenuItem*>(Option);
    if (Element != CE_MenuBarItem || !Item) {
        QProxyStyle::drawControl(Element, Option, Painter, Widget);
        return;
    }
    QStyleOptionMenuItem Shown = *Item;
    Shown.text = ShownText(*Item, Widget);
    QProxyStyle::drawControl(Element, &Shown, Painter, Widget);
}

// The room around the text is what the style itself adds to an item's text.
QString TMenuBarStyle::ShownText(const QStyleOptionMenuItem& Item, const QWidget* Widget) const
{
    const QSize Text = Item.fontMetrics.size(Qt::TextShowMnemonic, Item.text);
    const int Padding = QProxyStyle::sizeFromContents(CT_MenuBarItem, &Item, Text, Widget).width() - Text.width();
    return Item.fontMetrics.elidedText(Item.text, Qt::ElideRight, std::max(Item.rect.width() - Padding, 0),
                                       Qt::TextShowMnemonic);
}
