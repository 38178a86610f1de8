#!/usr/bin/env python3
"""Mutation runner: plants one small fault at a time from the lists in tests/mutants/,
rebuilds the test programs that cover the mutated folder, runs them and restores the file.

Called by scripts/mutate.sh, which prepares the build folder; see there for the usage.

List format (tests/mutants/*.txt): blocks separated by blank lines, '#' starts a comment line.

    [scene-skin-translation]
    file: engine/scene/Mesh.cpp
    kind: constant
    find: position.x = m[0] * x + m[1] * y + m[2] * z + m[3];
    replace: position.x = m[0] * x + m[1] * y + m[2] * z + m[7];
    equivalent: why the change cannot alter behaviour (optional)
    tests: orvex_scene_tests (optional; default: the programs covering the file's folder)

`find` must occur exactly once in the file; `\\n` in find/replace stands for a line break and
`\\\\` for a backslash. An empty `replace:` drops the text.
"""
import argparse
import base64
import json
import os
import re
import signal
import subprocess
import sys
import tempfile
import time
from collections import OrderedDict

KINDS = {
    "operands": "swap the operands of a non-commutative call or operator",
    "comparison": "change a comparison (> and >=, < and <=, == and !=)",
    "constant": "move a constant (limit, threshold, size, index) by one step",
    "drop": "drop a statement",
    "order": "exchange two ordered calls or statements",
}

# Test programs that cover each folder, cheapest first (a program stops at its first failure).
COVERING_PROGRAMS = OrderedDict([
    ("engine/foundation", ["orvex_engine_tests", "orvex_scene_tests"]),
    ("engine/math", ["orvex_engine_tests", "orvex_scene_tests", "orvex_render_tests"]),
    ("engine/anim", ["orvex_scene_tests", "orvex_tools_tests"]),
    ("engine/scene", ["orvex_scene_tests", "orvex_tools_tests"]),
    ("engine/texture", ["orvex_scene_tests", "orvex_tools_tests"]),
    ("engine/render", ["orvex_render_tests", "orvex_scene_tests"]),
    ("tools/format", ["orvex_scene_tests", "orvex_tools_tests"]),
])

TEST_TIMEOUT_SECONDS = 300


class ListError(Exception):
    pass


def unescape(value):
    out = []
    i = 0
    while i < len(value):
        c = value[i]
        if c == "\\" and i + 1 < len(value):
            nxt = value[i + 1]
            if nxt == "n":
                out.append("\n")
                i += 2
                continue
            if nxt == "\\":
                out.append("\\")
                i += 2
                continue
        out.append(c)
        i += 1
    return "".join(out)


def parse_list(path, root):
    mutants = []
    current = None
    errors = []
    rel = os.path.relpath(path, root)

    def finish(entry):
        if entry is None:
            return
        where = "%s:%d [%s]" % (rel, entry["line"], entry["id"])
        for field in ("file", "kind", "find", "replace"):
            if field not in entry:
                errors.append("%s: no '%s:'" % (where, field))
                return
        if entry["kind"] not in KINDS:
            errors.append("%s: unknown kind '%s' (%s)" % (where, entry["kind"], ", ".join(KINDS)))
            return
        if entry["find"] == entry["replace"]:
            errors.append("%s: the replacement equals the original" % where)
            return
        entry["list"] = rel
        mutants.append(entry)

    with open(path, encoding="utf-8") as handle:
        for number, raw in enumerate(handle, 1):
            line = raw.rstrip("\n")
            if line.startswith("#"):
                continue
            if not line.strip():
                continue
            match = re.fullmatch(r"\[([A-Za-z0-9_.-]+)\]\s*", line)
            if match:
                finish(current)
                current = {"id": match.group(1), "line": number}
                continue
            match = re.fullmatch(r"([a-z]+):(?: (.*))?", line)
            if match is None or current is None:
                errors.append("%s:%d: cannot read '%s'" % (rel, number, line))
                continue
            key, value = match.group(1), match.group(2) or ""
            if key not in ("file", "kind", "find", "replace", "equivalent", "tests"):
                errors.append("%s:%d: unknown field '%s'" % (rel, number, key))
                continue
            if key in current:
                errors.append("%s:%d: '%s' given twice" % (rel, number, key))
                continue
            current[key] = unescape(value) if key in ("find", "replace") else value.strip()
    finish(current)
    return mutants, errors


