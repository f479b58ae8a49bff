#!/usr/bin/env python3
"""Times each Quillmark tool (through quillmark-cli) against the tool a user would pick instead, side by side.

    bench/run.py [--data DIR] [--rounds N] [--only NAME,...] [--markdown FILE]

Each round runs the Quillmark command and then its peer, once each, with hyperfine; the rounds alternate the
two so that both see the same state of the machine. Peak memory comes from one extra run under /usr/bin/time -v.
Data is generated deterministically into --data (default /tmp/quillmark-bench) the first time it is needed.
"""
import argparse
import json
import os
import platform
import shutil
import statistics
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
CLI = os.path.join(ROOT, "build", "bin", "quillmark-cli")
GENERATE = os.path.join(HERE, "generate.py")


def generate(data, name, *arguments):
    path = os.path.join(data, name)
    if not os.path.exists(path):
        print("generating", name, file=sys.stderr, flush=True)
        subprocess.run([sys.executable, GENERATE, arguments[0], path + ".part", *arguments[1:]], check=True)
        os.rename(path + ".part", path)
    return path


def has_command(name):
    return subprocess.run([CLI, name, "--help"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0


def hyperfine_once(command, shell):
    with tempfile.NamedTemporaryFile(suffix=".json") as report:
        arguments = ["hyperfine", "--runs", "1", "--style", "none", "--export-json", report.name]
        if not shell:
            arguments.append("-N")
        arguments.append(command)
        subprocess.run(arguments, check=True, stdout=subprocess.DEVNULL)
        with open(report.name) as handle:
            return json.load(handle)["results"][0]["mean"]


def peak_memory_mb(command, shell):
    arguments = ["/usr/bin/time", "-v"] + (["bash", "-c", command] if shell else command.split("\0"))
    finished = subprocess.run(arguments, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    for line in finished.stderr.splitlines():
        if "Maximum resident set size" in line:
            return int(line.split(":")[1]) / 1024.0
    return float("nan")


def quote(path):
    return "'" + path.replace("'", "'\\''") + "'"


def cases(data, out):
    lst = lambda: generate(data, "list.txt", "list", "--count", "10000000")
    parts = lambda: [generate(data, "part%d.txt" % i, "list", "--count", "3333334", "--seed", str(i)) for i in (1, 2, 3)]
    remove = lambda n: generate(data, "remove%d.txt" % n, "remove", "--from", lst(), "--count", str(n))
    mailbox = lambda: generate(data, "mailbox.txt", "mailbox", "--megabytes", "200")
    o = os.path.join(out, "quillmark.out")
    p = os.path.join(out, "peer.out")
    # name, quillmark argument list, peer shell command, input files for the size column
    yield ("merge", "merge", lambda: ([CLI, "merge", *parts(), "-o", o],
                                      "cat %s > %s" % (" ".join(map(quote, parts())), quote(p)), parts()))
    yield ("split", "split", lambda: ([CLI, "split", lst(), "-n", "100000", "-d", os.path.join(out, "q")],
                                      "split -l 100000 %s %s" % (quote(lst()), quote(os.path.join(out, "p", "x"))),
                                      [lst()]))
    yield ("extract", "extract", lambda: ([CLI, "extract", lst(), "-o", o, "-k", ".com"],
                                          "LC_ALL=C grep -F .com %s > %s" % (quote(lst()), quote(p)), [lst()]))
    yield ("un-extract", "extract", lambda: ([CLI, "extract", lst(), "-o", o, "-k", ".com", "--un"],
                                             "LC_ALL=C grep -Fv .com %s > %s" % (quote(lst()), quote(p)), [lst()]))
    yield ("count", "count", lambda: ([CLI, "count", lst()], "wc -l %s" % quote(lst()), [lst()]))
    for n in (10000, 100000, 1000000):
        yield ("remove %d" % n, "remove", lambda n=n: ([CLI, "remove", lst(), remove(n), "-o", o],
                                                       "LC_ALL=C grep -Fxv -f %s %s > %s"
                                                       % (quote(remove(n)), quote(lst()), quote(p)), [lst()]))
    yield ("sort", "sort", lambda: ([CLI, "sort", lst(), "-o", o],
                                    "LC_ALL=C sort -u %s -o %s" % (quote(lst()), quote(p)), [lst()]))
    yield ("mail scan", "retrieve", lambda: ([CLI, "retrieve", "mail", mailbox(), "-o", o],
                                             "LC_ALL=C grep -i -E '^(from|reply-to):' %s | cut -d' ' -f2- > %s"
                                             % (quote(mailbox()), quote(p)), [mailbox()]))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--data", default="/tmp/quillmark-bench")
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--only", default="")
    parser.add_argument("--markdown", default="")
    args = parser.parse_args()
    if not os.path.exists(CLI):
        sys.exit("build first: ./build.sh build")
    for tool in ("hyperfine", "/usr/bin/time"):
        if not shutil.which(tool):
            sys.exit("missing %s: apt-get install hyperfine time" % tool)
    os.makedirs(args.data, exist_ok=True)
    wanted = [name.strip() for name in args.only.split(",") if name.strip()]
    rows = []
    for name, command, make in cases(args.data, args.data):
        if wanted and not any(name.startswith(w) for w in wanted):
            continue
        if not has_command(command):
            print("skipping %s: quillmark-cli has no '%s' command" % (name, command), file=sys.stderr)
            continue
        ours, peer, inputs = make()
        for folder in ("q", "p"):
            os.makedirs(os.path.join(args.data, folder), exist_ok=True)
        ours_command = " ".join(map(quote, ours))
        ours_times, peer_times = [], []
        for _ in range(args.rounds):
            ours_times.append(hyperfine_once(ours_command, shell=False))
            peer_times.append(hyperfine_once(peer, shell=True))
            if len(ours_times) == 1 and peer_times[0] < 5.0:
                # Short runs: the first round only warms the page cache and the output files; time it again.
                ours_times, peer_times = [hyperfine_once(ours_command, shell=False)], [hyperfine_once(peer, shell=True)]
        memory = peak_memory_mb("\0".join(ours), shell=False)
        size = sum(os.path.getsize(path) for path in inputs) / 1e6
        row = (name, size, statistics.median(ours_times), statistics.median(peer_times), memory)
        rows.append(row)
        print("%-14s %8.0f MB  quillmark %7.2f s  peer %7.2f s  ratio %5.2f  peak %7.1f MB"
              % (row[0], row[1], row[2], row[3], row[2] / row[3], row[4]), flush=True)
        for folder in ("q", "p"):
            shutil.rmtree(os.path.join(args.data, folder), ignore_errors=True)
        for leftover in ("quillmark.out", "peer.out"):
            if os.path.exists(os.path.join(args.data, leftover)):
                os.remove(os.path.join(args.data, leftover))
    lines = ["| tool | data | Quillmark median | peer median | ratio | Quillmark peak memory |",
             "|---|---|---|---|---|---|"]
    for name, size, ours, peer, memory in rows:
        lines.append("| %s | %.0f MB | %.2f s | %.2f s | %.2f | %.0f MB |" % (name, size, ours, peer, ours / peer, memory))
    machine = "%s, %d cores, Python %s" % (platform.platform(), os.cpu_count(), platform.python_version())
    table = "\n".join(lines) + "\n\nMachine: " + machine + ", rounds: %d\n" % args.rounds
    print()
    print(table)
    if args.markdown:
        with open(args.markdown, "w") as handle:
            handle.write(table)


if __name__ == "__main__":
    main()
