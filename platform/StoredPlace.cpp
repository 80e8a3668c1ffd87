#include "platform/StoredPlace.h"

#include "platform/GradientPaint.h"

#include <QStringList>

#include <algorithm>
#include <cstdint>

namespace {

// The store's format comes from another window system, and keeps its numbers:
// the show commands that mean minimised or maximised (any other shows the
// window normally), and the flag of a minimised window that comes back maximised.
constexpr int ShowNormal = 1;
constexpr int ShowMinimized = 2;
constexpr int ShowMaximized = 3;
constexpr int Minimize = 6;
constexpr int ShowMinNoActive = 7;
constexpr int RestoreToMaximized = 2;

QString ResolutionName(const QString& Name, const QSize& Screen)
{
    return Name + QStringLiteral("(%1x%2)").arg(Screen.width()).arg(Screen.height());
}

// The stored text under the name for this screen size, or under the plain name.
std::optional<QString> ReadPosition(const TStoredText& Read, const QString& Name, const QSize& Screen)
{
    for (const QString& Key : {ResolutionName(Name, Screen), Name}) {
        const QString Text = Read(Key);
        if (!Text.trimmed().isEmpty())
            return Text;
    }
    return std::nullopt;
}

int NumberOr(const QString& Text, int Default)
{
    bool Ok = false;
    const int Value = Text.trimmed().toInt(&Ok);
    return Ok ? Value : Default;
}

QString FourNumbersText(int A, int B, int C, int D)
{
    return QStringLiteral("%1,%2,%3,%4").arg(A).arg(B).arg(C).arg(D);
}

// Both windows are moved by the strip along the top of their frame: the table
// window's own title strip, the memory aid's title bar. A window can be moved
// back only if that strip lies on a screen, its full height and a grip of it
// wide enough to take with the mouse. Stored numbers may be anything, so the
// sums are taken wide.
constexpr int TitleStripHeight = GradientStripHeight;
constexpr int TitleGripWidth = 48;

bool TitleStripReachable(const QRect& Screen, int64_t Left, int64_t Top, int64_t Width)
{
    const int64_t ScreenLeft = Screen.left();
    const int64_t ScreenTop = Screen.top();
    const int64_t ScreenRight = ScreenLeft + Screen.width();
    const int64_t ScreenBottom = ScreenTop + Screen.height();
    const int64_t Visible = std::min(Left + Width, ScreenRight) - std::max(Left, ScreenLeft);
    return Top >= ScreenTop && Top + TitleStripHeight <= ScreenBottom &&
           Visible >= std::min<int64_t>(Width, TitleGripWidth);
}

// How much of the window lies on an area, taken wide: stored numbers may be anything.
int64_t Overlap(const QRect& Area, const QPoint& Corner, const QSize& Size)
{
    const int64_t Width = std::min<int64_t>(Area.left() + int64_t(Area.width()), Corner.x() + int64_t(Size.width())) -
                          std::max<int64_t>(Area.left(), Corner.x());
    const int64_t Height = std::min<int64_t>(Area.top() + int64_t(Area.height()), Corner.y() + int64_t(Size.height())) -
                           std::max<int64_t>(Area.top(), Corner.y());
    return Width > 0 && Height > 0 ? Width * Height : 0;
}

} // namespace

TFourNumbers ParseFourNumbers(const QString& Text, const TFourNumbers& Defaults)
{
    // Split at any run of commas and blanks; a regular expression would load
    // its engine at every start for these few characters.
    QStringList Parts(QString{});
    bool InSeparator = false;
    for (const QChar C : Text.trimmed()) {
        const bool Separator = C == QLatin1Char(',') || C.isSpace();
        if (Separator && !InSeparator)
            Parts << QString();
        else if (!Separator)
            Parts.last() += C;
        InSeparator = Separator;
    }
    const int Fallback[4] = {Defaults.A, Defaults.B, Defaults.C, Defaults.D};
    int Values[4];
    for (int I = 0; I < 4; ++I) {
        bool Ok = false;
        const int Value = I < Parts.size() ? Parts[I].toInt(&Ok) : 0;
        Values[I] = Ok ? Value : Fallback[I];
    }
    return {Values[0], Values[1], Values[2], Values[3]};
}

