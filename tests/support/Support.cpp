#include "tests/support/Support.h"

#include "platform/Version.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSettings>
#include <QWidget>

#include <csignal>

#include <sys/resource.h>

namespace {

const char* FaceName(CardFace Face)
{
    switch (Face) {
    case cfNone: return "none";
    case cfFaceUp: return "face-up";
    case cfBack: return "back";
    case cfSelected: return "selected";
    }
    return "face?";
}

const char* RankName(uint8_t Rank)
{
    static const char* const Names[] = {"-", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K", "Joker"};
    return Rank < 15 ? Names[Rank] : "?";
}

} // namespace

TCard MakeCard(uint8_t Rank, uint8_t Suit, CardFace Face, int32_t X, int32_t Y)
{
    return TCard{Suit, Rank, Face, X, Y};
}

void PrintTo(const TCard& Card, std::ostream* Os)
{
    *Os << RankName(Card.Rank) << "/" << int(Card.Suit) << " " << FaceName(Card.Face) << " at (" << Card.X << ","
        << Card.Y << ")";
}

bool operator==(const TCard& A, const TCard& B)
{
    return A.Suit == B.Suit && A.Rank == B.Rank && A.Face == B.Face && A.X == B.X && A.Y == B.Y;
}

QString FullTitle()
{
    return QStringLiteral("Zento, ") + VersionText + QLatin1Char(' ') + EditionText;
}

void MousePress(QWidget* Target, Qt::MouseButton Button, int X, int Y)
{
    QMouseEvent Event(QEvent::MouseButtonPress, QPointF(X, Y), Target->mapToGlobal(QPointF(X, Y)), Button, Button,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(Target, &Event);
}

bool ServeEventsUntil(const std::function<bool()>& Done, int Milliseconds)
{
    QDeadlineTimer Deadline(Milliseconds);
    while (!Done() && !Deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return Done();
}

void PressKey(QWidget* Target, int Key, const QString& Text)
{
    QKeyEvent Down(QEvent::KeyPress, Key, Qt::NoModifier, Text);
    QApplication::sendEvent(Target, &Down);
    QKeyEvent Up(QEvent::KeyRelease, Key, Qt::NoModifier, Text);
    QApplication::sendEvent(Target, &Up);
}

QString DataFile(const QString& Name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + Name;
}

namespace {

QString SettingsStore;

} // namespace

void PointSettingsStoreAt(const QString& Folder)
{
    SettingsStore = Folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Folder);
}

TTempFolder::TTempFolder() : FPreviousStore(SettingsStore)
{
    PointSettingsStoreAt(FDir.path());
}

TTempFolder::~TTempFolder()
{
    PointSettingsStoreAt(FPreviousStore);
}

TFileSizeLimit::TFileSizeLimit(uint64_t Bytes)
{
    rlimit Old{};
    ::getrlimit(RLIMIT_FSIZE, &Old);
    FOldSoft = Old.rlim_cur;
    FOldHard = Old.rlim_max;
    // Without this the process would be killed instead of seeing the write fail.
    FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit Limited = Old;
    Limited.rlim_cur = rlim_t(Bytes);
    ::setrlimit(RLIMIT_FSIZE, &Limited);
}

TFileSizeLimit::~TFileSizeLimit()
{
    const rlimit Old{rlim_t(FOldSoft), rlim_t(FOldHard)};
    ::setrlimit(RLIMIT_FSIZE, &Old);
    std::signal(SIGXFSZ, FOldHandler);
}

TPlayerFolders::TPlayerFolders() : FOldData(qgetenv("XDG_DATA_HOME")), FOldState(qgetenv("XDG_STATE_HOME"))
{
    qputenv("XDG_DATA_HOME", Data().toUtf8());
    qputenv("XDG_STATE_HOME", State().toUtf8());
}

TPlayerFolders::~TPlayerFolders()
{
    qputenv("XDG_DATA_HOME", FOldData);
    qputenv("XDG_STATE_HOME", FOldState);
}
