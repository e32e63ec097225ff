#!/usr/bin/env python3
"""Runs every example of the README's Totals section and compares what it
prints with the block the README shows under it.

An example is a fenced block whose first line is "> hourwright-report ...";
the lines after it are the output. A block may first show a file with
"> type NAME" and its lines up to a blank line: that file is written first. Each runs with the native build in a
folder holding the sample sheet of report-sample.py as jobs.tim, and must
exit 0, write nothing to stderr and print exactly that block (line ends and
tabs as the README can show them: CR LF as LF, tabs at 8 columns).
    check-readme-examples.py <README.md> <hourwright-report> <work folder>"""
import os
import shlex
import subprocess
import sys


def totals_section(readme):
    lines = readme.split("\n")
    start = lines.index("## Totals") + 1
    end = next((i for i in range(start, len(lines)) if lines[i].startswith("## ")), len(lines))
    return lines[start:end]


def examples(section):
    """(command, expected lines) for each example block."""
    found, block = [], None
    for line in section:
        if line.startswith("```"):
            if block is None:
                block = []
                continue
            files = {}
            while block and block[0].startswith("> type ") and "" in block:
                end = block.index("")
                files[block[0][len("> type "):]] = block[1:end]
                block = block[end + 1:]
            if block and block[0].startswith("> hourwright-report "):
                found.append((block[0][2:], block[1:], files))
            block = None
        elif block is not None:
            block.append(line)
    return found


def shown(text):
    return [line.expandtabs(8) for line in text.replace("\r\n", "\n").rstrip("\n").split("\n")]


def main():
    readme, native, work = (os.path.abspath(a) for a in sys.argv[1:4])
    os.makedirs(work, exist_ok=True)
    here = os.path.dirname(os.path.abspath(__file__))
    subprocess.run([sys.executable, os.path.join(here, "report-sample.py"), work],
                   check=True, stdout=subprocess.DEVNULL)
    os.replace(os.path.join(work, "report.tim"), os.path.join(work, "jobs.tim"))
    with open(readme, encoding="utf-8") as f:
        found = examples(totals_section(f.read()))
    if not found:
        sys.exit("README: no example under ## Totals")
    failed = 0
    for command, expected, files in found:
        for name, lines in files.items():
            with open(os.path.join(work, name), "w", encoding="utf-8", newline="\r\n") as f:
                f.write("\n".join(lines) + "\n")
        words = shlex.split(command)
        run = subprocess.run([native] + words[1:], cwd=work, capture_output=True)
        printed = shown(run.stdout.decode("utf-8"))
        if run.returncode != 0 or run.stderr or printed != shown("\n".join(expected)):
            failed += 1
            print("README example differs: " + command)
            print("exit %d, stderr: %s" % (run.returncode, run.stderr.decode("utf-8", "replace")))
            print("printed:\n" + "\n".join(printed))
    if failed:
        sys.exit("%d of %d README examples print other than shown" % (failed, len(found)))
    print("README examples: %d commands print what the README shows" % len(found))


if __name__ == "__main__":
    main()