QPoint IntoReach(const QPoint& Corner, const QSize& Size, const QList<QRect>& Areas)
{
    if (Areas.isEmpty())
        return Corner;
    // The screen that holds most of the window, or the first when none holds any.
    const QRect* Area = &Areas.front();
    int64_t Most = 0;
    for (const QRect& Candidate : Areas)
        if (const int64_t Part = Overlap(Candidate, Corner, Size); Part > Most) {
            Most = Part;
            Area = &Candidate;
        }
    const int Right = std::max(Area->left(), Area->left() + Area->width() - Size.width());
    const int Bottom = std::max(Area->top(), Area->top() + Area->height() - Size.height());
    return QPoint(std::clamp(Corner.x(), Area->left(), Right), std::clamp(Corner.y(), Area->top(), Bottom));
}

TShowState ShowStateFor(int ShowCmd)
{
    switch (ShowCmd) {
    case ShowMinimized:
    case Minimize:
    case ShowMinNoActive:
        return TShowState::Minimized;
    case ShowMaximized:
        return TShowState::Maximized;
    default:
        return TShowState::Normal;
    }
}

TStoredPlace ReadStoredPlace(const TStoredText& Read, const QSize& Screen)
{
    return {ReadPosition(Read, QStringLiteral("MinMaxPos"), Screen), ReadPosition(Read, QStringLiteral("NormPos"), Screen),
            Read(QStringLiteral("PixelsPerInch")), Read(QStringLiteral("ShowCmd"))};
}

// Both windows have fixed borders: only the corner is taken, the size stays.
QPoint CornerToRestore(const TStoredPlace& Stored, const TShowingWindow& Window)
{
    const QRect& Current = Window.Frame;
    const TFourNumbers Rect = ParseFourNumbers(
        Stored.NormPos.value_or(QString()),
        {Current.left(), Current.top(), Current.left() + Current.width(), Current.top() + Current.height()});
    const bool SameDensity = NumberOr(Stored.PixelsPerInch, Window.PixelsPerInch) == Window.PixelsPerInch;
    const bool InReach = std::any_of(Window.Areas.begin(), Window.Areas.end(), [&](const QRect& Area) {
        return TitleStripReachable(Area, Rect.A, Rect.B, Current.width());
    });
    QPoint Corner = Current.topLeft();
    if ((Stored.MinMaxPos || Stored.NormPos) && SameDensity && Rect.A < Rect.C && InReach)
        Corner = QPoint(Rect.A, Rect.B);
    return IntoReach(Corner, Current.size(), Window.Areas);
}

TShowState StateToRestore(const TStoredPlace& Stored, const TShowingWindow& Window)
{
    const TShowState State = ShowStateFor(NumberOr(Stored.ShowCmd, 0));
    // A store that says otherwise would stretch a window of fixed size over the screen.
    if (State == TShowState::Maximized && Window.FixedSize)
        return TShowState::Normal;
    return State;
}

QList<TStoredValue> ValuesToSave(const TSavingWindow& Window)
{
    const int Flags = Window.Minimized && Window.Maximized ? RestoreToMaximized : 0;
    const int ShowCmd = Window.Minimized ? ShowMinimized : Window.Maximized ? ShowMaximized : ShowNormal;
    QList<TStoredValue> Values{{QStringLiteral("Flags"), QString::number(Flags)},
                               {QStringLiteral("ShowCmd"), QString::number(ShowCmd)}};
    // A place the window system does not tell is not known: the places kept
    // from sessions that knew them stay, with the density they were taken at.
    if (const std::optional<QRect>& Normal = Window.Normal) {
        const QString MinMax = FourNumbersText(-1, -1, -1, -1);
        const QString NormPos = FourNumbersText(Normal->left(), Normal->top(), Normal->left() + Normal->width(),
                                                Normal->top() + Normal->height());
        Values << TStoredValue{QStringLiteral("PixelsPerInch"), QString::number(Window.PixelsPerInch)}
               << TStoredValue{ResolutionName(QStringLiteral("MinMaxPos"), Window.Screen), MinMax}
               << TStoredValue{QStringLiteral("MinMaxPos"), MinMax}
               << TStoredValue{ResolutionName(QStringLiteral("NormPos"), Window.Screen), NormPos}
               << TStoredValue{QStringLiteral("NormPos"), NormPos};
    }
    // "Visible" says whether the window was on screen when it was saved: a window
    // saved as the program ends was shown to the end; one saved as it closed is gone.
    Values << TStoredValue{QStringLiteral("Visible"), Window.Shown ? QStringLiteral("1") : QStringLiteral("0")};
    return Values;
}
