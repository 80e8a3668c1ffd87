#!/usr/bin/python3
# The memory aid used by ear, with the real screen reader: Orca, under Xvfb
# with openbox, a private D-Bus session and the AT-SPI bus. After a deal the
# aid is reached as any window is, its arrow keys go through the cards, and
# Orca must say each card with whether it was played (the four cards of the
# starting pile are); its flat review must read the played state too. On the
# table window, Orca's commands for the title and the status bar must read
# the window's title and the status line. What Orca says is read from the
# "SPEECH OUTPUT:" lines of its debug file.
#
#   MemoryByEar.py PROGRAM LANGUAGE
#
# Orca refuses to start while another process named orca runs as the same
# user. Run as root, the test runs everything as an unprivileged user of its
# own; otherwise, with another Orca running, it is skipped (exit code 77).
# Every file it makes lies inside one temporary folder that goes at the end.
import configparser
import json
import os
import pty
import pwd
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import termios
import threading
import time

# The debug file's line that says Orca listens: Orca 43 ends its start-up with
# the first, Orca 48 (Debian 13) with the second.
ORCA_READY = ("ORCA: Startup complete", "ORCA: Starting Atspi main event loop")

SKIPPED = 77


# An account of the system's that no process runs as, so that the test's
# Orca is the only one of its user (the bus daemon wants an account).
def free_uid():
    for entry in sorted(pwd.getpwall(), key=lambda e: (e.pw_uid >= 1000, -e.pw_uid)):
        if entry.pw_uid != 0 and subprocess.run(["pgrep", "-u", str(entry.pw_uid)],
                                                stdout=subprocess.DEVNULL).returncode != 0:
            return entry.pw_uid
    return None


def outer(program, language):
    if os.getuid() != 0 and subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"],
                                           stdout=subprocess.DEVNULL).returncode == 0:
        print("SKIPPED: another Orca runs as this user; Orca would refuse to start beside it", flush=True)
        return SKIPPED
    for tool in ("orca", "openbox", "xdotool", "xvfb-run", "dbus-run-session"):
        if shutil.which(tool) is None:
            print("SKIPPED: %s is not installed" % tool, flush=True)
            return SKIPPED
    home = tempfile.mkdtemp(prefix="zento-memory-ear-")
    try:
        os.chmod(home, 0o700)
        runtime = os.path.join(home, "runtime")
        os.mkdir(runtime, 0o700)
        env = dict(os.environ)
        env.update(HOME=home, TMPDIR=home, XDG_RUNTIME_DIR=runtime, XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_CACHE_HOME=os.path.join(home, "cache"), XDG_DATA_HOME=os.path.join(home, "data"),
                   LANG="C.UTF-8", LC_ALL="C.UTF-8")
        for name in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY",
                     "DISPLAY", "XAUTHORITY"):
            env.pop(name, None)
        command = ["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", "dbus-run-session", "--",
                   "/usr/bin/python3", os.path.abspath(__file__), "--inner", os.path.abspath(program), language, home]
        if os.getuid() == 0:
            uid = free_uid()
            if uid is None:
                print("SKIPPED: every account of the system runs a process already", flush=True)
                return SKIPPED
            for folder, _, files in os.walk(home):
                os.chown(folder, uid, uid)
            command = ["setpriv", "--reuid=%d" % uid, "--regid=%d" % uid, "--clear-groups"] + command
        # Everything the test starts is in one process group, ended with the
        # test however it ends (ctest's time limit ends it with SIGTERM).
        runner = subprocess.Popen(command, env=env, start_new_session=True)
        signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
        try:
            return runner.wait()
        finally:
            end_group(runner)
    finally:
        shutil.rmtree(home, ignore_errors=True)


def end_group(runner):
    for sig in (signal.SIGTERM, signal.SIGKILL):
        try:
            os.killpg(runner.pid, sig)
        except ProcessLookupError:
            return
        try:
            runner.wait(10)
            return
        except subprocess.TimeoutExpired:
            pass


def read_messages(path):
    parser = configparser.RawConfigParser(delimiters=("=",), strict=False, interpolation=None)
    parser.optionxform = str
    with open(path, encoding="cp1253") as f:
        parser.read_file(f)
    messages = {k.lower(): v for k, v in parser["Messages"].items()} if parser.has_section("Messages") else {}
    titles = dict(parser["Translations"]) if parser.has_section("Translations") else {}
    return messages, titles


