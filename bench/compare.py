#!/usr/bin/python3
"""Speed figures from one run on this machine, printed as a table, each beside its target.

In process (Google Benchmark, median of 5): the whole generation run and the click on "Start
Creating Template" to the preview shown. As processes (medians of paired runs: run i of each
program before run i + 1 of any; peers run fewer times than ours): the sample generation beside
Gnumeric's ssconvert saving and printing its workbook; dump, set, render and pdf on budget-like
sheets of 10^3, 10^4 and 10^5 cells beside xlrd and ssconvert; formula chains of 30,000 and
240,000 cells through set beside ssconvert --recalc; 50,000 merged areas beside none; peak
memory of render beside its picture; CPU of dump, set and template on the template; three
hostile inputs (time and peak memory, one run each); the first painted frame of `quillora`
offscreen and under one Xvfb server. Every process is stopped after 120 s and shown as
"timeout"; a program that fails shows its first line on stderr.

Usage: compare.py [BUILD_FOLDER] [--quick] [--only NAME,...] [--list]
  --quick  leaves out the 10^5-cell, 240,000-formula and hostile measures
  --only   runs the measures whose names match any of the shell patterns (e.g. "dump-*,chain-*")
  --list   prints the measures' names and stops"""
import argparse
import contextlib
import dataclasses
import fnmatch
import json
import os
import pathlib
import struct
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # no interpreter cache in the source tree
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from processes import Xvfb, measure  # noqa: E402

# Workbooks written by quillora-bench-make: name -> (kind, size).
INPUTS = {
    "1e3": ("budget", 1000), "1e4": ("budget", 10000), "1e5": ("budget", 100000),
    "1e5-merged": ("merged", 100000), "chain-30k": ("chain", 30000), "chain-240k": ("chain", 240000),
    "sums": ("sums", 20000), "pictures": ("pictures", 400), "streams": ("streams", 20000),
}
# render draws at most 32767 pixels on a side: at 10^5 cells (10,000 rows of 17 px) it draws
# the rows that fit.
RENDER_10E5_RANGE = "A1:J1900"
XLRD_READ = ("import sys, xlrd\n"
             "book = xlrd.open_workbook(sys.argv[1], formatting_info=True)\n"
             "for sheet in book.sheets():\n"
             "    for row in range(sheet.nrows):\n"
             "        for column in range(sheet.ncols):\n"
             "            sheet.cell_value(row, column); sheet.cell_xf_index(row, column)\n")


@dataclasses.dataclass
class Step:
    """A program run on an input: `tool` names a command line below; `arg` is its extra text."""
    tool: str
    input: str = ""
    arg: str = ""


@dataclasses.dataclass
class Measure:
    name: str
    label: str
    ours: Step
    beside: list = dataclasses.field(default_factory=list)  # Steps whose figures add up
    # wall; cpu (absolute target); memory (beside the picture); hostile (time and memory);
    # per-formula (the two chain measures' figures, run before it)
    figure: str = "wall"
    target: float = None  # ours / beside at most, or CPU ms at most
    runs: int = 7
    beside_runs: int = 3
    slow: bool = False
    display: str = "offscreen"  # or xvfb


def scale_measures():
    rows = []
    for size, text in (("1e3", "10^3"), ("1e4", "10^4"), ("1e5", "10^5")):
        big = size == "1e5"
        render = Step("render", size, RENDER_10E5_RANGE if big else "")
        where = f" ({RENDER_10E5_RANGE})" if big else ""
        rows += [
            Measure(f"dump-{size}", f"dump {text} cells / xlrd with formatting", Step("dump", size),
                    [Step("xlrd", size)], target=0.5 if big else None, slow=big),
            Measure(f"set-{size}", f"set one cell {text} / ssconvert --recalc", Step("set", size, "B2=1"),
                    [Step("recalc", size)], target=0.2 if big else None, slow=big),
            Measure(f"render-{size}", f"render {text} cells{where} / ssconvert PDF", render,
                    [Step("ss-pdf", size)], target=0.5 if big else None, slow=big, runs=5),
            Measure(f"pdf-{size}", f"pdf {text} cells / ssconvert PDF", Step("pdf", size),
                    [Step("ss-pdf", size)], slow=big, runs=5),
        ]
    return rows


