#!/usr/bin/env python3
# Interrupts Quintarel, Ostravel, Brindleck and Saxmorrow at each of their
# opens, renames, unlinks and writes in turn (strace's signal injection:
# SIGINT; SIGQUIT at Saxmorrow's writes; SIGXCPU, SIGUSR1, SIGUSR2, SIGALRM,
# SIGVTALRM and SIGPROF at Saxmorrow's and Brindleck's writes) and checks
# what each interrupted run leaves:
#   files      every file below the species folder is the file as it was
#              before the run or as an uninterrupted run makes it (or absent
#              where one of those is absent);
#   order      together they are the state the uninterrupted run passes
#              through after some number of its renames and removals (no
#              input removed before the output made from it is in place);
#   temporary  no *.partial and no temporary error log (*_temp*.errorlog)
#              is left below Data/;
#   error log  the error logs are only appended to, hold whole lines, and
#              what was appended is whole "<Program> Errors:" blocks;
#   together   each measurement set's two raw vector files (Quintarel, both
#              sides) are both left or both consumed;
#   console    every "Impossible to read" message the console showed is in
#              what was appended to the error log;
#   end        a run the signal reached ends by that signal, any other one
#              exits with status 0.
# It also kills each of them outright (SIGKILL, which no program can
# handle) at each of those calls, gives back the inputs the scenario took
# away, runs the program again to its end, and checks what the two runs
# leave: no temporary file (temporary), whole blocks appended to the logs
# (error log), and every "Impossible to read" the killed run's console
# showed among them (console): the next run merges what the killed one left.
# strace's when=N counts each system call name on its own (one set
# "rename,unlink" with when=1 signals at the first rename and again at the
# first unlink), so each name is swept alone, N = 1, 2, ... until a run ends
# without the injection having fired. Only the calls on the programs' own
# files are traced and counted (strace -P: the files below Data/ that an
# uninterrupted run names or writes, the error logs, and the console), so
# that the writes a sanitized build makes into a pipe of its own, in a
# number that changes from run to run, leave call N the same call in every
# run. Each program starts with the default action of every signal the check
# sends, however the check itself was started.
#
# The programs must be built first: by default the Release build in
# build/bin/ that scripts/run_sample.sh makes, or, with --bin build-asan/bin,
# the sanitizer build scripts/test.sh makes.
import argparse
import collections
import concurrent.futures as cf
import functools
import os
import re
import resource
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass, field
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent
SP = "Sample"
KINDS = {
    "rename": ("rename", "renameat", "renameat2"),
    "unlink": ("unlink", "unlinkat"),
    "write": ("write", "pwrite64", "writev", "pwritev", "pwritev2"),
    "open": ("openat",),
}
ALL_NAMES = ",".join(name for names in KINDS.values() for name in names)
LOGS = (f"Data/{SP}/{SP}.errorlog", f"Data/{SP}/{SP}_unmerged.errorlog")
TIMEOUT = 600
DETAILS = 8


# A CPU-time limit, batch schedulers' warnings, the timers.
LIMIT_SIGNALS = ("SIGXCPU", "SIGUSR1", "SIGUSR2", "SIGALRM", "SIGVTALRM", "SIGPROF")


@dataclass(frozen=True)
class Scenario:
    program: str
    what: str
    setup: tuple = ()   # programs run first on the fresh sample
    remove: tuple = ()  # then removed, relative to the species folder
    signals: tuple = (("SIGINT", ("rename", "unlink", "write", "open")),
                      ("SIGKILL", ("rename", "unlink", "write", "open")))
    together: tuple = ()  # groups of files, relative to the species folder, consumed all at once or not at all


SCENARIOS = (
    Scenario("Quintarel", "the sample, both sides",
             together=tuple((f"{SP}_R_{s}.rawvector", f"{SP}_L_{s}.rawvector") for s in ("Cor", "PlusCor", "MinusCor"))),
    Scenario("Ostravel", "the sample after Quintarel, without Sample_PlusCor.morph",
             ("Quintarel",), ("Sample_PlusCor.morph",)),
    Scenario("Brindleck", "the sample without rv_Sample_{Sa,CC,Ua}.stl", (),
             tuple(f"ScanRef/Volumes/rv_{SP}_{s}.stl" for s in ("Sa", "CC", "Ua")),
             Scenario.signals + tuple((signal, ("write",)) for signal in LIMIT_SIGNALS)),
    Scenario("Saxmorrow", "the sample after Quintarel and Ostravel", ("Quintarel", "Ostravel"), (),
             Scenario.signals + (("SIGQUIT", ("write",)),) + tuple((signal, ("write",)) for signal in LIMIT_SIGNALS)),
)


