#!/usr/bin/env python3
"""Writes data/tera.fst, the sentence automaton of tera.

It writes one token per line, "$LA$" before the first token of a sentence
and "$LL$" after its last. End punctuation, ordinal numbers and closing
abbreviations are held back until the next token shows whether the sentence
ends there.

Usage: make_fst.py OUT.fst
"""
import sys

# Token classes.
READ_ERROR, END, PARA = 2, 3, 4
WORD, CAPWORD = 7, 8
CLOSE_BRACKET = 10
ORDINAL, DOT, DOTS2, DOTS3, EXCL, QUEST = 11, 12, 13, 14, 15, 16
TITLE, CLOSING, INNER = 17, 19, 21
MONTH, MONTH_ABBR, CAP_MONTH, ROMAN = 23, 24, 25, 26
OPEN_QUOTE, CLOSE_QUOTE, COMMA, COLON, NUMBER = 27, 28, 29, 30, 31

# Output symbols.
NOTHING, HOLD, TOKEN, START, END_AFTER, CLOSE, CLOSE_START = 0, 1, 2, 3, 6, 7, 9

# States.
BETWEEN, IN, HELD_DOT, HELD_DOTS, HELD_EXCL, HELD_CLOSER, HELD_ABBR, FIRST_ABBR, HELD_QUOTE, DONE = range(10)
NAMES = {
    BETWEEN: "between sentences",
    IN: "in a sentence, nothing held",
    HELD_DOT: "a dot held",
    HELD_DOTS: "two or three dots held",
    HELD_EXCL: "an exclamation or question mark held",
    HELD_CLOSER: "a closing quote or bracket after end punctuation held",
    HELD_ABBR: "an ordinal number or closing abbreviation held",
    FIRST_ABBR: "the same as the first token of a sentence",
    HELD_QUOTE: "end punctuation, then a quote standing apart, held",
}

END_PUNCT = {DOT: HELD_DOT, DOTS2: HELD_DOTS, DOTS3: HELD_DOTS, EXCL: HELD_EXCL, QUEST: HELD_EXCL}
CLOSERS = [CLOSE_BRACKET, CLOSE_QUOTE]
AMBIGUOUS = [ORDINAL, CLOSING, MONTH_ABBR]


