#!/usr/bin/python3
# The memory aid used by ear, with the real screen reader, Orca (see ByEar.py).
# After a deal the aid is reached as any window is, its arrow keys go through
# the cards, and Orca must say each card with whether it was played (the four
# cards of the starting pile are); its flat review must read the played state
# too. On the table window, Orca's commands for the title and the status bar
# must read the window's title and the status line.
#
#   MemoryByEar.py PROGRAM LANGUAGE
import re
import subprocess
import sys

sys.dont_write_bytecode = True  # nothing left beside the sources
from ByEar import key, run  # noqa: E402


def window(title):
    found = subprocess.run(["timeout", "20", "xdotool", "search", "--sync", "--onlyvisible", "--name", title],
                           capture_output=True, text=True).stdout.split()
    return found[0] if found else None


def activate(window_id):
    subprocess.run(["xdotool", "windowactivate", "--sync", window_id])


def memory(session):
    check, text, card, titles, orca = session.check, session.text, session.card, session.titles, session.orca
    played, not_played = text("played"), text("not played")
    zento = session.start_zento()
    title = titles.get("frmMain.Gradient.FormCaption", "Zento") + ", "
    main = window("^" + re.escape(title))
    memory = window("^" + re.escape(titles.get("frmMemory.Caption", "Memory")) + "$")
    if not check(bool(main and memory), "both windows are on the screen"):
        return 1
    orca.mark()
    activate(main)
    orca.wait(lambda said: len(said) > 0, braille=True)
    orca.mark()
    key("F2")
    orca.wait(lambda said: any(text("new deal, your cards: %1").split("%1")[0] in s for s in said))

    # The window's title and the status line, as a frame holds them.
    orca.mark()
    key("Insert+KP_Enter")
    check(orca.wait(lambda said: any(s.startswith(title) for s in said), braille=True),
          "Orca's title command gives the table window's title: %r" % orca.since(braille=True))
    orca.mark()
    key("Insert+KP_Enter", "Insert+KP_Enter")
    status = text("You") + ": 0"
    check(orca.wait(lambda said: any(status in s for s in said)),
          "Orca's status bar command reads the status line: %r" % orca.since())

    # The aid reached as any window is, then its cards by arrow keys.
    orca.mark()
    activate(memory)
    check(orca.wait(lambda said: any(card(0, 0) in s for s in said)),
          "the aid, reached, says its current card: %r" % orca.since())
    orca.mark()
    key("ctrl+End")
    orca.wait(lambda said: any(card(3, 12) in s for s in said))
    heard = {}
    unheard = 0
    for suit in range(4):
        for rank in range(13):
            if unheard >= 3:
                break
            orca.mark()
            key(*(["Right"] if rank > 0 else ["Down", "Home"] if suit > 0 else ["ctrl+Home"]))
            name = card(suit, rank)
            pattern = re.escape(name) + ", (" + re.escape(not_played) + "|" + re.escape(played) + ")"
            states = orca.wait(lambda said: [m.group(1) for s in said for m in re.finditer(pattern, s)])
            if not check(states, "the key to %s is heard; Orca said %r" % (name, orca.since())):
                unheard += 1
                continue
            heard[name] = states[-1]
    check(len(heard) == 52, "every card of the aid heard with its state: %d" % len(heard))
    played_cards = sorted(n for n, state in heard.items() if state == played)
    check(len(played_cards) == 4, "the four cards of the starting pile are said to be played: %r" % played_cards)

    # Flat review reads the line of cards under the review cursor, each with
    # its state; Orca shows the line on its braille line.
    orca.mark()
    key("KP_Up")
    check(orca.wait(lambda said: any(s.count(not_played) + s.count(", " + played) >= 2 for s in said),
                    braille=True),
          "flat review reads the played state of the cards: %r" % orca.since(braille=True))
    key("KP_Subtract")  # leaves flat review
    print("What Orca said of the aid, in part: %r" % orca.said[-3:], flush=True)
    zento.terminate()
    zento.wait(10)
    return 0


if __name__ == "__main__":
    run(memory)
