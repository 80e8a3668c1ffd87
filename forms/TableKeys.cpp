#include "forms/TableKeys.h"

bool IsPlayKey(int Key, Qt::KeyboardModifiers Modifiers)
{
    if (Modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    for (const int Played : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape})
        if (Key == Played)
            return true;
    return false;
}

bool PlayKey(TGame& Game, TTable& Table, int Key, Qt::KeyboardModifiers Modifiers)
{
    if (!IsPlayKey(Key, Modifiers))
        return false;
    switch (Key) {
    case Qt::Key_Left:
        StepSelection(Game, Table, TStep::Previous);
        return true;
    case Qt::Key_Right:
        StepSelection(Game, Table, TStep::Next);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        PlayTurn(Game, Table);
        return true;
    case Qt::Key_Escape:
        ClearSelection(Game, Table);
        return true;
    default:
        return false;
    }
}
