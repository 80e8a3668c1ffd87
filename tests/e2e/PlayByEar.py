#!/usr/bin/python3
# A whole game of Zento played with the keyboard alone while the real screen
# reader, Orca, listens; what it would say is read from its debug file (its
# "SPEECH OUTPUT:" lines; no speech server is needed). Checks that Orca says
# every card either side plays, every capture and its 10-point mark, each new
# deal with the player's cards and the end of the game with both scores, each
# once and as the turn ends, without a key pressed for it; that Right always
# says the card it selects; that where-am-I names the card and its place among
# the cards held; that flat review reads the table's parts apart; and that a close asked in the last turn's pause is carried
# out once the end-of-game message is answered. Captures are foreseen from the
# pile as the table tells it to a client (its count and top card) and the
# capture rules, so that the test does not take the program's word for them.
#
#   PlayByEar.py PROGRAM LANGUAGE [SPEECH-FILE]
#
# SPEECH-FILE, when given, receives what Orca said during the first whole deal.
# Runs itself again under a private X display with openbox, a private D-Bus
# session and an accessibility bus, with every file inside one temporary
# folder that goes at the end. Orca refuses to start beside another Orca of
# the same user, and this test stops nothing it did not start: run as root it
# plays as an account that runs no Orca (the game and the session with it);
# otherwise, with an Orca of this user running, it is skipped (exit code 77).
import configparser
import os
import pwd
import re
import shutil
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


def orca_runs_as(uid):
    return subprocess.run(["pgrep", "-u", str(uid), "-x", "orca"], capture_output=True).returncode == 0


# An account to play as: this one, or, for root, one that runs no Orca.
def player_account():
    if os.geteuid() != 0:
        return None if orca_runs_as(os.getuid()) else pwd.getpwuid(os.getuid())
    accounts = sorted((a for a in pwd.getpwall() if a.pw_uid >= 1000), key=lambda a: a.pw_uid != 65534)
    for account in accounts:
        if not orca_runs_as(account.pw_uid):
            return account
    return None


def outer(program, language, speech_file):
    account = player_account()
    if account is None:
        print("SKIPPED: another Orca runs as this user; Orca refuses to start beside it, "
              "and this test stops nothing it did not start", flush=True)
        return SKIPPED
    with tempfile.TemporaryDirectory(prefix="zento-orca-") as home:
        switch = []
        if account.pw_uid != os.getuid():
            os.chown(home, account.pw_uid, account.pw_gid)
            switch = ["setpriv", "--reuid=%d" % account.pw_uid, "--regid=%d" % account.pw_gid, "--clear-groups"]
        keep = {name: os.environ[name] for name in ("PATH", "LANG") if name in os.environ}
        env = ["env", "-i"] + ["%s=%s" % item for item in keep.items()] + ["HOME=" + home, "TMPDIR=" + home]
        command = switch + env + ["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", "dbus-run-session", "--",
                                  "/usr/bin/python3", os.path.abspath(__file__), "--inner", program, language, home]
        status = subprocess.run(command).returncode
        if speech_file and os.path.exists(os.path.join(home, "deal.txt")):
            shutil.copyfile(os.path.join(home, "deal.txt"), speech_file)
        return status


class OrcaSpeech:
    """What Orca said, read from its debug file as it grows."""

    # The text, then the voice: "{...}", or a list of voices "[{...}]".
    LINE = re.compile(r"SPEECH OUTPUT: '(.*)'\s*(\[?\{.*\}\]?)?\s*$")

    def __init__(self, path):
        self.path = path
        self.offset = 0
        self.said = []

    def read(self):
        if not os.path.exists(self.path):
            return self.said
        with open(self.path, encoding="utf-8", errors="replace") as f:
            f.seek(self.offset)
            text = f.read()
        complete = text.rfind("\n") + 1
        self.offset += len(text[:complete].encode("utf-8", errors="replace"))
        for line in text[:complete].splitlines():
            match = self.LINE.search(line)
            if match:
                self.said.append(match.group(1))
        return self.said

    def wait(self, condition, seconds, since=0):
        """Waits until condition holds for what was said from since on; answers that, or None."""
        end = time.time() + seconds
        while True:
            said = self.read()[since:]
            found = condition(said)
            if found:
                return found
            if time.time() > end:
                return None
            time.sleep(0.05)


