#!/usr/bin/env python3
"""Deterministic test data for the benchmarks: address lists, remove lists, a mail folder and an HTML page.

    generate.py list OUT --count N [--seed S] [--duplicates 0.1] [--lf]
    generate.py remove OUT --from LIST --count N [--seed S] [--share 0.5]
    generate.py mailbox OUT --megabytes M [--seed S]
    generate.py html OUT --count N [--seed S]

Lists end their lines CR LF unless --lf is given. The same seed always gives the same bytes.
"""
import argparse
import random
import sys

FIRST = ("james mary john patricia robert jennifer michael linda william elizabeth david barbara richard susan "
         "joseph jessica thomas sarah charles karen chris nancy daniel lisa matthew betty anthony margaret mark "
         "sandra donald ashley steven kim paul emily andrew donna joshua michelle ken carol kevin amanda brian "
         "melissa george deborah tim stephanie ronald rebecca edward sharon jason laura jeff cynthia ryan kathleen "
         "jacob amy gary angela nick shirley eric anna jonathan brenda stephen pamela larry emma justin nicole "
         "scott helen brandon samantha ben katherine sam christine greg debra frank rachel alex carolyn ray janet "
         "patrick catherine jack maria dennis heather jerry diane tyler ruth aaron julie jose olivia adam joyce "
         "henry virginia nathan victoria doug kelly zach lauren peter christina kyle joan walter evelyn ethan judith "
         "jeremy megan harold cheryl keith andrea christian hannah roger martha noah jacqueline gerald frances "
         "carl gloria terry ann sean teresa austin kathryn arthur sara lawrence janice jesse jean dylan alice").split()
LAST = ("smith johnson williams brown jones garcia miller davis rodriguez martinez hernandez lopez gonzalez "
        "wilson anderson thomas taylor moore jackson martin lee perez thompson white harris sanchez clark ramirez "
        "lewis robinson walker young allen king wright scott torres nguyen hill flores green adams nelson baker "
        "hall rivera campbell mitchell carter roberts gomez phillips evans turner diaz parker cruz edwards collins "
        "reyes stewart morris morales murphy cook rogers gutierrez ortiz morgan cooper peterson bailey reed kelly "
        "howard ramos kim cox ward richardson watson brooks chavez wood james bennett gray mendoza ruiz hughes "
        "price alvarez castillo sanders patel myers long ross foster jimenez powell jenkins perry russell sullivan "
        "bell coleman butler henderson barnes gonzales fisher vasquez simmons romero jordan patterson alexander "
        "hamilton graham reynolds griffin wallace moreno west cole hayes bryant herrera gibson ellis tran medina").split()
BIG = ["gmail.com", "yahoo.com", "hotmail.com", "aol.com", "outlook.com", "msn.com", "comcast.net", "live.com",
       "icloud.com", "mail.ru", "web.de", "gmx.de", "orange.fr", "btinternet.com", "verizon.net", "att.net"]
TLDS = ["com", "net", "org", "de", "co.uk", "fr", "nl", "it", "com.au", "ca", "es", "se", "info", "biz", "edu"]
SYLLABLES = "ka lo mi ne ta ri so vu be da fe go hu ji ky la mo nu pa qi ro su te vi wo xa yo zu".split()


def domain(rng):
    # A long tail: a few large providers take half the addresses, then tens of thousands of small domains.
    if rng.random() < 0.5:
        return BIG[min(int(rng.paretovariate(1.2)) - 1, len(BIG) - 1)]
    index = int(rng.paretovariate(0.6)) % 60000
    local = random.Random(index)
    name = "".join(local.choice(SYLLABLES) for _ in range(local.randint(2, 4)))
    if local.random() < 0.3:
        name += str(local.randint(1, 99))
    return name + "." + local.choice(TLDS)


