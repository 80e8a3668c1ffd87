// The interfaces an accessible interface makes for parts of its widget that
// are no widgets of their own. Each is registered with Qt's accessibility, so
// that events can name it, and goes with the interface that made it, as the
// parts of Qt's own tables go with theirs.
#pragma once
#include <QAccessible>

#include <vector>

class TAccessibleParts
{
public:
    TAccessibleParts() = default;
    ~TAccessibleParts();
    TAccessibleParts(const TAccessibleParts&) = delete;
    TAccessibleParts& operator=(const TAccessibleParts&) = delete;

    // Registers Part and keeps it until the keeper goes.
    template <typename TPart>
    TPart* Keep(TPart* Part)
    {
        FIds.push_back(QAccessible::registerAccessibleInterface(Part));
        return Part;
    }

private:
    std::vector<QAccessible::Id> FIds;
};
