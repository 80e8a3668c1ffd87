// Starts a program and reports when its first top-level window of at least a
// given size is mapped. The start and the map are read off one monotonic clock
// in this process, so the figure holds no launcher overhead of its own.
//
//   mapwatch MIN_WIDTH MIN_HEIGHT TIMEOUT_S PROGRAM [ARGUMENTS...]
//
// Prints "PID MILLISECONDS WIDTH HEIGHT WINDOW" once the window maps, then
// waits for the program to end and exits with its status. Prints "PID timeout"
// and ends the program when no such window maps in time.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double NowMs()
{
    timespec Now{};
    clock_gettime(CLOCK_MONOTONIC, &Now);
    return double(Now.tv_sec) * 1000.0 + double(Now.tv_nsec) / 1e6;
}

// The owner's process id when the window says it, otherwise -1.
long WindowPid(Display* X, Window W)
{
    const Atom NetWmPid = XInternAtom(X, "_NET_WM_PID", True);
    if (NetWmPid == None)
        return -1;
    Atom Type = None;
    int Format = 0;
    unsigned long Count = 0, After = 0;
    unsigned char* Data = nullptr;
    long Pid = -1;
    if (XGetWindowProperty(X, W, NetWmPid, 0, 1, False, XA_CARDINAL, &Type, &Format, &Count, &After, &Data) == Success &&
        Data && Format == 32 && Count == 1)
        Pid = long(*reinterpret_cast<unsigned long*>(Data));
    if (Data)
        XFree(Data);
    return Pid;
}

// A window may be gone before its attributes are read; that window is simply not the one.
int IgnoreError(Display*, XErrorEvent*)
{
    return 0;
}

int ExitStatus(pid_t Child)
{
    // Xlib takes the name Status for a macro.
    int Result = 0;
    while (waitpid(Child, &Result, 0) < 0)
        if (errno != EINTR)
            return 2;
    return WIFEXITED(Result) ? WEXITSTATUS(Result) : 128 + WTERMSIG(Result);
}

// Starts the program with the display's connection closed in the child.
pid_t Start(Display* X, char** Program)
{
    const pid_t Child = fork();
    if (Child == 0) {
        close(ConnectionNumber(X));
        execvp(Program[0], Program);
        std::perror("mapwatch: exec");
        _exit(127);
    }
    return Child;
}

struct TWatch
{
    int MinWidth;
    int MinHeight;
    double Start;
    double TimeoutMs;
    pid_t Child;
};

// The next event, or false when the time is up first.
bool NextEvent(Display* X, const TWatch& Watch, XEvent& Event)
{
    if (XPending(X) == 0) {
        const double Left = Watch.Start + Watch.TimeoutMs - NowMs();
        pollfd Connection{ConnectionNumber(X), POLLIN, 0};
        if (Left <= 0 || poll(&Connection, 1, int(Left) + 1) == 0)
            return false;
    }
    XNextEvent(X, &Event);
    return true;
}

// Waits for the program's first large enough window and reports it; false on a time-out.
bool WaitForMap(Display* X, const TWatch& Watch)
{
    XEvent Event;
    while (NextEvent(X, Watch, Event)) {
        if (Event.type != MapNotify || Event.xmap.override_redirect)
            continue;
        const double At = NowMs();
        XWindowAttributes Attributes;
        if (!XGetWindowAttributes(X, Event.xmap.window, &Attributes))
            continue;
        const long Owner = WindowPid(X, Event.xmap.window);
        if (Attributes.width < Watch.MinWidth || Attributes.height < Watch.MinHeight ||
            (Owner >= 0 && Owner != Watch.Child))
            continue;
        std::printf("%d %.1f %d %d 0x%lx\n", int(Watch.Child), At - Watch.Start, Attributes.width,
                    Attributes.height, Event.xmap.window);
        std::fflush(stdout);
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s MIN_WIDTH MIN_HEIGHT TIMEOUT_S PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    Display* X = XOpenDisplay(nullptr);
    if (!X) {
        std::fprintf(stderr, "mapwatch: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreError);
    // Listening before the program exists, so no map can slip by unseen.
    XSelectInput(X, DefaultRootWindow(X), SubstructureNotifyMask);
    XSync(X, False);
    TWatch Watch{std::atoi(argv[1]), std::atoi(argv[2]), NowMs(), std::atof(argv[3]) * 1000.0, 0};
    Watch.Child = Start(X, argv + 4);
    if (Watch.Child < 0)
        return 2;
    if (!WaitForMap(X, Watch)) {
        std::printf("%d timeout\n", int(Watch.Child));
        std::fflush(stdout);
        kill(Watch.Child, SIGKILL);
        ExitStatus(Watch.Child);
        return 1;
    }
    // Nothing more to watch: an unread event queue would only grow during a game.
    XCloseDisplay(X);
    return ExitStatus(Watch.Child);
}