MEASURES = [
    Measure("generate", "generate --sample --picture / (ssconvert save + PDF)", Step("generate"),
            [Step("ss-save", "sample"), Step("ss-pdf", "sample")], target=0.3),
    Measure("pdf-sample", "pdf of the sample budget / ssconvert PDF", Step("pdf", "sample"),
            [Step("ss-pdf", "sample")], target=0.5),
    *scale_measures(),
    Measure("chain-30k", "set on a chain of 30,000 formulas / ssconvert --recalc", Step("set", "chain-30k", "A1=2"),
            [Step("recalc", "chain-30k")], target=0.5, runs=5),
    Measure("chain-240k", "set on a chain of 240,000 formulas / ssconvert --recalc",
            Step("set", "chain-240k", "A1=2"), [Step("recalc", "chain-240k")], target=0.5, runs=3, slow=True),
    Measure("per-formula", "set time per formula: 240,000 chain / 30,000 chain", Step("set"),
            figure="per-formula", target=1.5, slow=True),
    Measure("merges", f"render 10^5 cells{' (' + RENDER_10E5_RANGE + ')'}: 50,000 merges / none",
            Step("render", "1e5-merged", RENDER_10E5_RANGE), [Step("render", "1e5", RENDER_10E5_RANGE)],
            target=1.5, runs=3, beside_runs=3, slow=True),
    Measure("render-memory", f"render 10^5 cells ({RENDER_10E5_RANGE}) peak memory / picture w*h*4",
            Step("render", "1e5", RENDER_10E5_RANGE), figure="memory", target=1.5, runs=3, slow=True),
    Measure("cpu-dump", "dump of the template, CPU", Step("dump", "template"), figure="cpu", target=20),
    Measure("cpu-set", "set one cell of the template, CPU", Step("set", "template", "B9=100"), figure="cpu",
            target=20),
    Measure("cpu-template", "template OUT.xlt, CPU", Step("template"), figure="cpu", target=20),
    Measure("hostile-sums", "set on 20,000 x =SUM(A1:IV65536)", Step("set", "sums", "A1=2"),
            figure="hostile", runs=1, slow=True),
    Measure("hostile-pictures", "render of 400 shapes of one 4000x4000 PNG", Step("render", "pictures"),
            figure="hostile", runs=1, slow=True),
    Measure("hostile-streams", "dump beside 20,000 empty streams", Step("dump", "streams"),
            figure="hostile", runs=1, slow=True),
    Measure("start-offscreen", "quillora to {event}, offscreen", Step("start")),
    Measure("start-xvfb", "quillora to {event}, Xvfb", Step("start"), display="xvfb"),
]


class Commands:
    """Command lines of the tools; every run writes new files of its own."""

    def __init__(self, build, work):
        self.cli, self.program = str(build / "cli/quillora-cli"), str(build / "app/quillora")
        self.maker = str(build / "bench/quillora-bench-make")
        self.work, self.made = work, {}

    def input(self, name):
        """The input file `name`, made on first use."""
        if name not in self.made:
            path = self.work / f"{name}.{'xlt' if name == 'template' else 'xls'}"
            if name == "template":
                command = [self.cli, "template", str(path)]
            elif name == "sample":
                command = [self.cli, "generate", "--sample", "--output", str(path)]
            else:
                command = [self.maker, *map(str, INPUTS[name]), str(path)]
            subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
            self.made[name] = str(path)
        return self.made[name]

    def line(self, step, tag):
        """The command line of `step` for run `tag`, writing under the work folder."""
        out = str(self.work / tag)
        source = self.input(step.input) if step.input else ""
        cli, arg = self.cli, ([step.arg] if step.arg else [])
        return {
            "dump": lambda: [cli, "dump", source],
            "set": lambda: [cli, "set", source, out + ".xls", *arg],
            "render": lambda: [cli, "render", source, "--output", out + ".png"] + (["--range", *arg] if arg else []),
            "pdf": lambda: [cli, "pdf", source, "--output", out + ".pdf"],
            "template": lambda: [cli, "template", out + ".xlt"],
            "generate": lambda: [cli, "generate", "--sample", "--output", out + ".xls", "--picture", out + ".png"],
            "start": lambda: [self.program],
            "xlrd": lambda: ["/usr/bin/python3", "-c", XLRD_READ, source],
            "recalc": lambda: ["ssconvert", "--recalc", source, out + ".xls"],
            "ss-save": lambda: ["ssconvert", source, out + ".xls"],
            "ss-pdf": lambda: ["ssconvert", source, out + ".pdf"],
        }[step.tool]()


def png_pixels_bytes(path):
    """Width x height x 4 of a PNG file, from its header."""
    with open(path, "rb") as png:
        width, height = struct.unpack(">II", png.read(24)[16:24])
    return width * height * 4


def exit_event(program):
    """The variable that ends `quillora` at its first painted frame, or, in a program without
    it, at its first shown window; and the words for the table."""
    if b"QUILLORA_EXIT_WHEN_PAINTED" in pathlib.Path(program).read_bytes():
        return "QUILLORA_EXIT_WHEN_PAINTED", "first painted frame"
    return "QUILLORA_EXIT_WHEN_SHOWN", "first shown window (EXIT_WHEN_SHOWN)"


def cell(run, unit="ms", value=None):
    if run.problem:
        return run.problem
    value = run.wall if value is None else value
    return f"{value:.1f} {unit}" if value < 10000 else f"{value / 1000:.2f} s"