# Every signal the check sends but SIGKILL, which nothing can ignore or block.
SENT = sorted({getattr(signal, name) for scenario in SCENARIOS for name, _ in scenario.signals} - {signal.SIGKILL})


def default_signals():
    """In the child, before its exec: each signal the check sends has its
    default action and is not blocked, as in a shell's foreground job,
    however the check was started (a background job of a non-interactive
    shell, `nohup scripts/interrupt_check.py &` in a script, ignores SIGINT
    and SIGQUIT, and an exec keeps a signal ignored)."""
    for number in SENT:
        signal.signal(number, signal.SIG_DFL)
    signal.pthread_sigmask(signal.SIG_UNBLOCK, SENT)


@dataclass
class Result:
    program: str
    signal: str
    kind: str
    name: str
    n: int
    fired: bool = False
    end: str = ""
    status: int = 0
    failures: list = field(default_factory=list)


def answers(program):
    return REPO / "examples" / "answers" / f"{program}.txt"


def run(binary, cwd, console, strace=()):
    env = dict(os.environ)
    # LeakSanitizer cannot run under ptrace: off, whatever else was asked.
    env["ASAN_OPTIONS"] = ":".join(filter(None, (env.get("ASAN_OPTIONS"), "detect_leaks=0")))
    with open(answers(binary.name), "rb") as stdin, open(console, "wb") as out:
        return subprocess.run([*strace, str(binary)], cwd=cwd, stdin=stdin, stdout=out,
                              stderr=subprocess.STDOUT, env=env, timeout=TIMEOUT,
                              preexec_fn=default_signals).returncode


def snapshot(root):
    """Every file below root/Data, by its path relative to root."""
    files = {}
    for folder, _, names in os.walk(Path(root) / "Data"):
        for name in names:
            path = Path(folder) / name
            files[path.relative_to(root).as_posix()] = path.read_bytes()
    return files


cached_snapshot = functools.lru_cache(maxsize=None)(snapshot)


def is_temp(path):
    name = os.path.basename(path)
    return name.endswith(".partial") or ("_temp" in name and name.endswith(".errorlog"))


def parse_trace(text):
    """Calls per name; renames and removals that succeeded, as the
    non-temporary species files each touched; the tracee's end."""
    counts, ops = collections.Counter(), []
    for match in re.finditer(r"^\d+\s+(\w+)\((.*)\)\s+=\s+(-?\d+)", text, re.M):
        name, args, value = match.groups()
        counts[name] += 1
        if value == "0" and name in KINDS["rename"] + KINDS["unlink"]:
            paths = [os.path.normpath(p) for p in re.findall(r'"((?:[^"\\]|\\.)*)"', args)]
            touched = tuple(p for p in paths if p.startswith(f"Data/{SP}/")
                            and not is_temp(p) and p not in LOGS)
            if touched:
                ops.append(touched)
    for match in re.finditer(r"^\d+\s+(\w+)\(.*<unfinished \.\.\.>$", text, re.M):
        counts[match.group(1)] += 1
    ends = re.findall(r"^\d+\s+\+\+\+ (.*) \+\+\+$", text, re.M)
    return counts, ops, ends[-1] if ends else "no end seen"


def own_files(text, folder):
    """The files below folder/Data that the traced calls of a trace made
    with -y name (renames, removals) or write through, relative to folder."""
    files = set()
    folder = os.path.realpath(folder)
    for match in re.finditer(r"^\d+\s+(\w+)\((.*)\)\s+=\s+-?\d+", text, re.M):
        name, args = match.groups()
        if name in KINDS["rename"] + KINDS["unlink"]:
            paths = re.findall(r'"((?:[^"\\]|\\.)*)"', args)
        else:
            paths = [os.path.relpath(p, folder) for p in re.findall(r"^\d+<([^>]*)>", args)]
        files.update(os.path.normpath(p) for p in paths if os.path.normpath(p).startswith("Data/"))
    return files


