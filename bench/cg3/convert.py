#!/usr/bin/env python3
"""Translates a plain-text disambiguation rule file and a cohort stream of
ours into the grammar and stream formats of the standard CG engine (cg3's
vislcg3), for the side-by-side benchmark.

  convert.py grammar RULES.rul OUT.cg3
  convert.py stream INPUT OUT.txt      (Windows-1257 bytes are kept as they are)

What is translated:
  sets            (NAME t1 t2 (t3 t4) "base)  ->  LIST NAME = t1 t2 (t3 t4) "<base>"r ...
  =0 / =! / =!!   REMOVE / SELECT / SELECT plus REMOVE with the condition negated
                  (only for a single condition; with more the REMOVE half is left out)
  =**CLB(-C)      ADD (**CLB) / ADD (**CLB-C) in an earlier section
  conditions      (NOT *-2C SET)  ->  the same syntax; "CLB"/"CLB-C" after the
                  target (the clause window) become a BARRIER at clause marks
  domain "word"   the target is narrowed to that word form
Link chains (L/R/W) are not translated; a rule with them is left out and
counted on standard error.
"""
import re
import sys


def tag(t):
    """One of our tags as a cg3 tag."""
    if t.startswith('"'):
        base = t[1:].rstrip('"')
        return '"' + base.replace('"', '\\"') + '"'
    if t in ("<<<", ">>>"):
        return ">>>" if t == ">>>" else "<<<"
    return re.sub(r'([;()"\\#=])', r'\\\1', t) if t[0] in '#' else re.sub(r'([;()"\\])', r'\\\1', t)


def split_top(text):
    """Items of a parenthesised list, with nested lists kept whole."""
    items, depth, cur = [], 0, ""
    for ch in text:
        if ch == "(":
            depth += 1
            if depth == 1:
                continue
        elif ch == ")":
            depth -= 1
            if depth == 0:
                if cur.strip():
                    items.append(cur.strip())
                cur = ""
                continue
        if depth >= 1:
            if ch.isspace() and depth == 1:
                if cur.strip():
                    items.append(cur.strip())
                cur = ""
            else:
                cur += ch
        elif not ch.isspace():
            cur += ch
        elif cur.strip():
            items.append(cur.strip())
            cur = ""
    if cur.strip():
        items.append(cur.strip())
    return items


def member(m):
    if m.startswith("(") or " " in m:
        return "(" + " ".join(tag(t) for t in m.strip("()").split()) + ")"
    return tag(m)


COND = re.compile(r"^(NOT\s+)?(\*)?([-+]?)(\d+)(C)?\s+(\S+)$")


def condition(text, sets, barrier):
    m = COND.match(text.strip())
    if not m:
        return None
    neg, scan, sign, pos, careful, name = m.groups()
    if name not in sets:
        return None
    out = "(" + ("NOT " if neg else "") + ("*" if scan else "") + ("-" if sign == "-" else "") + pos
    out += ("C" if careful else "") + " " + sets[name]
    if scan and barrier:
        out += " BARRIER " + barrier
    return out + ")"


