#!/usr/bin/env python3
"""One-line changes of the game's rules, and whether the tests notice them.

Each sampled change (a comparison or logical operator turned, true and false swapped,
a statement deleted, a number moved by one) is written into its source file, the test
programs that link that file are rebuilt and run, and the file is put back. A change no
test notices is a survivor: it is printed with its file, line and the changed line, and
the share of changes killed is printed at the end.

It builds in a folder of its own (build-mutation by default, configured without the
benchmarks) and runs by hand, as it takes long:

    nice -n 19 python3 tools/mutation_check.py --seed 1 --count 80

The source files are always put back: after each change, on Ctrl+C or a kill signal,
and, should the process die anyway, from the copy in the build folder at the next start.
"""

from __future__ import annotations

import argparse
import dataclasses
import glob
import hashlib
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DEFAULT_GLOBS = ["engine/*.cpp", "rules/*.cpp"]
# Test programs that see the engine but check other things: the recordings and pictures.
DEFAULT_EXCLUDE = r"voice_pack|card_pictures|picture"
# Files of the default globs left out; the tests' own tools live in testing/, outside them.
DEFAULT_SKIP: list[str] = []


@dataclasses.dataclass(frozen=True)
class Mutant:
    path: str  # relative to ROOT
    line: int  # 1-based
    kind: str
    original: str
    mutated: str

    def where(self) -> str:
        return f"{self.path}:{self.line}"


# ---------------------------------------------------------------- finding the changes

def code_mask(lines: list[str]) -> list[str]:
    """Each line with string and character literals and comments blanked, so operators
    and numbers are only found in code. Block comments may span lines."""
    masked = []
    in_block = False
    for line in lines:
        out = []
        i = 0
        n = len(line)
        while i < n:
            if in_block:
                end = line.find("*/", i)
                if end < 0:
                    out.append(" " * (n - i))
                    i = n
                else:
                    out.append(" " * (end + 2 - i))
                    i = end + 2
                    in_block = False
                continue
            c = line[i]
            if line.startswith("//", i):
                out.append(" " * (n - i))
                break
            if line.startswith("/*", i):
                in_block = True
                out.append("  ")
                i += 2
                continue
            if c in "\"'":
                j = i + 1
                while j < n and line[j] != c:
                    j += 2 if line[j] == "\\" else 1
                j = min(j + 1, n)
                out.append(c + " " * (j - i - 2) + (c if j - i >= 2 else ""))
                i = j
                continue
            out.append(c)
            i += 1
        masked.append("".join(out))
    return masked


# Binary comparisons are written with a blank on each side; template brackets never are.
COMPARISONS = [
    (" == ", " != "),
    (" != ", " == "),
    (" <= ", " < "),
    (" >= ", " > "),
    (" < ", " <= "),
    (" > ", " >= "),
]
LOGICAL = [(" && ", " || "), (" || ", " && ")]
# Not a size among template arguments ("std::array<int, 4>"): that would not compile.
NUMBER = re.compile(r"(?<![\w.'])(\d+)(?![\w.'])(?!\s*>)")
NEGATION = re.compile(r"!(?!=)")
WORD_TRUE = re.compile(r"\btrue\b")
WORD_FALSE = re.compile(r"\bfalse\b")
# The head of a declaration: a type and a name ("const std::string top = ...").
DECLARATION = re.compile(r"^\s*(?:(?:static|const|constexpr|auto)\s+)*[\w:]+(?:<[^;=()]*>)?(?:\s*[*&]+)?"
                         r"\s+[*&]?\w+\s*(?:=|\{|;|\(|,)")
STATEMENT_OPENERS = ("return ", "case ", "default", "namespace", "using ", "template", "#", "}", "{")


def replace_at(line: str, start: int, old: str, new: str) -> str:
    return line[:start] + new + line[start + len(old):]


