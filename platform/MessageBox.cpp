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

std::function<bool(const QString&)>& QuestionHandler()
{
    static std::function<bool(const QString&)> Handler;
    return Handler;
}

// A box of its own would be placed and stacked apart from the program's
// windows, and could hide behind them while it blocks them.
QMessageBox::StandardButton RunBox(QWidget* Parent, const QString& Text, QMessageBox::StandardButtons Buttons,
                                   QMessageBox::StandardButton Default)
{
    QMessageBox Box(QMessageBox::NoIcon, QStringLiteral("Zento"), Text, Buttons,
                    Parent ? Parent->window() : OwnerForBox());
    Box.setDefaultButton(Default);
    if (WindowSystemFrames()) {
        GiveTitleStrip(&Box);
        KeepNormalState(&Box);
    }
    RunModal(&Box);
    return Box.standardButton(Box.clickedButton());
}

} // namespace

void ShowMessageBox(QWidget* Parent, const QString& Text)
{
    if (MessageBoxHandler()) {
        MessageBoxHandler()(Text);
        return;
    }
    RunBox(Parent, Text, QMessageBox::Ok, QMessageBox::Ok);
}

bool AskQuestion(QWidget* Parent, const QString& Text)
{
    if (QuestionHandler())
        return QuestionHandler()(Text);
    return RunBox(Parent, Text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void SetQuestionHandler(std::function<bool(const QString&)> Handler)
{
    QuestionHandler() = std::move(Handler);
}

void SetMessageBoxHandler(std::function<void(const QString&)> Handler)
{
    MessageBoxHandler() = std::move(Handler);
}
