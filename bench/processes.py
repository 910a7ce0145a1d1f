"""Running programs as measured processes for bench/compare.py: wall time, CPU time and peak
memory of each child (from os.wait4), medians of repeated and paired runs, a timeout that
reports instead of hanging, and one private Xvfb server for the runs that need a display."""
import dataclasses
import os
import statistics
import subprocess
import tempfile
import threading
import time

TIMEOUT = 120


@dataclasses.dataclass
class Run:
    """One process: wall and CPU (user + system) milliseconds, peak resident KiB; `problem` is
    "timeout" or the first line the program printed on stderr when it failed."""
    wall: float = 0.0
    cpu: float = 0.0
    rss: int = 0
    problem: str = ""


def run_once(command, env, timeout=TIMEOUT):
    """Runs `command` to its end (killed after `timeout` seconds) and measures it."""
    with tempfile.TemporaryFile() as errors:
        start = time.perf_counter()
        child = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                 stderr=errors)
        killed = []
        timer = threading.Timer(timeout, lambda: (killed.append(True), child.kill()))
        timer.start()
        _, status, usage = os.wait4(child.pid, 0)
        wall = time.perf_counter() - start
        timer.cancel()
        child.returncode = os.waitstatus_to_exitcode(status)  # reaped here, not by Popen
        run = Run(wall * 1000, (usage.ru_utime + usage.ru_stime) * 1000, usage.ru_maxrss)
        if killed:
            run.problem = "timeout"
        elif child.returncode != 0:
            errors.seek(0)
            lines = errors.read().decode(errors="replace").strip().splitlines()
            run.problem = "failed: " + (lines[0][:70] if lines else "exit %d" % child.returncode)
        return run


def median_run(runs):
    """The medians of several runs of one command; a failure or timeout among them stands."""
    for run in runs:
        if run.problem:
            return run
    return Run(statistics.median(r.wall for r in runs), statistics.median(r.cpu for r in runs),
               int(statistics.median(r.rss for r in runs)))


def measure(commands, env, runs):
    """Runs each of `commands` (functions of the run number giving a command line) in turn,
    `runs[k]` times for command k, paired: run i of every command before run i + 1 of any, so
    a change of the machine's load touches all alike. A command that fails or times out is not
    run again. Gives one median Run per command."""
    results = [[] for _ in commands]
    for i in range(max(runs)):
        for k, command in enumerate(commands):
            if i < runs[k] and not (results[k] and results[k][-1].problem):
                results[k].append(run_once(command(i), env))
    return [median_run(r) for r in results]


class Xvfb:
    """One Xvfb server on a free display, started once so its start-up is not measured."""

    def __enter__(self):
        reader, writer = os.pipe()
        self.server = subprocess.Popen(["Xvfb", "-displayfd", str(writer), "-nolisten", "tcp",
                                        "-screen", "0", "1280x1024x24"],
                                       pass_fds=(writer,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(writer)
        with os.fdopen(reader) as pipe:
            number = pipe.readline().strip()
        if not number:
            self.server.kill()
            self.server.wait()
            raise RuntimeError("Xvfb did not start (no display number)")
        self.display = ":" + number
        return self

    def __exit__(self, *exc):
        self.server.terminate()
        self.server.wait()