def grammar(src, dst):
    text = open(src, encoding="latin-1").read()
    sections, section = {}, None
    for line in text.split("\n"):
        s = line.strip()
        if not s or s.startswith(";"):
            continue
        if re.fullmatch(r"[A-Z-]+", s):
            section = s
            sections.setdefault(section, [])
            continue
        sections.setdefault(section, []).append(s)
    out = ['DELIMITERS = "<$LL$>" ;', "LIST CLB-MARK = (**CLB) (**CLB-C) ;", "LIST CLB-CERTAIN = (**CLB) ;"]
    sets, left = {}, 0
    for s in sections.get("SET-DECLARATIONS", []):
        items = split_top(s)
        if not items:
            continue
        name, members = items[0], items[1:]
        cg = "S-" + re.sub(r"[^A-Za-z0-9_-]", "_", name)
        sets[name] = cg
        out.append("LIST %s = %s ;" % (cg, " ".join(member(m) for m in members)))

    def rules(lines, heuristic_ok=True):
        nonlocal left
        res = []
        for s in lines:
            m = re.match(r"^(?:\d+:)?\((\S+?)\s*=\s*(\*\*CLB-C|\*\*CLB|!!|!|0)\s*(.*)\)$", s)
            if not m:
                left += 1
                continue
            domain, op, rest = m.groups()
            parts = split_top("(" + rest + ")")
            if not parts:
                left += 1
                continue
            target = parts[0]
            window = [p for p in parts[1:] if p in ("CLB", "CLB-C")]
            conds_src = [p[1:-1] if p.startswith("(") else p for p in parts[1:] if p not in ("CLB", "CLB-C")]
            barrier = {"CLB": "CLB-CERTAIN", "CLB-C": "CLB-MARK"}.get(window[0]) if window else None
            conds = [condition(c, sets, barrier) for c in conds_src]
            if any(c is None for c in conds):
                left += 1
                continue
            if target.strip("()") == "*":
                tgt = "(*)"
            else:
                tgt = "(" + " ".join(tag(t) for t in target.strip("()").split()) + ")"
                if " " in target.strip("()"):
                    tgt = "(" + " OR ".join("(" + tag(t) + ")" for t in target.strip("()").split()) + ")"
            if domain != "@w":
                tgt = '("<%s>" + %s)' % (domain.strip('"'), tgt) if tgt != "(*)" else '("<%s>")' % domain.strip('"')
            ifs = (" IF " + " ".join(conds)) if conds else ""
            if op == "0":
                res.append("REMOVE %s%s ;" % (tgt, ifs))
            elif op == "!":
                res.append("SELECT %s%s ;" % (tgt, ifs))
            elif op == "!!":
                res.append("SELECT %s%s ;" % (tgt, ifs))
                if len(conds) == 1:
                    c = conds[0]
                    neg = c.replace("(NOT ", "(", 1) if c.startswith("(NOT ") else "(NOT " + c[1:]
                    res.append("REMOVE %s IF %s ;" % (tgt, neg))
            else:
                mark = "**CLB" if op == "**CLB" else "**CLB-C"
                guard = "CLB-CERTAIN" if op == "**CLB" else "CLB-MARK"
                res.append("ADD (%s) %s - %s%s ;" % (mark, tgt, guard, ifs))
        return res

    out.append("BEFORE-SECTIONS")
    out += rules(sections.get("CLAUSE-BOUNDARY-CONSTRAINTS", []))
    out.append("SECTION")
    out += rules(sections.get("DISAMBIGUATION-CONSTRAINTS", []))
    out.append("SECTION")
    out += rules(sections.get("HEURISTIC-DISAMBIGUATION-CONSTRAINTS", []))
    open(dst, "w", encoding="latin-1").write("\n".join(out) + "\n")
    if left:
        print("convert: %d rule(s) not translated" % left, file=sys.stderr)


def stream(src, dst):
    with open(src, "rb") as f, open(dst, "wb") as o:
        buf = []
        for line in f:
            line = line.rstrip(b"\r\n")
            if not line.strip():
                continue
            if line[:1] in (b" ", b"\t"):
                s = line.strip()
                i = s.find(b" //")
                base = s[:i] if i >= 0 else s
                rest = s[i + 3:] if i >= 0 else b""
                rest = rest.rstrip(b"/").strip()
                buf.append(b'\t"' + base.replace(b'"', b'\\"') + b'" ' + rest + b"\n")
            elif line.startswith(b"!"):
                continue
            else:
                buf.append(b'"<' + line.strip() + b'>"\n')
            if len(buf) > 4096:
                o.write(b"".join(buf))
                buf = []
        o.write(b"".join(buf))


if __name__ == "__main__":
    if len(sys.argv) != 4 or sys.argv[1] not in ("grammar", "stream"):
        sys.exit(__doc__)
    (grammar if sys.argv[1] == "grammar" else stream)(sys.argv[2], sys.argv[3])
