#include "platform/Placement.h"

#include "platform/Controls.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QWidget>

#include <cmath>

namespace {

const QString Organisation = QStringLiteral("Varkon");
const QString Application = QStringLiteral("Zento");

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

// The stored text under the name for this screen size, or under the plain name.
std::optional<QString> ReadPosition(const QSettings& Store, const QString& Name, const QScreen* Screen)
{
    for (const QString& Key : {ResolutionName(Name, Screen), Name}) {
        const QString Text = Store.value(Key).toString();
        if (!Text.trimmed().isEmpty())
            return Text;
    }
    return std::nullopt;
}

QString FourNumbersText(int A, int B, int C, int D)
{
    return QStringLiteral("%1,%2,%3,%4").arg(A).arg(B).arg(C).arg(D);
}

// A stored position that lies wholly off every screen would hide the window; it
// is better left where it was designed to be.
bool OnSomeScreen(const QRect& Rect)
{
    for (const QScreen* Screen : QGuiApplication::screens())
        if (Screen->availableVirtualGeometry().intersects(Rect))
            return true;
    return QGuiApplication::screens().isEmpty();
}

void ReportStoreError(const QSettings& Store, const QString& Action)
{
    if (Store.status() == QSettings::NoError)
        return;
    ShowMessageBox(nullptr, QStringLiteral("Unable to %1 the window placement in %2").arg(Action, Store.fileName()));
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
    QTimer::singleShot(0, Form, [] {
        for (QWidget* Window : QApplication::topLevelWidgets())
            if (Window->isVisible() && Window->isWindow() && !Window->windowFlags().testFlag(Qt::Popup))
                Window->showMinimized();
    });
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
    static const QRegularExpression Separators(QStringLiteral("[,\\s]+"));
    const QStringList Parts = Text.trimmed().split(Separators);
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
    case 2:
    case 6:
    case 7:
        return TShowState::Minimized;
    case 3:
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
    if (Watched == FForm && Event->type() == QEvent::Show && !Event->spontaneous())
        Restore();
    return QObject::eventFilter(Watched, Event);
}

void TFormPlacement::Restore()
{
    FRestored = true;
    FSaved = false;
    QSettings Store(Organisation, Application);
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
    const QRect Target(QPoint(Rect.A, Rect.B), Current.size());
    if ((MinMax || Normal) && PixelsPerInch == CurrentPixelsPerInch(FForm) && Rect.A < Rect.C && OnSomeScreen(Target))
        FForm->move(Target.topLeft());
    const TShowState State = ShowStateFor(IntOr(Store, QStringLiteral("ShowCmd"), 0));
    Store.endGroup();
    ReportStoreError(Store, QStringLiteral("read"));
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

void TFormPlacement::Save(TSaveReason Reason)
{
    if (!FRestored)
        return;
    QSettings Store(Organisation, Application);
    Store.beginGroup(FSection);
    const Qt::WindowStates State = FForm->windowState();
    const bool Minimized = State.testFlag(Qt::WindowMinimized);
    const bool Maximized = State.testFlag(Qt::WindowMaximized);
    const int Flags = Minimized && Maximized ? 2 : 0;
    const int ShowCmd = Minimized ? 2 : Maximized ? 3 : 1;
    // The normal rectangle: where the window's frame lies when it is neither
    // minimised nor maximised.
    const QRect Frame(FForm->pos(), FForm->frameGeometry().size());
    const QRect Normal = (Minimized || Maximized) && FForm->normalGeometry().isValid()
                             ? FForm->normalGeometry().translated(Frame.topLeft() - FForm->geometry().topLeft())
                             : Frame;
    const QScreen* Screen = FForm->screen();
    const QString MinMax = FourNumbersText(-1, -1, -1, -1);
    const QString NormPos =
        FourNumbersText(Normal.left(), Normal.top(), Normal.left() + Normal.width(), Normal.top() + Normal.height());
    Store.setValue(QStringLiteral("Flags"), QString::number(Flags));
    Store.setValue(QStringLiteral("ShowCmd"), QString::number(ShowCmd));
    Store.setValue(QStringLiteral("PixelsPerInch"), QString::number(CurrentPixelsPerInch(FForm)));
    Store.setValue(ResolutionName(QStringLiteral("MinMaxPos"), Screen), MinMax);
    Store.setValue(QStringLiteral("MinMaxPos"), MinMax);
    Store.setValue(ResolutionName(QStringLiteral("NormPos"), Screen), NormPos);
    Store.setValue(QStringLiteral("NormPos"), NormPos);
    Store.setValue(QStringLiteral("Visible"), Reason == srDestroy ? QStringLiteral("1") : QStringLiteral("0"));
    Store.endGroup();
    Store.sync();
    ReportStoreError(Store, QStringLiteral("save"));
    FSaved = true;
}

void TFormPlacement::SaveOnDestroy()
{
    if (!FSaved)
        Save(srDestroy);
}
