#!/usr/bin/env python3
"""Sentence-boundary precision and recall of tera against CoNLL-U treebanks.

For each treebank the scorer tool writes the text twice: joined per paragraph
(what tera reads) and one sentence per line (where the gold sentence ends
are). tera runs over the joined text with the shipped data; the sentence ends
it marks ("$LL$" lines) and the gold ends are compared as offsets in the text
with all whitespace removed.

Usage: sentence_eval.py --tera BIN_DIR/tera [--data DIR] --udeval UDEVAL.py CONLLU...
(--data: where baltic.cnv and tera.fst are; default tera's own directory)
"""
import argparse
import os
import subprocess
import sys
import tempfile

END_PUNCT = set(b".!?")
CLOSERS = set(b"\"')]}\x94\x93")


def gold_ends(lines_file):
    """Offsets (in whitespace-free text) of the gold sentence ends, and for
    each whether the sentence ends in end punctuation."""
    ends, punct = [], []
    pos = 0
    with open(lines_file, "rb") as f:
        for line in f:
            s = bytes(b for b in line if b not in b" \t\r\n")
            if not s:
                continue
            pos += len(s)
            ends.append(pos)
            k = len(s) - 1
            while k > 0 and s[k] in CLOSERS:
                k -= 1
            punct.append(s[k] in END_PUNCT)
    return ends, punct


def system_ends(lal_file):
    ends, text = [], bytearray()
    with open(lal_file, "rb") as f:
        for line in f:
            line = line.rstrip(b"\r\n")
            if line == b"$LL$":
                ends.append(len(text))
            elif line != b"$LA$":
                text += bytes(b for b in line if b not in b" \t")
    return ends, bytes(text)


def stripped(path):
    with open(path, "rb") as f:
        return bytes(b for b in f.read() if b not in b" \t\r\n")


def evaluate(conllu, tera, data, udeval, work):
    name = os.path.basename(conllu)
    joined = os.path.join(work, name + ".txt")
    lines = os.path.join(work, name + ".lines")
    for args, out in ((["--join"], joined), ([], lines)):
        subprocess.run([sys.executable, udeval, "text", conllu, out] + args, check=True,
                       stdout=subprocess.DEVNULL)
    subprocess.run([tera] + (["-k", data] if data else []) + [joined], check=True, stdout=subprocess.DEVNULL)
    gold, punct = gold_ends(lines)
    sys_ends, sys_text = system_ends(os.path.join(work, name + ".lal"))
    # The left double quote is read as the neutral quote and written back as '"'.
    if sys_text != stripped(joined).replace(b"\x93", b'"'):
        print("%s: tera's tokens do not spell the input text" % name)
    gold_set, sys_set = set(gold), set(sys_ends)
    hits = len(gold_set & sys_set)
    punct_gold = {e for e, p in zip(gold, punct) if p}
    return {
        "name": name, "gold": len(gold_set), "system": len(sys_set), "hits": hits,
        "punct_gold": len(punct_gold), "punct_hits": len(punct_gold & sys_set),
    }


def pct(a, b):
    return "%.2f" % (100.0 * a / b) if b else "-"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--tera", required=True)
    ap.add_argument("--data")
    ap.add_argument("--udeval", required=True)
    ap.add_argument("conllu", nargs="+")
    a = ap.parse_args()
    total = {"gold": 0, "system": 0, "hits": 0, "punct_gold": 0, "punct_hits": 0}
    with tempfile.TemporaryDirectory() as work:
        for c in a.conllu:
            r = evaluate(c, a.tera, a.data, a.udeval, work)
            for k in total:
                total[k] += r[k]
            print("%-24s gold %5d  marked %5d  correct %5d  precision %6s  recall %6s"
                  "  | ending in . ! ?: %5d, recall %6s" % (
                      r["name"], r["gold"], r["system"], r["hits"], pct(r["hits"], r["system"]),
                      pct(r["hits"], r["gold"]), r["punct_gold"], pct(r["punct_hits"], r["punct_gold"])))
    t = total
    print("%-24s gold %5d  marked %5d  correct %5d  precision %6s  recall %6s"
          "  | ending in . ! ?: %5d, recall %6s" % (
              "all", t["gold"], t["system"], t["hits"], pct(t["hits"], t["system"]),
              pct(t["hits"], t["gold"]), t["punct_gold"], pct(t["punct_hits"], t["punct_gold"])))


if __name__ == "__main__":
    main()