def address(rng):
    first, last = rng.choice(FIRST), rng.choice(LAST)
    style = rng.random()
    if style < 0.3:
        local = first + "." + last
    elif style < 0.5:
        local = first[0] + last
    elif style < 0.7:
        local = first + last[0] + str(rng.randint(1, 9999))
    elif style < 0.85:
        local = first + "_" + last + str(rng.randint(1, 99))
    else:
        local = first + str(rng.randint(1, 999999))
    return local + "@" + domain(rng)


def write_lines(path, lines, lf):
    end = "\n" if lf else "\r\n"
    with open(path, "w", encoding="ascii", newline="") as out:
        chunk = []
        for line in lines:
            chunk.append(line)
            if len(chunk) >= 65536:
                out.write(end.join(chunk) + end)
                chunk.clear()
        if chunk:
            out.write(end.join(chunk) + end)


def make_list(args):
    rng = random.Random(args.seed)
    recent = []

    def lines():
        for _ in range(args.count):
            if recent and rng.random() < args.duplicates:
                yield rng.choice(recent)
                continue
            item = address(rng)
            if len(recent) < 100000:
                recent.append(item)
            else:
                recent[rng.randrange(len(recent))] = item
            yield item

    write_lines(args.out, lines(), args.lf)


def make_remove(args):
    rng = random.Random(args.seed)
    with open(getattr(args, "from"), "r", encoding="ascii", newline="") as source:
        pool = [line.rstrip("\r\n") for line in source]
    taken = int(args.count * args.share)
    lines = [rng.choice(pool) for _ in range(taken)] + [address(rng) for _ in range(args.count - taken)]
    rng.shuffle(lines)
    write_lines(args.out, lines, args.lf)


def make_mailbox(args):
    rng = random.Random(args.seed)
    limit = args.megabytes * 1024 * 1024
    words = "the of and to in is you that it he was for on are as with his they at be this have from".split()
    written = 0
    with open(args.out, "w", encoding="ascii", newline="") as out:
        while written < limit:
            sender = address(rng)
            parts = ["From " + sender + " Mon Jan  5 09:00:00 2026",
                     "From: " + rng.choice(FIRST).title() + " " + rng.choice(LAST).title() + " <" + sender + ">",
                     "To: " + address(rng),
                     "Subject: " + " ".join(rng.choice(words) for _ in range(6))]
            if rng.random() < 0.3:
                parts.append("Reply-To: " + address(rng))
            parts.append("")
            for _ in range(rng.randint(5, 40)):
                parts.append(" ".join(rng.choice(words) for _ in range(rng.randint(4, 14))))
            parts.append("")
            text = "\r\n".join(parts) + "\r\n"
            out.write(text)
            written += len(text)


def make_html(args):
    rng = random.Random(args.seed)
    with open(args.out, "w", encoding="ascii", newline="") as out:
        out.write("<html><head><title>Members</title></head><body>\r\n<table>\r\n")
        for _ in range(args.count):
            mail = address(rng)
            if rng.random() < 0.5:
                mail = mail.upper()
            out.write('<tr><td>%s</td><td><a href="MAILTO:%s">%s</a></td></tr>\r\n'
                      % (rng.choice(LAST).title(), mail, mail.lower()))
        out.write("</table>\r\n</body></html>\r\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="kind", required=True)
    for kind in ("list", "remove", "mailbox", "html"):
        p = sub.add_parser(kind)
        p.add_argument("out")
        p.add_argument("--seed", type=int, default=1)
        p.add_argument("--lf", action="store_true")
        if kind in ("list", "remove", "html"):
            p.add_argument("--count", type=int, required=True)
        if kind == "list":
            p.add_argument("--duplicates", type=float, default=0.1)
        if kind == "remove":
            p.add_argument("--from", required=True)
            p.add_argument("--share", type=float, default=0.5)
        if kind == "mailbox":
            p.add_argument("--megabytes", type=int, required=True)
    args = parser.parse_args()
    {"list": make_list, "remove": make_remove, "mailbox": make_mailbox, "html": make_html}[args.kind](args)


if __name__ == "__main__":
    sys.exit(main())
