// What the per-user store keeps of a window's place and state, in the store's
// own names and texts, and the geometry that decides where a window may come
// back. No window is needed for any of it: the window's part comes as numbers.
#pragma once
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

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

// One window's group in the store as far as a showing reads it: the positions
// under the name for the screen's size or else the plain name, nothing where
// neither holds one; the numbers as the texts the store holds.
struct TStoredPlace
{
    std::optional<QString> MinMaxPos;
    std::optional<QString> NormPos;
    QString PixelsPerInch;
    QString ShowCmd;
};
// Read answers the text stored under a name, empty where there is none.
using TStoredText = std::function<QString(const QString& Name)>;
TStoredPlace ReadStoredPlace(const TStoredText& Read, const QSize& Screen);

// A window being shown, as the window system has it now.
struct TShowingWindow
{
    // The frame's corner and size.
    QRect Frame;
    int PixelsPerInch;
    // A window of fixed size has no maximised state of its own.
    bool FixedSize;
    // The screens' available areas, the primary screen's first.
    QList<QRect> Areas;
};
// Where the window opens: the stored corner where it fits the rules of the
// store and keeps the title strip in reach, else where it stands; either way
// pulled wholly onto a screen.
QPoint CornerToRestore(const TStoredPlace& Stored, const TShowingWindow& Window);
TShowState StateToRestore(const TStoredPlace& Stored, const TShowingWindow& Window);

// A window being saved.
struct TSavingWindow
{
    bool Minimized;
    bool Maximized;
    // Where the frame lies when neither minimised nor maximised; nothing where
    // the window system does not tell.
    std::optional<QRect> Normal;
    int PixelsPerInch;
    QSize Screen;
    // Saved as the program ends with the window still on the screen, rather
    // than as it closes.
    bool Shown;
};
struct TStoredValue
{
    QString Name;
    QString Text;
};
// The values a save writes, in the order it writes them.
QList<TStoredValue> ValuesToSave(const TSavingWindow& Window);
