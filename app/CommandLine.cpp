#include "app/CommandLine.h"

#include "platform/Version.h"

#include <QList>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace {

const QString HelpText = QStringLiteral(
    "Usage: zento [OPTION]\n"
    "Plays the Greek fishing card game Zento against the computer.\n"
    "\n"
    "  -h, --help     print this help and exit\n"
    "  -v, --version  print the version and exit\n"
    "\n"
    "Without an option the game opens its window; it needs a display\n"
    "(DISPLAY or WAYLAND_DISPLAY). The settings file zento.ini lies in the\n"
    "folder the game is started from.\n");

const QString TryHelp = QStringLiteral("Try 'zento --help' for more information.\n");

bool IsOption(const QString& Argument, const char* Short, const char* Long)
{
    return Argument == QLatin1String(Short) || Argument == QLatin1String(Long);
}

// The context's strings are the caller's literals, which outlive the start.
struct THeldMessage
{
    QtMsgType Type;
    const char* File;
    int Line;
    const char* Function;
    const char* Category;
    QString Text;
};

QtMessageHandler PreviousHandler = nullptr;
QList<THeldMessage>* HeldMessages = nullptr;

void HoldOrEnd(QtMsgType Type, const QMessageLogContext& Context, const QString& Text)
{
    if (Type == QtFatalMsg) {
        std::fputs(qPrintable(NoDisplayText() + QLatin1Char('\n')), stderr);
        std::fflush(stderr);
        // The platform has no way back from here; leaving now keeps its abort and core dump away.
        std::_Exit(1);
    }
    HeldMessages->append({Type, Context.file, Context.line, Context.function, Context.category, Text});
}

} // namespace

TCommandLine ReadCommandLine(const QStringList& Arguments)
{
    if (Arguments.isEmpty())
        return {caPlay, QString()};
    const QString& First = Arguments.first();
    if (Arguments.size() == 1 && IsOption(First, "-h", "--help"))
        return {caHelp, HelpText};
    if (Arguments.size() == 1 && IsOption(First, "-v", "--version"))
        return {caVersion, QStringLiteral("Zento, %1 %2\n").arg(VersionText, EditionText)};
    for (const QString& Argument : Arguments) {
        const bool Known = IsOption(Argument, "-h", "--help") || IsOption(Argument, "-v", "--version");
        if (Argument.startsWith(QLatin1Char('-')) && !Known)
            return {caUsageError, QStringLiteral("zento: unknown option '%1'\n").arg(Argument) + TryHelp};
        if (!Argument.startsWith(QLatin1Char('-')))
            return {caUsageError, QStringLiteral("zento: unexpected argument '%1'\n").arg(Argument) + TryHelp};
    }
    return {caUsageError, QStringLiteral("zento: one option at a time\n") + TryHelp};
}

int CommandStatus(TCommandAction Action)
{
    switch (Action) {
    case caPlay:
    case caHelp:
    case caVersion:
        return 0;
    case caUsageError:
        break;
    }
    return 2;
}

QString NoDisplayText()
{
    const QString Platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!Platform.isEmpty())
        return QStringLiteral("zento: cannot open the display (platform %1)").arg(Platform);
    const QString Wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    const QString X11 = qEnvironmentVariable("DISPLAY");
    if (Wayland.isEmpty() && X11.isEmpty())
        return QStringLiteral("zento: no display to open (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    return QStringLiteral("zento: cannot open the display %1").arg(X11.isEmpty() ? Wayland : X11);
}

TDisplayGuard::TDisplayGuard()
{
    HeldMessages = new QList<THeldMessage>;
    PreviousHandler = qInstallMessageHandler(HoldOrEnd);
}

TDisplayGuard::~TDisplayGuard()
{
    qInstallMessageHandler(PreviousHandler);
    for (const THeldMessage& Message : *HeldMessages)
        qt_message_output(Message.Type, QMessageLogContext(Message.File, Message.Line, Message.Function, Message.Category),
                          Message.Text);
    delete HeldMessages;
    HeldMessages = nullptr;
}
