# What the tests by ear share: the real screen reader, Orca, listens under
# Xvfb with openbox, a private D-Bus session and the accessibility bus, and
# what it would say is read from its debug file ("SPEECH OUTPUT:" lines; no
# speech server is needed), what it shows from its "BRAILLE LINE:" lines.
#
#   SCRIPT PROGRAM LANGUAGE [SPEECH-FILE]
#
# SPEECH-FILE, when given, receives the speech the test chose to keep.
# The script runs itself again under its own display and buses, with every
# file inside one temporary folder that goes at the end. Orca refuses to start
# beside another Orca of the same user, and a test stops nothing it did not
# start: run as root it runs everything as an account of the system that no
# process uses; otherwise, with an Orca of this user running, it is skipped
# (exit code 77).
import configparser
import os
import pwd
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# The debug file's line that says Orca listens: Orca 43 ends its start-up with
# the first, Orca 48 (Debian 13) with the second.
ORCA_READY = ("ORCA: Startup complete", "ORCA: Starting Atspi main event loop")

SKIPPED = 77

# Starts Debian's Orca with its debug file written line by line, as Orca
# itself writes it through a buffer that is emptied only now and then.
ORCA_LAUNCHER = """
import builtins, runpy, sys
debug_file, prefs = sys.argv[1:3]
plain_open = builtins.open
def open(file, mode="r", *args, **kwargs):
    if file == debug_file and "w" in mode:
        kwargs["buffering"] = 1
    return plain_open(file, mode, *args, **kwargs)
builtins.open = open
sys.argv = ["/usr/bin/orca", "--debug-file=" + debug_file, "-u", prefs]
runpy.run_path("/usr/bin/orca", run_name="__main__")
"""

RANKS = ["ace", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten", "jack", "queen", "king"]
SUITS = ["clubs", "diamonds", "hearts", "spades"]


def run(test):
    """The command line of a test by ear; test(session) answers 0 when every check passed."""
    script, args = os.path.abspath(sys.argv[0]), sys.argv[1:]
    if len(args) == 4 and args[0] == "--inner":
        sys.exit(inner(test, *args[1:]))
    if len(args) not in (2, 3):
        sys.exit("usage: %s PROGRAM LANGUAGE [SPEECH-FILE]" % os.path.basename(script))
    sys.exit(outer(script, *args))


# An account of the system's that no process runs as, so that the test's Orca
# is the only one of its user (the bus daemon wants an account).
def free_account():
    for entry in sorted(pwd.getpwall(), key=lambda e: (e.pw_uid >= 1000, -e.pw_uid)):
        if entry.pw_uid != 0 and subprocess.run(["pgrep", "-u", str(entry.pw_uid)],
                                                stdout=subprocess.DEVNULL).returncode != 0:
            return entry
    return None


def outer(script, program, language, speech_file=None):
    if os.getuid() != 0 and subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"],
                                           stdout=subprocess.DEVNULL).returncode == 0:
        print("SKIPPED: another Orca runs as this user; Orca would refuse to start beside it", flush=True)
        return SKIPPED
    for tool in ("orca", "openbox", "xdotool", "xvfb-run", "dbus-run-session"):
        if shutil.which(tool) is None:
            print("SKIPPED: %s is not installed" % tool, flush=True)
            return SKIPPED
    home = tempfile.mkdtemp(prefix="zento-by-ear-")
    try:
        os.chmod(home, 0o700)
        # Orca speaks its own words (roles, "2 of 4") in English whatever the game's language.
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "LANG": "C.UTF-8", "LC_ALL": "C.UTF-8",
               "HOME": home, "TMPDIR": home}
        command = ["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", "dbus-run-session", "--",
                   "/usr/bin/python3", script, "--inner", os.path.abspath(program), language, home]
        if os.getuid() == 0:
            account = free_account()
            if account is None:
                print("SKIPPED: every account of the system runs a process already", flush=True)
                return SKIPPED
            os.chown(home, account.pw_uid, account.pw_gid)
            command = ["setpriv", "--reuid=%d" % account.pw_uid, "--regid=%d" % account.pw_gid,
                       "--clear-groups"] + command
        # Everything the test starts is in one process group, ended with the
        # test however it ends (ctest's time limit ends it with SIGTERM).
        runner = subprocess.Popen(command, env=env, start_new_session=True)
        signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
        try:
            status = runner.wait()
        finally:
            end_group(runner)
        if speech_file and os.path.exists(os.path.join(home, "speech.txt")):
            shutil.copyfile(os.path.join(home, "speech.txt"), speech_file)
        return status
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


def inner(test, program, language, home):
    os.environ.update(XDG_RUNTIME_DIR=os.path.join(home, "run"), XDG_CONFIG_HOME=os.path.join(home, "config"),
                      XDG_CACHE_HOME=os.path.join(home, "cache"), XDG_DATA_HOME=os.path.join(home, "data"))
    os.mkdir(os.environ["XDG_RUNTIME_DIR"], 0o700)
    session = Session(program, language, home)
    try:
        status = test(session) if session.start_desktop() else 1
    finally:
        session.stop()
    print("%d checks failed" % len(session.failures) if session.failures else "every check passed", flush=True)
    return 1 if status or session.failures else 0


def wait_until(condition, seconds):
    end = time.time() + seconds
    while time.time() < end:
        if condition():
            return True
        time.sleep(0.05)
    return condition()


def key(*names):
    subprocess.run(["xdotool", "key", "--delay", "120"] + list(names))


def window_manager_runs():
    return "window id" in subprocess.run(
        ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True).stdout