def line_mutants(path: str, number: int, line: str, masked: str, previous_code: str) -> list[Mutant]:
    found: list[Mutant] = []

    def add(kind: str, mutated: str) -> None:
        if mutated != line:
            found.append(Mutant(path, number, kind, line, mutated))

    stripped = masked.strip()
    if not stripped or stripped.startswith("#"):
        return found

    for old, new in COMPARISONS:
        for m in re.finditer(re.escape(old), masked):
            add("comparison", replace_at(line, m.start(), old, new))
    for old, new in LOGICAL:
        for m in re.finditer(re.escape(old), masked):
            add("logical", replace_at(line, m.start(), old, new))
    for m in NEGATION.finditer(masked):
        add("negation", replace_at(line, m.start(), "!", ""))
    for m in WORD_TRUE.finditer(masked):
        add("boolean", replace_at(line, m.start(), "true", "false"))
    for m in WORD_FALSE.finditer(masked):
        add("boolean", replace_at(line, m.start(), "false", "true"))
    for m in NUMBER.finditer(masked):
        value = int(m.group(1))
        add("constant", replace_at(line, m.start(), m.group(1), str(value + 1)))
        if value > 0:
            add("constant", replace_at(line, m.start(), m.group(1), str(value - 1)))

    # A whole simple statement on its own line, after a complete one: deleting it
    # leaves valid code. Declarations and returns of a value would not compile or
    # would leave a function without its result, so they are not deleted.
    complete_before = previous_code.endswith((";", "{", "}", ":")) or previous_code == ""
    balanced = masked.count("(") == masked.count(")") and masked.count("{") == masked.count("}")
    if (stripped.endswith(";") and complete_before and balanced
            and not stripped.startswith(STATEMENT_OPENERS) and not DECLARATION.match(masked)):
        indent = line[: len(line) - len(line.lstrip())]
        add("deletion", indent + "// (deleted)")
    if stripped == "return;" and complete_before:
        add("deletion", line[: len(line) - len(line.lstrip())] + "// (deleted)")
    return found


def file_mutants(path: str) -> list[Mutant]:
    text = (ROOT / path).read_text(encoding="utf-8")
    lines = text.split("\n")
    masked = code_mask(lines)
    mutants: list[Mutant] = []
    previous_code = ""
    for index, (line, code) in enumerate(zip(lines, masked)):
        mutants.extend(line_mutants(path, index + 1, line, code, previous_code))
        if code.strip():
            previous_code = code.strip()
    return mutants


def source_files(globs: list[str], skip: list[str]) -> list[str]:
    files = set()
    for pattern in globs:
        for name in glob.glob(str(ROOT / pattern)):
            files.add(str(Path(name).resolve().relative_to(ROOT)))
    return sorted(files - set(skip))


SURVIVOR_LINE = re.compile(r"^\[\d+/\d+\] SURVIVED (\S+):(\d+) \[(\w+)\]$")
SUMMARY_LINE = re.compile(r"^seed (-?\d+)(?: after)?: (\d+) of (\d+) changes killed")


def read_survivors(log: Path) -> tuple[list[Mutant], int, int, int]:
    """The survivors a previous run printed, with its seed and its killed and tried counts.
    The lines are found again in the sources by their text, so they must not have changed."""
    lines = log.read_text(encoding="utf-8").split("\n")
    survivors: list[Mutant] = []
    seed = killed = tried = 0
    for text in lines:
        summary = SUMMARY_LINE.match(text)
        if summary:
            seed, killed, tried = int(summary.group(1)), int(summary.group(2)), int(summary.group(3))
    for index, text in enumerate(lines):
        found = SURVIVOR_LINE.match(text)
        if not found:
            continue
        path, number, kind = found.group(1), int(found.group(2)), found.group(3)
        before = lines[index + 1].removeprefix("    - ")
        after = lines[index + 2].removeprefix("    + ")
        # Lines added or removed above it move a survivor: the nearest line of its text is it.
        source = (ROOT / path).read_text(encoding="utf-8").split("\n")
        places = [i + 1 for i, line in enumerate(source) if line.strip() == before]
        if not places:
            # Rewritten since: that change can no longer be made, and is not counted.
            print(f"gone: {path}:{number} '{before}' is no longer in the code")
            tried -= 1
            continue
        number = min(places, key=lambda place: abs(place - number))
        current = source[number - 1]
        indent = current[: len(current) - len(current.lstrip())]
        survivors.append(Mutant(path, number, kind, current, indent + after))
    return survivors, seed, killed, tried


# ---------------------------------------------------------------- keeping the sources safe

class Uninterrupted:
    """Holds Ctrl+C and kill signals back while a source file is written or put back,
    so the file and the note of it always agree; they arrive right after."""

    SIGNALS = {signal.SIGINT, signal.SIGTERM, signal.SIGHUP}

    def __enter__(self):
        signal.pthread_sigmask(signal.SIG_BLOCK, self.SIGNALS)

    def __exit__(self, *_):
        signal.pthread_sigmask(signal.SIG_UNBLOCK, self.SIGNALS)


