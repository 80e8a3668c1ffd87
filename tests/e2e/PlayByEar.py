#!/usr/bin/python3
# A whole game of Zento played with the keyboard alone and followed the way a
# screen reader follows it: over the AT-SPI bus, through pyatspi. Checks that
# the four cards of the hand are named after every deal, that every card the
# computer plays is told, and that the memory aid's grid ends with every card
# played. Prints the table's accessible tree after the first deal and the
# events of the first turn.
#
#   PlayByEar.py PROGRAM LANGUAGE
#
# Runs itself again under a private X display and a private D-Bus session,
# with every folder the program, the bus and the display may write to inside
# one temporary folder that goes at the end.
import configparser
import os
import subprocess
import sys
import tempfile
import time


def outer(program, language):
    with tempfile.TemporaryDirectory(prefix="zento-ear-") as home:
        runtime = os.path.join(home, "runtime")
        os.mkdir(runtime, 0o700)
        env = dict(os.environ)
        env.update(HOME=home, TMPDIR=home, XDG_RUNTIME_DIR=runtime, XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_CACHE_HOME=os.path.join(home, "cache"), XDG_DATA_HOME=os.path.join(home, "data"))
        for name in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY"):
            env.pop(name, None)
        command = ["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", "dbus-run-session", "--",
                   "/usr/bin/python3", os.path.abspath(__file__), "--inner", program, language, home]
        return subprocess.run(command, env=env).returncode


def inner(program, language, home):
    import pyatspi
    from gi.repository import GLib

    messages = read_messages(os.path.join(os.path.dirname(program), language + ".lng"))

    def text(key):
        return messages.get(key.lower(), key)

    ranks = ["ace", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten", "jack", "queen", "king"]
    suits = ["clubs", "diamonds", "hearts", "spades"]
    card_names = {text("%1 of %2").replace("%1", text(r)).replace("%2", text(s)) for r in ranks for s in suits}
    assert len(card_names) == 52, "the language file names 52 different cards"

    def told(key, name):
        return text(key).replace("%1", name)

    failures = []

    def check(condition, what):
        if not condition:
            failures.append(what)
            print("FAILED:", what, flush=True)
        return condition

    news = []  # what the table told, in order
    cells_told = []  # the memory aid's cells told they changed
    events = []  # every event, for the first turn's record

    def on_event(event):
        try:
            name = event.any_data if isinstance(event.any_data, str) else event.source.name
            role = event.source.getRoleName()
        except Exception:  # the source may be gone already
            return
        events.append((event.type, role, name))
        # The words come with the event: the program answers no question while a turn runs.
        if event.type.startswith("object:text-changed:insert") and role == "notification":
            news.append(name)
        if event.type.startswith("object:property-change:accessible-description") and role == "table cell":
            cells_told.append(event.source)

    # The program answers no question while a turn's pauses run, about a second.
    # Debian 13's client library keeps nothing of an object, so reading an
    # event's source asks the program, and by default gives up after 800 ms:
    # this client waits as long as a turn can take.
    pyatspi.setTimeout(5000, 15000)
    pyatspi.Registry.registerEventListener(on_event, "object:property-change:accessible-name",
                                           "object:property-change:accessible-description",
                                           "object:text-changed:insert", "object:state-changed:focused", "focus:")
    context = GLib.MainContext.default()

    def pump(seconds):
        end = time.time() + seconds
        while time.time() < end:
            while context.pending():
                context.iteration(False)
            time.sleep(0.01)

    def wait_for(condition, seconds):
        end = time.time() + seconds
        while time.time() < end:
            pump(0.05)
            if condition():
                return True
        return False

    with open(os.path.join(home, "zento.ini"), "w") as ini:
        ini.write("[Settings]\nLanguage=%s\n" % language)
    os.makedirs(os.path.join(home, "config", "Varkon"), exist_ok=True)
    with open(os.path.join(home, "config", "Varkon", "Zento.conf"), "w") as store:
        store.write('[frmMemory]\nNormPos="600,131,866,226"\n')
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    zento = subprocess.Popen([program], cwd=home, env=env)
    try:
        app = None
        wait_for(lambda: find_app(pyatspi) is not None, 30)
        app = find_app(pyatspi)
        if not check(app is not None, "the program shows on the AT-SPI bus"):
            return 1
        table_name = text("table")
        table = None

        def find_table():
            nonlocal table
            table = pyatspi.findDescendant(app, lambda a: a is not None and a.name == table_name)
            return table is not None

        if not check(wait_for(find_table, 20), "the table is named %r" % table_name):
            return 1
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Zento, "],
                                capture_output=True, text=True).stdout.split()
        subprocess.run(["xdotool", "windowfocus", "--sync", window[0]])
        pump(0.5)

        def key(name):
            subprocess.run(["xdotool", "key", name])

        def hand():
            table.clear_cache()
            cards = []
            for i in range(table.childCount):
                child = table.getChildAtIndex(i)
                if child.getRole() == pyatspi.ROLE_LIST_ITEM and child.getState().contains(pyatspi.STATE_VISIBLE):
                    cards.append(child)
            return cards

        def check_deal(deal):
            names = [c.name for c in hand()]
            check(len(names) == 4 and set(names) <= card_names and len(set(names)) == 4,
                  "deal %d: four different cards named, read %r" % (deal, names))
            check(any(n == told("new deal, your cards: %1", ", ".join(names)) for n in news),
                  "deal %d told with its cards" % deal)
            return names

        key("F2")
        wait_for(lambda: len(news) >= 1, 15)
        pump(0.3)
        print("The accessible tree after F2:")
        print_tree(pyatspi, app, 0)
        print("The memory aid's grid:")
        grid = pyatspi.findDescendant(app, lambda a: a is not None and a.name == text("cards played"))
        if check(grid is not None and grid.getRole() == pyatspi.ROLE_TABLE, "the memory aid's grid is a table"):
            cells = grid.queryTable()
            check(cells.nRows == 4 and cells.nColumns == 13, "the grid is 4 suits by 13 ranks")
            played = [cells.getAccessibleAt(r, c) for r in range(4) for c in range(13)]
            print("  %d cells, for example %r: %r" % (len(played), played[0].name, played[0].description))
            check(sum(c.description == text("played") for c in played) == 4, "the four cards of the pile are played")

        cpu_told = []
        you_told = []
        for deal in range(1, 7):
            names = check_deal(deal)
            for turn in range(4):
                first_turn = deal == 1 and turn == 0
                if first_turn:
                    del events[:]
                before = len(news)
                key("Right")
                pump(0.2)
                chosen = [c.name for c in hand() if c.getState().contains(pyatspi.STATE_SELECTED)]
                check(len(chosen) == 1 and chosen[0] == hand()[0].name,
                      "Right selects the first card: %r" % chosen)
                key("Return")
                def answered():
                    return any(n.startswith(text("the computer played %1").split("%1")[0]) for n in news[before:])
                if not check(wait_for(answered, 15), "deal %d turn %d: the computer's card is told" % (deal, turn + 1)):
                    print("Told:", news, "Events:", events[-20:])
                    return finish(zento, failures)
                pump(0.2)
                turn_news = news[before:]
                mine = [n for n in turn_news if n in {told("you played %1", c) for c in card_names}]
                check(mine == [told("you played %1", chosen[0])] if chosen else False,
                      "the card played is told as the one chosen: %r" % turn_news)
                for card in card_names:
                    if told("the computer played %1", card) in turn_news:
                        cpu_told.append(card)
                you_told.extend(chosen)
                if first_turn:
                    print("The events of the first turn:")
                    # A changed name is read when asked for, which is after the turn.
                    for kind, role, name in events:
                        shown = "" if kind.startswith("object:property-change") else repr(name)
                        print("  %s  [%s]  %s" % (kind, role, shown))
        check(len(cpu_told) == 24 and len(set(cpu_told)) == 24, "all 24 cards of the computer told: %r" % cpu_told)
        check(not set(cpu_told) & set(you_told), "the computer's cards are not the player's")
        check(wait_for(lambda: any(n.startswith(text("end of game, %1").split("%1")[0]) for n in news), 10),
              "the end of the game is told")
        # From the first look at the grid on, each card played is told to its cell.
        check(len(cells_told) >= 48, "the memory aid told %d cells they changed" % len(cells_told))
        if grid is not None:
            cells = grid.queryTable()
            played = [cells.getAccessibleAt(r, c) for r in range(4) for c in range(13)]
            check(all(c.description == text("played") for c in played), "every card is played at the end")
        print("Told during the game: %d events, the last %r" % (len(news), news[-1] if news else None))
        key("Return")  # the end-of-game message
        pump(0.5)
        return finish(zento, failures)
    finally:
        if zento.poll() is None:
            zento.kill()
            zento.wait()


