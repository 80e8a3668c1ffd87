// Window parts that can be reached by name and whose texts can be set by
// property name: Caption on windows, menu items, labels and buttons, Lines on
// multi-line text boxes.
#pragma once
#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QFont>
#include <QLabel>
#include <QObject>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QStringList>
#include <QWidget>

class QStyleOptionMenuItem;
class TFormPlacement;

// A menu command. Its check mark is changed only by the handlers: Qt's own
// toggle on a click is undone before Click is sent.
class TMenuItem : public QAction
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    TMenuItem(const QString& Name, const QString& Caption, QObject* Owner);
    QString Caption() const { return text(); }
    void SetCaption(const QString& Value) { setText(Value); }

signals:
    void Click();
};

// "MS Sans Serif" at 8 points, the font of every window; where it is missing the
// platform's sans serif stands in.
QFont WindowFont();

// Puts a 16 x 16 glyph from the resources on a button. The colour of the
// glyph's lower-left pixel is its ground and becomes see-through.
void SetButtonGlyph(QAbstractButton* Button, const QString& Resource);

class TLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    TLabel(const QString& Name, const QString& Caption, QWidget* Parent);
    QString Caption() const { return text(); }
    void SetCaption(const QString& Value) { setText(Value); }
    // The caption as drawn: cut with an ellipsis where it is wider than the label.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* Event) override;
};

class TButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    TButton(const QString& Name, const QString& Caption, QWidget* Parent);
    QString Caption() const { return text(); }
    void SetCaption(const QString& Value) { setText(Value); }
    // The caption as drawn: cut with an ellipsis where it is wider than the
    // room beside the glyph.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* Event) override;
};

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

// A read-only, borderless multi-line text box.
class TMemo : public QPlainTextEdit
{
    Q_OBJECT
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
public:
    TMemo(const QString& Name, QWidget* Parent);
    QStringList Lines() const;
    // One shown line for each given line: a line break inside a line shows as a blank.
    void SetLines(const QStringList& Value);

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void ShowPendingLines();

    QStringList FLines;
    // Lines set while the box was hidden, not yet laid out.
    bool FLinesPending = false;
};

// A top-level window whose title is its Caption.
class TForm : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    explicit TForm(const QString& Name, QWidget* Parent = nullptr, Qt::WindowFlags Flags = {});
    // A placed window is saved when it closes, and when it goes unless that
    // was saved since it was last shown.
    ~TForm() override;
    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& Value) { setWindowTitle(Value); }

    // The window's stored place, for the windows that come back where they were left.
    TFormPlacement* FormPlacement = nullptr;

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;

private:
    // What the store could not give or take, told once the window has done with it.
    void TellPlacementFaults();
};

// Whether the windows are shown by a real window system, which would frame a
// dialog with a title bar and buttons of its own choosing.
bool WindowSystemFrames();

// Puts the program's own title strip, without buttons, along the top of a
// frameless dialog, and makes the dialog wide enough for the whole title.
// Window managers and the frames Qt draws for Wayland offer minimise and
// maximise on dialogs whatever the dialog asks, and cut their titles short;
// a maximised dialog of fixed size is a protocol error on strict compositors.
// A dialog laid out by hand grows by the strip, its parts moving down with it.
void GiveTitleStrip(QWidget* Dialog);

// A dialog of fixed size has neither a maximised nor a minimised state: a
// request for one is taken back at once, before the window system can hold the
// dialog to a size it cannot take (weston ends the program), or leave the
// table blocked by a dialog nowhere on the screen. Creates the native window.
void KeepNormalState(QWidget* Dialog);

// A dialog window, shown modally, whose title is its Caption. Its border has a
// title but none of the title bar's buttons.
class TDialogForm : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    explicit TDialogForm(const QString& Name, QWidget* Parent = nullptr);
    // Both dialogs open in the middle of the screen.
    void CentreOnScreen();
    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& Value) { setWindowTitle(Value); }
    // Runs at every showing the program asks for, after centring.
    virtual void FormShow() {}

protected:
    void showEvent(QShowEvent* Event) override;

private:
    bool FStripGiven = false;
    bool FStateKept = false;
};
