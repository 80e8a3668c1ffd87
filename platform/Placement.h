// Keeps a window's position and state between runs in the per-user settings
// store, one group per window: reads the store as the window shows, applies
// what it holds, and writes the window's place back.
#pragma once
#include "platform/StoredPlace.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QSettings;
class QWidget;

// Where the places are kept: the per-user settings store of the program's maker.
inline const QString StoreOrganisation = QStringLiteral("Varkon");
inline const QString StoreApplication = QStringLiteral("Zento");

// The main window stands for the whole program: stored as minimised, it
// minimises every window of the program instead of itself alone.
enum class TPlacementRole { MainWindow, OtherWindow };

class TFormPlacement : public QObject
{
    Q_OBJECT
public:
    // Section is the window's group in the store.
    TFormPlacement(QWidget* Form, const QString& Section, TPlacementRole Role);

    enum TSaveReason { srClose, srDestroy };

    // Every time the window is shown, before its own show handler.
    void Restore();
    // On closing, after the window agreed to close; on destruction only when
    // nothing was saved since the window was last shown.
    void Save(TSaveReason Reason);
    void SaveOnDestroy();

    // What went wrong with the store and is not told yet, in the words the
    // user is told, oldest first; taking them empties the list. Placement
    // never tells anything itself: it may be working for a window that is
    // going and must not run a message box's loop.
    QStringList TakeFaults();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void MoveTo(const QPoint& Corner);
    void ApplyState(TShowState State);
    TSavingWindow SavingWindow(TSaveReason Reason) const;
    void CheckSaved(const QSettings& Store, const QList<TStoredValue>& Values);
    void CheckReadable(const QSettings& Store);
    void CreateStore(const QSettings& Store);

    QWidget* FForm;
    QString FSection;
    TPlacementRole FRole;
    bool FRestored = false;
    bool FSaved = false;
    QStringList FFaults;
};
