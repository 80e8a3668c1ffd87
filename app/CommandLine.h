// What the program answers before it opens a window: its options, and a
// display that cannot be opened.
#pragma once
#include <QString>
#include <QStringList>

enum TCommandAction { caPlay, caHelp, caVersion, caUsageError };

// What to do, and the text to print for it: the help, the version, or the
// line that names a wrong argument.
struct TCommandLine
{
    TCommandAction Action = caPlay;
    QString Text;
};

// The arguments after the program's name. The game takes no files, so
// anything but its own options is a usage error.
TCommandLine ReadCommandLine(const QStringList& Arguments);

// The exit status that goes with each action.
int CommandStatus(TCommandAction Action);

// While it lives, the platform's fatal message (no display can be opened)
// ends the program with one line and status 1 instead of an abort and its
// core dump. Messages meanwhile are held, and passed on if the start
// succeeds.
class TDisplayGuard
{
public:
    TDisplayGuard();
    ~TDisplayGuard();
    TDisplayGuard(const TDisplayGuard&) = delete;
    TDisplayGuard& operator=(const TDisplayGuard&) = delete;
};

// The one line said when no display can be opened, naming the one tried.
QString NoDisplayText();
