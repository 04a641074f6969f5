#!/usr/bin/env python3
"""Applies deliberate bugs one at a time and reports which the tests catch.

    tests/mutants/mutate.py list                       # the catalogue, checked against the tree
    tests/mutants/mutate.py run                        # every unit mutant
    tests/mutants/mutate.py run --check fuzz           # the fuzz ones, 20 s a target
    tests/mutants/mutate.py run --id E1 --id E2        # chosen ones
    tests/mutants/mutate.py run --check wine --together   # the Win32 ones in one build
    tests/mutants/mutate.py run --id SMW1 --suite clipboard_e2e.sh   # another suite than the record's

--tree runs against another checkout (its build/ folders are used), --catalogue
reads another catalogue. A mutant whose tree does not build is not caught.
"""
import argparse
import os
import signal
import subprocess
import sys
import time
import tomllib
from pathlib import Path

HERE = Path(__file__).resolve().parent
UNIT_TIMEOUT = 600
FUZZ_SECONDS = int(os.environ.get("FUZZ_SECONDS", "20"))


def load(catalogue):
    with open(catalogue, "rb") as f:
        mutants = tomllib.load(f)["mutant"]
    seen = set()
    for m in mutants:
        for key in ("id", "area", "file", "check", "what", "from", "to"):
            if key not in m:
                sys.exit(f"{m.get('id', '?')}: no '{key}'")
        if m["id"] in seen:
            sys.exit(f"{m['id']}: id used twice")
        seen.add(m["id"])
    return mutants


def problem(tree, m):
    """Why the mutant cannot be applied to the tree, or None."""
    path = tree / m["file"]
    if not path.exists():
        return "no such file"
    count = path.read_text(encoding="utf-8").count(m["from"])
    if count != 1:
        return f"snippet found {count} times"
    if m["from"] == m["to"]:
        return "replacement equals the original"
    return None


class Applied:
    """The mutants written into their files; the originals come back on exit, whatever happens."""

    def __init__(self, tree, mutants):
        self.tree, self.mutants, self.saved = tree, mutants, {}

    def __enter__(self):
        try:
            for m in self.mutants:
                path = self.tree / m["file"]
                if path not in self.saved:
                    self.saved[path] = path.read_bytes()
                text = path.read_text(encoding="utf-8")
                path.write_text(text.replace(m["from"], m["to"], 1), encoding="utf-8")
        except BaseException:
            self.restore()
            raise
        return self

    def restore(self):
        for path, original in self.saved.items():
            path.write_bytes(original)
        self.saved = {}

    def __exit__(self, *exc):
        self.restore()
        return False


def run(cmd, cwd, timeout=None, log=None):
    """Exit status, or None on a timeout; the output goes to the log."""
    with open(log or os.devnull, "ab") as out:
        out.write(("\n$ " + " ".join(cmd) + "\n").encode())
        out.flush()
        proc = subprocess.Popen(["nice", "-n", "19", *cmd], cwd=cwd, stdout=out,
                                stderr=subprocess.STDOUT, start_new_session=True)
        try:
            return proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None
        finally:
            if proc.poll() is None:
                os.killpg(proc.pid, signal.SIGKILL)
                proc.wait()


def build(tree, preset, target, log):
    if not (tree / "build" / preset / "CMakeCache.txt").exists():
        if run(["cmake", "--preset", preset], tree, log=log) != 0:
            return False
    cmd = ["cmake", "--build", "--preset", preset, "-j2"]
    if target:
        cmd += ["--target", target]
    return run(cmd, tree, log=log) == 0


def check_unit(tree, m, log):
    if not build(tree, "linux", "quorvel_tests", log):
        return "did not build"
    # From the build folder, as ctest runs it: older trees find their golden files from there.
    env_cmd = ["env", "-u", "QUORVEL_UPDATE_GOLDEN", "tests/quorvel_tests",
               "--gtest_fail_fast", "--gtest_brief=1"]
    status = run(env_cmd, tree / "build" / "linux", timeout=UNIT_TIMEOUT, log=log)
    return "missed" if status == 0 else "caught"


def check_fuzz(tree, m, log):
    target = m["check"].split(":", 1)[1]
    if not build(tree, "fuzz", target, log):
        return "did not build"
    max_len = "65536" if target == "fuzz_shortcut_file" else "4096"
    work = Path(subprocess.check_output(["mktemp", "-d"], text=True).strip())
    try:
        subprocess.run(["cp", "-R", f"{tree}/fuzz/corpus/{target}/.", str(work)], check=True)
        status = run([f"build/fuzz/fuzz/{target}", str(work), f"-max_total_time={FUZZ_SECONDS}",
                      f"-max_len={max_len}", "-timeout=10", "-rss_limit_mb=2048",
                      f"-artifact_prefix={work}/"], tree, timeout=FUZZ_SECONDS + 120, log=log)
    finally:
        subprocess.run(["rm", "-rf", str(work)])
    return "missed" if status == 0 else "caught"