def folder_of(path):
    for folder in COVERING_PROGRAMS:
        if path.startswith(folder + "/"):
            return folder
    return os.path.dirname(path)


def programs_for(mutant):
    if "tests" in mutant:
        return mutant["tests"].split()
    return COVERING_PROGRAMS.get(folder_of(mutant["file"]), [])


class Restorer:
    """Keeps the original of the file being mutated, in memory and in a journal in the build
    folder, so that neither Ctrl-C nor a killed run leaves a mutant in the tree."""

    def __init__(self, root, journal):
        self.root = root
        self.journal = journal
        self.path = None
        self.original = None

    def recover(self):
        if not os.path.exists(self.journal):
            return
        with open(self.journal, encoding="utf-8") as handle:
            record = json.load(handle)
        path = os.path.join(self.root, record["file"])
        with open(path, "wb") as handle:
            handle.write(base64.b64decode(record["original"]))
        os.remove(self.journal)
        print("mutate: restored %s, left mutated by an interrupted run" % record["file"], file=sys.stderr)

    def apply(self, relpath, original, mutated):
        path = os.path.join(self.root, relpath)
        with open(self.journal + ".tmp", "w", encoding="utf-8") as handle:
            json.dump({"file": relpath, "original": base64.b64encode(original).decode()}, handle)
        os.replace(self.journal + ".tmp", self.journal)
        self.path, self.original = path, original
        with open(path, "wb") as handle:
            handle.write(mutated)

    def restore(self):
        if self.path is None:
            return
        # The restored file gets a new modification time, so the build compiles it again
        # (a ccache hit) instead of keeping the mutant's object.
        with open(self.path, "wb") as handle:
            handle.write(self.original)
        self.path, self.original = None, None
        if os.path.exists(self.journal):
            os.remove(self.journal)


def build(build_dir, targets, jobs, log):
    command = ["cmake", "--build", build_dir, "-j%d" % jobs, "--target"] + targets
    result = subprocess.run(command, stdout=log, stderr=subprocess.STDOUT)
    return result.returncode == 0


def run_program(root, build_dir, program, log):
    env = dict(os.environ)
    env["ORVEX_SOURCE_DIR"] = root
    env.setdefault("SDL_VIDEODRIVER", "offscreen")
    command = [os.path.join(build_dir, "bin", program), "--gtest_fail_fast", "--gtest_brief=1"]
    try:
        result = subprocess.run(command, cwd=build_dir, env=env, stdout=log, stderr=subprocess.STDOUT,
                                timeout=TEST_TIMEOUT_SECONDS)
    except subprocess.TimeoutExpired:
        return "timeout"
    return "pass" if result.returncode == 0 else "fail"


def failed_tests(log_path):
    names = []
    with open(log_path, encoding="utf-8", errors="replace") as handle:
        for line in handle:
            match = re.match(r"\[  FAILED  \] (\S+)", line)
            if match and match.group(1) not in names:
                names.append(match.group(1))
    return names


def check_anchors(mutants, read_file):
    errors = []
    for mutant in mutants:
        text = read_file(mutant["file"])
        where = "%s:%d [%s]" % (mutant["list"], mutant["line"], mutant["id"])
        if text is None:
            errors.append("%s: no file %s" % (where, mutant["file"]))
            continue
        found = text.count(mutant["find"])
        if found == 0:
            errors.append("%s: original text not found in %s: %r" % (where, mutant["file"], mutant["find"]))
        elif found > 1:
            errors.append("%s: original text occurs %d times in %s; anchor it on more text" %
                          (where, found, mutant["file"]))
    return errors


def rate(caught, counted):
    return "%5.1f%%" % (100.0 * caught / counted) if counted else "    -"