class SourceGuard:
    """Writes a change into a source file and always puts the original back. A copy of
    the original and a note of which file is changed wait in the build folder, so a run
    that was killed outright is repaired when the next one starts."""

    def __init__(self, build: Path):
        self.folder = build / "mutation-guard"
        self.folder.mkdir(parents=True, exist_ok=True)
        self.note = self.folder / "changed.json"
        self.current: tuple[Path, bytes, bytes] | None = None

    def repair_left_over(self) -> None:
        if not self.note.exists():
            return
        record = json.loads(self.note.read_text(encoding="utf-8"))
        target = ROOT / record["path"]
        copy = self.folder / "original"
        original = copy.read_bytes()
        if target.exists() and hashlib.sha256(target.read_bytes()).hexdigest() == record["mutated_sha256"]:
            self._write(target, original)
            print(f"put back {record['path']}, left changed by an earlier run", file=sys.stderr)
        else:
            print(f"{record['path']} no longer holds the earlier run's change; left as it is "
                  f"(the original is kept in {copy})", file=sys.stderr)
            return
        self.note.unlink()

    def apply(self, mutant: Mutant) -> None:
        with Uninterrupted():
            self._apply(mutant)

    def restore(self) -> None:
        with Uninterrupted():
            self._restore()

    def _apply(self, mutant: Mutant) -> None:
        target = ROOT / mutant.path
        original = target.read_bytes()
        lines = original.decode("utf-8").split("\n")
        if lines[mutant.line - 1] != mutant.original:
            raise RuntimeError(f"{mutant.where()} changed since the changes were listed")
        lines[mutant.line - 1] = mutant.mutated
        mutated = "\n".join(lines).encode("utf-8")
        (self.folder / "original").write_bytes(original)
        self.note.write_text(json.dumps({"path": mutant.path,
                                         "mutated_sha256": hashlib.sha256(mutated).hexdigest()}),
                             encoding="utf-8")
        self.current = (target, original, mutated)
        self._write(target, mutated)

    def _restore(self) -> None:
        if self.current is None:
            return
        target, original, mutated = self.current
        if target.read_bytes() == mutated:
            self._write(target, original)
        else:
            # Someone edited the file meanwhile: their text wins, the original is kept.
            print(f"{target} was edited during the check; not overwritten "
                  f"(the original is kept in {self.folder / 'original'})", file=sys.stderr)
        self.current = None
        self.note.unlink(missing_ok=True)

    @staticmethod
    def _write(target: Path, data: bytes) -> None:
        # Written beside and renamed over, so the file is never half written; the new
        # time stamp makes every build folder compile it again.
        temporary = target.with_name(target.name + ".mutation-tmp")
        temporary.write_bytes(data)
        shutil.copymode(target, temporary)
        os.replace(temporary, target)


class Interrupted(Exception):
    pass


def raise_interrupted(signum, _frame):
    raise Interrupted(signal.Signals(signum).name)


# ---------------------------------------------------------------- building and running

@dataclasses.dataclass
class TestProgram:
    target: str
    command: list[str]
    directory: str | None
    environment: dict[str, str]
    gtest: bool  # a program of discovered cases: it can stop at its first failure
    seconds: float = 0.0


def run(command: list[str]) -> subprocess.CompletedProcess:
    """Runs a command in a process group of its own, so a build stopped by Ctrl+C or a
    signal takes its compilers with it."""
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                               start_new_session=True)
    try:
        output, _ = process.communicate()
    finally:
        if process.poll() is None:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
    return subprocess.CompletedProcess(command, process.returncode, output)


def configure(build: Path, build_type: str) -> None:
    if (build / "CMakeCache.txt").exists():
        return
    # Configured as the normal build is, warnings as errors included: a change the compiler
    # rejects is not counted, and ccache shares the unchanged objects with that build.
    result = run(["cmake", "-S", str(ROOT), "-B", str(build), f"-DCMAKE_BUILD_TYPE={build_type}",
                  "-DTARVEL_BUILD_BENCH=OFF", "-DTARVEL_WERROR=ON", "-DTARVEL_SANITIZE=OFF"])
    if result.returncode != 0:
        sys.exit("configuring failed:\n" + result.stdout)