def trace_paths(files, folder, console):
    """strace -P options for the files (relative to folder) as the programs
    name them ("./Data/...") and as strace knows the file of a descriptor
    (its absolute path), and for the console."""
    folder = Path(os.path.realpath(folder))
    words = []
    for path in sorted(set(files) | set(LOGS)):
        words += ["-P", f"./{path}", "-P", str(folder / path)]
    return words + ["-P", os.path.realpath(console)]


def describe(content):
    return "absent" if content is None else f"{len(content)} bytes"


def order_state(before, ref, got, ops):
    """None when got is what the uninterrupted run leaves after its first k
    renames and removals for some k; otherwise what each touched file is."""
    at = collections.defaultdict(list)
    for index, touched in enumerate(ops):
        for path in touched:
            at[path].append(index)
    for k in range(len(ops) + 1):
        def fits(path):
            if at[path][-1] < k:
                return got.get(path) == ref.get(path)
            if at[path][0] >= k:
                return got.get(path) == before.get(path)
            return True  # between two changes of its own: not known
        if all(fits(path) for path in at):
            return None
    marks = {path: "new" if got.get(path) == ref.get(path) else
             "old" if got.get(path) == before.get(path) else "other" for path in at}
    return ", ".join(f"{path[len(f'Data/{SP}/'):]}={marks[path]}" for path in at)


def check_log(program, log, before, got):
    """What was appended to one log, and what is wrong with the log."""
    old, new = before.get(log), got.get(log)
    if new is None:
        return b"", [] if old is None else [f"{log} was removed"]
    old = old or b""
    if not new.startswith(old):
        return b"", [f"{log} was not only appended to ({len(old)} bytes before, {len(new)} now)"]
    appended = new[len(old):]
    if new and not new.endswith(b"\n"):
        return appended, [f"{log} ends inside a line: ...{new[-60:]!r}"]
    header = f"{program} Errors:\n".encode()
    blocks = re.split(rb"(?m)^" + re.escape(header), appended)
    if appended and (blocks[0] or not all(re.fullmatch(rb"(?:\n(?:[^\n]+\n)+)+\n?", b) for b in blocks[1:])):
        return appended, [f"{log}: what was appended is not whole blocks: {appended[:300]!r}"]
    return appended, []


def console_messages(console):
    """Each "\\nImpossible to read " up to the end of the line after it (or
    the end of what the console showed)."""
    return re.findall(rb"\nImpossible to read [^\n]*(?:\n[^\n]*)?\n?", console)


def check(program, before, ref, got, console, ops, signal, fired, end, together=(), rerun=False):
    """What is wrong with `got`; after a rerun (a killed run, then a run to
    the end), only the temporary files, the logs and the killed run's
    console are checked."""
    failures = []
    for group in () if rerun else together:
        present = [name for name in group if f"Data/{SP}/{name}" in got]
        if present and len(present) != len(group):
            failures.append(("together", f"only {', '.join(present)} of {', '.join(group)} left"))
    for path in sorted(p for p in got if is_temp(p)):
        failures.append(("temporary", f"{path} left ({len(got[path])} bytes)"))
    for path in () if rerun else sorted(set(before) | set(ref) | set(got)):
        if path.startswith(f"Data/{SP}/") and path not in LOGS and not is_temp(path) \
                and got.get(path) not in (before.get(path), ref.get(path)):
            failures.append(("files", f"{path}: {describe(got.get(path))}, before "
                             f"{describe(before.get(path))}, uninterrupted {describe(ref.get(path))}"))
    state = None if rerun else order_state(before, ref, got, ops)
    if state:
        failures.append(("order", "not a state the uninterrupted run passes through: " + state))
    appended = b""
    for log in LOGS:
        added, wrong = check_log(program, log, before, got)
        appended += added
        failures += [("error log", text) for text in wrong]
    for message in console_messages(console):
        if message not in appended:
            failures.append(("console", f"shown but not in the error log: {message!r}"))
    expected = f"killed by {signal}" if fired else "exited with 0"
    if not end.startswith(expected):
        failures.append(("end", f"the program {end}, expected: {expected}"))
    return failures


