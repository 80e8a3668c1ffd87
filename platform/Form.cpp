#include "platform/Form.h"

#include "platform/MessageBox.h"
#include "platform/Placement.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QShowEvent>
#include <QWindow>

#include <utility>

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

QStringList& UntoldFaults()
{
    static QStringList Faults;
    return Faults;
}

} // namespace

TForm::TForm(const QString& Name, QWidget* Parent, Qt::WindowFlags Flags) : QWidget(Parent, Flags)
{
    setObjectName(Name);
    static const bool Installed = (QAccessible::installFactory(FormInterface), true);
    Q_UNUSED(Installed);
}

QStringList TakeUntoldFaults()
{
    return std::exchange(UntoldFaults(), {});
}

// A message box here would run its loop while the window is half gone, and
// a repaint would call into parts already destroyed.
TForm::~TForm()
{
    if (!FormPlacement)
        return;
    FormPlacement->SaveOnDestroy();
    UntoldFaults() << FormPlacement->TakeFaults();
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
