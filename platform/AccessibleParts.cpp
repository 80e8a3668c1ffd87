#include "platform/AccessibleParts.h"

// By number, not by pointer: as the program ends, Qt's accessibility deletes
// every interface it still holds in no particular order, and a part may have
// gone before its keeper. A number it no longer holds it passes over.
TAccessibleParts::~TAccessibleParts()
{
    for (const QAccessible::Id Id : FIds)
        QAccessible::deleteAccessibleInterface(Id);
}
