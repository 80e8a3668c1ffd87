#include "platform/MessageBox.h"

#include "platform/DialogForm.h"
#include "platform/ModalRun.h"
#include "platform/ProgramWindows.h"
#include "platform/TestSeams.h"

#include <QMessageBox>

#include <functional>
#include <utility>

namespace {

std::function<void(const QString&)>& MessageBoxHandler()
{
    static std::function<void(const QString&)> Handler;
    return Handler;
}

} // namespace

void ShowMessageBox(QWidget* Parent, const QString& Text)
{
    if (MessageBoxHandler()) {
        MessageBoxHandler()(Text);
        return;
    }
    // A box of its own would be placed and stacked apart from the program's
    // windows, and could hide behind them while it blocks them.
    QMessageBox Box(QMessageBox::NoIcon, QStringLiteral("Zento"), Text, QMessageBox::Ok,
                    Parent ? Parent->window() : OwnerForBox());
    if (WindowSystemFrames()) {
        GiveTitleStrip(&Box);
        KeepNormalState(&Box);
    }
    RunModal(&Box);
}

void SetMessageBoxHandler(std::function<void(const QString&)> Handler)
{
    MessageBoxHandler() = std::move(Handler);
}