def finish(zento, failures):
    zento.terminate()
    try:
        zento.wait(10)
    except subprocess.TimeoutExpired:
        zento.kill()
    print("%d checks failed" % len(failures) if failures else "every check passed", flush=True)
    return 1 if failures else 0


def read_messages(path):
    parser = configparser.RawConfigParser(delimiters=("=",), strict=False, interpolation=None)
    with open(path, encoding="cp1253") as f:
        parser.read_file(f)
    return dict(parser["Messages"]) if parser.has_section("Messages") else {}


def find_app(pyatspi):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name.lower() == "zento":
            return app
    return None


def print_tree(pyatspi, node, depth):
    if node is None or depth > 12:
        return
    states = node.getState()
    marks = [s for s, flag in (("selected", pyatspi.STATE_SELECTED), ("focused", pyatspi.STATE_FOCUSED))
             if states.contains(flag)]
    if not states.contains(pyatspi.STATE_VISIBLE):
        marks.append("hidden")
    extent = ""
    if node.getRole() in (pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_LABEL):
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        extent = " at %d,%d %dx%d" % (box.x, box.y, box.width, box.height)
    print("%s[%s] %r%s%s" % ("  " * depth, node.getRoleName(), node.name, extent,
                             " (" + ", ".join(marks) + ")" if marks else ""))
    # The memory aid's 52 cells are told apart from the tree.
    if node.getRole() == pyatspi.ROLE_TABLE or node.getRole() == pyatspi.ROLE_MENU_BAR:
        print("%s  ... %d children" % ("  " * depth, node.childCount))
        return
    for i in range(node.childCount):
        print_tree(pyatspi, node.getChildAtIndex(i), depth + 1)


if __name__ == "__main__":
    if len(sys.argv) == 5 and sys.argv[1] == "--inner":
        sys.exit(inner(sys.argv[2], sys.argv[3], sys.argv[4]))
    if len(sys.argv) != 3:
        sys.exit("usage: PlayByEar.py PROGRAM LANGUAGE")
    sys.exit(outer(sys.argv[1], sys.argv[2]))
