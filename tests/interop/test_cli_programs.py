#!/usr/bin/python3
"""`quillora-cli` in parts: the subcommands that draw nothing run without Qt, the drawing
ones in the drawing program beside it, started in place of it; set and amounts load the
regional settings module (QtCore) only when the environment does not plainly name C or
en_US.

dump, template, set, amounts, help, an unknown command and no command at all are run under
en_US with the dynamic loader's log on (LD_DEBUG=libs, written to a file so stderr stays as
it is): none may load a Qt library or libpng, and each still gives its output and exit
code. Typed amounts read the same with and without the module where both apply, and as
German amounts under de_DE. render,
pdf and generate typed as `quillora-cli ...` still write their files and keep their usage
messages (test_cli_files interrupts a run by signal, which the drawing program gets in
place of quillora-cli). A copy of quillora-cli
without its drawing program refuses the drawing subcommands in one line and exit 1 but still
runs the others, and set under de_DE without its regional settings module is refused the
same way.
"""
import os
import shutil
import subprocess
import sys

from interop_support import check, environment, start, finish

GUI_LIBRARIES = ("libQt6", "libpng")
TIMEOUT = 120


def run_logged(cli, env, work, label, *args):
    """Runs quillora-cli with the loader's log; gives (result, the libraries it loaded)."""
    log = work / ("loader-" + label)
    result = subprocess.run([str(cli), *map(str, args)], capture_output=True, text=True, timeout=TIMEOUT,
                            env=dict(env, LD_DEBUG="libs", LD_DEBUG_OUTPUT=str(log)))
    loaded = set()
    for path in work.glob(log.name + ".*"):
        for line in path.read_text(errors="replace").splitlines():
            if "calling init: " in line:
                loaded.add(os.path.basename(line.split("calling init: ", 1)[1].strip()))
        path.unlink()
    return result, loaded


def check_without_gui(cli, work, env):
    template = work / "budget.xlt"
    cases = [
        ("template", ["template", template], 0),
        ("dump", ["dump", template], 0),
        ("set", ["set", template, work / "set.xls", "B9=1250"], 0),
        ("amounts", ["amounts", "--sample"], 0),
        ("amounts-from", ["amounts", "--from", work / "set.xls"], 0),
        ("help", ["help"], 0),
        ("unknown", ["frobnicate"], 1),
        ("nothing", [], 1),
        ("dump-missing", ["dump", work / "missing.xls"], 1),
    ]
    for label, args, code in cases:
        result, loaded = run_logged(cli, env, work, label, *args)
        check(result.returncode == code, f"{label}: exit {result.returncode}, stderr {result.stderr!r}")
        check(any(name.startswith("libc.so") for name in loaded), f"{label}: the loader's log is empty or odd")
        gui = sorted(name for name in loaded if name.startswith(GUI_LIBRARIES))
        check(not gui, f"{label} loaded {gui}")
    check(subprocess.run([str(cli), "dump", template], capture_output=True, text=True).stdout.count("\n") > 300,
          "dump listed too little")
    amounts = subprocess.run([str(cli), "amounts", "--from", str(work / "set.xls")], capture_output=True,
                             text=True, env=env).stdout
    check("Engagement ring,1250.00," in amounts, "set did not fill B9: " + amounts[:200])
    result = subprocess.run([str(cli), "frobnicate"], capture_output=True, text=True, env=env)
    check(result.stderr.splitlines()[:2] == ['quillora-cli: unknown command "frobnicate"', "usage:"],
          f"unknown command: {result.stderr!r}")
    help_lines = subprocess.run([str(cli), "help"], capture_output=True, text=True, env=env).stdout.splitlines()
    check([line.split()[1] for line in help_lines[1:]] ==
          ["help", "dump", "template", "set", "render", "pdf", "amounts", "generate"], f"help: {help_lines}")


def check_drawing(cli, work, env):
    template = work / "budget.xlt"
    result, loaded = run_logged(cli, env, work, "render", "render", template, "--output", work / "t.png")
    check(result.returncode == 0 and (work / "t.png").read_bytes()[:4] == b"\x89PNG",
          f"render: {result.returncode} {result.stderr!r}")
    check(any(name.startswith("libQt6Gui") for name in loaded), "render ran without the drawing program")
    result = subprocess.run([str(cli), "pdf", str(template), "--output", str(work / "t.pdf")], capture_output=True,
                            text=True, env=env, timeout=TIMEOUT)
    check(result.returncode == 0 and (work / "t.pdf").read_bytes()[:5] == b"%PDF-", f"pdf: {result.stderr!r}")
    result = subprocess.run([str(cli), "generate", "--sample", "--output", str(work / "g.xls"), "--picture",
                             str(work / "g.png")], capture_output=True, text=True, env=env, timeout=TIMEOUT)
    check(result.returncode == 0 and result.stderr == "" and (work / "g.png").exists(), f"generate: {result.stderr!r}")
    result = subprocess.run([str(cli), "render", str(template)], capture_output=True, text=True, env=env)
    check(result.returncode == 1 and result.stderr == "quillora-cli render: no --output file given\n"
          "usage: quillora-cli render FILE --output OUT.png [--range A1:C118]\n", f"render usage: {result.stderr!r}")


