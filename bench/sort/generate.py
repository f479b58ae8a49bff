#!/usr/bin/env python3
"""Writes a deterministic list of e-mail addresses for the sort benchmark.

    generate.py OUT [--count 10000000] [--duplicates 0.10] [--seed 1] [--lf]

About the given share of lines repeat an earlier address; the rest are new. Names and domains follow a long
tail, lines end CR LF unless --lf is given. The same arguments always give the same bytes.
"""
import argparse
import random

GIVEN = ("anna ben carla dan eva felix gina hugo ines jack kira leo mona nils olga paul rita sam tina ugo vera "
         "walt xena yves zoe adam bea chris dora emil fred gwen hans iris jon kai lena max nora otto pia quin "
         "rosa stan tom uma vic wes").split()
FAMILY = ("smith jones brown miller davis garcia wilson moore taylor thomas white harris martin clark lewis "
          "walker young allen king wright scott hill green adams baker nelson carter turner parker evans collins "
          "murphy cook rogers morgan cooper reed bailey bell ward cox diaz gray wood james watson brooks kelly "
          "price myers long ross foster powell perry russell").split()
PROVIDERS = ["gmail.com", "yahoo.com", "hotmail.com", "outlook.com", "aol.com", "web.de", "gmx.net", "mail.ru",
             "icloud.com", "comcast.net", "orange.fr", "live.com"]
ENDINGS = ["com", "net", "org", "de", "co.uk", "fr", "nl", "info", "io", "ca"]
PARTS = "al be co di er fa go hi in jo ka lu ma no or pe qu ra si to un va we xi yo ze".split()


def small_domain(index):
    r = random.Random(index * 7919 + 13)
    name = "".join(r.choice(PARTS) for _ in range(r.randint(2, 4)))
    return name + str(r.randint(1, 99)) * (r.random() < 0.25) + "." + r.choice(ENDINGS)


def address(r):
    given, family = r.choice(GIVEN), r.choice(FAMILY)
    style = r.random()
    if style < 0.35:
        local = given + "." + family + str(r.randint(1, 9999))
    elif style < 0.55:
        local = given[0] + family + str(r.randint(1, 99999))
    elif style < 0.8:
        local = given + family[0] + str(r.randint(1, 999999))
    else:
        local = given + "_" + family + str(r.randint(1, 99999))
    if r.random() < 0.45:
        host = PROVIDERS[min(int(r.paretovariate(1.1)) - 1, len(PROVIDERS) - 1)]
    else:
        host = small_domain(int(r.paretovariate(0.5)) % 80000)
    return local + "@" + host


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("--count", type=int, default=10_000_000)
    parser.add_argument("--duplicates", type=float, default=0.10)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--lf", action="store_true")
    args = parser.parse_args()
    r = random.Random(args.seed)
    end = "\n" if args.lf else "\r\n"
    written = []
    with open(args.out, "w", encoding="ascii", newline="") as out:
        block = []
        for _ in range(args.count):
            if written and r.random() < args.duplicates:
                line = written[r.randrange(len(written))]
            else:
                line = address(r)
                written.append(line)
            block.append(line)
            if len(block) == 100_000:
                out.write(end.join(block) + end)
                block.clear()
        if block:
            out.write(end.join(block) + end)


if __name__ == "__main__":
    main()