def report(results, out):
    def table(key_of, title):
        rows = OrderedDict()
        for result in results:
            row = rows.setdefault(key_of(result), {"total": 0, "tests": 0, "compiler": 0, "survived": 0,
                                                   "equivalent": 0})
            row["total"] += 1
            row[result["outcome"]] += 1
        print("\n%-44s %5s %6s %8s %8s %6s %9s" % (title, "total", "caught", "compiler", "survived", "equiv",
                                                   "kill rate"), file=out)
        totals = {"total": 0, "tests": 0, "compiler": 0, "survived": 0, "equivalent": 0}
        for key in sorted(rows):
            row = rows[key]
            for field in totals:
                totals[field] += row[field]
            caught = row["tests"] + row["compiler"]
            print("%-44s %5d %6d %8d %8d %6d %9s" % (key, row["total"], row["tests"], row["compiler"],
                                                     row["survived"], row["equivalent"],
                                                     rate(caught, row["total"] - row["equivalent"])), file=out)
        caught = totals["tests"] + totals["compiler"]
        print("%-44s %5d %6d %8d %8d %6d %9s" % ("all", totals["total"], totals["tests"], totals["compiler"],
                                                 totals["survived"], totals["equivalent"],
                                                 rate(caught, totals["total"] - totals["equivalent"])), file=out)

    table(lambda r: r["file"], "file")
    table(lambda r: folder_of(r["file"]), "folder")
    survivors = [r for r in results if r["outcome"] == "survived"]
    if survivors:
        print("\nsurvived:", file=out)
        for r in survivors:
            print("  %-34s %s  (%s)" % (r["id"], r["file"], r["kind"]), file=out)
    wrong = [r for r in results if r.get("equivalent_but_caught")]
    if wrong:
        print("\nmarked equivalent, yet caught (drop the mark):", file=out)
        for r in wrong:
            print("  %-34s by %s" % (r["id"], r["caught_by"]), file=out)
    compiler = [r for r in results if r["outcome"] == "compiler"]
    if compiler:
        print("\ncaught by the compiler (better rewritten so that it compiles):", file=out)
        for r in compiler:
            print("  %s" % r["id"], file=out)


