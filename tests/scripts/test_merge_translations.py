#!/usr/bin/env python3
"""scripts/merge-translations.py against a hand-written .ts and its golden result."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "data")
SCRIPT = os.path.join(HERE, "..", "..", "scripts", "merge-translations.py")


def run(*args):
    return subprocess.run([sys.executable, SCRIPT, *args], capture_output=True, text=True)


class MergeTranslations(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp()
        self.ts = os.path.join(self.dir, "x.ts")
        shutil.copy(os.path.join(DATA, "before.ts"), self.ts)

    def tearDown(self):
        shutil.rmtree(self.dir)

    def read(self, path):
        with open(path, encoding="utf-8", newline="") as f:
            return f.read()

    # Matching messages filled (escapes, newlines, a replaced translation),
    # plural forms and other contexts left alone, unmatched lines reported.
    def test_fills_matching_messages_only(self):
        result = run(self.ts, os.path.join(DATA, "first.tsv"), os.path.join(DATA, "second.tsv"))
        self.assertEqual(self.read(self.ts), self.read(os.path.join(DATA, "after.ts")))
        self.assertEqual(result.returncode, 1)
        self.assertIn("CThird / Nowhere", result.stderr)
        self.assertIn("CSecond / %n events", result.stderr)
        self.assertIn("3 message(s) filled", result.stdout)

    def test_malformed_line_changes_nothing(self):
        bad = os.path.join(self.dir, "bad.tsv")
        with open(bad, "w", encoding="utf-8") as f:
            f.write("CFirst\tKept only two fields\n")
        result = run(self.ts, bad)
        self.assertEqual(result.returncode, 2)
        self.assertIn("bad.tsv:1", result.stderr)
        self.assertEqual(self.read(self.ts), self.read(os.path.join(DATA, "before.ts")))


if __name__ == "__main__":
    unittest.main()
