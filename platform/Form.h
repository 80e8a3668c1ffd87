// The program's top-level windows: reached by name, titled by their Caption,
// and brought back where they were left.
#pragma once
#include <QString>
#include <QStringList>
#include <QWidget>

class TFormPlacement;

// A top-level window whose title is its Caption.
class TForm : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    explicit TForm(const QString& Name, QWidget* Parent = nullptr, Qt::WindowFlags Flags = {});
    // A placed window is saved when it closes, and when it goes unless that
    // was saved since it was last shown. What goes wrong as it goes is left
    // for the program to tell (TakeUntoldFaults).
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

// What windows that are gone could not tell, in the words the user is told,
// oldest first; taking them empties the list.
QStringList TakeUntoldFaults();