def verdict(value, target, unit=""):
    return "" if target is None else f"<= {target:g}{unit} {'yes' if value <= target else 'NO'}"


def per_formula(m, results):
    """Set's time per formula on the long chain beside that on the short one."""
    long, short = results.get("chain-240k"), results.get("chain-30k")
    if not long or not short or long.problem or short.problem:
        return "needs chain-240k", "and chain-30k", "", ""
    each = [run.wall * 1000 / INPUTS[name][1] for run, name in ((long, "chain-240k"), (short, "chain-30k"))]
    ratio = each[0] / each[1]
    return f"{each[0]:.2f} us", f"{each[1]:.2f} us", f"{ratio:.2f}", verdict(ratio, m.target)


def run_measure(m, commands, env, results):
    """Runs one measure, keeps our figure in `results` by name, and gives its printed row:
    figure, beside, ratio, target."""
    if m.figure == "per-formula":
        return per_formula(m, results)
    steps = [m.ours, *m.beside]
    lines = [lambda i, s=s, k=k: commands.line(s, f"{m.name}-{k}-{i}") for k, s in enumerate(steps)]
    ours, *beside = measure(lines, env, [m.runs] + [m.beside_runs] * len(m.beside))
    results[m.name] = ours
    if m.figure == "cpu":
        return cell(ours, value=ours.cpu), "", "", "" if ours.problem else verdict(ours.cpu, m.target, " ms")
    if m.figure == "hostile":
        memory = "" if ours.problem else f"{ours.rss / 1024:.0f} MiB peak"
        return cell(ours), memory, "", ""
    if m.figure == "memory":
        if ours.problem:
            return cell(ours), "", "", ""
        picture = png_pixels_bytes(commands.work / f"{m.name}-0-0.png") / 2**20
        ratio = ours.rss / 1024 / picture
        return f"{ours.rss / 1024:.0f} MiB", f"{picture:.0f} MiB", f"{ratio:.2f}", verdict(ratio, m.target)
    if not beside:
        return cell(ours), "", "", ""
    problem = next((b.problem for b in beside if b.problem), "")
    total = sum(b.wall for b in beside)
    if ours.problem or problem:
        return cell(ours), problem or f"{total:.1f} ms", "", ""
    ratio = ours.wall / total
    return cell(ours), cell(beside[0], value=total), f"{ratio:.2f}", verdict(ratio, m.target)


def in_process(bench, env):
    run = subprocess.run([str(bench), "--benchmark_filter=BM_GenerationRun|BM_ClickToPreview",
                          "--benchmark_repetitions=5", "--benchmark_format=json"],
                         env=env, check=True, capture_output=True, text=True)
    return {entry["run_name"].split("/")[0]: entry["real_time"]
            for entry in json.loads(run.stdout)["benchmarks"] if entry.get("aggregate_name") == "median"}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", nargs="?", default="build/default")
    parser.add_argument("--quick", action="store_true")
    parser.add_argument("--only", default="")
    parser.add_argument("--list", action="store_true")
    args = parser.parse_args()
    patterns = [p for p in args.only.split(",") if p]
    chosen = [m for m in MEASURES if (not patterns or any(fnmatch.fnmatch(m.name, p) for p in patterns))
              and not (args.quick and m.slow)]
    if args.list:
        print("\n".join(f"{m.name:<18}{m.label}" for m in MEASURES))
        return
    build = pathlib.Path(args.build).resolve()
    with tempfile.TemporaryDirectory() as folder:
        work = pathlib.Path(folder)
        runtime = work / "runtime"
        runtime.mkdir(mode=0o700)
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=str(runtime), HOME=str(work),
                   LANG="en_US.UTF-8", LC_ALL="en_US.UTF-8")
        variable, event = exit_event(build / "app/quillora")
        print(f"{'measure':<62}{'ours':>12}{'beside':>16}{'ratio':>8}  target")
        if not patterns:
            for name, value in in_process(build / "bench/quillora-bench", env).items():
                print(f"{name + ', in process':<62}{value:>9.1f} ms")
        commands, results = Commands(build, work), {}
        xvfb = Xvfb() if any(m.display == "xvfb" for m in chosen) else None
        with xvfb or contextlib.nullcontext():
            for m in chosen:
                run_env = env
                if m.ours.tool == "start":
                    run_env = dict(env, **{variable: "1"})
                    if m.display == "xvfb":
                        run_env.update(QT_QPA_PLATFORM="xcb", DISPLAY=xvfb.display)
                figure, beside, ratio, target = run_measure(m, commands, run_env, results)
                label = m.label.format(event=event)
                print(f"{label:<62}{figure:>12}{beside:>16}{ratio:>8}  {target}", flush=True)
        if any(m.figure == "hostile" for m in chosen):
            print("hostile inputs: one run each, stopped after 120 s")


if __name__ == "__main__":
    main()
