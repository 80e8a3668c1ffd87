#include "platform/Components.h"
#include "platform/TestSeams.h"

#include <QPointer>

namespace {

QList<QPointer<QObject>>& Components()
{
    static QList<QPointer<QObject>> List;
    return List;
}

} // namespace

void RegisterApplicationComponent(QObject* Component)
{
    if (Component && !Components().contains(Component))
        Components().append(Component);
}

QList<QObject*> ApplicationComponents()
{
    QList<QObject*> Result;
    for (const QPointer<QObject>& Component : Components())
        if (Component)
            Result.append(Component.data());
    return Result;
}

void ClearApplicationComponents()
{
    Components().clear();
}