class Orca:
    """Orca started with its speech written to a debug file."""

    def __init__(self, home):
        # Orca's debug file is written in blocks, and what it said would show
        # late; a terminal is written line by line.
        master, terminal = pty.openpty()
        attributes = termios.tcgetattr(terminal)
        attributes[1] &= ~termios.ONLCR
        termios.tcsetattr(terminal, termios.TCSANOW, attributes)
        self.log = os.ttyname(terminal)
        self.lines = []
        self.lock = threading.Lock()
        threading.Thread(target=self.collect, args=(master,), daemon=True).start()
        prefs = os.path.join(home, "orca")
        os.makedirs(prefs, exist_ok=True)
        # No speech server runs here, and Orca would wait long for one: its
        # speech is off. It writes what it would say all the same, except its
        # short messages, which it still shows on its braille line.
        profile = ["Default", "default"]
        settings = {"general": {"enableSpeech": False, "startingProfile": profile, "activeProfile": profile},
                    "profiles": {"default": {"profile": profile, "enableSpeech": False}},
                    "pronunciations": {}, "keybindings": {}}
        with open(os.path.join(prefs, "user-settings.conf"), "w") as f:
            json.dump(settings, f)
        self.errors = os.path.join(home, "orca-errors.out")
        with open(self.errors, "w") as errors:
            self.process = subprocess.Popen(["orca", "--debug-file=" + self.log, "-u", prefs],
                                            stdout=errors, stderr=subprocess.STDOUT)
        self.read = 0
        self.read_shown = 0

    def collect(self, master):
        while True:
            try:
                data = os.read(master, 65536)
            except OSError:
                return
            if not data:
                return
            with self.lock:
                self.lines.append(data)

    def text(self):
        with self.lock:
            return b"".join(self.lines).decode("utf-8", errors="replace")

    def ready(self):
        return any(mark in self.text() for mark in ORCA_READY)

    def spoken(self):
        return re.findall(r"SPEECH OUTPUT: '(.*?)'\s*(?:voice=\w+)?\s*\[?\{'", self.text())

    def shown(self):
        return re.findall(r"BRAILLE LINE:  '(.*)'$", self.text(), re.M)

    def mark(self):
        self.read = len(self.spoken())
        self.read_shown = len(self.shown())

    def since_mark(self):
        return self.spoken()[self.read:]

    def shown_since_mark(self):
        return self.shown()[self.read_shown:]

    def wait_for(self, condition, seconds=10, braille=False):
        end = time.time() + seconds
        while time.time() < end:
            said = self.shown_since_mark() if braille else self.since_mark()
            if condition(said):
                return said
            time.sleep(0.1)
        return None

    def stop(self):
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


