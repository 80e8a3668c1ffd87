#include "platform/Placement.h"

#include "platform/Gradient.h"
#include "platform/MessageBox.h"
#include "platform/ProgramWindows.h"
#include "platform/ServerPlace.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>
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
// "Visible" says whether the window was on screen when it was saved: a window
// saved as it is destroyed was shown to the end; one saved as it closed is gone.
const QString StoredShown = QStringLiteral("1");
const QString StoredHidden = QStringLiteral("0");

QString ResolutionName(const QString& Name, const QScreen* Screen)
{
    const QSize Size = Screen ? Screen->geometry().size() : QSize();
    return Name + QStringLiteral("(%1x%2)").arg(Size.width()).arg(Size.height());
}

int CurrentPixelsPerInch(const QWidget* Form)
{
    const QScreen* Screen = Form->screen();
    return Screen ? int(std::lround(Screen->logicalDotsPerInch())) : 96;
}

// A value as text. Values written by hand without quotes that hold commas
// come back from the store as lists; they are the same text.
QString StoredText(const QSettings& Store, const QString& Key)
{
    const QVariant Value = Store.value(Key);
    if (Value.typeId() == QMetaType::QStringList)
        return Value.toStringList().join(QLatin1Char(','));
    return Value.toString();
}

// The stored text under the name for this screen size, or under the plain name.
std::optional<QString> ReadPosition(const QSettings& Store, const QString& Name, const QScreen* Screen)
{
    for (const QString& Key : {ResolutionName(Name, Screen), Name}) {
        const QString Text = StoredText(Store, Key);
        if (!Text.trimmed().isEmpty())
            return Text;
    }
    return std::nullopt;
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

QList<QRect> AvailableAreas()
{
    QList<QRect> Areas;
    if (const QScreen* Primary = QGuiApplication::primaryScreen())
        Areas << Primary->availableGeometry();
    for (const QScreen* Screen : QGuiApplication::screens())
        if (Screen != QGuiApplication::primaryScreen())
            Areas << Screen->availableGeometry();
    return Areas;
}

bool TitleStripReachable(int64_t Left, int64_t Top, int64_t Width)
{
    const QList<QRect> Areas = AvailableAreas();
    return std::any_of(Areas.begin(), Areas.end(),
                       [&](const QRect& Area) { return TitleStripReachable(Area, Left, Top, Width); });
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

namespace {

// A damaged store is read by both windows, and by every later showing, until
// a save writes it anew: it is one failure and is told once.
void ReportUnreadableStore(const QSettings& Store)
{
    static QString Reported;
    if (Store.status() == QSettings::NoError)
        return;
    const QFileInfo File(Store.fileName());
    const QString Damage = File.absoluteFilePath() + QLatin1Char('|') + QString::number(File.size()) +
                           QLatin1Char('|') + File.lastModified().toString(Qt::ISODateWithMs);
    if (Damage == Reported)
        return;
    Reported = Damage;
    ShowMessageBox(nullptr, QStringLiteral("Unable to read the window placement in %1").arg(Store.fileName()));
}

// The store exists from the first showing on, even before anything is saved in it.
void CreateStore(const QSettings& Store)
{
    const QFileInfo File(Store.fileName());
    if (File.exists() || !QDir().mkpath(File.absolutePath()))
        return;
    QFile Empty(File.absoluteFilePath());
    if (!Empty.open(QIODevice::WriteOnly))
        ShowMessageBox(nullptr, QStringLiteral("Unable to write to %1").arg(File.absoluteFilePath()));
}

// Once the window being shown is on the screen, every visible window of the
// program goes down together.
void MinimiseProgramLater(QWidget* Form)
{
    QTimer::singleShot(0, Form, [] { MinimiseProgram(); });
}

int IntOr(const QSettings& Store, const QString& Key, int Default)
{
    bool Ok = false;
    const int Value = Store.value(Key).toString().trimmed().toInt(&Ok);
    return Ok ? Value : Default;
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

TFormPlacement::TFormPlacement(QWidget* Form, const QString& Section, TPlacementRole Role)
    : QObject(Form), FForm(Form), FSection(Section), FRole(Role)
{
    setObjectName(QStringLiteral("FormPlacement"));
    Form->installEventFilter(this);
}

bool TFormPlacement::eventFilter(QObject* Watched, QEvent* Event)
{
    // Qt sends a window its own show event just before the window appears.
    if (Watched == FForm && Event->type() == QEvent::Show && !Event->spontaneous()) {
        Restore();
        if (QWindow* Handle = FForm->windowHandle())
            Handle->installEventFilter(this);
    }
    // Once on the screen, the window stands where the window manager put it,
    // whatever Qt last heard. Not on a move: a drag by hand runs ahead of the server.
    if (Watched == FForm->windowHandle() && Event->type() == QEvent::Expose && FForm->windowHandle()->isExposed())
        MatchServerPlace(FForm);
    return QObject::eventFilter(Watched, Event);
}

void TFormPlacement::Restore()
{
    FRestored = true;
    FSaved = false;
    QSettings Store(StoreOrganisation, StoreApplication);
    CreateStore(Store);
    Store.beginGroup(FSection);
    const QScreen* Screen = FForm->screen();
    // pos() is the frame's corner, and stays right before the window system has
    // given the window a frame.
    const QRect Current(FForm->pos(), FForm->frameGeometry().size());
    const std::optional<QString> MinMax = ReadPosition(Store, QStringLiteral("MinMaxPos"), Screen);
    const std::optional<QString> Normal = ReadPosition(Store, QStringLiteral("NormPos"), Screen);
    const TFourNumbers Rect = ParseFourNumbers(
        Normal.value_or(QString()),
        {Current.left(), Current.top(), Current.left() + Current.width(), Current.top() + Current.height()});
    const int PixelsPerInch = IntOr(Store, QStringLiteral("PixelsPerInch"), CurrentPixelsPerInch(FForm));
    // Both windows have fixed borders: only the corner is taken, the size stays.
    QPoint Corner = Current.topLeft();
    if ((MinMax || Normal) && PixelsPerInch == CurrentPixelsPerInch(FForm) && Rect.A < Rect.C &&
        TitleStripReachable(Rect.A, Rect.B, Current.width()))
        Corner = QPoint(Rect.A, Rect.B);
    // Where the window system places the windows itself, a move would only
    // make Qt believe the window stands where it does not. A manager that
    // ignores the request does no harm.
    if (WindowsCanBeMoved())
        MoveTo(IntoReach(Corner, Current.size(), AvailableAreas()));
    TShowState State = ShowStateFor(IntOr(Store, QStringLiteral("ShowCmd"), 0));
    // A window of fixed size has no maximised state of its own; a store that
    // says otherwise would stretch it over the screen.
    if (State == TShowState::Maximized && FForm->minimumSize() == FForm->maximumSize())
        State = TShowState::Normal;
    Store.endGroup();
    ReportUnreadableStore(Store);
    ApplyState(State);
}

void TFormPlacement::ApplyState(TShowState State)
{
    switch (State) {
    case TShowState::Normal:
        FForm->setWindowState(FForm->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        break;
    case TShowState::Minimized:
        if (FRole == TPlacementRole::MainWindow) {
            FForm->setWindowState(FForm->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
            MinimiseProgramLater(FForm);
        } else {
            FForm->setWindowState((FForm->windowState() & ~Qt::WindowMaximized) | Qt::WindowMinimized);
        }
        break;
    case TShowState::Maximized:
        FForm->setWindowState((FForm->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
        break;
    }
}

// The native window of a window being shown may not know yet the size the
// window was given before it was created; a move alone would hand it the
// native default size (640 x 480) and break the fixed layout.
void TFormPlacement::MoveTo(const QPoint& Corner)
{
    if (Corner == FForm->pos())
        return;
    if (QWindow* Handle = FForm->windowHandle(); Handle && Handle->size() != FForm->size())
        Handle->resize(FForm->size());
    FForm->move(Corner);
}

void TFormPlacement::Save(TSaveReason Reason)
{
    if (!FRestored)
        return;
    // A window already closed may be asked to close again. By then a window
    // manager has taken it off the screen and its place reads as 0,0; the
    // place saved when it really closed stands.
    if (Reason == srClose && !FForm->isVisible())
        return;
    QSettings Store(StoreOrganisation, StoreApplication);
    Store.beginGroup(FSection);
    const Qt::WindowStates State = FForm->windowState();
    const bool Minimized = State.testFlag(Qt::WindowMinimized);
    const bool Maximized = State.testFlag(Qt::WindowMaximized);
    const int Flags = Minimized && Maximized ? RestoreToMaximized : 0;
    const int ShowCmd = Minimized ? ShowMinimized : Maximized ? ShowMaximized : ShowNormal;
    Store.setValue(QStringLiteral("Flags"), QString::number(Flags));
    Store.setValue(QStringLiteral("ShowCmd"), QString::number(ShowCmd));
    // A place the window system does not tell is not known: the places kept
    // from sessions that knew them stay, with the density they were taken at.
    std::optional<QString> NormPos;
    if (WindowPositionsKnown()) {
        const QScreen* Screen = FForm->screen();
        const QRect Normal = NormalFrame();
        const QString MinMax = FourNumbersText(-1, -1, -1, -1);
        NormPos = FourNumbersText(Normal.left(), Normal.top(), Normal.left() + Normal.width(),
                                  Normal.top() + Normal.height());
        Store.setValue(QStringLiteral("PixelsPerInch"), QString::number(CurrentPixelsPerInch(FForm)));
        Store.setValue(ResolutionName(QStringLiteral("MinMaxPos"), Screen), MinMax);
        Store.setValue(QStringLiteral("MinMaxPos"), MinMax);
        Store.setValue(ResolutionName(QStringLiteral("NormPos"), Screen), *NormPos);
        Store.setValue(QStringLiteral("NormPos"), *NormPos);
    }
    const QString Visible = Reason == srDestroy ? StoredShown : StoredHidden;
    Store.setValue(QStringLiteral("Visible"), Visible);
    Store.endGroup();
    Store.sync();
    ReportUnsaved(Store, NormPos, Visible);
    FSaved = true;
}

// The normal rectangle: where the window's frame lies when it is neither
// minimised nor maximised.
QRect TFormPlacement::NormalFrame() const
{
    const QRect Frame(FrameCorner(FForm), FForm->frameGeometry().size());
    const bool Normal = !(FForm->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    if (Normal || !FForm->normalGeometry().isValid())
        return Frame;
    return FForm->normalGeometry().translated(Frame.topLeft() - FForm->geometry().topLeft());
}

// Writing over a damaged store succeeds although the store reports the
// damage it found; what counts is whether the values are there now.
void TFormPlacement::ReportUnsaved(const QSettings& Store, const std::optional<QString>& NormPos,
                                   const QString& Visible) const
{
    const QSettings Written(StoreOrganisation, StoreApplication);
    const QString Group = FSection + QLatin1Char('/');
    if (Store.status() == QSettings::AccessError ||
        (NormPos && StoredText(Written, Group + QStringLiteral("NormPos")) != *NormPos) ||
        StoredText(Written, Group + QStringLiteral("Visible")) != Visible)
        ShowMessageBox(nullptr, QStringLiteral("Unable to save the window placement in %1").arg(Store.fileName()));
}

void TFormPlacement::SaveOnDestroy()
{
    if (!FSaved)
        Save(srDestroy);
}
