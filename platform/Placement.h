// Keeps a window's position and state between runs in the per-user settings
// store, one group per window.
#pragma once
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QList>
#include <QString>

#include <optional>

class QSettings;
class QWidget;

// Where the places are kept: the per-user settings store of the program's maker.
inline const QString StoreOrganisation = QStringLiteral("Varkon");
inline const QString StoreApplication = QStringLiteral("Zento");

// The four numbers of a stored position: split at commas or blanks, a missing or
// malformed number taking its default.
struct TFourNumbers
{
    int A, B, C, D;
};
TFourNumbers ParseFourNumbers(const QString& Text, const TFourNumbers& Defaults);

// Where a window of a frame of Size may open, as near Corner as can be: its
// whole title strip and its bottom edge on the available area of the screen
// that holds most of it, or of the first area (the primary screen's).
QPoint IntoReach(const QPoint& Corner, const QSize& Size, const QList<QRect>& Areas);

// The window state a stored show command asks for.
enum class TShowState { Normal, Minimized, Maximized };
TShowState ShowStateFor(int ShowCmd);

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

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void MoveTo(const QPoint& Corner);
    void ApplyState(TShowState State);
    QRect NormalFrame() const;
    void ReportUnsaved(const QSettings& Store, const std::optional<QString>& NormPos, const QString& Visible) const;

    QWidget* FForm;
    QString FSection;
    TPlacementRole FRole;
    bool FRestored = false;
    bool FSaved = false;
};
