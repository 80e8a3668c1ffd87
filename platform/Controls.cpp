#include "platform/Controls.h"

#include "platform/ResourcePicture.h"

#include <QBitmap>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOption>
#include <QStylePainter>

#include <algorithm>

namespace {

// The colour of the bottom-left pixel is the glyph's transparent colour.
QPixmap GlyphPixmap(const QImage& Image)
{
    QPixmap Pixmap = QPixmap::fromImage(Image.convertToFormat(QImage::Format_RGB32));
    Pixmap.setMask(Pixmap.createMaskFromColor(Image.pixelColor(0, Image.height() - 1), Qt::MaskInColor));
    return Pixmap;
}

} // namespace

// The glyph drawn at twice the pixels goes into the icon beside the ordinary
// one; a high-density screen then shows it instead of an enlarged copy.
void SetButtonGlyph(QAbstractButton* Button, const QString& Resource)
{
    const QImage Image = LoadResourcePicture(Resource);
    if (Image.isNull())
        return;
    QIcon Icon(GlyphPixmap(Image));
    const QImage Dense = LoadResourcePicture(Resource + QStringLiteral("@2x"));
    if (!Dense.isNull()) {
        QPixmap Pixmap = GlyphPixmap(Dense);
        Pixmap.setDevicePixelRatio(2);
        Icon.addPixmap(Pixmap);
    }
    Button->setIcon(Icon);
    Button->setIconSize(QSize(16, 16));
}

TMenuItem::TMenuItem(const QString& Name, const QString& Caption, QObject* Owner) : QAction(Caption, Owner)
{
    setObjectName(Name);
    connect(this, &QAction::triggered, this, [this] {
        if (isCheckable())
            setChecked(!isChecked());
        emit Click();
    });
}

TLabel::TLabel(const QString& Name, const QString& Caption, QWidget* Parent) : QLabel(Caption, Parent)
{
    setObjectName(Name);
}

QString TLabel::ShownText() const
{
    // Mnemonic ampersands are drawn as underlines and take no room of their own.
    const int Room = contentsRect().width() - 2 * margin() - (indent() > 0 ? indent() : 0);
    return fontMetrics().elidedText(text(), Qt::ElideRight, std::max(Room, 0), Qt::TextShowMnemonic);
}

void TLabel::paintEvent(QPaintEvent* Event)
{
    if (textFormat() == Qt::RichText || wordWrap() || ShownText() == text()) {
        QLabel::paintEvent(Event);
        return;
    }
    QPainter Painter(this);
    style()->drawItemText(&Painter, contentsRect().adjusted(margin(), margin(), -margin(), -margin()),
                          QStyle::visualAlignment(layoutDirection(), alignment()) | Qt::TextShowMnemonic,
                          palette(), isEnabled(), ShownText(), foregroundRole());
}

TButton::TButton(const QString& Name, const QString& Caption, QWidget* Parent) : QPushButton(Caption, Parent)
{
    setObjectName(Name);
}

// The glyph and the caption are centred together inside the frame; a few
// pixels either side keep them off it. The style's own button margin is for
// buttons that grow to their text, and on a button of fixed size it would
// cut captions that fit, such as the Greek OK beside its glyph.
QString TButton::ShownText() const
{
    constexpr int TextMargin = 2;
    QStyleOptionButton Option;
    initStyleOption(&Option);
    const QRect Contents = style()->subElementRect(QStyle::SE_PushButtonContents, &Option, this);
    int Room = Contents.width() - 2 * TextMargin;
    if (!icon().isNull())
        Room -= iconSize().width() + 4;
    return fontMetrics().elidedText(text(), Qt::ElideRight, std::max(Room, 0), Qt::TextShowMnemonic);
}

void TButton::paintEvent(QPaintEvent* Event)
{
    const QString Shown = ShownText();
    if (Shown == text()) {
        QPushButton::paintEvent(Event);
        return;
    }
    QStylePainter Painter(this);
    QStyleOptionButton Option;
    initStyleOption(&Option);
    Option.text = Shown;
    Painter.drawControl(QStyle::CE_PushButton, Option);
}

TMemo::TMemo(const QString& Name, QWidget* Parent) : QPlainTextEdit(Parent)
{
    setObjectName(Name);
    setReadOnly(true);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

// A box of one empty line shows the same text as an empty box; the lines it
// was given tell them apart.
QStringList TMemo::Lines() const
{
    if (FLinesPending)
        return FLines;
    const QString Text = toPlainText();
    if (Text == FLines.join(QLatin1Char('\n')))
        return FLines;
    return Text.isEmpty() ? QStringList() : Text.split(QLatin1Char('\n'));
}

void TMemo::SetLines(const QStringList& Value)
{
    // The text document starts a new line not only at LF but also at CR, at the Unicode line
    // and paragraph separators and at its frame markers. Each given line must stay one line
    // (the language file's reader, too, keeps a lone CR inside its line), so such a
    // character inside a line shows as a blank.
    QStringList Lines = Value;
    for (QString& Line : Lines)
        for (QChar& C : Line)
            if (C == u'\n' || C == u'\r' || C == QChar::LineSeparator || C == QChar::ParagraphSeparator ||
                C == QChar(0xFDD0) || C == QChar(0xFDD1))
                C = u' ';
    FLines = Lines;
    // Laying out text costs about as much as building the box, and a box on a
    // dialog is set at start-up and again for the language, then seldom seen:
    // a hidden box takes its text when it shows.
    FLinesPending = true;
    if (isVisible())
        ShowPendingLines();
}

void TMemo::ShowPendingLines()
{
    if (!FLinesPending)
        return;
    FLinesPending = false;
    setPlainText(FLines.join(QLatin1Char('\n')));
}

void TMemo::showEvent(QShowEvent* Event)
{
    ShowPendingLines();
    QPlainTextEdit::showEvent(Event);
}
