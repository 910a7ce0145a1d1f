#!/usr/bin/env python3
"""scripts/check_layers.py on small made-up source trees: it passes a layered tree and names
each kind of violation with its file and line."""
import subprocess
import sys
import tempfile
import textwrap
import unittest
from pathlib import Path

SCRIPT = Path(__file__).resolve().parents[2] / "scripts" / "check_layers.py"

TABLE = """\
# bottom to top
quillora_engine_folder(base SOURCES A.cpp)
quillora_engine_folder(model
  SOURCES M.cpp  # the data
  DEPENDS base)
quillora_engine_folder(formula SOURCES F.cpp DEPENDS model)
quillora_engine_folder(numbers SOURCES N.cpp DEPENDS base)
quillora_engine_folder(render QT SOURCES R.cpp DEPENDS formula)
"""


class LayerCheckTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.root = Path(self.folder.name)
        self.write("spreadsheet/CMakeLists.txt", TABLE)
        self.write("spreadsheet/base/A.cpp", "#include <vector>\n")
        self.write("spreadsheet/model/M.cpp", '#include "spreadsheet/base/A.h"\n')
        self.write("spreadsheet/formula/F.cpp", '#include "spreadsheet/base/A.h"\n#include "spreadsheet/model/M.h"\n')
        self.write("spreadsheet/numbers/N.cpp", "")
        self.write("spreadsheet/render/R.cpp", '#include <QPainter>\n#include "spreadsheet/model/M.h"\n')
        self.write("tests/spreadsheet/formula/FTest.cpp", "")
        self.write("tests/spreadsheet/support/Book.cpp", "")

    def tearDown(self):
        self.folder.cleanup()

    def write(self, rel, text):
        path = self.root / rel
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(textwrap.dedent(text), encoding="utf-8")

    def check(self):
        run = subprocess.run([sys.executable, str(SCRIPT), "--root", str(self.root)],
                             capture_output=True, text=True, check=False)
        return run.returncode, run.stdout

    def test_layered_tree_passes_with_transitive_includes(self):
        code, out = self.check()
        self.assertEqual(code, 0, out)
        self.assertIn("base < model < formula < numbers < render", out)

    def test_each_include_violation_is_one_line_with_file_and_line(self):
        self.write("spreadsheet/model/M.cpp",
                   '#include "spreadsheet/base/A.h"\n#include "spreadsheet/formula/F.h"\n')
        self.write("spreadsheet/numbers/N.cpp", '#include "spreadsheet/model/M.h"\n')
        self.write("spreadsheet/base/A.h", '#include "workbook/core/Budget.h"\n#include <QString>\n')
        code, out = self.check()
        self.assertEqual(code, 1)
        self.assertIn("spreadsheet/model/M.cpp:2: includes spreadsheet/formula/F.h, which points up a layer", out)
        self.assertIn("spreadsheet/numbers/N.cpp:1: includes spreadsheet/model/M.h, but numbers does not depend on model", out)
        self.assertIn("spreadsheet/base/A.h:1: includes workbook/core/Budget.h", out)
        self.assertIn("spreadsheet/base/A.h:2: includes <QString>, but base is standard C++ only", out)
        self.assertIn("4 violation(s)", out)

    def test_table_cycles_order_and_sources_are_checked(self):
        self.write("spreadsheet/CMakeLists.txt", TABLE.replace("DEPENDS base)", "DEPENDS base formula)")
                   .replace("SOURCES N.cpp", "SOURCES N.cpp Gone.cpp"))
        self.write("spreadsheet/numbers/Extra.cpp", "")
        self.write("spreadsheet/print/P.cpp", "")
        code, out = self.check()
        self.assertEqual(code, 1)
        self.assertIn("model depends on formula, which depends on model: the table has a cycle", out)
        self.assertIn("spreadsheet/numbers/Extra.cpp: not in the SOURCES of numbers", out)
        self.assertIn("numbers lists Gone.cpp, which does not exist", out)
        self.assertIn("spreadsheet/print: folder has no entry", out)

    def test_test_folders_mirror_engine_folders(self):
        self.write("tests/spreadsheet/printing/PTest.cpp", "")
        self.write("tests/spreadsheet/LooseTest.cpp", "")
        code, out = self.check()
        self.assertEqual(code, 1)
        self.assertIn("tests/spreadsheet/printing: mirrors no engine folder", out)
        self.assertIn("tests/spreadsheet/LooseTest.cpp: belongs in the folder", out)


if __name__ == "__main__":
    unittest.main()
