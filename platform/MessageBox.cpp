#include "platform/MessageBox.h"

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
    QMessageBox Box(QMessageBox::NoIcon, QStringLiteral("Zento"), Text, QMessageBox::Ok, Parent);
    Box.exec();
}

void SetMessageBoxHandler(std::function<void(const QString&)> Handler)
{
    MessageBoxHandler() = std::move(Handler);
}