def automaton():
    """state -> list of (classes, symbols, next state, comment); class 0 is the default."""
    t = {}
    t[BETWEEN] = [
        ([0], [START], IN, "any token opens a sentence"),
        ([READ_ERROR, END], [NOTHING], DONE, "end of the input"),
        ([PARA], [NOTHING], BETWEEN, "paragraph break"),
        (AMBIGUOUS, [HOLD], FIRST_ABBR, "ordinal or closing abbreviation: wait and see"),
    ]
    t[IN] = [
        ([0], [TOKEN], IN, "ordinary token"),
        ([READ_ERROR, END], [CLOSE], DONE, "end of the input closes the sentence"),
        ([PARA], [CLOSE], BETWEEN, "so does a paragraph break"),
    ] + [([c], [HOLD], s, "end punctuation: hold it") for c, s in END_PUNCT.items()] + [
        (AMBIGUOUS, [HOLD], HELD_ABBR, "ordinal or closing abbreviation: hold it"),
    ]
    for held in (HELD_DOT, HELD_DOTS, HELD_EXCL, HELD_CLOSER):
        rows = [
            ([0], [END_AFTER, START], IN, "anything else begins a new sentence"),
            ([READ_ERROR, END], [END_AFTER, NOTHING], DONE, "end of the input"),
            ([PARA], [END_AFTER, NOTHING], BETWEEN, "paragraph break"),
        ]
        rows += [([c], [TOKEN, HOLD], s, "more end punctuation") for c, s in END_PUNCT.items()]
        rows += [
            (CLOSERS, [TOKEN, HOLD], HELD_CLOSER, "closing bracket or quote stays in the sentence"),
            ([COMMA, COLON, MONTH], [TOKEN, TOKEN], IN, "comma, colon, month name: it goes on"),
            (AMBIGUOUS, [END_AFTER, HOLD], FIRST_ABBR, "ordinal or abbreviation after the end"),
            ([OPEN_QUOTE], [HOLD], HELD_QUOTE, "a quote standing apart: closing or opening?"),
        ]
        if held == HELD_CLOSER:
            rows.append(([WORD], [TOKEN, TOKEN], IN, "lower-case word: the sentence goes on"))
        t[held] = rows
    for held, first in ((HELD_ABBR, TOKEN), (FIRST_ABBR, START)):
        t[held] = [
            ([0], [first, CLOSE_START] if first == START else [END_AFTER, START], IN,
             "anything else: the sentence ended with it"),
            ([READ_ERROR, END], [first, CLOSE] if first == START else [END_AFTER, NOTHING], DONE,
             "end of the input"),
            ([PARA], [first, CLOSE] if first == START else [END_AFTER, NOTHING], BETWEEN, "paragraph break"),
            ([WORD, MONTH, COMMA, COLON, NUMBER, ROMAN], [first, TOKEN], IN,
             "lower case, comma, number, numeral: it goes on"),
            (AMBIGUOUS, [first, HOLD], HELD_ABBR, "another one: keep waiting"),
        ] + [([c], [first, HOLD], s, "end punctuation after it") for c, s in END_PUNCT.items()] + [
            (CLOSERS, [first, HOLD], HELD_CLOSER, "closing bracket or quote"),
        ]
    # The quote closes the sentence when another quote or the end follows, or
    # when the sentence goes on in lower case; otherwise it opens the next one.
    t[HELD_QUOTE] = [
        ([0], [END_AFTER, START, TOKEN], IN, "it opens the next sentence"),
        ([READ_ERROR, END], [TOKEN, END_AFTER, NOTHING], DONE, "end of the input: it closed this one"),
        ([PARA], [TOKEN, END_AFTER, NOTHING], BETWEEN, "paragraph break: it closed this one"),
        ([OPEN_QUOTE], [TOKEN, END_AFTER, START], IN, "a second quote: the first closed, this one opens"),
        ([WORD, MONTH, COMMA, COLON], [TOKEN, TOKEN, TOKEN], IN, "lower case, comma, colon: it goes on"),
    ] + [([c], [TOKEN, TOKEN, HOLD], s, "more end punctuation") for c, s in END_PUNCT.items()] + [
        (CLOSERS, [TOKEN, TOKEN, HOLD], HELD_CLOSER, "closing bracket or quote"),
        (AMBIGUOUS, [END_AFTER, START, HOLD], HELD_ABBR, "ordinal or abbreviation after the opening quote"),
    ]
    return t


def write(path):
    t = automaton()
    out = []
    out.append("%d 32# The sentence automaton: one token per line, a line $LA$ before the first\n"
               "  token of each sentence and $LL$ after its last. States:\n" % (DONE + 1))
    for s in sorted(NAMES):
        out.append("  %d %s,\n" % (s, NAMES[s]))
    out.append("  %d done. Generated by tera/tools/make_fst.py ;\n%d\n%d*\n" % (DONE, BETWEEN, DONE))
    for s in sorted(t):
        out.append("%d# %s ;\n" % (s, NAMES[s]))
        rows = t[s]
        for i, (classes, syms, nxt, note) in enumerate(rows):
            entries = ";".join("%d=%s/%d" % (c, ",".join(map(str, syms)), nxt) for c in classes)
            term = "*" if i == len(rows) - 1 else ";"
            out.append("  %s# %s %s\n" % (entries, note, term))
    with open(path, "w", newline="\n") as f:
        f.write("".join(out))


if __name__ == "__main__":
    write(sys.argv[1] if len(sys.argv) > 1 else "data/tera.fst")