def libraries_of(build: Path, files: list[str]) -> set[str]:
    """The static libraries whose objects are the given sources."""
    libraries = set()
    for link in build.rglob("CMakeFiles/*.dir/link.txt"):
        text = link.read_text(encoding="utf-8", errors="replace")
        if not re.match(r"\S*(ar|llvm-ar)\s", text):
            continue
        # An object's path below its target's folder: a library may take sources from
        # folders under its own (server/core/x.cpp in server's library: core/x.cpp.o).
        objects = {o.split(".dir/", 1)[-1] for o in re.findall(r"(\S+\.cpp\.o)", text)}
        folder = link.parent.parent.parent.relative_to(build)
        for name in files:
            source = Path(name)
            if source.is_relative_to(folder) and str(source.relative_to(folder)) + ".o" in objects:
                match = re.search(r"\s(\S+\.a)\s", text)
                if match:
                    libraries.add(Path(match.group(1)).name)
    return libraries


def programs_linking(build: Path, libraries: set[str]) -> set[str]:
    """Executables whose link line names one of the libraries."""
    names = set()
    for link in build.rglob("CMakeFiles/*.dir/link.txt"):
        text = link.read_text(encoding="utf-8", errors="replace")
        if re.match(r"\S*(ar|llvm-ar)\s", text):
            continue
        if any(re.search(r"(^|[\s/])" + re.escape(lib) + r"(\s|$)", text) for lib in libraries):
            names.add(link.parent.name.removesuffix(".dir"))
    return names


def build_targets(build: Path, targets: list[str], jobs: int) -> subprocess.CompletedProcess:
    return run(["cmake", "--build", str(build), "-j", str(jobs), "--target", *targets])


def test_programs(build: Path, candidates: set[str], exclude: str) -> list[TestProgram]:
    """Each candidate that ctest runs, once as a whole: a program of discovered cases
    runs without a filter, a plain test with its own arguments."""
    listing = json.loads(run(["ctest", "--test-dir", str(build), "--show-only=json-v1"]).stdout)
    found: dict[str, TestProgram] = {}
    for test in listing.get("tests", []):
        command = test.get("command") or []
        if not command:
            continue
        target = Path(command[0]).name
        if target not in candidates or (exclude and re.search(exclude, target)):
            continue
        properties = {p["name"]: p["value"] for p in test.get("properties", [])}
        gtest = any(a.startswith("--gtest_") for a in command[1:])
        arguments = [a for a in command[1:] if not a.startswith("--gtest_")]
        environment = dict(e.split("=", 1) for e in properties.get("ENVIRONMENT", []) if "=" in e)
        if target not in found:
            found[target] = TestProgram(target, [command[0], *arguments], properties.get("WORKING_DIRECTORY"),
                                        environment, gtest)
    return list(found.values())