def inner(program, language, home):
    messages, titles = read_messages(os.path.join(os.path.dirname(program), language + ".lng"))

    def text(key):
        return messages.get(key.lower(), key)

    ranks = ["ace", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten", "jack", "queen", "king"]
    suits = ["clubs", "diamonds", "hearts", "spades"]

    def card(suit, rank):
        return text("%1 of %2").replace("%1", text(ranks[rank])).replace("%2", text(suits[suit]))

    played, not_played = text("played"), text("not played")
    failures = []

    def check(condition, what):
        print(("ok: " if condition else "FAILED: ") + what, flush=True)
        if not condition:
            failures.append(what)
        return condition

    started = []

    def start(command, **kwargs):
        kwargs.setdefault("stdout", subprocess.DEVNULL)
        kwargs.setdefault("stderr", subprocess.DEVNULL)
        process = subprocess.Popen(command, **kwargs)
        started.append(process)
        return process

    start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    # Windows shown before the window manager runs are activated by no one.
    # On a loaded machine openbox may lose the display as it starts: it is
    # started again while it is not running.
    managed = False
    with open(os.path.join(home, "openbox.out"), "w") as out:
        for _ in range(3):
            openbox = start(["openbox"], stdout=out, stderr=subprocess.STDOUT)
            managed = wait_until(lambda: window_manager_runs() or openbox.poll() is not None, 15) \
                and window_manager_runs()
            if managed or openbox.poll() is None:
                break
    if not check(managed or wait_until(window_manager_runs, 15), "openbox manages the display"):
        with open(os.path.join(home, "openbox.out")) as out:
            print(out.read()[-2000:], flush=True)
    orca = Orca(home)
    try:
        if not check(wait_until(lambda: orca.ready() or orca.process.poll() is not None, 60)
                     and orca.process.poll() is None, "Orca runs"):
            with open(orca.errors) as errors:
                print(errors.read()[-2000:])
            print(orca.text()[-3000:])
            return 1
        with open(os.path.join(home, "zento.ini"), "w") as ini:
            ini.write("[Settings]\nLanguage=%s\n" % language)
        zento = start([program], cwd=home, env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
        table_title = "^" + re.escape(titles.get("frmMain.Gradient.FormCaption", "Zento")) + ", "
        memory_title = "^" + re.escape(titles.get("frmMemory.Caption", "Memory")) + "$"
        main = window(table_title)
        memory = window(memory_title)
        if not check(bool(main and memory), "both windows are on the screen"):
            return 1
        orca.mark()
        activate(main)
        orca.wait_for(lambda said: len(said) > 0, 10, braille=True)
        orca.mark()
        key("F2")
        status = text("You") + ": 0"
        orca.wait_for(lambda said: any(text("new deal, your cards: %1").split("%1")[0] in s for s in said), 10)

        # The window's title and the status line, as a frame holds them.
        orca.mark()
        key("Insert+KP_Enter")
        title = titles.get("frmMain.Gradient.FormCaption", "Zento") + ", "
        said = orca.wait_for(lambda said: any(s.startswith(title) for s in said), 10, braille=True)
        check(said is not None, "Orca's title command gives the table window's title: %r" % orca.shown_since_mark())
        orca.mark()
        key("Insert+KP_Enter", "Insert+KP_Enter")
        said = orca.wait_for(lambda said: any(status in s for s in said), 10)
        check(said is not None, "Orca's status bar command reads the status line: %r" % orca.since_mark())

        # The aid reached as any window is, then its cards by arrow keys.
        orca.mark()
        activate(memory)
        said = orca.wait_for(lambda said: any(card(0, 0) in s for s in said), 10)
        check(said is not None, "the aid, reached, says its current card: %r" % orca.since_mark())
        orca.mark()
        key("ctrl+End")
        orca.wait_for(lambda said: any(card(3, 12) in s for s in said), 10)
        heard = {}
        unheard = 0
        for suit in range(4):
            for rank in range(13):
                if unheard >= 3:
                    break
                if rank == 0 and suit > 0:
                    orca.mark()
                    key("Down")
                    key("Home")
                elif rank > 0:
                    orca.mark()
                    key("Right")
                else:
                    orca.mark()
                    key("ctrl+Home")
                name = card(suit, rank)
                pattern = re.escape(name) + ", (" + re.escape(not_played) + "|" + re.escape(played) + ")"
                said = orca.wait_for(lambda said: any(re.search(pattern, s) for s in said), 10)
                if said is None:
                    check(False, "the key to %s is heard; Orca said %r" % (name, orca.since_mark()))
                    unheard += 1
                    continue
                for s in said:
                    for m in re.finditer(pattern, s):
                        heard[name] = m.group(1)
        check(len(heard) == 52, "every card of the aid heard with its state: %d" % len(heard))
        played_cards = sorted(n for n, state in heard.items() if state == played)
        check(len(played_cards) == 4, "the four cards of the starting pile are said to be played: %r" % played_cards)

        # Flat review reads the line of cards under the review cursor, each
        # with its state; with speech off, Orca shows the line on its braille line.
        orca.mark()
        key("KP_Up")
        said = orca.wait_for(lambda said: any(s.count(not_played) + s.count(", " + played) >= 2 for s in said), 10,
                             braille=True)
        check(said is not None, "flat review reads the played state of the cards: %r" % orca.shown_since_mark())
        key("KP_Subtract")  # leaves flat review
        print("What Orca said of the aid, in part: %r" % orca.spoken()[-3:], flush=True)
        zento.terminate()
        zento.wait(10)
    finally:
        orca.stop()
        for process in reversed(started):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
    print("%d checks failed" % len(failures) if failures else "every check passed", flush=True)
    return 1 if failures else 0


def wait_until(condition, seconds):
    end = time.time() + seconds
    while time.time() < end:
        if condition():
            return True
        time.sleep(0.1)
    return False


def window_manager_runs():
    root = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True).stdout
    return "window id" in root


def window(title):
    found = subprocess.run(["timeout", "20", "xdotool", "search", "--sync", "--onlyvisible", "--name", title],
                           capture_output=True, text=True).stdout.split()
    return found[0] if found else None


def activate(window_id):
    subprocess.run(["xdotool", "windowactivate", "--sync", window_id])


def key(*names):
    subprocess.run(["xdotool", "key", "--delay", "120"] + list(names))


if __name__ == "__main__":
    if len(sys.argv) == 5 and sys.argv[1] == "--inner":
        sys.exit(inner(sys.argv[2], sys.argv[3], sys.argv[4]))
    if len(sys.argv) != 3:
        sys.exit("usage: MemoryByEar.py PROGRAM LANGUAGE")
    sys.exit(outer(sys.argv[1], sys.argv[2]))
