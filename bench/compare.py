#!/usr/bin/python3
"""Speed figures from one run on this machine, printed as a table.

In process (Google Benchmark, median of 5): the whole generation run, and the click on
"Start Creating Template" to the preview shown. As processes (median of 7 wall times): the
start of `quillora` to its first shown window (offscreen), `quillora-cli generate --sample
--picture`, and beside it Gnumeric's `ssconvert` saving the same workbook and printing it to
PDF, with the ratio of the two; `quillora-cli pdf` printing that workbook beside
`ssconvert` printing it.
Usage: compare.py BUILD_FOLDER"""
import json
import os
import pathlib
import statistics
import subprocess
import sys
import tempfile
import time


def median_wall(command, env, runs=7):
    """Median wall time of `command(i)` for run i; each run writes files of its own, so every
    program writes new files, as it would for a person."""
    times = []
    for i in range(runs):
        start = time.perf_counter()
        subprocess.run(command(i), env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times.append(time.perf_counter() - start)
    return statistics.median(times) * 1000


def in_process(bench, env):
    run = subprocess.run([str(bench), "--benchmark_filter=BM_GenerationRun|BM_ClickToPreview",
                          "--benchmark_repetitions=5", "--benchmark_format=json"],
                         env=env, check=True, capture_output=True, text=True)
    medians = {}
    for entry in json.loads(run.stdout)["benchmarks"]:
        if entry.get("aggregate_name") == "median":
            medians[entry["run_name"].split("/")[0]] = entry["real_time"]
    return medians


def main():
    build = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build/default").resolve()
    cli, program, bench = build / "cli/quillora-cli", build / "app/quillora", build / "bench/quillora-bench"
    with tempfile.TemporaryDirectory() as folder:
        work = pathlib.Path(folder)
        runtime = work / "runtime"
        runtime.mkdir(mode=0o700)
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=str(runtime), HOME=str(work),
                   LANG="en_US.UTF-8", LC_ALL="en_US.UTF-8")
        medians = in_process(bench, env)
        start_up = median_wall(lambda i: [str(program)], dict(env, QUILLORA_EXIT_WHEN_SHOWN="1"))
        generate = median_wall(lambda i: [str(cli), "generate", "--sample", "--output", str(work / f"budget{i}.xls"),
                                          "--picture", str(work / f"budget{i}.png")], env)
        workbook = work / "budget0.xls"
        save = median_wall(lambda i: ["ssconvert", str(workbook), str(work / f"saved{i}.xls")], env)
        pdf = median_wall(lambda i: ["ssconvert", str(workbook), str(work / f"printed{i}.pdf")], env)
        our_pdf = median_wall(lambda i: [str(cli), "pdf", str(workbook), "--output", str(work / f"pages{i}.pdf")], env)

    rows = [
        ("generation run, in process (template to picture file)", medians["BM_GenerationRun"]),
        ("click to preview shown, in process", medians["BM_ClickToPreview"]),
        ("quillora start to first shown window (offscreen)", start_up),
        ("quillora-cli generate --sample --picture (process)", generate),
        ("ssconvert save of that workbook (process)", save),
        ("ssconvert print of that workbook to PDF (process)", pdf),
        ("quillora-cli pdf of that workbook (process)", our_pdf),
    ]
    print(f"{'measure':<58}{'median ms':>10}")
    for name, value in rows:
        print(f"{name:<58}{value:>10.1f}")
    print(f"{'generate --picture / (ssconvert save + PDF)':<58}{generate / (save + pdf):>10.2f}")
    print(f"{'quillora-cli pdf / ssconvert PDF':<58}{our_pdf / pdf:>10.2f}")


if __name__ == "__main__":
    main()
