// The application object's own components: the program's windows, in the order
// they were created. Paths of component names start here.
#pragma once
#include <QList>
#include <QObject>

// A component that is destroyed drops out of the list by itself.
void RegisterApplicationComponent(QObject* Component);
QList<QObject*> ApplicationComponents();
