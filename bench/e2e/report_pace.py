#!/usr/bin/env python3
"""The report at the text output's pace: `sheets --report` beside `--format text`
on the 20k-vertex polygon at open "1:2000" (bench/e2e/polygons.py), whose goal
is a CPU time of at most 1.2 times the text's.

Runs the commands in turn (text, report[, the baseline's report]) --runs times
after one warm-up each, every run a whole process under GNU time, and prints
each command's median CPU seconds (user + system), wall seconds and peak RSS,
the ratio of the medians and the median of the per-round ratios. With
--instructions it also counts each command's instructions once under
callgrind (the same every time; no hardware counters needed).

usage: bench/e2e/report_pace.py [--cli build/sheetwright-cli] [--baseline OLD_CLI]
                                [--runs 11] [--case poly20k] [--instructions]
"""

import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import peers  # noqa: E402
import polygons  # noqa: E402


def instructions(cmd):
    p = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null"] + cmd,
                       stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    m = re.search(r"Collected : (\d+)", p.stderr)
    return int(m.group(1)) if m else None


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", default="build/sheetwright-cli")
    ap.add_argument("--baseline", help="another build's binary, its report timed in the same rounds")
    ap.add_argument("--runs", type=int, default=11)
    ap.add_argument("--case", default="poly20k")
    ap.add_argument("--instructions", action="store_true")
    ap.add_argument("--work")
    a = ap.parse_args()
    if a.runs < 7:
        raise SystemExit("--runs: at least 7 rounds")
    work = a.work or tempfile.mkdtemp(prefix="sheetwright-report-pace-")
    polygons.write_all(work)
    poly = os.path.join(work, a.case + ".txt")

    def sheets(cli, *out):
        return [os.path.abspath(cli), "sheets", "--series", "open", "--scale", "1:2000",
                "--polygon", poly] + list(out)

    cmds = [("text", sheets(a.cli, "--format", "text")), ("report", sheets(a.cli, "--report"))]
    if a.baseline:
        cmds.append(("baseline report", sheets(a.baseline, "--report")))
    rounds = peers.rounds([cmd for _, cmd in cmds], a.runs)

    print("%s at open 1:2000, %d rounds (commands in turn), median of each" % (a.case, a.runs))
    print("%-16s %8s %8s %9s %11s %13s" % ("command", "cpu s", "wall s", "peak MiB",
                                           "cpu/text", "instructions"))
    text_cpu = statistics.median(r[0][0] for r in rounds)
    for i, (name, cmd) in enumerate(cmds):
        cpu = statistics.median(r[i][0] for r in rounds)
        wall = statistics.median(r[i][1] for r in rounds)
        peak = statistics.median(r[i][2] for r in rounds)
        count = instructions(cmd) if a.instructions and shutil.which("valgrind") else None
        print("%-16s %8.4f %8.4f %9.1f %11.3f %13s" % (
            name, cpu, wall, peak / 1024, cpu / text_cpu,
            "{:,}".format(count) if count else "-"))
    for i, (name, _) in enumerate(cmds[1:], start=1):
        paired = statistics.median(r[i][0] / r[0][0] for r in rounds)
        print("%s / text, median of the rounds' CPU ratios: %.3f (goal <= 1.2)" % (name, paired))


if __name__ == "__main__":
    main()
