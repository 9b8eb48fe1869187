#!/usr/bin/env python3
"""Writes the figures of a `make bench` or `make fuzz` run into docs/benchmarks.md and README.md.

usage: figures.py bench|fuzz LOG

Each run replaces its own section (between its two marker comments) and leaves the other's, so both files
always hold the last benchmark run and the last long fuzz run side by side.
"""
import datetime
import os
import platform
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DOC = os.path.join(ROOT, "docs", "benchmarks.md")
README = os.path.join(ROOT, "README.md")

HEAD = """# Benchmarks and long runs

Written by `make bench` and `make fuzz`; each run replaces its own section. Every benchmark measures the
library against a baseline in the same run, so the ratio holds even on a noisy machine: a ratio is the
baseline's time over ours (or our rate over the baseline's), so above 1 means faster than the baseline, and
the target is the least ratio accepted.
"""

# name -> (what is measured, the baseline it is measured against)
COMPARISONS = {
    "certgen": ("a 2048-bit self-signed certificate, its request and PFX file",
                "openssl: `req -x509 -newkey rsa:2048` then `pkcs12 -export` (best of 15)"),
    "dispatch": ("deferred procedures queued from a worker thread, run on the main thread",
                 "one `PostMessage` per call to a message-only window"),
    "socket_bulk": ("256 MiB through `VIoSocket` on loopback",
                    "blocking `send`/`recv` on two threads"),
    "socket_roundtrip": ("64-byte requests echoed through `VIoSocket`",
                         "a `WSAAsyncSelect` window loop with `recv`/`send`"),
    "treedialog_open": ("opening and closing the options dialog with 200 pages",
                        "a plain dialog with one tree control of the same 200 items"),
    "treedialog_open_vs_raw_pages": ("opening and closing the options dialog with 200 pages",
                                     "the plain tree dialog plus the 200 page windows made directly"),
}
TEXTFILE = re.compile(r"textfile_(\w+?)_vs_(limit|fgetws)$")

# fuzz test -> (what one input is, inputs per round)
FUZZ = {
    "FuzzTextFile.ReaderAgreesWithTheModel": ("text file reader: a file of random or mutated text", 1),
    "FuzzSettings.RecordReaderTakesAnyFile": ("settings record reader: a mutated settings file", 1),
    "FuzzSettings.PathTemplatesFailOnlyWithTheirTwoMessages": ("settings path templates: a random template", 1),
    "FuzzProfileFile.WrittenFilesReadBackExactly": ("profile file: random keys and values written and read", 1),
    "FuzzProfileFile.AnyFileReadsAndWritesBackTheSame": ("profile file: a random or mutated file read", 1),
    "CertificateFuzz.SubjectNamesFollowTheQuoteCheckAndDecode": ("certificate subject: seven random fields", 1),
    "CertificateFuzz.RequestsAndPfxFilesFromRandomKeysReadBack":
        ("a certificate request and PFX file from a new random key (one per 1,000 inputs)", 1000),
    "AddressFuzz.SplitterAndResolverTakeAnyText": ("address splitter and resolver: random text", 1),
}


def describe(name):
    if name in COMPARISONS:
        return COMPARISONS[name]
    match = TEXTFILE.match(name)
    if match:
        encoding, baseline = match.groups()
        what = "`VTextFile::ReadLine` over 64 MiB of %s lines" % encoding.upper().replace("UTF", "UTF-")
        return (what, "a raw `ReadFile` loop that only counts line ends (the limit)" if baseline == "limit"
                else "the C runtime's `fgetws`")
    return (name, "")


def machine():
    wine = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout.strip()
    return "%s, %d cores, %s, %s" % (datetime.date.today().isoformat(), os.cpu_count(), platform.machine(),
                                     wine or "wine")


def bench_section(lines):
    rows, notes = [], []
    for line in lines:
        match = re.match(r"BENCH name=(\S+) ratio=(\S+) target=(\S+)", line)
        if match:
            name, ratio, target = match.groups()
            what, baseline = describe(name)
            met = "yes" if float(ratio) >= float(target) else "**no**"
            rows.append("| `%s` | %s | %s | %s | %s | %s |" % (name, what, baseline, target, ratio, met))
        elif re.match(r"^[a-z]+( \w+)?: ", line):
            notes.append("- " + line)
    out = ["Last run: `make bench`, " + machine() + ".", "",
           "| Benchmark | Measured | Baseline | Target | Ratio | Met |",
           "|---|---|---|---:|---:|:---:|"] + rows
    out += ["", "What each program printed:", ""] + notes
    return out


def fuzz_section(lines):
    inputs = int(os.environ.get("PARDALIN_FUZZ_ROUNDS", "0"))
    rows, notes, total = [], [], 0.0
    for line in lines:
        match = re.match(r"\[\s+(OK|FAILED)\s+\] (\S+) \((\d+) ms\)", line)
        if match and match.group(2) in FUZZ:
            outcome, name, ms = match.groups()
            what, per = FUZZ[match.group(2)]
            count = max(1, inputs // per) if per > 1 else inputs
            seconds = int(ms) / 1000
            total += seconds
            rate = format(round(count / seconds), ",") + "/s" if seconds else "-"
            rows.append("| `%s` | %s | %s | %.1f s | %s | %s |" % (
                name, what, format(count, ","), seconds, rate,
                "passed" if outcome == "OK" else "**failed**"))
        elif re.match(r"^(soak|store kills|openssl check|certificates):", line):
            notes.append("- " + line)
    out = ["Last run: `make fuzz INPUTS=%d`, %s." % (inputs, machine()), "",
           "| Fuzz target | One input | Inputs | Time | Rate | Result |",
           "|---|---|---:|---:|---:|:---:|"] + rows
    out += ["", "The fuzz targets took %.0f minutes in all." % (total / 60)]
    if notes:
        out += ["", "Long rounds in the same run:", ""] + notes
    return out


def main():
    kind, log = sys.argv[1], sys.argv[2]
    with open(log, encoding="utf-8", errors="replace") as f:
        lines = [l.rstrip("\r\n") for l in f]
    body = bench_section(lines) if kind == "bench" else fuzz_section(lines)
    begin, end = "<!-- %s:begin -->" % kind, "<!-- %s:end -->" % kind
    title = {"bench": "## Benchmarks", "fuzz": "## Long fuzz rounds and soaks"}[kind]
    for path, heading in ((DOC, [title, ""]), (README, [])):
        text = open(path, encoding="utf-8").read() if os.path.exists(path) else HEAD
        section = "\n".join([begin] + heading + body + [end])
        if begin in text and end in text:
            text = text[:text.index(begin)] + section + text[text.index(end) + len(end):]
        elif path == DOC:
            text = text.rstrip("\n") + "\n\n" + section + "\n"
        else:
            continue
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        print("figures: %s updated (%s)" % (os.path.relpath(path, ROOT), kind))


if __name__ == "__main__":
    main()
