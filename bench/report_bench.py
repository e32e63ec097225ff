#!/usr/bin/env python3
"""hourwright-report against its peers, each a whole process:
  bench: report-native <records> <median us>      --period all --by project,task --format json
  bench: report-native-rates <records> <median us> the same with --rates: 20 projects, a default
  bench: report-timewarrior <records> <median us> timew summary :all on the same intervals
  bench: report-read-floor <records> <median us>  cat sheet.tim > /dev/null
Usage: report_bench.py NATIVE_EXE WORK_FOLDER"""
import datetime
import os
import shutil
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scripts"))
from time_record import record  # noqa: E402

START = datetime.datetime(2020, 1, 6, 8, 0)
SIZES = (1000, 10000, 100000)


def intervals(count):
    """Back-to-back half hours of 20 projects and 50 tasks, one a minute apart."""
    for i in range(count):
        begin = START + datetime.timedelta(minutes=31 * i)
        yield "Project %d" % (i % 20), "Task %d" % (i * 7 % 50), begin, begin + datetime.timedelta(minutes=30)


def write_sheet(path, count):
    with open(path, "wb") as sheet:
        for project, task, begin, end in intervals(count):
            sheet.write(record(task, project, "Work", begin, (end - begin).seconds // 60))


def write_timewarrior(folder, count):
    os.makedirs(os.path.join(folder, "data"))
    open(os.path.join(folder, "timewarrior.cfg"), "w").close()
    months = {}
    for project, task, begin, end in intervals(count):
        line = "inc %s - %s # \"%s\" \"%s\"\n" % (begin.strftime("%Y%m%dT%H%M%SZ"),
                                               end.strftime("%Y%m%dT%H%M%SZ"), project, task)
        months.setdefault(begin.strftime("%Y-%m"), []).append(line)
    for month, lines in months.items():
        with open(os.path.join(folder, "data", month + ".data"), "w") as f:
            f.writelines(lines)


def write_rates(path):
    """Rates for half the projects and a default for the rest (rates-load times 10,000)."""
    with open(path, "w", newline="") as f:
        f.write("[away]\r\nminutes=15\r\n[rates]\r\n*currency*=EUR\r\n*default*=60\r\n")
        for i in range(0, 20, 2):
            f.write("Project %d=%d.50\r\n" % (i, 80 + i))


def median_pair_us(first, second, runs):
    """Two commands taken in turns, so a busy machine slows both alike."""
    times = ([], [])
    for _ in range(runs):
        for command, into in ((first, times[0]), (second, times[1])):
            begin = time.perf_counter()
            subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
            into.append(time.perf_counter() - begin)
    return int(statistics.median(times[0]) * 1e6), int(statistics.median(times[1]) * 1e6)


def median_us(command, runs, env=None):
    times = []
    for _ in range(runs):
        begin = time.perf_counter()
        subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env, check=True)
        times.append(time.perf_counter() - begin)
    return int(statistics.median(times) * 1e6)


def main():
    native, work = sys.argv[1], sys.argv[2]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    rates = os.path.join(work, "rates.ini")
    write_rates(rates)
    for count in SIZES:
        sheet = os.path.join(work, "bench-%d.tim" % count)
        write_sheet(sheet, count)
        db = os.path.join(work, "timew-%d" % count)
        write_timewarrior(db, count)
        env = dict(os.environ, TIMEWARRIORDB=db, TZ="UTC")
        runs = 21 if count < 100000 else 11
        subprocess.run(["cat", sheet], stdout=subprocess.DEVNULL)  # into the page cache
        floor = median_us(["cat", sheet], runs)
        command = [native, "--period", "all", "--by", "project,task", "--format", "json", sheet]
        report, priced = median_pair_us(command, command[:1] + ["--rates", rates] + command[1:], runs)
        # Timewarrior took 12.5 s a run at 100,000 intervals: a few runs only.
        peer = median_us(["timew", "summary", ":all"], 3 if count >= 10000 else 5, env)
        print("bench: report-native %d %d" % (count, report))
        print("bench: report-native-rates %d %d" % (count, priced))
        print("bench: report-timewarrior %d %d" % (count, peer))
        print("bench: report-read-floor %d %d" % (count, floor), flush=True)


if __name__ == "__main__":
    main()
