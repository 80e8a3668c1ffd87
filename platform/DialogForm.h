// The program's dialogs: modal windows of fixed size with the program's own
// title strip where a window system would frame them.
#pragma once
#include <QDialog>
#include <QString>

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