TYPED = ["$1,234.50", "-$1,234.50", "($1,234.50)", "1.234,50 €", "-1.234,50 €", "1,234", "12,5", ".5", "1234.5-"]


def typed_cells(cli, env, work, label, variables):
    """The dump lines of B9... after `set` of TYPED under `variables`, and the libraries it loaded."""
    out = work / f"typed-{label}.xls"
    result, loaded = run_logged(cli, dict(env, **variables), work, "typed-" + label, "set", work / "budget.xlt",
                                out, *[f"B{9 + i}={text}" for i, text in enumerate(TYPED)])
    check(result.returncode == 0, f"set under {variables}: {result.stderr!r}")
    cells = {f"B{9 + i}" for i in range(len(TYPED))}
    listing = subprocess.run([str(cli), "dump", str(out)], capture_output=True, text=True, env=env).stdout
    return [line.split("\t")[:3] for line in listing.splitlines() if line.split("\t")[0] in cells], loaded


def check_regional_settings(cli, work, env):
    plain = {k: v for k, v in env.items() if k not in ("LC_ALL", "LANG", "LANGUAGE")}
    for label, direct, through_module in (("c", {"LANG": "C"}, {"LANG": "C.UTF-8"}),
                                          ("us", {"LANG": "en_US.UTF-8"}, {"LANG": "en_US.UTF-8", "LANGUAGE": "en_US"})):
        cells, loaded = typed_cells(cli, plain, work, label, direct)
        module_cells, module_loaded = typed_cells(cli, plain, work, label + "-module", through_module)
        check(not any(name.startswith("libQt6") for name in loaded), f"{direct} loaded QtCore")
        check("libQt6Core.so.6" in module_loaded, f"{through_module} did not load the regional settings module")
        check(cells == module_cells, f"{direct} and {through_module} read amounts differently: {cells} {module_cells}")
        check(cells[0] == ["B9", "number", "1234.5"] and cells[1] == ["B10", "number", "-1234.5"],
              f"{direct}: {cells[:2]}")
    german, _ = typed_cells(cli, plain, work, "de", {"LANG": "de_DE.UTF-8"})
    check(german[0][:2] == ["B9", "text"] and german[3] == ["B12", "number", "1234.5"], f"de_DE: {german[:4]}")


def check_without_drawing_program(cli, work, env):
    lonely = work / "lonely"
    lonely.mkdir()
    shutil.copy2(cli, lonely / "quillora-cli")
    for args in (["render", work / "budget.xlt", "--output", work / "never.png"],
                 ["generate", "--sample", "--output", work / "never.xls"]):
        result = subprocess.run([str(lonely / "quillora-cli"), *map(str, args)], capture_output=True, text=True,
                                env=env, timeout=TIMEOUT)
        lines = result.stderr.splitlines()
        check(result.returncode == 1 and len(lines) == 1 and lines[0].startswith(f"quillora-cli {args[0]}: ")
              and "quillora-cli-draw" in lines[0], f"{args[0]} without the drawing program: {result.stderr!r}")
    result = subprocess.run([str(lonely / "quillora-cli"), "set", str(work / "budget.xlt"), str(work / "never.xls"),
                             "B9=1"], capture_output=True, text=True, env=dict(env, LC_ALL="de_DE.UTF-8"))
    check(result.returncode == 1 and result.stderr.count("\n") == 1 and result.stderr.startswith("quillora-cli set: ")
          and "quillora-cli-regional.so" in result.stderr, f"set without the regional settings module: {result.stderr!r}")
    check(not list(work.glob("never.*")), "an output was written without the drawing program")
    result = subprocess.run([str(lonely / "quillora-cli"), "dump", str(work / "budget.xlt")], capture_output=True,
                            env=env, timeout=TIMEOUT)
    check(result.returncode == 0, "dump needs the drawing program")


def main():
    args, work, cli = start("cli_programs")
    env = environment(work, LANG="en_US.UTF-8", LC_ALL="en_US.UTF-8")
    check_without_gui(cli, work, env)
    check_regional_settings(cli, work, env)
    check_drawing(cli, work, env)
    check_without_drawing_program(cli, work, env)
    return finish()


if __name__ == "__main__":
    sys.exit(main())
