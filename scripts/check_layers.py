#!/usr/bin/env python3
"""Checks that the engine's folders stay layered.

The layer table is spreadsheet/CMakeLists.txt: one quillora_engine_folder(<folder> SOURCES ...
DEPENDS ...) call per folder, the link line of that folder's library. From it this script
checks that
  - the declared dependencies form no cycle;
  - every `#include "spreadsheet/<folder>/..."` in spreadsheet/ names the file's own folder or
    one its folder depends on (directly or through another folder); an include of a folder
    that depends on the including one points up a layer and would close a cycle;
  - nothing in spreadsheet/ includes the program's folders (app, budget, cli, preview,
    resources, tests, workbook), and only folders marked QT include Qt headers;
  - every .cpp file of a folder is in its SOURCES, every listed source exists, and every
    folder holding code has a table entry;
  - every tests/spreadsheet/<folder> mirrors an engine folder (support/ holds shared helpers).
Each violation is one line "<file>:<line>: <what is wrong>"; the exit status is 1 when there
is any, 0 otherwise.
"""
import argparse
import re
import sys
from pathlib import Path

PROGRAM_FOLDERS = ("app", "budget", "cli", "preview", "resources", "tests", "workbook")
TEST_SUPPORT_FOLDER = "support"
CALL = re.compile(r"quillora_engine_folder\(\s*(\w+)([^)]*)\)", re.S)
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')


class Folder:
    def __init__(self, name, line, sources, depends, qt):
        self.name, self.line, self.sources, self.depends, self.qt = name, line, sources, depends, qt


def read_table(table_path):
    """The folders of the table in their order, by name."""
    text = table_path.read_text(encoding="utf-8")
    text = re.sub(r"#[^\n]*", lambda m: " " * len(m.group(0)), text)  # comments, keeping offsets
    folders = {}
    for match in CALL.finditer(text):
        name, body = match.group(1), match.group(2)
        if name == "folder":  # the function's own definition line
            continue
        words = body.split()
        sections = {"SOURCES": [], "DEPENDS": []}
        current, qt = None, False
        for word in words:
            if word in sections:
                current = word
            elif word == "QT":
                qt = True
            elif current:
                sections[current].append(word)
        line = text.count("\n", 0, match.start()) + 1
        folders[name] = Folder(name, line, sections["SOURCES"], sections["DEPENDS"], qt)
    return folders


def reachable(folders, start):
    """Every folder `start` depends on, directly or not."""
    seen, stack = set(), list(folders[start].depends) if start in folders else []
    while stack:
        name = stack.pop()
        if name in seen or name not in folders:
            continue
        seen.add(name)
        stack.extend(folders[name].depends)
    return seen


def table_problems(folders, table_rel):
    problems = []
    order = list(folders)
    for folder in folders.values():
        for dep in folder.depends:
            if dep in folders and order.index(dep) > order.index(folder.name) \
                    and folder.name not in reachable(folders, dep):
                problems.append(f"{table_rel}:{folder.line}: {folder.name} depends on {dep}, "
                                f"which comes later: list the folders bottom to top")
            if dep not in folders:
                problems.append(f"{table_rel}:{folder.line}: {folder.name} depends on {dep}, which has no entry")
            elif folder.name in reachable(folders, dep) or dep == folder.name:
                problems.append(f"{table_rel}:{folder.line}: {folder.name} depends on {dep}, "
                                f"which depends on {folder.name}: the table has a cycle")
    return problems


def source_problems(root, folders, table_rel):
    problems = []
    engine = root / "spreadsheet"
    for path in sorted(p for p in engine.iterdir() if p.is_dir()):
        code = sorted(p.name for p in path.iterdir() if p.suffix in (".cpp", ".h"))
        if not code:
            continue
        if path.name not in folders:
            problems.append(f"spreadsheet/{path.name}: folder has no entry in {table_rel}")
            continue
        folder = folders[path.name]
        listed = set(folder.sources)
        for name in code:
            if name.endswith(".cpp") and name not in listed:
                problems.append(f"spreadsheet/{path.name}/{name}: not in the SOURCES of {path.name} in {table_rel}")
        for name in sorted(listed - set(code)):
            problems.append(f"{table_rel}:{folder.line}: {path.name} lists {name}, which does not exist")
    return problems


def include_problems(root, folders, table_rel):
    problems = []
    engine = root / "spreadsheet"
    for path in sorted(engine.rglob("*")):
        if path.suffix not in (".cpp", ".h") or len(path.relative_to(engine).parts) != 2:
            continue
        owner = path.parent.name
        rel = path.relative_to(root).as_posix()
        below = reachable(folders, owner)
        for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            kind, target = match.groups()
            where = f"{rel}:{number}"
            if kind == "<":
                if re.match(r"Q[A-Za-z]", target) and owner in folders and not folders[owner].qt:
                    problems.append(f"{where}: includes <{target}>, but {owner} is standard C++ only")
                continue
            parts = target.split("/")
            if parts[0] in PROGRAM_FOLDERS:
                problems.append(f"{where}: includes {target}: the engine never includes the program's {parts[0]}/")
                continue
            if parts[0] != "spreadsheet" or len(parts) < 3:
                continue
            other = parts[1]
            if other == owner or other in below:
                continue
            if other not in folders:
                problems.append(f"{where}: includes {target}, but {other} has no entry in {table_rel}")
            elif owner in reachable(folders, other):
                problems.append(f"{where}: includes {target}, which points up a layer: "
                                f"{other} depends on {owner}, so this closes a cycle")
            else:
                problems.append(f"{where}: includes {target}, but {owner} does not depend on {other} "
                                f"(add it to DEPENDS of {owner} in {table_rel} if it belongs there)")
    return problems


def test_folder_problems(root, folders):
    tests = root / "tests" / "spreadsheet"
    if not tests.is_dir():
        return []
    problems = []
    for path in sorted(p for p in tests.iterdir() if p.is_dir()):
        if path.name != TEST_SUPPORT_FOLDER and path.name not in folders:
            problems.append(f"tests/spreadsheet/{path.name}: mirrors no engine folder")
    for path in sorted(p for p in tests.iterdir() if p.suffix in (".cpp", ".h")):
        problems.append(f"tests/spreadsheet/{path.name}: belongs in the folder of the engine folder it tests")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", type=Path, default=Path(__file__).resolve().parent.parent,
                        help="the source tree (default: the one holding this script)")
    args = parser.parse_args()
    root = args.root.resolve()
    table = root / "spreadsheet" / "CMakeLists.txt"
    table_rel = table.relative_to(root).as_posix()
    folders = read_table(table)
    if not folders:
        print(f"{table_rel}: no quillora_engine_folder() entries found", file=sys.stderr)
        return 1
    problems = (table_problems(folders, table_rel) + source_problems(root, folders, table_rel)
                + include_problems(root, folders, table_rel) + test_folder_problems(root, folders))
    for problem in problems:
        print(problem)
    order = " < ".join(folders)
    if problems:
        print(f"layer check: {len(problems)} violation(s); layers bottom to top: {order}")
        return 1
    print(f"layer check: {len(folders)} folders, no violation; layers bottom to top: {order}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