def run_program(program: TestProgram, timeout: float) -> str:
    """'pass', 'fail' or 'timeout'."""
    environment = dict(os.environ)
    environment.setdefault("QT_QPA_PLATFORM", "offscreen")
    environment.update(program.environment)
    command = list(program.command)
    if program.gtest:
        command.append("--gtest_fail_fast")
    process = subprocess.Popen(command, cwd=program.directory, env=environment, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        return "pass" if process.wait(timeout=timeout) == 0 else "fail"
    except subprocess.TimeoutExpired:
        return "timeout"
    finally:
        if process.poll() is None:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()


# ---------------------------------------------------------------- the check

def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("globs", nargs="*", default=DEFAULT_GLOBS,
                        help="source files to change, relative to the repository (default: %(default)s)")
    parser.add_argument("--skip", nargs="*", default=DEFAULT_SKIP,
                        help="files left unchanged (default: %(default)s; give none to change them too)")
    parser.add_argument("--seed", type=int, default=1, help="which changes are sampled")
    parser.add_argument("--count", type=int, default=80, help="how many changes are tried")
    parser.add_argument("--build", default="build-mutation", help="the build folder of the check")
    parser.add_argument("--build-type", default="RelWithDebInfo", help="CMAKE_BUILD_TYPE of that folder")
    parser.add_argument("--jobs", type=int, default=1, help="parallel build jobs")
    parser.add_argument("--exclude", default=DEFAULT_EXCLUDE, help="test programs left out (a pattern)")
    parser.add_argument("--only", default="", help="build and run only the test programs matching this pattern")
    parser.add_argument("--timeout-factor", type=float, default=5.0,
                        help="a program is stopped after this many times its unchanged run (at least 20 s)")
    parser.add_argument("--list", action="store_true", help="print the sampled changes and stop")
    parser.add_argument("--survivors", metavar="LOG",
                        help="try only the survivors a previous run printed into LOG; its killed changes count as killed")
    options = parser.parse_args()

    files = source_files(options.globs, options.skip)
    if not files:
        sys.exit("no source files match " + " ".join(options.globs))
    every = [m for name in files for m in file_mutants(name)]
    killed_before = tried_before = 0
    if options.survivors:
        sample, options.seed, killed_before, tried_before = read_survivors(Path(options.survivors))
        print(f"trying again the {len(sample)} survivors of seed {options.seed} "
              f"({killed_before} of {tried_before} killed before)")
    else:
        sample = random.Random(options.seed).sample(every, min(options.count, len(every)))
        print(f"{len(every)} one-line changes in {len(files)} files; trying {len(sample)} with seed {options.seed}")
    if options.list:
        for m in sample:
            print(f"{m.where()} [{m.kind}]\n    - {m.original.strip()}\n    + {m.mutated.strip()}")
        return 0

    build = (ROOT / options.build).resolve()
    guard = SourceGuard(build)
    guard.repair_left_over()
    for signum in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(signum, raise_interrupted)
    os.environ.setdefault("CCACHE_NOHASHDIR", "1")  # objects shared with the normal build folder

    try:
        return check(options, files, sample, build, guard, killed_before)
    except Interrupted as stop:
        print(f"stopped by {stop}; the sources are as they were", file=sys.stderr)
        return 1


def check(options, files: list[str], sample: list[Mutant], build: Path, guard: SourceGuard,
          killed_before: int) -> int:
    configure(build, options.build_type)
    libraries = libraries_of(build, files)
    candidates = {c for c in programs_linking(build, libraries)
                  if not re.search(options.exclude, c) and (not options.only or re.search(options.only, c))}
    print("libraries:", ", ".join(sorted(libraries)), flush=True)
    built = build_targets(build, sorted(candidates), options.jobs)
    if built.returncode != 0:
        sys.exit("the unchanged sources do not build:\n" + built.stdout[-4000:])
    programs = test_programs(build, candidates, options.exclude)
    for program in programs:
        start = time.monotonic()
        if run_program(program, 600) != "pass":
            sys.exit(f"{program.target} fails without any change; fix that first")
        program.seconds = time.monotonic() - start
    # The quickest first: most changes are caught by the first program that runs.
    programs.sort(key=lambda p: p.seconds)
    print("test programs:", ", ".join(f"{p.target} ({p.seconds:.1f} s)" for p in programs))

    killed = survived = unbuilt = 0
    survivors: list[Mutant] = []
    try:
        for number, mutant in enumerate(sample, 1):
            guard.apply(mutant)
            try:
                verdict = "survived"
                for index, program in enumerate(programs):
                    if build_targets(build, [program.target], options.jobs).returncode != 0:
                        verdict = "did not build" if index == 0 else "killed (build)"
                        break
                    outcome = run_program(program, max(20.0, options.timeout_factor * program.seconds))
                    if outcome != "pass":
                        verdict = f"killed by {program.target}" + (" (timeout)" if outcome == "timeout" else "")
                        break
            finally:
                guard.restore()
            if verdict == "survived":
                survived += 1
                survivors.append(mutant)
                print(f"[{number}/{len(sample)}] SURVIVED {mutant.where()} [{mutant.kind}]\n"
                      f"    - {mutant.original.strip()}\n    + {mutant.mutated.strip()}", flush=True)
            elif verdict == "did not build":
                unbuilt += 1
                print(f"[{number}/{len(sample)}] did not build {mutant.where()}", flush=True)
            else:
                killed += 1
                print(f"[{number}/{len(sample)}] {verdict}: {mutant.where()}", flush=True)
    except Interrupted as stop:
        print(f"stopped by {stop}; the sources are as they were", file=sys.stderr)
    finally:
        guard.restore()

    if options.survivors:
        # A change the previous run saw killed is killed still: tests were only added.
        killed += killed_before
        tried = killed + survived
        label = f"seed {options.seed} after"
    else:
        tried = killed + survived
        label = f"seed {options.seed}"
    share = 100.0 * killed / tried if tried else 0.0
    print(f"\n{label}: {killed} of {tried} changes killed ({share:.1f} %), "
          f"{survived} survived, {unbuilt} did not build")
    for mutant in survivors:
        print(f"  survivor {mutant.where()}: {mutant.mutated.strip()}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
