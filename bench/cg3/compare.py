#!/usr/bin/env python3
"""Agreement of our disambiguator's output (.cgd) with cg3's output on the
same input: the share of cohorts whose remaining readings (base form and
tags, clause marks left out) are the same set.

  compare.py OURS.cgd THEIRS.txt
"""
import sys


def ours(path):
    cohorts, cur = [], None
    with open(path, "rb") as f:
        for line in f:
            line = line.rstrip(b"\r\n")
            if not line.strip():
                continue
            if line[:1] in (b" ", b"\t"):
                s = line.strip()
                i = s.find(b" //")
                base, rest = (s[:i], s[i + 3:]) if i >= 0 else (s, b"")
                tags = [t for t in rest.replace(b"//", b" ").split() if not t.startswith(b"**CLB")]
                cur.add((base, tuple(tags)))
            else:
                cur = set()
                cohorts.append((line.strip(), cur))
    return cohorts


def theirs(path):
    cohorts, cur = [], None
    with open(path, "rb") as f:
        for line in f:
            line = line.rstrip(b"\r\n")
            if line.startswith(b'"<'):
                cur = set()
                cohorts.append((line[2:-2], cur))
            elif line.startswith(b'\t"'):
                s = line[2:]
                i = s.find(b'" ')
                base, rest = (s[:i], s[i + 2:]) if i >= 0 else (s.rstrip(b'"'), b"")
                cur.add((base.replace(b'\\"', b'"'), tuple(t for t in rest.split() if not t.startswith(b"**CLB"))))
    return cohorts


a, b = ours(sys.argv[1]), theirs(sys.argv[2])
if len(a) != len(b):
    print("cohort counts differ: ours %d, cg3 %d" % (len(a), len(b)))
n = min(len(a), len(b))
same = sum(1 for i in range(n) if a[i][1] == b[i][1])
ra = sum(len(c[1]) for c in a)
rb = sum(len(c[1]) for c in b)
print("agreement: %d of %d cohorts (%.2f%%) have the same readings; readings left: ours %d, cg3 %d"
      % (same, n, 100.0 * same / max(n, 1), ra, rb))