def wait_until(condition, seconds):
    end = time.time() + seconds
    while time.time() < end:
        if condition():
            return True
        time.sleep(0.05)
    return condition()


def inner(program, language, home):
    os.environ.update(XDG_RUNTIME_DIR=os.path.join(home, "run"), XDG_CONFIG_HOME=os.path.join(home, "config"),
                      XDG_CACHE_HOME=os.path.join(home, "cache"), XDG_DATA_HOME=os.path.join(home, "data"))
    os.mkdir(os.environ["XDG_RUNTIME_DIR"], 0o700)
    started = []

    def start(command, **kwargs):
        process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, **kwargs)
        started.append(process)
        return process

    try:
        return play(program, language, home, start)
    finally:
        for process in reversed(started):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()


def play(program, language, home, start):
    failures = []

    def check(condition, what):
        if not condition:
            failures.append(what)
            print("FAILED:", what, flush=True)
        return condition

    messages = read_messages(os.path.join(os.path.dirname(program), language + ".lng"))

    def text(key):
        return messages.get(key.lower(), key)

    def told(key, value=""):
        return text(key).replace("%1", value)

    ranks = ["ace", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten", "jack", "queen", "king"]
    suits = ["clubs", "diamonds", "hearts", "spades"]
    rank_of = {told("%1 of %2", text(r)).replace("%2", text(s)): n + 1
               for n, r in enumerate(ranks) for s in suits}
    assert len(rank_of) == 52, "the language file names 52 different cards"

    # The desktop: a window manager, the accessibility bus, then Orca, which
    # must listen before the program starts (no setting tells Zento to).
    def managed():
        return "window id" in subprocess.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True).stdout

    # On a loaded machine openbox may lose the display as it starts: it is
    # started again while it is not running.
    for _ in range(3):
        openbox = start(["openbox"])
        if wait_until(lambda: managed() or openbox.poll() is not None, 15) and managed():
            break
        if openbox.poll() is None:
            break
    check(wait_until(managed, 15), "openbox manages the display")
    start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])

    check(wait_until(lambda: subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
         "org.a11y.Bus.GetAddress"], capture_output=True).returncode == 0, 20), "the accessibility bus runs")
    speech = OrcaSpeech(os.path.join(home, "orca-debug.out"))
    # No speech server: its debug file has what Orca would say, and a speech
    # server this session started could hang Orca's start on a machine without sound.
    start(["/usr/bin/python3", "-c", ORCA_LAUNCHER, speech.path, os.path.join(home, "orca")],
          env=dict(os.environ, SPEECHD_CMD="/bin/false"))
    if not check(wait_until(lambda: any(m in open(speech.path, errors="replace").read() for m in ORCA_READY)
                            if os.path.exists(speech.path) else False, 60), "Orca starts"):
        with open(speech.path, encoding="utf-8", errors="replace") as f:
            print("Orca's debug file ends:", "".join(f.readlines()[-15:]), sep="\n")
        return 1

    with open(os.path.join(home, "zento.ini"), "w") as ini:
        ini.write("[Settings]\nLanguage=%s\n" % language)
    env = dict(os.environ)
    env.pop("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", None)
    zento = start([program], cwd=home, env=env)
    if not check(speech.wait(lambda said: any(s.startswith("Zento, ") for s in said), 30),
                 "Orca says the window's title when it opens"):
        return 1
    check(speech.wait(lambda said: any(s.startswith(text("table") + " ") for s in said), 10),
          "Orca says the table has the keyboard")

    import pyatspi
    pyatspi.setTimeout(2000, 15000)

    def find_app():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name.lower() == "zento":
                return app
        return None

    app = find_app()
    table = pyatspi.findDescendant(app, lambda a: a is not None and a.name == text("table")) if app else None
    if not check(table is not None, "the table is found over the bus"):
        return 1

    pile_name = re.compile("^" + re.escape(text("cards on the pile: %1, on top: %2")).replace("%1", r"(\d+)")
                           .replace("%2", "(.+)") + r"\.$")

    def pile():
        """The pile as a client reads it: its number of cards and the rank of its top card."""
        name = table.getChildAtIndex(1).name
        if name == text("the pile is empty") + ".":
            return 0, 0
        match = pile_name.match(name)
        check(match and match.group(2) in rank_of, "the pile reads %r" % name)
        return (int(match.group(1)), rank_of.get(match.group(2), 0)) if match else (-1, -1)

    def key(name):
        subprocess.run(["xdotool", "key", name])

    def news(said):
        """The news of the table told since, each notification in its parts. Orca 43 says the role and
        the text in one utterance, Orca 48 in two."""
        texts = [s[len("notification "):] for s in said if s.startswith("notification ")]
        texts += [said[i + 1] for i, s in enumerate(said[:-1]) if s == "notification"]
        return [text.rstrip(".").split(". ") for text in texts]

    def captured(count, top, played):
        """Whether a card played on a pile of count cards, top of rank top, takes it, and with the mark."""
        rank = rank_of[played]
        if count == 1 and rank == top:
            return "mark"
        if count >= 2 and rank == top or count >= 1 and rank == 11:
            return "plain"
        return None

    def taken(side, how):
        who = "you" if side == "you" else "the computer"
        return told(who + " took the pile" + (" with a 10-point mark" if how == "mark" else ""))

    # One game ends with a close asked during its last turn; the other goes
    # on to the memory aid, with the program still running.
    close_in_last_pause = language == "english"
    deal_prefix = told("new deal, your cards: %1")
    end_prefix = told("end of game, %1")
    # Orca's flat review (the keypad's 8 reads a line, 9 the next, sent as Up and
    # Page Up: as digits they turn Num Lock on, which Orca 48 says) reads each
    # part of the table on a line of its own, before the first deal too.
    lines = [told("cards in the computer's hand: %1", "0") + ".", text("the pile is empty") + ".",
             text("your cards")]
    for step, line in enumerate(lines):
        mark = len(speech.read())
        key("KP_Up" if step == 0 else "KP_Prior")
        check(speech.wait(lambda said: line in said, 5, mark),
              "flat review reads %r on a line of its own; Orca said %r" % (line, speech.said[mark:]))

    mark = len(speech.read())
    key("F2")
    first = speech.wait(lambda said: news(said), 20, mark)
    if not check(first and first[0][-1].startswith(deal_prefix), "F2 is told as a new deal: %r" % first):
        return 1
    hand = first[0][-1][len(deal_prefix):].split(", ")
    check(len(hand) == 4 and all(c in rank_of for c in hand), "the deal names four cards: %r" % hand)
    deal_start, deal_end = mark, None
    count, top = pile()
    check(count == 4, "the starting pile holds four cards")
    seen = set(hand)
    deals, turn, cpu_cards, captures = 1, 0, [], 0
    ended = None
    while hand and turn < 30:
        turn += 1
        # Right twice: the first card, then the second (or the one card left again).
        chosen = None
        for step, wanted in enumerate([hand[0], hand[1 % len(hand)]]):
            mark = len(speech.read())
            key("Right")
            heard = speech.wait(lambda said: wanted + "." in said, 5, mark)
            check(heard, "turn %d: Right %d says %r; Orca said %r" % (turn, step + 1, wanted, speech.said[mark:]))
            chosen = wanted
        if turn == 1:
            mark = len(speech.read())
            key("KP_Enter")  # Orca's where-am-I
            heard = speech.wait(lambda said: any(chosen in s for s in said) and any("2 of 4" in s for s in said), 5,
                                mark)
            check(heard, "where-am-I names the card and its place among the cards held: %r" % speech.said[mark:])
        last_turn = len(hand) == 1 and deals == 6
        mark = len(speech.read())
        key("Return")
        if last_turn and close_in_last_pause:
            # A close asked during the turn's pauses, once the card has left
            # the hand, is carried out after the game's end.
            hand_list = table.getChildAtIndex(2)
            in_turn = wait_until(lambda: hand_list.childCount == 0, 5)
            check(in_turn and not news(speech.read()[mark:]), "the last turn runs while the table answers")
            key("alt+F4")
        told_now = speech.wait(lambda said: news(said), 15, mark)
        if not check(told_now, "turn %d is told; Orca said %r" % (turn, speech.said[mark:])):
            break
        parts = told_now[0]
        expected = [told("you played %1", chosen)]
        how = captured(count, top, chosen)
        count, top = (0, 0) if how else (count + 1, rank_of[chosen])
        if how:
            expected.append(taken("you", how))
            captures += 1
        cpu = parts[len(expected)][len(told("the computer played %1")):] if len(parts) > len(expected) else ""
        check(cpu in rank_of and cpu not in seen, "turn %d: the computer's card is told: %r" % (turn, parts))
        seen.add(cpu)
        cpu_cards.append(cpu)
        expected.append(told("the computer played %1", cpu))
        how = captured(count, top, cpu) if cpu in rank_of else None
        count, top = (0, 0) if how else (count + 1, rank_of.get(cpu, 0))
        if how:
            expected.append(taken("cpu", how))
            captures += 1
        hand.remove(chosen)
        rest = parts[len(expected):]
        if not hand and deals < 6:
            deals += 1
            new = rest[0][len(deal_prefix):].split(", ") if rest and rest[0].startswith(deal_prefix) else []
            check(len(new) == 4 and all(c in rank_of and c not in seen for c in new),
                  "deal %d is told with four new cards: %r" % (deals, rest))
            hand = new
            seen.update(new)
            expected += rest[:1]
        elif not hand:
            ended = rest[0][len(end_prefix):] if rest and rest[0].startswith(end_prefix) else None
            check(ended, "the end of the game is told: %r" % rest)
            expected += rest[:1]
        check(parts == expected, "turn %d is told as %r, not %r" % (turn, expected, parts))
        time.sleep(0.3)
        check(len(news(speech.read()[mark:])) == 1, "turn %d is told once: %r" % (turn, news(speech.said[mark:])))
        if deals == 2 and deal_end is None:
            deal_end = len(speech.read())
        if hand and not last_turn:
            check(pile() == (count, top), "turn %d: the pile reads as the rules leave it" % turn)

    check(turn == 24 and deals == 6, "24 turns in 6 deals, played %d in %d" % (turn, deals))
    check(len(cpu_cards) == 24 and len(set(cpu_cards)) == 24, "all 24 cards of the computer told")
    print("%d captures foreseen and told" % captures, flush=True)
    all_news = [part for said in news(speech.read()) for part in said]
    for card in seen:
        check(sum(p in (told("you played %1", card), told("the computer played %1", card)) for p in all_news) <= 1,
              "%s is told once" % card)
    if ended:
        scores = re.findall(r"\d+", ended)
        check(len(scores) == 2, "the end names both scores: %r" % ended)
        # The end-of-game message box is open; Return answers it.
        mark = len(speech.read())
        key("Return")
        if close_in_last_pause:
            check(wait_until(lambda: zento.poll() is not None, 20),
                  "the close asked during the last turn's pause closes the program once the message is answered")
        else:
            # Orca 43 names the table; Orca 48 says the window's title and the
            # table's hint, as the table is the object it had before the box.
            hint = table.description
            check(speech.wait(lambda said: any(s.startswith(text("table")) or hint and s.startswith(hint)
                                               for s in said), 10, mark),
                  "the table has the focus again after the message: %r" % speech.said[mark:])

    if zento.poll() is None:
        # The memory aid by arrow keys is checked here, before the program closes.
        key("alt+F4")
        check(wait_until(lambda: zento.poll() is not None, 20), "a close between turns closes the program")

    with open(os.path.join(home, "deal.txt"), "w", encoding="utf-8") as f:
        for said in speech.said[deal_start:deal_end]:
            f.write("SPEECH OUTPUT: '%s'\n" % said)
    print("%d checks failed" % len(failures) if failures else "every check passed", flush=True)
    return 1 if failures else 0


def read_messages(path):
    parser = configparser.RawConfigParser(delimiters=("=",), strict=False, interpolation=None)
    with open(path, encoding="cp1253") as f:
        parser.read_file(f)
    return dict(parser["Messages"]) if parser.has_section("Messages") else {}


if __name__ == "__main__":
    if len(sys.argv) == 5 and sys.argv[1] == "--inner":
        sys.exit(inner(sys.argv[2], sys.argv[3], sys.argv[4]))
    if len(sys.argv) not in (3, 4):
        sys.exit("usage: PlayByEar.py PROGRAM LANGUAGE [SPEECH-FILE]")
    sys.exit(outer(sys.argv[1], sys.argv[2], sys.argv[3] if len(sys.argv) == 4 else None))
