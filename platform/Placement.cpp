#include "platform/Placement.h"

#include "platform/ProgramWindows.h"
#include "platform/ServerPlace.h"

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
#include <utility>

namespace {

QSize ScreenSize(const QWidget* Form)
{
    const QScreen* Screen = Form->screen();
    return Screen ? Screen->geometry().size() : QSize();
}

int CurrentPixelsPerInch(const QWidget* Form)
{
    const QScreen* Screen = Form->screen();
    return Screen ? int(std::lround(Screen->logicalDotsPerInch())) : 96;
}

// The primary screen's first.
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

// A value as text. Values written by hand without quotes that hold commas
// come back from the store as lists; they are the same text.
QString StoredText(const QSettings& Store, const QString& Key)
{
    const QVariant Value = Store.value(Key);
    if (Value.typeId() == QMetaType::QStringList)
        return Value.toStringList().join(QLatin1Char(','));
    return Value.toString();
}

// The normal rectangle: where the window's frame lies when it is neither
// minimised nor maximised.
QRect NormalFrame(const QWidget* Form)
{
    const QRect Frame(FrameCorner(Form), Form->frameGeometry().size());
    const bool Normal = !(Form->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    if (Normal || !Form->normalGeometry().isValid())
        return Frame;
    return Form->normalGeometry().translated(Frame.topLeft() - Form->geometry().topLeft());
}

} // namespace

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

QStringList TFormPlacement::TakeFaults()
{
    return std::exchange(FFaults, {});
}

void TFormPlacement::Restore()
{
    FRestored = true;
    FSaved = false;
    QSettings Store(StoreOrganisation, StoreApplication);
    CreateStore(Store);
    Store.beginGroup(FSection);
    const TStoredPlace Stored =
        ReadStoredPlace([&Store](const QString& Name) { return StoredText(Store, Name); }, ScreenSize(FForm));
    Store.endGroup();
    // pos() is the frame's corner, and stays right before the window system has
    // given the window a frame.
    const TShowingWindow Window{QRect(FForm->pos(), FForm->frameGeometry().size()), CurrentPixelsPerInch(FForm),
                                FForm->minimumSize() == FForm->maximumSize(), AvailableAreas()};
    // Where the window system places the windows itself, a move would only
    // make Qt believe the window stands where it does not. A manager that
    // ignores the request does no harm.
    if (WindowsCanBeMoved())
        MoveTo(CornerToRestore(Stored, Window));
    CheckReadable(Store);
    ApplyState(StateToRestore(Stored, Window));
}

// The store exists from the first showing on, even before anything is saved in it.
void TFormPlacement::CreateStore(const QSettings& Store)
{
    const QFileInfo File(Store.fileName());
    if (File.exists() || !QDir().mkpath(File.absolutePath()))
        return;
    QFile Empty(File.absoluteFilePath());
    if (!Empty.open(QIODevice::WriteOnly))
        FFaults << QStringLiteral("Unable to write to %1").arg(File.absoluteFilePath());
}

// A damaged store is read by both windows, and by every later showing, until
// a save writes it anew: it is one failure and is told once.
void TFormPlacement::CheckReadable(const QSettings& Store)
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
    FFaults << QStringLiteral("Unable to read the window placement in %1").arg(Store.fileName());
}

void TFormPlacement::ApplyState(TShowState State)
{
    const Qt::WindowStates Plain = FForm->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    switch (State) {
    case TShowState::Normal:
        FForm->setWindowState(Plain);
        break;
    case TShowState::Minimized:
        if (FRole == TPlacementRole::MainWindow) {
            FForm->setWindowState(Plain);
            // Once the window being shown is on the screen, every visible
            // window of the program goes down together.
            QTimer::singleShot(0, FForm, [] { MinimiseProgram(); });
        } else {
            FForm->setWindowState(Plain | Qt::WindowMinimized);
        }
        break;
    case TShowState::Maximized:
        FForm->setWindowState(Plain | Qt::WindowMaximized);
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
    const QList<TStoredValue> Values = ValuesToSave(SavingWindow(Reason));
    QSettings Store(StoreOrganisation, StoreApplication);
    Store.beginGroup(FSection);
    for (const TStoredValue& Value : Values)
        Store.setValue(Value.Name, Value.Text);
    Store.endGroup();
    Store.sync();
    CheckSaved(Store, Values);
    FSaved = true;
}

TSavingWindow TFormPlacement::SavingWindow(TSaveReason Reason) const
{
    const Qt::WindowStates State = FForm->windowState();
    TSavingWindow Window{State.testFlag(Qt::WindowMinimized), State.testFlag(Qt::WindowMaximized), std::nullopt,
                         CurrentPixelsPerInch(FForm), ScreenSize(FForm), Reason == srDestroy};
    if (WindowPositionsKnown())
        Window.Normal = NormalFrame(FForm);
    return Window;
}

// Writing over a damaged store succeeds although the store reports the
// damage it found; what counts is whether the values are there now.
void TFormPlacement::CheckSaved(const QSettings& Store, const QList<TStoredValue>& Values)
{
    const QSettings Written(StoreOrganisation, StoreApplication);
    const QString Group = FSection + QLatin1Char('/');
    const bool AllThere = std::all_of(Values.begin(), Values.end(), [&](const TStoredValue& Value) {
        return StoredText(Written, Group + Value.Name) == Value.Text;
    });
    if (Store.status() == QSettings::AccessError || !AllThere)
        FFaults << QStringLiteral("Unable to save the window placement in %1").arg(Store.fileName());
}

void TFormPlacement::SaveOnDestroy()
{
    if (!FSaved)
        Save(srDestroy);
}
