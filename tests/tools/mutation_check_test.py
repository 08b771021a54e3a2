#!/usr/bin/env python3
"""The mutation check's own promises: changes only in code (never in strings, comments or
template sizes), no deletion that would not compile, and a source file always put back,
also after a run that died with its change in the tree."""

import importlib.util
import sys
import tempfile
import unittest
from pathlib import Path

TOOL = Path(__file__).resolve().parents[2] / "tools" / "mutation_check.py"
spec = importlib.util.spec_from_file_location("mutation_check", TOOL)
check = importlib.util.module_from_spec(spec)
sys.modules["mutation_check"] = check
spec.loader.exec_module(check)


def mutated_lines(source: str) -> list[str]:
    with tempfile.TemporaryDirectory() as folder:
        check.ROOT = Path(folder)
        (Path(folder) / "a.cpp").write_text(source, encoding="utf-8")
        return [m.mutated for m in check.file_mutants("a.cpp")]


class Changes(unittest.TestCase):
    def test_strings_comments_and_template_sizes_stay(self):
        found = mutated_lines('    Say("a < b && !c 1");  // x == 1 && true\n'
                              '    std::array<int, 4> counts{};\n')
        self.assertNotIn('    Say("a <= b && !c 1");  // x == 1 && true', found)
        self.assertTrue(all('"a < b && !c 1"' in line or "deleted" in line for line in found), found)
        self.assertNotIn("    std::array<int, 5> counts{};", found)
        self.assertEqual(found, ["    // (deleted)"])  # the call may go, the declaration may not

    def test_each_kind_turns_one_place(self):
        found = mutated_lines("    if (a < b && !c) x = true;\n    y = 3;\n")
        for expected in ["    if (a <= b && !c) x = true;", "    if (a < b || !c) x = true;",
                         "    if (a < b && c) x = true;", "    if (a < b && !c) x = false;",
                         "    y = 4;", "    y = 2;"]:
            self.assertIn(expected, found)

    def test_a_statement_continued_from_the_line_before_is_not_deleted(self):
        found = mutated_lines("    label += a +\n             b;\n")
        self.assertNotIn("             // (deleted)", found)


class Guard(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        check.ROOT = Path(self.folder.name)
        self.source = check.ROOT / "a.cpp"
        self.original = "int f() {\n    return 1 + 2;\n}\n"
        self.source.write_text(self.original, encoding="utf-8")
        self.build = check.ROOT / "build"

    def tearDown(self):
        self.folder.cleanup()

    def mutant(self):
        return check.Mutant("a.cpp", 2, "constant", "    return 1 + 2;", "    return 2 + 2;")

    def test_the_original_comes_back(self):
        guard = check.SourceGuard(self.build)
        guard.apply(self.mutant())
        self.assertIn("2 + 2", self.source.read_text(encoding="utf-8"))
        guard.restore()
        self.assertEqual(self.source.read_text(encoding="utf-8"), self.original)
        self.assertFalse((self.build / "mutation-guard" / "changed.json").exists())

    def test_a_run_that_died_is_repaired_by_the_next(self):
        check.SourceGuard(self.build).apply(self.mutant())  # never restored: the process "died"
        check.SourceGuard(self.build).repair_left_over()
        self.assertEqual(self.source.read_text(encoding="utf-8"), self.original)

    def test_an_edit_made_meanwhile_is_never_overwritten(self):
        guard = check.SourceGuard(self.build)
        guard.apply(self.mutant())
        self.source.write_text("edited\n", encoding="utf-8")
        guard.restore()
        self.assertEqual(self.source.read_text(encoding="utf-8"), "edited\n")
        note = self.build / "mutation-guard" / "original"
        self.assertEqual(note.read_text(encoding="utf-8"), self.original)

    def test_a_changed_line_is_refused(self):
        self.source.write_text("int f() {\n    return 7;\n}\n", encoding="utf-8")
        with self.assertRaises(RuntimeError):
            check.SourceGuard(self.build).apply(self.mutant())
        self.assertFalse((self.build / "mutation-guard" / "changed.json").exists())


class Libraries(unittest.TestCase):
    def test_a_source_is_found_in_its_library_also_from_a_folder_below_the_librarys(self):
        with tempfile.TemporaryDirectory() as folder:
            build = Path(folder)
            for target, library, objects in [
                    ("server", "libtarvelsvr_core.a", "CMakeFiles/tarvelsvr_core.dir/core/admission.cpp.o"),
                    ("engine", "libtarvel_engine.a", "CMakeFiles/tarvel_engine.dir/engine.cpp.o")]:
                link = build / target / "CMakeFiles" / (library[3:-2] + ".dir") / "link.txt"
                link.parent.mkdir(parents=True)
                link.write_text(f"/usr/bin/ar qc {library} {objects}\n", encoding="utf-8")
            cases = [(["server/core/admission.cpp"], {"libtarvelsvr_core.a"}),
                     (["engine/engine.cpp"], {"libtarvel_engine.a"}),
                     (["server/admission.cpp", "core/admission.cpp"], set())]
            for files, libraries in cases:
                self.assertEqual(check.libraries_of(build, files), libraries, files)


if __name__ == "__main__":
    unittest.main()