class Session:
    """One run: the game's texts in its language, the checks, and what was started."""

    def __init__(self, program, language, home):
        self.program, self.language, self.home = program, language, home
        self.failures, self.started = [], []
        parser = configparser.RawConfigParser(delimiters=("=",), strict=False, interpolation=None)
        parser.optionxform = str
        with open(os.path.join(os.path.dirname(program), language + ".lng"), encoding="cp1253") as f:
            parser.read_file(f)
        sections = {name: dict(parser[name]) if parser.has_section(name) else {}
                    for name in ("Messages", "Translations")}
        self.messages = {k.lower(): v for k, v in sections["Messages"].items()}
        self.titles = sections["Translations"]
        self.rank_of = {self.card(s, r): r + 1 for r in range(13) for s in range(4)}
        assert len(self.rank_of) == 52, "the language file names 52 different cards"

    def text(self, key):
        return self.messages.get(key.lower(), key)

    def told(self, key, value=""):
        return self.text(key).replace("%1", value)

    def card(self, suit, rank):
        return self.told("%1 of %2", self.text(RANKS[rank])).replace("%2", self.text(SUITS[suit]))

    def check(self, condition, what):
        print(("ok: " if condition else "FAILED: ") + what, flush=True)
        if not condition:
            self.failures.append(what)
        return condition

    def start(self, command, **kwargs):
        kwargs.setdefault("stdout", subprocess.DEVNULL)
        kwargs.setdefault("stderr", subprocess.DEVNULL)
        process = subprocess.Popen(command, stdin=subprocess.DEVNULL, **kwargs)
        self.started.append(process)
        return process

    def start_desktop(self):
        """A window manager, the accessibility bus, then Orca, which must listen before the program starts
        (Qt asks the bus whether anyone listens once, as it starts)."""
        # Windows shown before the window manager runs are activated by no one.
        # On a loaded machine openbox may lose the display as it starts: it is
        # started again while it is not running.
        for _ in range(3):
            openbox = self.start(["openbox"])
            if wait_until(lambda: window_manager_runs() or openbox.poll() is not None, 15) and window_manager_runs():
                break
            if openbox.poll() is None:
                break
        self.check(wait_until(window_manager_runs, 15), "openbox manages the display")
        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        self.check(wait_until(lambda: subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.a11y.Bus.GetAddress"], capture_output=True).returncode == 0, 20), "the accessibility bus runs")
        self.orca = Orca(self)
        if self.check(wait_until(lambda: self.orca.ready() or self.orca.process.poll() is not None, 60)
                      and self.orca.process.poll() is None, "Orca starts"):
            return True
        for path in (self.orca.path, self.orca.errors):
            if os.path.exists(path):
                with open(path, encoding="utf-8", errors="replace") as f:
                    print(path, "ends:", "".join(f.readlines()[-15:]), sep="\n")
        return False

    def start_zento(self):
        with open(os.path.join(self.home, "zento.ini"), "w") as ini:
            ini.write("[Settings]\nLanguage=%s\n" % self.language)
        return self.start([self.program], cwd=self.home)

    def keep_speech(self, said):
        with open(os.path.join(self.home, "speech.txt"), "w", encoding="utf-8") as f:
            f.writelines("SPEECH OUTPUT: '%s'\n" % s for s in said)

    def stop(self):
        for process in reversed(self.started):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()


class Orca:
    """Orca with no speech server, and what it said and showed, read from its debug file as it grows."""

    # The text, then the voice: "voice=NAME" on Orca 48, "{...}", or a list of voices "[{...}]".
    SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'\s*(?:voice=\w+)?\s*(?:\[?\{.*\}\]?)?\s*$")
    SHOWN = re.compile(r"BRAILLE LINE:  '(.*)'$")

    def __init__(self, session):
        self.path = os.path.join(session.home, "orca-debug.out")
        self.errors = os.path.join(session.home, "orca-errors.out")
        self.offset, self.said, self.shown, self.marks = 0, [], [], (0, 0)
        # A speech server this session started could hang Orca's start on a
        # machine without sound; the debug file has what Orca would say.
        with open(self.errors, "w") as errors:
            self.process = session.start(
                ["/usr/bin/python3", "-c", ORCA_LAUNCHER, self.path, os.path.join(session.home, "orca")],
                env=dict(os.environ, SPEECHD_CMD="/bin/false"), stdout=errors, stderr=subprocess.STDOUT)

    def ready(self):
        return os.path.exists(self.path) and any(m in open(self.path, errors="replace").read() for m in ORCA_READY)

    def read(self):
        """Everything said so far."""
        if not os.path.exists(self.path):
            return self.said
        with open(self.path, "rb") as f:
            f.seek(self.offset)
            data = f.read()
        complete = data.rfind(b"\n") + 1
        self.offset += complete
        for line in data[:complete].decode("utf-8", errors="replace").splitlines():
            for pattern, heard in ((self.SPOKEN, self.said), (self.SHOWN, self.shown)):
                match = pattern.search(line)
                if match:
                    heard.append(match.group(1))
        return self.said

    def mark(self):
        """From now on: what since and wait look at."""
        self.read()
        self.marks = (len(self.said), len(self.shown))
        return self.marks[0]

    def since(self, braille=False):
        self.read()
        return self.shown[self.marks[1]:] if braille else self.said[self.marks[0]:]

    def wait(self, condition, seconds=10, braille=False):
        """Waits until condition holds for what was said (or shown) since the mark; answers its answer, or None."""
        end = time.time() + seconds
        while True:
            found = condition(self.since(braille))
            if found:
                return found
            if time.time() > end:
                return None
            time.sleep(0.05)
