#!/usr/bin/env python3
"""Runs scripts/include-circles.py on small made-up builds."""
import os
import subprocess
import sys
import tempfile
import textwrap
import unittest

SCRIPT = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "include-circles.py")


class IncludeCircles(unittest.TestCase):
    def run_on(self, deps, *forbid):
        """Lays out the files the listing names and runs the script on it from build/."""
        with tempfile.TemporaryDirectory() as root:
            build = os.path.join(root, "build")
            os.makedirs(build)
            for line in deps.splitlines():
                path = line.strip()
                if line[:1].isspace() and path.startswith("../"):
                    full = os.path.normpath(os.path.join(build, path))
                    os.makedirs(os.path.dirname(full), exist_ok=True)
                    open(full, "a").close()
            listing = os.path.join(root, "deps.txt")
            with open(listing, "w") as f:
                f.write(textwrap.dedent(deps))
            args = [sys.executable, SCRIPT, build, "--deps", listing, "--root", root]
            for unit in forbid:
                args += ["--forbid", unit]
            return subprocess.run(args, capture_output=True, text=True, check=False)

    def test_a_circle_through_a_source_is_found_and_fails_when_forbidden(self):
        # a.cpp includes b.h; b.cpp includes c.h, which includes a.h: a, b and c reach one
        # another, though no header includes itself.
        deps = """\
            a.o: #deps 3, deps mtime 1 (VALID)
                ../src/x/a.cpp
                ../src/x/a.h
                ../src/x/b.h
                /usr/include/stdio.h

            b.o: #deps 4, deps mtime 1 (VALID)
                ../src/x/b.cpp
                ../src/x/b.h
                ../src/x/c.h
                ../src/x/a.h

            c.o: #deps 3, deps mtime 1 (VALID)
                ../src/x/c.cpp
                ../src/x/c.h
                ../src/x/a.h
                ../src/x/d.h

        """
        run = self.run_on(deps, "src/x/b")
        self.assertEqual(run.returncode, 1, run.stdout + run.stderr)
        self.assertIn("circle: src/x/a <-> src/x/b <-> src/x/c", run.stdout)
        self.assertIn("must not be in a circle: src/x/b", run.stdout)
        self.assertNotIn("src/x/d", run.stdout)
        # The same circle is only reported while no forbidden unit is part of it.
        run = self.run_on(deps, "src/x/d")
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        self.assertIn("circle: src/x/a <-> src/x/b <-> src/x/c", run.stdout)

    def test_a_chain_is_no_circle(self):
        deps = """\
            a.o: #deps 3, deps mtime 1 (VALID)
                ../src/x/a.cpp
                ../src/x/a.h
                ../src/y/b.h

            b.o: #deps 3, deps mtime 1 (VALID)
                ../src/y/b.cpp
                ../src/y/b.h
                ../src/x/c.h

            t.o: #deps 2, deps mtime 1 (VALID)
                ../tests/x/aTest.cpp
                ../src/x/a.h
        """
        run = self.run_on(deps, "src/x/a")
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        self.assertIn("no circles", run.stdout)
        self.assertNotIn("circle:", run.stdout)

    def test_a_build_without_dependencies_is_an_error(self):
        run = self.run_on("")
        self.assertEqual(run.returncode, 2)
        self.assertIn("build it first", run.stderr)


if __name__ == "__main__":
    unittest.main()