def main():
    parser = argparse.ArgumentParser(prog="scripts/mutate.sh", description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build-mutate", help="build folder (default build-mutate)")
    parser.add_argument("--id", action="append", default=[], help="run this mutant only (repeatable)")
    parser.add_argument("--folder", action="append", default=[], help="run the mutants of this folder only, "
                        "e.g. engine/scene (repeatable)")
    parser.add_argument("--file", action="append", default=[], help="run the mutants of this file only")
    parser.add_argument("--skip-equivalent", action="store_true", help="do not run mutants marked equivalent")
    parser.add_argument("--check", action="store_true", help="only check that every anchor is found once")
    parser.add_argument("--rev", help="with --check: check the anchors against this git revision")
    parser.add_argument("--list", action="store_true", help="print the selected mutants and stop")
    parser.add_argument("--jobs", type=int, default=2, help="build jobs (default 2)")
    parser.add_argument("--verbose", action="store_true", help="print each mutant's build and test output")
    args = parser.parse_args()

    root = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
    list_dir = os.path.join(root, "tests", "mutants")
    build_dir = os.path.join(root, args.build)

    mutants, errors = [], []
    for name in sorted(os.listdir(list_dir)):
        if name.endswith(".txt"):
            found, bad = parse_list(os.path.join(list_dir, name), root)
            mutants += found
            errors += bad
    seen = {}
    for mutant in mutants:
        if mutant["id"] in seen:
            errors.append("%s:%d: id [%s] used before at %s" % (mutant["list"], mutant["line"], mutant["id"],
                                                               seen[mutant["id"]]))
        seen[mutant["id"]] = "%s:%d" % (mutant["list"], mutant["line"])

    selected = mutants
    if args.id:
        unknown = [i for i in args.id if i not in seen]
        if unknown:
            errors.append("no mutant with id %s" % ", ".join(unknown))
        selected = [m for m in selected if m["id"] in args.id]
    if args.folder:
        folders = [f.rstrip("/") for f in args.folder]
        selected = [m for m in selected if any(m["file"].startswith(f + "/") for f in folders)]
    if args.file:
        selected = [m for m in selected if m["file"] in args.file]
    if args.skip_equivalent:
        selected = [m for m in selected if "equivalent" not in m]

    if args.rev:
        def read_file(path):
            result = subprocess.run(["git", "-C", root, "show", "%s:%s" % (args.rev, path)],
                                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
            return result.stdout.decode("utf-8") if result.returncode == 0 else None
    else:
        def read_file(path):
            full = os.path.join(root, path)
            if not os.path.exists(full):
                return None
            with open(full, encoding="utf-8") as handle:
                return handle.read()
    errors += check_anchors(selected, read_file)
    for mutant in selected:
        for program in programs_for(mutant):
            if program not in sum(COVERING_PROGRAMS.values(), []) and "tests" not in mutant:
                errors.append("[%s]: no test programs for %s" % (mutant["id"], mutant["file"]))
        if not programs_for(mutant):
            errors.append("[%s]: no test programs cover %s" % (mutant["id"], mutant["file"]))

    if errors:
        print("mutate: ERRORS IN THE MUTANT LIST", file=sys.stderr)
        for error in errors:
            print("  " + error, file=sys.stderr)
        return 2
    if args.list or args.check:
        for mutant in selected:
            mark = "  (equivalent)" if "equivalent" in mutant else ""
            print("%-34s %-10s %s%s" % (mutant["id"], mutant["kind"], mutant["file"], mark))
        print("%d mutants, every anchor found once%s" % (len(selected), " in " + args.rev if args.rev else ""))
        return 0
    if not selected:
        print("mutate: no mutant selected", file=sys.stderr)
        return 2

    os.makedirs(os.path.join(build_dir, "mutate-logs"), exist_ok=True)
    restorer = Restorer(root, os.path.join(build_dir, "mutate-journal.json"))
    restorer.recover()

    def on_signal(signum, frame):
        raise KeyboardInterrupt()
    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGHUP, on_signal)

    programs = []
    for mutant in selected:
        for program in programs_for(mutant):
            if program not in programs:
                programs.append(program)

    # The unmutated tree must build and pass, or every mutant would count as caught.
    log_path = os.path.join(build_dir, "mutate-logs", "baseline.log")
    with open(log_path, "w") as log:
        if not build(build_dir, programs, args.jobs, log):
            print("mutate: the unmutated tree does not build; see %s" % log_path, file=sys.stderr)
            return 2
        for program in programs:
            if run_program(root, build_dir, program, log) != "pass":
                print("mutate: %s fails on the unmutated tree; see %s" % (program, log_path), file=sys.stderr)
                return 2

    results = []
    started = time.time()
    try:
        for number, mutant in enumerate(selected, 1):
            path = os.path.join(root, mutant["file"])
            with open(path, "rb") as handle:
                original = handle.read()
            text = original.decode("utf-8")
            mutated = text.replace(mutant["find"], mutant["replace"], 1).encode("utf-8")
            log_path = os.path.join(build_dir, "mutate-logs", mutant["id"] + ".log")
            result = {"id": mutant["id"], "file": mutant["file"], "kind": mutant["kind"]}
            mutant_programs = programs_for(mutant)
            t0 = time.time()
            with open(log_path, "w") as log:
                restorer.apply(mutant["file"], original, mutated)
                try:
                    if not build(build_dir, mutant_programs, args.jobs, log):
                        result["outcome"], result["caught_by"] = "compiler", "the compiler"
                    else:
                        result["outcome"] = "survived"
                        for program in mutant_programs:
                            verdict = run_program(root, build_dir, program, log)
                            if verdict != "pass":
                                log.flush()
                                names = failed_tests(log_path)
                                result["outcome"] = "tests"
                                result["caught_by"] = "%s%s" % (
                                    program, " (timeout)" if verdict == "timeout" else
                                    (": " + ", ".join(names[:3]) if names else ""))
                                break
                finally:
                    restorer.restore()
            if "equivalent" in mutant:
                if result["outcome"] != "survived":
                    result["equivalent_but_caught"] = True
                result["outcome"] = "equivalent"
            shown = {"tests": "caught", "compiler": "CAUGHT BY COMPILER", "survived": "SURVIVED",
                     "equivalent": "equivalent"}[result["outcome"]]
            detail = result.get("caught_by", "")
            if result.get("equivalent_but_caught"):
                shown = "EQUIVALENT BUT CAUGHT"
            print("[%3d/%d] %-34s %-22s %5.0fs  %s" % (number, len(selected), mutant["id"], shown, time.time() - t0,
                                                      detail), flush=True)
            if args.verbose:
                with open(log_path, encoding="utf-8", errors="replace") as handle:
                    sys.stdout.write(handle.read())
            results.append(result)
    except KeyboardInterrupt:
        restorer.restore()
        print("\nmutate: interrupted; the tree is restored", file=sys.stderr)
        if not results:
            return 130
    finally:
        restorer.restore()

    print("\n%d mutants in %.0f s" % (len(results), time.time() - started))
    report(results, sys.stdout)
    survived = any(r["outcome"] == "survived" for r in results)
    wrong = any(r.get("equivalent_but_caught") for r in results)
    return 1 if survived or wrong or len(results) < len(selected) else 0


if __name__ == "__main__":
    sys.exit(main())