def job(bindir, scenario_dir, program, files, ops, together, removed, signal, kind, name, n):
    """One run on a fresh copy of the prepared folder, signalled at call n of
    `name`, and its checks; a run killed there is followed by a run to the
    end with the removed inputs given back."""
    result = Result(program, signal, kind, name, n)
    scenario_dir = Path(scenario_dir)
    folder = Path(tempfile.mkdtemp(prefix=f"{program}.{name}.{n}.", dir=tempfile.gettempdir()))
    try:
        shutil.copytree(scenario_dir / "prepared" / "Data", folder / "Data", symlinks=True)
        trace = folder / "strace.out"
        console = folder / "console.txt"
        console.touch()
        result.status = run(Path(bindir) / program, folder, console,
                            ["strace", "-f", "-o", str(trace), "-e", f"trace={name}",
                             *trace_paths(files, folder, console),
                             "-e", f"inject={name}:signal={signal}:when={n}"])
        text = trace.read_text(errors="replace")
        result.end = parse_trace(text)[2]
        killed = signal == "SIGKILL"
        if killed:  # strace sees no delivery of SIGKILL, only the end it gives
            result.fired = result.end.startswith("killed by SIGKILL")
            for name_removed in removed:
                shutil.copy(REPO / "examples" / "Data" / SP / name_removed, folder / "Data" / SP / name_removed)
            run(Path(bindir) / program, folder, folder / "rerun.txt")
        else:
            result.fired = re.search(rf"^\d+\s+--- {signal} {{si_signo={signal}, si_code=SI_KERNEL", text,
                                     re.M) is not None
        result.failures = check(program, cached_snapshot(str(scenario_dir / "prepared")),
                                cached_snapshot(str(scenario_dir / "reference")), snapshot(folder),
                                console.read_bytes(), ops, signal, result.fired, result.end, together, killed)
    except Exception as error:  # a run that could not be made or checked is a failure too
        result.failures.append(("run", repr(error)))
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    return result


def prepare(scenario, bindir, top):
    """The prepared folder and the uninterrupted run of the scenario; returns
    the calls per name, the renames and removals, and the reference's own
    check failures."""
    folder = top / scenario.program
    prepared, reference = folder / "prepared", folder / "reference"
    shutil.copytree(REPO / "examples" / "Data", prepared / "Data", ignore=shutil.ignore_patterns(".keep"))
    for program in scenario.setup:
        if run(bindir / program, prepared, folder / f"{program}.console") != 0:
            sys.exit(f"interrupt_check: {program} failed while preparing the {scenario.program} run")
    for name in scenario.remove:
        (prepared / "Data" / SP / name).unlink()
    # Which files the run names or writes: from a run traced whole.
    found = folder / "found"
    shutil.copytree(prepared / "Data", found / "Data")
    trace = folder / "found.strace"
    run(bindir / scenario.program, found, folder / "found.console",
        ["strace", "-f", "-y", "-o", str(trace), "-e", f"trace={ALL_NAMES}"])
    files = own_files(trace.read_text(errors="replace"), found)
    shutil.rmtree(found)
    # The uninterrupted run, its calls on those files counted as the
    # interrupted runs count them.
    shutil.copytree(prepared / "Data", reference / "Data")
    trace = folder / "reference.strace"
    console = folder / "reference.console"
    console.touch()
    run(bindir / scenario.program, reference, console,
        ["strace", "-f", "-o", str(trace), "-e", f"trace={ALL_NAMES}", *trace_paths(files, reference, console)])
    counts, ops, end = parse_trace(trace.read_text(errors="replace"))
    failures = check(scenario.program, snapshot(prepared), snapshot(reference), snapshot(reference),
                     console.read_bytes(), ops, "", False, end)
    return files, counts, ops, failures


