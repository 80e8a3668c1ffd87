#!/usr/bin/python3
# A whole game of Zento played with the keyboard alone while the real screen
# reader, Orca, listens. Checks that Orca says every card either side plays,
# every capture and its 10-point mark, each new deal with the player's cards
# and the end of the game with both scores, each once and as the turn ends,
# without a key pressed for it; that Right always says the card it selects;
# that where-am-I names the card and its place among the cards held; that flat
# review reads the table's parts apart; and that a close asked in the last
# turn's pause is carried out once the end-of-game message is answered.
# Captures are foreseen from the pile as the table tells it to a client (its
# count and top card) and the capture rules, so that the test does not take
# the program's word for them. The speech kept (see ByEar.py) is that of the
# first whole deal.
#
#   PlayByEar.py PROGRAM LANGUAGE [SPEECH-FILE]
import re
import sys
import time

sys.dont_write_bytecode = True  # nothing left beside the sources
from ByEar import key, run, wait_until  # noqa: E402


def news(said):
    """The news of the table told, each notification in its parts. Orca 43 says the role and the text in one
    utterance, Orca 48 in two."""
    texts = [s[len("notification "):] for s in said if s.startswith("notification ")]
    texts += [said[i + 1] for i, s in enumerate(said[:-1]) if s == "notification"]
    return [text.rstrip(".").split(". ") for text in texts]


def play(session):
    check, text, told, rank_of = session.check, session.text, session.told, session.rank_of
    orca = session.orca
    zento = session.start_zento()
    if not check(orca.wait(lambda said: any(s.startswith("Zento, ") for s in said), 30),
                 "Orca says the window's title when it opens"):
        return 1
    check(orca.wait(lambda said: any(s.startswith(text("table") + " ") for s in said)),
          "Orca says the table has the keyboard")

    import pyatspi
    pyatspi.setTimeout(2000, 15000)
    desktop = pyatspi.Registry.getDesktop(0)
    apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
    app = next((a for a in apps if a is not None and a.name.lower() == "zento"), None)
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
    close_in_last_pause = session.language == "english"
    deal_prefix = told("new deal, your cards: %1")
    end_prefix = told("end of game, %1")
    # Orca's flat review (the keypad's 8 reads a line, 9 the next, sent as Up and
    # Page Up: as digits they turn Num Lock on, which Orca 48 says) reads each
    # part of the table on a line of its own, before the first deal too.
    lines = [told("cards in the computer's hand: %1", "0") + ".", text("the pile is empty") + ".",
             text("your cards")]
    for step, line in enumerate(lines):
        orca.mark()
        key("KP_Up" if step == 0 else "KP_Prior")
        check(orca.wait(lambda said: line in said, 5),
              "flat review reads %r on a line of its own; Orca said %r" % (line, orca.since()))

    deal_start = orca.mark()
    key("F2")
    first = orca.wait(news, 20)
    if not check(first and first[0][-1].startswith(deal_prefix), "F2 is told as a new deal: %r" % first):
        return 1
    hand = first[0][-1][len(deal_prefix):].split(", ")
    check(len(hand) == 4 and all(c in rank_of for c in hand), "the deal names four cards: %r" % hand)
    deal_end = None
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
            orca.mark()
            key("Right")
            check(orca.wait(lambda said: wanted + "." in said, 5),
                  "turn %d: Right %d says %r; Orca said %r" % (turn, step + 1, wanted, orca.since()))
            chosen = wanted
        if turn == 1:
            orca.mark()
            key("KP_Enter")  # Orca's where-am-I
            check(orca.wait(lambda said: any(chosen in s for s in said) and any("2 of 4" in s for s in said), 5),
                  "where-am-I names the card and its place among the cards held: %r" % orca.since())
        last_turn = len(hand) == 1 and deals == 6
        orca.mark()
        key("Return")
        if last_turn and close_in_last_pause:
            # A close asked during the turn's pauses, once the card has left
            # the hand, is carried out after the game's end.
            hand_list = table.getChildAtIndex(2)
            in_turn = wait_until(lambda: hand_list.childCount == 0, 5)
            check(in_turn and not news(orca.since()), "the last turn runs while the table answers")
            key("alt+F4")
        told_now = orca.wait(news, 15)
        if not check(told_now, "turn %d is told; Orca said %r" % (turn, orca.since())):
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
        check(len(news(orca.since())) == 1, "turn %d is told once: %r" % (turn, news(orca.since())))
        if deals == 2 and deal_end is None:
            deal_end = len(orca.read())
        if hand and not last_turn:
            check(pile() == (count, top), "turn %d: the pile reads as the rules leave it" % turn)

    check(turn == 24 and deals == 6, "24 turns in 6 deals, played %d in %d" % (turn, deals))
    check(len(cpu_cards) == 24 and len(set(cpu_cards)) == 24, "all 24 cards of the computer told")
    print("%d captures foreseen and told" % captures, flush=True)
    all_news = [part for said in news(orca.read()) for part in said]
    for card in seen:
        check(sum(p in (told("you played %1", card), told("the computer played %1", card)) for p in all_news) <= 1,
              "%s is told once" % card)
    if ended:
        check(len(re.findall(r"\d+", ended)) == 2, "the end names both scores: %r" % ended)
        # The end-of-game message box is open; Return answers it.
        orca.mark()
        key("Return")
        if close_in_last_pause:
            check(wait_until(lambda: zento.poll() is not None, 20),
                  "the close asked during the last turn's pause closes the program once the message is answered")
        else:
            # Orca 43 names the table; Orca 48 says the window's title and the
            # table's hint, as the table is the object it had before the box.
            hint = table.description
            check(orca.wait(lambda said: any(s.startswith(text("table")) or hint and s.startswith(hint)
                                             for s in said)),
                  "the table has the focus again after the message: %r" % orca.since())

    if zento.poll() is None:
        key("alt+F4")
        check(wait_until(lambda: zento.poll() is not None, 20), "a close between turns closes the program")
    session.keep_speech(orca.said[deal_start:deal_end])
    return 0


if __name__ == "__main__":
    run(play)