def wine_failures(tree, suite, log):
    """The names of the checks that failed, or None when the suite did not get going."""
    before = log.stat().st_size if log.exists() else 0
    run(["bash", f"e2e/{suite}"], tree, timeout=3600, log=log)
    text = log.read_bytes()[before:].decode(errors="replace")
    if "FAIL: build:" in text:
        return None
    # A suite's own checks say "FAIL: name: why"; the services self-check says "FAIL what".
    return [line[6:].split(":")[0].strip() if line.startswith("FAIL: ") else line[5:].strip()
            for line in text.splitlines() if line.startswith("FAIL")]


def suite_of(m):
    return m["check"].split(":", 1)[1]


def check_wine_together(tree, mutants, log):
    """Runs every suite the mutants name once, all of them applied; a mutant is caught
    when one of the checks it names failed."""
    verdicts = {}
    with Applied(tree, mutants):
        failed = {}
        for suite in sorted({suite_of(m) for m in mutants}):
            failed[suite] = wine_failures(tree, suite, log)
            print(f"  {suite}: failed {failed[suite]}", flush=True)
    for m in mutants:
        names = failed[suite_of(m)]
        if names is None:
            verdicts[m["id"]] = "did not build"
            continue
        expected = m.get("fails", [])
        hit = [n for n in names if any(e in n for e in expected)]
        verdicts[m["id"]] = "caught" if hit else "missed"
    return verdicts


def check_one(tree, m, log):
    kind = m["check"].split(":", 1)[0]
    if kind == "unit":
        return check_unit(tree, m, log)
    if kind == "fuzz":
        return check_fuzz(tree, m, log)
    names = wine_failures(tree, suite_of(m), log)
    return "did not build" if names is None else ("caught" if names else "missed")


def table(mutants, verdicts):
    rows = [("id", "area", "check", "verdict", "what")]
    rows += [(m["id"], m["area"], m["check"], verdicts.get(m["id"], "-"), m["what"])
             for m in mutants]
    widths = [max(len(r[i]) for r in rows) for i in range(4)]
    for r in rows:
        print("  ".join(c.ljust(w) for c, w in zip(r, widths)) + "  " + r[4])
    print()
    for area in dict.fromkeys(m["area"] for m in mutants):
        mine = [verdicts.get(m["id"]) for m in mutants if m["area"] == area]
        print(f"{area}: {len(mine)} mutants, {mine.count('caught')} caught, "
              f"{mine.count('missed')} missed, {mine.count('did not build')} did not build")
    every = [verdicts.get(m["id"]) for m in mutants]
    print(f"all: {len(every)} mutants, {every.count('caught')} caught, "
          f"{every.count('missed')} missed, {every.count('did not build')} did not build")


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("command", choices=["list", "run"])
    parser.add_argument("--tree", type=Path, default=HERE.parent.parent)
    parser.add_argument("--catalogue", type=Path, default=HERE / "catalogue.toml")
    parser.add_argument("--id", action="append", default=[])
    parser.add_argument("--area", action="append", default=[])
    parser.add_argument("--check", choices=["unit", "fuzz", "wine"], default="unit")
    parser.add_argument("--together", action="store_true",
                        help="wine only: apply them all in one build, tell them apart by check")
    parser.add_argument("--suite", help="wine only: run this suite (e2e/...) instead of the record's")
    parser.add_argument("--log", type=Path, default=None)
    args = parser.parse_args()
    tree = args.tree.resolve()
    mutants = load(args.catalogue)
    if args.id:
        mutants = [m for m in mutants if m["id"] in args.id]
    else:
        mutants = [m for m in mutants if m["check"].split(":")[0] == args.check]
    if args.area:
        mutants = [m for m in mutants if m["area"] in args.area]
    if args.suite:
        mutants = [dict(m, check="wine:" + args.suite) if m["check"].startswith("wine:") else m
                   for m in mutants]

    bad = {m["id"]: problem(tree, m) for m in mutants}
    if args.command == "list":
        for m in mutants:
            print(f"{m['id']:6} {m['check']:24} {bad[m['id']] or 'ok':24} {m['what']}")
        sys.exit(1 if any(bad.values()) else 0)
    if any(bad.values()):
        sys.exit("; ".join(f"{k}: {v}" for k, v in bad.items() if v))

    # A termination is an interrupt, so the files come back on either.
    signal.signal(signal.SIGTERM, lambda *_: (_ for _ in ()).throw(KeyboardInterrupt()))
    log = (args.log or tree / "build" / "mutants.log").resolve()
    log.parent.mkdir(parents=True, exist_ok=True)
    print(f"log: {log}", flush=True)
    verdicts = {}
    try:
        if args.together:
            verdicts = check_wine_together(tree, mutants, log)
        else:
            for m in mutants:
                start = time.monotonic()
                with Applied(tree, [m]):
                    verdicts[m["id"]] = check_one(tree, m, log)
                print(f"{m['id']:6} {verdicts[m['id']]:14} {time.monotonic() - start:5.0f} s  "
                      f"{m['what']}", flush=True)
    except KeyboardInterrupt:
        print("interrupted; the files are restored", flush=True)
    table(mutants, verdicts)


if __name__ == "__main__":
    main()