def main():
    parser = argparse.ArgumentParser(description="Interrupts the programs at each rename, unlink and write.")
    parser.add_argument("--bin", default=str(REPO / "build" / "bin"), help="folder of the programs")
    parser.add_argument("--only", choices=[s.program for s in SCENARIOS], help="sweep this program only")
    parser.add_argument("-j", type=int, default=os.cpu_count(), help="runs at a time")
    args = parser.parse_args()
    bindir = Path(args.bin).resolve()
    if shutil.which("strace") is None:
        sys.exit("interrupt_check: strace is not installed (scripts/setup.sh --tests installs it)")
    scenarios = [s for s in SCENARIOS if args.only in (None, s.program)]
    needed = sorted({p for s in scenarios for p in (s.program, *s.setup)})
    missing = [p for p in needed if not os.access(bindir / p, os.X_OK)]
    if missing:
        sys.exit(f"interrupt_check: {', '.join(missing)} not built in {bindir}.\n"
                 "Build the programs first: scripts/run_sample.sh makes the Release build it checks\n"
                 "by default; scripts/test.sh makes the sanitizer build, checked with --bin build-asan/bin.")
    # A program ended by SIGQUIT leaves no core file.
    resource.setrlimit(resource.RLIMIT_CORE, (0, resource.getrlimit(resource.RLIMIT_CORE)[1]))
    start = time.monotonic()
    top = Path(tempfile.mkdtemp(prefix="interrupt_check.", dir=tempfile.gettempdir()))
    stats = {}                                         # (program, signal, kind) -> [runs, failed]
    names = collections.defaultdict(list)             # (program, signal, kind) -> "name x calls"
    failed = []
    try:
        with cf.ProcessPoolExecutor(max_workers=args.j) as pool:
            pending, last = {}, {}

            def submit(sweep, n):
                scenario, files, ops, signal, kind, name = sweep
                future = pool.submit(job, str(bindir), str(top / scenario.program), scenario.program,
                                     files, ops, scenario.together, scenario.remove, signal, kind, name, n)
                pending[future] = (sweep, n)
                last[sweep] = max(last.get(sweep, 0), n)

            for scenario in scenarios:
                files, counts, ops, failures = prepare(scenario, bindir, top)
                if failures:
                    failed.append(Result(scenario.program, "", "", "", 0, False, "exited", 0, failures))
                for signal, kinds in scenario.signals:
                    for kind in kinds:
                        stats[scenario.program, signal, kind] = [0, 0]
                        for name in KINDS[kind]:
                            if counts[name]:
                                names[scenario.program, signal, kind].append(f"{name} x{counts[name]}")
                                for n in range(1, counts[name] + 2):
                                    submit((scenario, tuple(sorted(files)), tuple(ops), signal, kind, name), n)
            while pending:
                done, _ = cf.wait(pending, return_when=cf.FIRST_COMPLETED)
                for future in done:
                    sweep, n = pending.pop(future)
                    result = future.result()
                    entry = stats[result.program, result.signal, result.kind]
                    entry[0] += 1
                    if result.failures:
                        entry[1] += 1
                        failed.append(result)
                    if result.fired and n == last[sweep]:
                        submit(sweep, n + 1)
    finally:
        shutil.rmtree(top, ignore_errors=True)

    for (program, signal, kind), (runs, bad) in stats.items():
        used = ", ".join(names[program, signal, kind]) or "not used"
        print(f"{program:<10} {signal:<7} {kind:<6} ({used}): {runs} runs, {bad} failed")
    order = {s.program: i for i, s in enumerate(SCENARIOS)}
    failed.sort(key=lambda r: (order[r.program], r.signal, r.kind, r.name, r.n))
    for result in failed[:DETAILS]:
        scenario = next(s for s in SCENARIOS if s.program == result.program)
        command = f"{bindir / result.program} < examples/answers/{result.program}.txt"
        if result.n == 0:
            print(f"\nFAIL {result.program}, uninterrupted run\n  on {scenario.what}: {command}")
        else:
            print(f"\nFAIL {result.program} {result.signal} at {result.name} #{result.n} "
                  f"({'fired' if result.fired else 'not fired'}; the program {result.end}; "
                  f"strace status {result.status})\n  on {scenario.what}: strace -f -o /dev/null "
                  f"-e trace={result.name} -P ... -e inject={result.name}:signal={result.signal}:when={result.n} "
                  f"{command}\n  (-P: ./<path> and the absolute path of each file below Data/ the run names or "
                  f"writes, and of the console)")
        for name, text in result.failures[:DETAILS]:
            print(f"  [{name}] {text}")
    if len(failed) > DETAILS:
        print(f"\n... and {len(failed) - DETAILS} more failed runs")
    print(f"\n{sum(r for r, _ in stats.values())} runs, {len(failed)} failed, "
          f"{time.monotonic() - start:.1f} s ({bindir})")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
