// Window parts that can be reached by name and whose texts can be set by
// property name: Caption on menu items, labels and buttons, Lines on
// multi-line text boxes. Labels and buttons cut a caption too long for them.
#pragma once
#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <QStringList>

class QAbstractButton;

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
