#include "platform/Controls.h"

#include "platform/Gradient.h"
#include "platform/MessageBox.h"
#include "platform/Placement.h"
#include "platform/ResourcePicture.h"
#include "platform/ServerPlace.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QLayout>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOption>
#include <QStylePainter>
#include <QWindow>

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

// The colour of the bottom-left pixel is the glyph's transparent colour.
static QPixmap GlyphPixmap(const QImage& Image)
{
    QPixmap Pixmap = QPixmap::fromImage(Image.convertToFormat(QImage::Format_RGB32));
    Pixmap.setMask(Pixmap.createMaskFromColor(Image.pixelColor(0, Image.height() - 1), Qt::MaskInColor));
    return Pixmap;
}

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

namespace {

// A plain widget reads as a client area ("filler" to a screen reader), which
// leaves a screen reader without the window's title and without the status
// line it looks for inside a frame. A form is a window named by its title.
QAccessibleInterface* FormInterface(const QString& ClassName, QObject* Object)
{
    Q_UNUSED(ClassName);
    auto* Form = qobject_cast<TForm*>(Object);
    return Form && Form->isWindow() ? new QAccessibleWidget(Form, QAccessible::Window) : nullptr;
}

} // namespace

TForm::TForm(const QString& Name, QWidget* Parent, Qt::WindowFlags Flags) : QWidget(Parent, Flags)
{
    setObjectName(Name);
    static const bool Installed = (QAccessible::installFactory(FormInterface), true);
    Q_UNUSED(Installed);
}

TForm::~TForm()
{
    if (!FormPlacement)
        return;
    FormPlacement->SaveOnDestroy();
    TellPlacementFaults();
}

void TForm::showEvent(QShowEvent* Event)
{
    QWidget::showEvent(Event);
    TellPlacementFaults();
}

void TForm::closeEvent(QCloseEvent* Event)
{
    // Qt's Wayland platform closes a window together with the window it
    // belongs to. That is the program ending, not the user closing it: the
    // window stays as it is, to be saved as it was when it goes.
    const QWindow* Owner = windowHandle() ? windowHandle()->transientParent() : nullptr;
    if (Event->spontaneous() && Owner && !Owner->isVisible()) {
        Event->ignore();
        return;
    }
    QWidget::closeEvent(Event);
    if (Event->isAccepted() && FormPlacement) {
        FormPlacement->Save(TFormPlacement::srClose);
        TellPlacementFaults();
    }
}

void TForm::TellPlacementFaults()
{
    if (!FormPlacement)
        return;
    for (const QString& Fault : FormPlacement->TakeFaults())
        ShowMessageBox(nullptr, Fault);
}

bool WindowSystemFrames()
{
    const QString Platform = QGuiApplication::platformName();
    return Platform == QLatin1String("xcb") || Platform.startsWith(QLatin1String("wayland"));
}

void GiveTitleStrip(QWidget* Dialog)
{
    if (Dialog->findChild<TGradient*>(QStringLiteral("Gradient"), Qt::FindDirectChildrenOnly))
        return;
    if (!Dialog->windowFlags().testFlag(Qt::FramelessWindowHint))
        Dialog->setWindowFlags(Dialog->windowFlags() | Qt::FramelessWindowHint);
    const int Height = TGradient::StripHeight();
    if (QLayout* Layout = Dialog->layout()) {
        QMargins Margins = Layout->contentsMargins();
        Margins.setTop(Margins.top() + Height);
        Layout->setContentsMargins(Margins);
    } else {
        for (QWidget* Part : Dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!Part->isWindow())
                Part->move(Part->pos() + QPoint(0, Height));
        if (Dialog->minimumSize() == Dialog->maximumSize())
            Dialog->setFixedSize(Dialog->width(), Dialog->height() + Height);
        else
            Dialog->resize(Dialog->width(), Dialog->height() + Height);
    }
    auto* Strip = new TGradient(QStringLiteral("Gradient"), Dialog, TTitleButtons::None);
    Strip->SetFormCaption(Dialog->windowTitle());
    QObject::connect(Dialog, &QWidget::windowTitleChanged, Strip, &TGradient::SetFormCaption);
    const int Wanted = Strip->WidthForCaption();
    if (Dialog->width() < Wanted) {
        if (Dialog->minimumSize() == Dialog->maximumSize())
            Dialog->setFixedWidth(Wanted);
        else
            Dialog->setMinimumWidth(Wanted);
    }
    // Parts made while the dialog is on its way to the screen show only when told.
    Strip->show();
    Strip->raise();
}

void KeepNormalState(QWidget* Dialog)
{
    Dialog->winId();
    QWindow* Handle = Dialog->windowHandle();
    QObject::connect(Handle, &QWindow::windowStateChanged, Dialog, [Handle](Qt::WindowState State) {
        if (State == Qt::WindowMaximized || State == Qt::WindowMinimized || State == Qt::WindowFullScreen)
            Handle->setWindowStates(Qt::WindowNoState);
    });
    // Weston's X window manager leaves the keyboard with the window a dialog
    // belongs to, which the dialog blocks, and hands it back there: the dialog
    // takes it itself once shown, and whenever that window gets it.
    if (!ServerPlacesAreShown()) {
        QObject::connect(Handle, &QWindow::visibleChanged, Dialog, [Dialog](bool Visible) {
            if (Visible)
                QMetaObject::invokeMethod(Dialog, [Dialog] { Dialog->activateWindow(); }, Qt::QueuedConnection);
        });
        QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, Dialog, [Dialog, Handle](QWindow* Focus) {
            if (Focus != nullptr && Focus == Handle->transientParent() && Dialog->isVisible() && Dialog->isModal())
                Dialog->activateWindow();
        });
    } else if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        // Sway raises the window a click lands on and gives it the keyboard,
        // even the one a box blocks, and does not hand it to a box that asks
        // for it: the keys would go nowhere. A window shown afresh comes to
        // the top with the keyboard; the box's native window alone is shown
        // again, as hiding the box itself would close it.
        QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, Dialog, [Dialog, Handle](QWindow* Focus) {
            if (Focus == nullptr || Focus != Handle->transientParent() || !Dialog->isVisible() || !Dialog->isModal())
                return;
            QMetaObject::invokeMethod(
                Dialog,
                [Dialog, Handle] {
                    if (!Dialog->isVisible() || QGuiApplication::focusWindow() != Handle->transientParent())
                        return;
                    Handle->hide();
                    Handle->show();
                },
                Qt::QueuedConnection);
        });
    }
}

TDialogForm::TDialogForm(const QString& Name, QWidget* Parent)
    : QDialog(Parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          (WindowSystemFrames() ? Qt::FramelessWindowHint : Qt::WindowFlags()))
{
    setObjectName(Name);
    setModal(true);
    setFont(WindowFont());
}

// A showing the window system makes on its own, such as a restore, leaves the
// dialog where the user put it.
void TDialogForm::showEvent(QShowEvent* Event)
{
    // The parts are all in place by the first showing.
    if (!FStripGiven && WindowSystemFrames()) {
        FStripGiven = true;
        GiveTitleStrip(this);
    }
    if (!FStateKept) {
        FStateKept = true;
        KeepNormalState(this);
    }
    QDialog::showEvent(Event);
    if (Event->spontaneous())
        return;
    CentreOnScreen();
    FormShow();
}

void TDialogForm::CentreOnScreen()
{
    const QScreen* Screen = screen();
    if (Screen == nullptr)
        return;
    QRect Frame = frameGeometry();
    Frame.moveCenter(Screen->geometry().center());
    move(Frame.topLeft());
}
